// export: a FAQ's questions, answers and title written as a file that import reads back.
#include <string>

#include "cli/cli_app.h"
#include "import/faq_export.h"
#include "store/faq.h"
#include "util/errors.h"
#include "util/file_io.h"

namespace quorella::cli {

namespace {

struct ExportArgs {
  std::string name, file, format = "markdown";
};

void Export(RunState& state, const ExportArgs& args) {
  AppContext& context = state.context();
  const Faq faq = ReadFaq(context, ResolveFaq(context, args.name));
  const std::string text = ExportFaqText(ExportedFaqOf(faq), *ParseExportFormat(args.format));
  try {
    ReplaceFileAtomically(args.file, text);
  } catch (const Error& e) {
    throw Error(messages::CannotCreateFile(args.file, messages::SystemReason(e.error_number())),
                e.error_number());
  }
}

void RegisterExportCommands(CLI::App& app, RunState& state) {
  auto args = std::make_shared<ExportArgs>();
  auto* command = AddCommand(app, "export",
                             "write the questions and answers of FAQ NAME to FILE, which import "
                             "reads back",
                             [&state, args] { Export(state, *args); });
  command->add_option("NAME", args->name)->required();
  command->add_option("FILE", args->file)->required();
  command->add_option("--format", args->format, "markdown (the default), csv or json")
      ->check(CLI::IsMember(std::vector<std::string>{"markdown", "csv", "json"}).description(""))
      ->type_name("markdown|csv|json");
}

const bool kRegistered = RegisterCommandGroup(65, &RegisterExportCommands);

}  // namespace

}  // namespace quorella::cli
