// import: a text file of questions and answers turned into a new FAQ, as the import window does.
#include <string>

#include "cli/cli_app.h"
#include "import/import_session.h"
#include "store/catalogue.h"

namespace quorella::cli {

namespace {

struct ImportArgs {
  std::string file, name;
  std::string qa_separator = "?\\r\\n";
  std::string aq_separator = "\\r\\n\\r\\n";
  bool manual_separators = false;
  bool keep_numbers = false;
  std::string encoding = "auto";
};

// \r, \n, \t and \\ in a separator typed on the command line; any other backslash stays as it is.
std::string Unescaped(std::string_view typed) {
  std::string text;
  for (std::size_t i = 0; i < typed.size(); ++i) {
    const char next = i + 1 < typed.size() ? typed[i + 1] : '\0';
    const char escaped = next == 'r' ? '\r' : next == 'n' ? '\n' : next == 't' ? '\t' : next;
    if (typed[i] == '\\' && (escaped != next || next == '\\')) {
      text += escaped;
      ++i;
    } else {
      text += typed[i];
    }
  }
  return text;
}

void Import(RunState& state, const ImportArgs& args) {
  ImportSession session;
  session.options.qa_separator = Unescaped(args.qa_separator);
  session.options.aq_separator = Unescaped(args.aq_separator);
  session.options.manual_separators = args.manual_separators;
  session.options.remove_numbers = !args.keep_numbers;
  session.encoding_choice = *ParseEncodingChoice(args.encoding);
  Progress("Reading " + args.file);
  session.ReadInputFile(args.file);
  Progress("Converting");
  session.Convert();
  Progress("Importing as " + args.name);
  AppContext& context = state.context();
  session.Import(context, args.name);
  Progress("");
  PrintLine(std::to_string(session.converted_count()));
}

void RegisterImportCommands(CLI::App& app, RunState& state) {
  auto args = std::make_shared<ImportArgs>();
  auto* import = AddCommand(app, "import", "read FILE, convert it and import it as the FAQ NAME",
                            [&state, args] { Import(state, *args); });
  import->add_option("FILE", args->file)->required();
  import->add_option("NAME", args->name)->required();
  import
      ->add_option("--qa-sep", args->qa_separator,
                   "question - answer separator (\\r \\n \\t \\\\ escapes; default ?\\r\\n)")
      ->type_name("S");
  import
      ->add_option("--aq-sep", args->aq_separator,
                   "answer - question separator (default \\r\\n\\r\\n)")
      ->type_name("S");
  import->add_flag("--manual-sep", args->manual_separators, "separators added manually");
  import->add_flag("--keep-numbers", args->keep_numbers, "do not remove question numbers");
  import
      ->add_option("--encoding", args->encoding,
                   "the file's encoding: auto (found from its bytes), utf-8 or windows-1252")
      // The help shows the choices as the manual page writes them, not as the validator would.
      ->check(
          CLI::IsMember(std::vector<std::string>{"auto", "utf-8", "windows-1252"}).description(""))
      ->type_name("auto|utf-8|windows-1252");
}

const bool kRegistered = RegisterCommandGroup(60, &RegisterImportCommands);

}  // namespace

}  // namespace quorella::cli
