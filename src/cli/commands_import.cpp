// import: a file of questions and answers turned into a new FAQ, as the import window does, or
// into the questions of an existing one.
#include <algorithm>
#include <string>
#include <vector>

#include "cli/cli_app.h"
#include "import/faq_file.h"
#include "import/import_session.h"
#include "import/replace_questions.h"
#include "store/catalogue.h"
#include "util/errors.h"

namespace quorella::cli {

namespace {

struct ImportArgs {
  std::string file, name;
  std::string qa_separator = "?\\r\\n";
  std::string aq_separator = "\\r\\n\\r\\n";
  bool manual_separators = false;
  bool keep_numbers = false;
  std::string encoding = "auto";
  std::string format;  // empty: found from the file's name and text
  bool replace_questions = false;
  bool text_options = false;  // a separator or check box of the plain-text import was given
  std::vector<CLI::Option*> text_option_list;
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
  session.format_choice = ParseImportFormat(args.format);
  // The plain-text import's own options say what kind of file it is.
  if (!session.format_choice && args.text_options) session.format_choice = ImportFormat::Text;
  AppContext& context = state.context();
  Progress("Reading " + args.file);
  std::int32_t count = 0;
  ImportFormat found = ImportFormat::Text;
  if (args.replace_questions) {
    const FaqFile file =
        ReadFaqFile(args.file, session.format_choice, session.encoding_choice, session.options);
    found = file.format;
    Progress("Replacing the questions of " + args.name);
    ReplaceQuestions(context, ResolveFaq(context, args.name), file.faq);
    count = static_cast<std::int32_t>(file.faq.questions.size());
  } else {
    // What the import window does: a plain text is converted at step 3, another kind as it is read.
    session.ReadInputFile(args.file);
    found = *session.found_format();
    if (found == ImportFormat::Text) {
      Progress("Converting");
      session.Convert();
      if (session.converted_count() == 0)
        throw Error(messages::NoQuestionFound(args.file, ImportFormatName(found)));
    }
    Progress("Importing as " + args.name);
    session.Import(context, args.name);
    count = session.converted_count();
  }
  Progress("");
  PrintLine(std::to_string(count));
  // The plain-text import prints what it always printed; other kinds name themselves.
  if (found != ImportFormat::Text) PrintLine(ImportFormatName(found));
}

void RegisterImportCommands(CLI::App& app, RunState& state) {
  auto args = std::make_shared<ImportArgs>();
  auto* import = AddCommand(app, "import",
                            "read FILE (plain text, Markdown, HTML, CSV, Q:/A: text or JSON) and "
                            "import it as the FAQ NAME",
                            [&state, args] {
                              args->text_options = std::any_of(
                                  args->text_option_list.begin(), args->text_option_list.end(),
                                  [](const CLI::Option* o) { return o->count() > 0; });
                              Import(state, *args);
                            });
  import->add_option("FILE", args->file)->required();
  import->add_option("NAME", args->name)->required();
  auto& text_options = args->text_option_list;
  text_options.push_back(
      import
          ->add_option("--qa-sep", args->qa_separator,
                       "question - answer separator (\\r \\n \\t \\\\ escapes; default ?\\r\\n)")
          ->type_name("S"));
  text_options.push_back(import
                             ->add_option("--aq-sep", args->aq_separator,
                                          "answer - question separator (default \\r\\n\\r\\n)")
                             ->type_name("S"));
  text_options.push_back(
      import->add_flag("--manual-sep", args->manual_separators, "separators added manually"));
  text_options.push_back(
      import->add_flag("--keep-numbers", args->keep_numbers, "do not remove question numbers"));
  import
      ->add_option("--encoding", args->encoding,
                   "the file's encoding: auto (found from its bytes), utf-8 or windows-1252")
      // The help shows the choices as the manual page writes them, not as the validator would.
      ->check(
          CLI::IsMember(std::vector<std::string>{"auto", "utf-8", "windows-1252"}).description(""))
      ->type_name("auto|utf-8|windows-1252");
  import
      ->add_option("--format", args->format,
                   "the file's kind: text, markdown, html, csv, qa or json (default: found from "
                   "its name and content)")
      ->check(
          CLI::IsMember(std::vector<std::string>{"text", "markdown", "html", "csv", "qa", "json"})
              .description(""))
      ->type_name("text|markdown|html|csv|qa|json");
  import->add_flag("--replace-questions", args->replace_questions,
                   "replace the questions of the existing FAQ NAME, keeping its settings");
}

const bool kRegistered = RegisterCommandGroup(60, &RegisterImportCommands);

}  // namespace

}  // namespace quorella::cli
