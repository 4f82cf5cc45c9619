// questions, add-question: the question list of a FAQ, through the same model the window uses.
#include "cli/cli_app.h"
#include "store/faq.h"
#include "store/question_model.h"
#include "util/errors.h"
#include "util/text_lines.h"

namespace quorella::cli {

namespace {

struct Args {
  std::string name, question, answer;
  int format = 0;
  CLI::Option* answer_option = nullptr;
  CLI::Option* format_option = nullptr;
};

void Questions(RunState& state, const Args& args) {
  AppContext& context = state.context();
  const Faq faq = ReadFaq(context, ResolveFaq(context, args.name));
  for (std::size_t n = 0; n < faq.questions.size(); ++n)
    PrintLine(std::to_string(n + 1) + ". " + ReplaceLineBreaks(faq.questions[n], "\\n"));
}

// The dialog's OK, then the answer typed for the new question and its format chosen. OK selects
// the first equal question, so the new one is selected by position before its answer is stored.
void AddQuestion(RunState& state, const Args& args) {
  AppContext& context = state.context();
  // Read, not loaded: a FAQ another process deletes meanwhile must not get its document back.
  Faq faq = ReadFaq(context, ResolveFaq(context, args.name));
  QuestionModel model(context.settings(), faq);
  if (!model.AddQuestion(args.question)) throw Error(std::string(messages::kBlankQuestion));
  if (args.format_option->count() == 0 && args.answer_option->count() == 0) return;
  model.Select(model.question_count() - 1);
  model.ChangeFormat(args.format, args.answer);
}

void RegisterQuestionCommands(CLI::App& app, RunState& state) {
  auto args = std::make_shared<Args>();
  AddCommand(app, "questions", "the questions of FAQ NAME, numbered from 1",
             [&state, args] { Questions(state, *args); })
      ->add_option("NAME", args->name)
      ->required();
  auto* add = AddCommand(app, "add-question", "append a question, with its answer and text format",
                         [&state, args] { AddQuestion(state, *args); });
  add->add_option("NAME", args->name)->required();
  add->add_option("QUESTION", args->question)->required();
  args->answer_option =
      add->add_option("--answer", args->answer, "the answer's text")->type_name("TEXT");
  CLI::Validator format_range = CLI::Range(0, 3);
  format_range.description("");  // the help shows "--format N"
  args->format_option = add->add_option("--format", args->format, "the text format, 0 to 3")
                            ->type_name("N")
                            ->check(format_range);
}

const bool kRegistered = RegisterCommandGroup(30, &RegisterQuestionCommands);

}  // namespace

}  // namespace quorella::cli
