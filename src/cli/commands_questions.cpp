// questions, add-question, set-answer, edit-question, delete-question, move-question: the question
// list of a FAQ, through the same model the window uses (its locks, its document writes).
#include "cli/cli_app.h"
#include "store/answer.h"
#include "store/faq.h"
#include "store/question_model.h"
#include "util/errors.h"
#include "util/text_lines.h"

namespace quorella::cli {

namespace {

struct Args {
  std::string name, question, answer;
  int format = 0;
  std::size_t number = 0, to = 0;
  CLI::Option* answer_option = nullptr;
  CLI::Option* format_option = nullptr;
  CLI::Option* set_format_option = nullptr;  // set-answer's --format
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

// The FAQ loaded with question `number` (counted from 1) selected, as a click in the list does.
struct Selected {
  Faq faq;
  QuestionModel model;
  Selected(AppContext& context, std::string_view name, std::size_t number)
      : faq(ReadFaq(context, ResolveFaq(context, name))), model(context.settings(), faq) {
    if (number < 1 || number > faq.question_count())
      throw Error(messages::NoQuestionNumbered(number, faq.question_count()));
    model.Select(number - 1);
  }
};

// What leaving the answer editor does after the answer was typed; with --format, what choosing
// the format does. The format stays the answer's own when none is given.
void SetAnswer(RunState& state, const Args& args) {
  Selected selected(state.context(), args.name, args.number);
  const int format =
      args.set_format_option->count() > 0 ? args.format : selected.model.Page().answer->format;
  selected.model.ChangeFormat(format, args.answer);
}

void EditQuestion(RunState& state, const Args& args) {
  Selected selected(state.context(), args.name, args.number);
  if (!selected.model.EditQuestion(args.question))
    throw Error(std::string(messages::kBlankQuestion));
}

void DeleteQuestion(RunState& state, const Args& args) {
  Selected selected(state.context(), args.name, args.number);
  selected.model.DeleteQuestion();
}

void MoveQuestion(RunState& state, const Args& args) {
  Selected selected(state.context(), args.name, args.number);
  if (args.to < 1 || args.to > selected.faq.question_count())
    throw Error(messages::NoQuestionNumbered(args.to, selected.faq.question_count()));
  selected.model.MoveSelectedTo(args.to - 1);
}

CLI::Validator FormatRange() {
  CLI::Validator range = CLI::Range(0, kLastTextFormat);
  range.description("");  // the help shows "--format N"
  return range;
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
  args->format_option = add->add_option("--format", args->format, "the text format, 0 to 4")
                            ->type_name("N")
                            ->check(FormatRange());

  auto* set_answer = AddCommand(app, "set-answer", "store TEXT as the answer to question N",
                                [&state, args] { SetAnswer(state, *args); });
  set_answer->add_option("NAME", args->name)->required();
  set_answer->add_option("N", args->number)->required();
  set_answer->add_option("TEXT", args->answer)->required();
  args->set_format_option =
      set_answer
          ->add_option("--format", args->format, "the text format, 0 to 4 (default: as it is)")
          ->type_name("N")
          ->check(FormatRange());
  auto* edit = AddCommand(app, "edit-question", "replace the text of question N",
                          [&state, args] { EditQuestion(state, *args); });
  edit->add_option("NAME", args->name)->required();
  edit->add_option("N", args->number)->required();
  edit->add_option("TEXT", args->question)->required();
  auto* remove = AddCommand(app, "delete-question", "delete question N with its answer",
                            [&state, args] { DeleteQuestion(state, *args); });
  remove->add_option("NAME", args->name)->required();
  remove->add_option("N", args->number)->required();
  auto* move = AddCommand(app, "move-question", "move question N to position M",
                          [&state, args] { MoveQuestion(state, *args); });
  move->add_option("NAME", args->name)->required();
  move->add_option("N", args->number)->required();
  move->add_option("M", args->to)->required();
}

const bool kRegistered = RegisterCommandGroup(30, &RegisterQuestionCommands);

}  // namespace

}  // namespace quorella::cli
