#include "store/question_model.h"

#include <algorithm>
#include <cstdint>
#include <type_traits>
#include <utility>

#include "store/answer.h"
#include "store/document.h"
#include "store/pending_count.h"
#include "store/question_sections.h"
#include "store/values.h"
#include "util/errors.h"
#include "util/file_io.h"
#include "util/folder_lock.h"
#include "util/paths.h"
#include "util/strings.h"
#include "util/text_lines.h"

namespace quorella {

namespace {

bool IsBlank(std::string_view text) {
  return Trim(text).empty();
}

// The dialog's text with its line breaks in the form every text of the program has; the text is
// otherwise kept exactly as typed.
std::string AsTyped(std::string_view text) {
  return ReplaceLineBreaks(text, kCrLf);
}

}  // namespace

AnswerEditor AnswerEditorFor(std::string_view stored_answer) {
  const StoredAnswer answer = ParseStoredAnswer(stored_answer);
  return AnswerEditor{AnswerText(answer), answer.format};
}

QuestionModel::QuestionModel(Settings& settings, Faq& faq) : settings_(settings), faq_(faq) {}

template <typename Command>
auto QuestionModel::Locked(Command&& command) -> decltype(command()) {
  const FolderLock lock(DirectoryOf(faq_.document_path));
  // A replacement of the questions cut short between its two writes is completed first, so that
  // the count this command writes (or keeps) is the one the document holds.
  FinishPendingCount(settings_, faq_.key, faq_.document_path);
  RefreshLocked();
  try {
    // The count is the one RefreshLocked read, or the one WriteQuestionCount wrote since: the
    // store is not read again, and a count some other process writes meanwhile shows as a change
    // at the next command.
    if constexpr (std::is_void_v<decltype(command())>) {
      command();
      faq_.stamp = StampOf(faq_, faq_.stamp.count, faq_.stamp.store);
    } else {
      auto result = command();
      faq_.stamp = StampOf(faq_, faq_.stamp.count, faq_.stamp.store);
      return result;
    }
  } catch (...) {
    // What a failed command left on disk is unknown: the next command reads it again.
    faq_.stamp = FaqStamp{.file = {}, .count = -1, .store = {}};
    throw;
  }
}

void QuestionModel::RefreshLocked() {
  const std::optional<std::string> selected_question =
      selected_ ? std::optional(faq_.questions[*selected_]) : std::nullopt;
  if (!RefreshFaq(settings_, faq_)) return;
  reloaded_ = true;
  std::optional<std::size_t> position;
  if (selected_question) {
    if (*selected_ < question_count() && faq_.questions[*selected_] == *selected_question)
      position = selected_;
    for (std::size_t i = 0; i < question_count() && !position; ++i)
      if (faq_.questions[i] == *selected_question) position = i;
  }
  selected_.reset();
  if (position) {
    selected_ = position;
    format_ = AnswerEditorFor(faq_.answers[*position]).format;
  }
}

bool QuestionModel::Refresh() {
  const FolderLock lock(DirectoryOf(faq_.document_path));
  const bool before = reloaded_;
  reloaded_ = false;
  RefreshLocked();
  const bool now = reloaded_;
  reloaded_ = before || now;
  return now;
}

bool QuestionModel::TakeReloaded() {
  return std::exchange(reloaded_, false);
}

QuestionPage QuestionModel::Page() const {
  QuestionPage page;
  page.selected = selected_;
  page.question_buttons = page.answer_enabled = selected_.has_value();
  page.answer = selected_ ? AnswerEditor{AnswerEditorFor(faq_.answers[*selected_]).text, format_}
                          : AnswerEditor{};
  return page;
}

QuestionPage QuestionModel::Select(std::optional<std::size_t> position) {
  selected_.reset();
  if (position && *position < question_count()) {
    selected_ = position;
    format_ = AnswerEditorFor(faq_.answers[*position]).format;
  }
  QuestionPage page = Page();
  page.focus_answer = selected_.has_value();
  return page;
}

std::optional<QuestionPage> QuestionModel::AddQuestion(std::string_view text) {
  if (IsBlank(text)) return std::nullopt;
  return Locked([&] {
    std::string question = AsTyped(text);
    faq_.questions.push_back(question);
    faq_.answers.emplace_back("0");
    return FinishOk(question);
  });
}

bool QuestionModel::AddAnotherQuestion(std::string_view text) {
  if (IsBlank(text)) return false;
  Locked([&] {
    faq_.questions.push_back(AsTyped(text));
    faq_.answers.emplace_back("0");
    WriteQuestionCount([&] {
      WriteSection(faq_.document_path, QuestionSectionName(question_count() - 1),
                   SplitLines(faq_.questions.back()));
    });
  });
  return true;
}

std::optional<QuestionPage> QuestionModel::EditQuestion(std::string_view text) {
  if (IsBlank(text) || !selected_) return std::nullopt;
  return Locked([&]() -> std::optional<QuestionPage> {
    if (!selected_) return std::nullopt;  // the question was removed meanwhile
    std::string question = AsTyped(text);
    faq_.questions[*selected_] = question;
    return FinishOk(question);
  });
}

QuestionPage QuestionModel::FinishOk(const std::string& question) {
  std::optional<std::size_t> first_equal;
  for (std::size_t i = 0; i < question_count() && !first_equal; ++i)
    if (EqualsNoCase(faq_.questions[i], question)) first_equal = i;
  QuestionPage page = Select(first_equal);
  WriteQuestionCount([&] { SaveQuestionList(); });
  return page;
}

std::optional<QuestionPage> QuestionModel::DeleteQuestion() {
  if (!selected_) return std::nullopt;
  return Locked([&] { return DeleteSelected(); });
}

std::optional<QuestionPage> QuestionModel::DeleteSelected() {
  if (!selected_) return std::nullopt;
  const std::size_t position = *selected_;
  const std::size_t old_count = question_count();
  faq_.answers.erase(faq_.answers.begin() + static_cast<std::ptrdiff_t>(position));
  faq_.questions.erase(faq_.questions.begin() + static_cast<std::ptrdiff_t>(position));
  selected_.reset();
  WriteQuestionCount([&] {
    DeleteLastAndSaveQuestionList(faq_.document_path, old_count, faq_.questions, faq_.answers);
  });
  if (position < question_count()) return Select(position);
  if (position > 0) return Select(position - 1);
  return Select(std::nullopt);
}

std::optional<QuestionPage> QuestionModel::MoveUp() {
  if (!selected_ || *selected_ == 0) return std::nullopt;
  return Locked([&]() -> std::optional<QuestionPage> {
    if (!selected_ || *selected_ == 0) return std::nullopt;
    return MoveTo(*selected_ - 1);
  });
}

std::optional<QuestionPage> QuestionModel::MoveDown() {
  if (!selected_ || *selected_ + 1 >= question_count()) return std::nullopt;
  return Locked([&]() -> std::optional<QuestionPage> {
    if (!selected_ || *selected_ + 1 >= question_count()) return std::nullopt;
    return MoveTo(*selected_ + 1);
  });
}

std::optional<QuestionPage> QuestionModel::MoveSelectedTo(std::size_t position) {
  const auto movable = [&] {
    return selected_ && *selected_ != position && position < question_count();
  };
  if (!movable()) return std::nullopt;
  return Locked([&]() -> std::optional<QuestionPage> {
    if (!movable()) return std::nullopt;
    return MoveTo(position);
  });
}

QuestionPage QuestionModel::MoveTo(std::size_t position) {
  // The others keep their order; with a neighbour this is a swap.
  const auto rotate = [&](std::vector<std::string>& list) {
    const auto from = list.begin() + static_cast<std::ptrdiff_t>(*selected_);
    const auto to = list.begin() + static_cast<std::ptrdiff_t>(position);
    if (from < to)
      std::rotate(from, from + 1, to + 1);
    else
      std::rotate(to, from, from + 1);
  };
  rotate(faq_.questions);
  rotate(faq_.answers);
  selected_ = position;
  SaveQuestionList();
  QuestionPage page = Page();
  page.answer.reset();
  return page;
}

void QuestionModel::StoreAnswer(std::string_view editor_text) {
  if (!selected_) return;
  Locked([&] {
    if (selected_) StoreSelectedAnswer(editor_text);
  });
}

void QuestionModel::StoreSelectedAnswer(std::string_view editor_text) {
  std::vector<std::string> lines = SplitLines(editor_text);
  faq_.answers[*selected_] = StoredAnswerText(format_, lines);
  lines.insert(lines.begin(), std::to_string(format_));
  WriteSection(faq_.document_path, AnswerSectionName(*selected_), lines);
}

void QuestionModel::ChangeFormat(int format, std::string_view editor_text) {
  if (!selected_) return;
  Locked([&] {
    if (!selected_) return;
    format_ = format;
    StoreSelectedAnswer(editor_text);
  });
}

void QuestionModel::StoreSection(FixedSection section, std::string_view text) {
  Locked([&] {
    const std::string name(SectionName(section));
    WriteSection(faq_.document_path, name, SplitLines(text));
    faq_.sections[static_cast<std::size_t>(section)] = ReadSection(faq_.document_path, name);
  });
}

void QuestionModel::SaveQuestionList() {
  quorella::SaveQuestionList(faq_.document_path, faq_.questions, faq_.answers);
}

void QuestionModel::WriteQuestionCount(const std::function<void()>& write_document) {
  const auto count = static_cast<std::int32_t>(question_count());
  // Every command runs under the folder lock after RefreshLocked, so the stamp holds the count
  // stored now; an edit keeps it and saves the durable settings transaction.
  if (faq_.stamp.count == count) {
    write_document();
  } else {
    // The document is written inside the count's transaction: a store that cannot be written
    // leaves the document untouched, and a document that cannot be written leaves the count. A
    // commit that fails after the document was written puts the document back. (A crash between
    // the document's rename and the commit leaves a section not counted, which the next command
    // writes over, never an empty question counted.)
    std::optional<KeptVersion> before;
    bool written = false;
    try {
      WriteFaqValue(settings_, faq_.key, FaqValue::TotalQuestions, count, [&] {
        before.emplace(faq_.document_path);
        write_document();
        written = true;
      });
    } catch (...) {
      if (written) before->PutBack();
      throw;
    }
    // Under the folder lock no other command writes the count before this stamp is taken.
    faq_.stamp.count = count;
    faq_.stamp.store = StoreStampOf(settings_);
  }
  faq_.values.SetInteger(FaqValue::TotalQuestions, count);
}

}  // namespace quorella
