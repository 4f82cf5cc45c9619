#pragma once
// The questions and answers of the current FAQ as the "Q && A" page edits them: the question list,
// the answer list (each entry the stored form: the format line, then the answer's lines, each
// followed by CR LF), the selected question and the format chosen for its answer. Every command
// keeps TotalQuestions and the document's question and answer sections in step with the lists and
// returns what the page must show, so the window only draws it.
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "store/faq.h"
#include "store/settings.h"

namespace quorella {

// What the answer editor and the format choice show for one answer.
struct AnswerEditor {
  std::string text;  // the answer's lines, each followed by CR LF (the format line removed)
  int format = 0;    // the index chosen in cmbFormat; outside 0..4 no item is chosen
  bool operator==(const AnswerEditor&) const = default;
};

// The page after a command.
struct QuestionPage {
  std::optional<std::size_t> selected;  // the entry selected in lstQuestions
  bool question_buttons = false;        // butDelQuestion and butEditQuestion enabled
  bool answer_enabled = false;          // the Answer editor and cmbFormat enabled
  // The editor's new content; nullopt when the editor keeps what it shows.
  std::optional<AnswerEditor> answer;
  bool focus_answer = false;  // the answer editor takes the input focus
  bool operator==(const QuestionPage&) const = default;
};

class QuestionModel {
 public:
  // Edits the lists of `faq` as LoadFaq filled them, its document, and its TotalQuestions in
  // `settings`. Both must outlive the model. No question is selected at first.
  QuestionModel(Settings& settings, Faq& faq);

  const std::vector<std::string>& questions() const { return faq_.questions; }
  const std::vector<std::string>& answers() const { return faq_.answers; }
  std::size_t question_count() const { return faq_.questions.size(); }
  std::optional<std::size_t> selected() const { return selected_; }

  // The page as it stands, the editor filled from the selected answer.
  QuestionPage Page() const;

  // lstQuestionsClick: selects `position` (nothing when it is nullopt or past the end) and shows
  // its answer with its format.
  QuestionPage Select(std::optional<std::size_t> position);

  // The dialog's OK in add mode: appends the question, untrimmed, with the answer "0", selects the
  // first entry equal to it without regard to case, and writes TotalQuestions and the whole list.
  // nullopt when the text is blank (the dialog stays open).
  std::optional<QuestionPage> AddQuestion(std::string_view text);

  // The dialog's "Add another": appends the question with the answer "0", writes TotalQuestions
  // and the new question's section; the selection stays. False when the text is blank.
  bool AddAnotherQuestion(std::string_view text);

  // The dialog's OK in edit mode: replaces the selected entry (the answer stays), then finishes as
  // AddQuestion does. nullopt when the text is blank or nothing is selected.
  std::optional<QuestionPage> EditQuestion(std::string_view text);

  // butDelQuestionClick: removes the selected question and its answer, renumbers the sections,
  // and selects the question that took its place, else the one before. nullopt without selection.
  std::optional<QuestionPage> DeleteQuestion();

  // butQupClick and butQdownClick: swap the selected question with its neighbour and rewrite the
  // list. The editor keeps its text. nullopt, writing nothing, at the ends or without selection.
  std::optional<QuestionPage> MoveUp();
  std::optional<QuestionPage> MoveDown();
  // The selected question moved to `position` (the others keep their order), in one rewrite of
  // the list: what as many MoveUp or MoveDown commands leave. nullopt, writing nothing, when it is
  // there already, past the end, or nothing is selected.
  std::optional<QuestionPage> MoveSelectedTo(std::size_t position);

  // AnswerExit: stores the editor's text, with the chosen format on the first line, as the
  // selected answer (entry and section). Nothing without selection.
  void StoreAnswer(std::string_view editor_text);

  // cmbFormatChange: chooses `format` and stores the answer as StoreAnswer does.
  void ChangeFormat(int format, std::string_view editor_text);

  // Writes every question and answer section, in one rewrite of the document.
  void SaveQuestionList();

  // A fixed section's editor was left: writes `text` (its lines) as that section, under the same
  // lock and re-reading as the commands above, so the document this model remembers stays the one
  // on disk and the window's own edit is not taken for another program's.
  void StoreSection(FixedSection section, std::string_view text);

  // Every command above that writes holds the lock of the document's folder from its read to its
  // last write and first re-reads the lists when another process changed the document or the
  // count since this model last saw them; the command then applies to what it re-read, the
  // selection following its question. Refresh does that re-reading alone (the window calls it
  // when it is activated). TakeReloaded tells, once, that a re-read happened.
  bool Refresh();
  bool TakeReloaded();

 private:
  template <typename Command>
  auto Locked(Command&& command) -> decltype(command());
  void RefreshLocked();
  std::optional<QuestionPage> DeleteSelected();
  void StoreSelectedAnswer(std::string_view editor_text);
  QuestionPage FinishOk(const std::string& question);
  QuestionPage MoveTo(std::size_t position);
  // Runs `write_document` and stores the question count with it, in one transaction of the
  // store when the count changes.
  void WriteQuestionCount(const std::function<void()>& write_document);

  Settings& settings_;
  Faq& faq_;
  std::optional<std::size_t> selected_;
  int format_ = 0;  // the format chosen for the selected answer
  bool reloaded_ = false;
};

// The editor's content for an answer list entry: a first line that is an integer is the format.
AnswerEditor AnswerEditorFor(std::string_view stored_answer);

}  // namespace quorella
