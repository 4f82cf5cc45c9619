#include "import/replace_questions.h"

#include "store/document.h"
#include "store/document_file.h"
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

bool IsQuestionOrAnswerHeader(std::string_view line) {
  if (!IsProgramHeader(line)) return false;
  const std::string_view name = *BracketedName(line);
  return StartsWithNoCase(name, "Question ") || StartsWithNoCase(name, "Answer ");
}

}  // namespace

std::string WithoutQuestionSections(std::string_view document) {
  std::string kept;
  kept.reserve(document.size());
  enum class At { Outside, Body, AfterTerminator } at = At::Outside;
  ForEachLine(document, [&](std::string_view line) {
    if (at == At::AfterTerminator) {
      at = At::Outside;
      // The empty line that follows a terminator goes with the section it closes.
      if (line.empty()) return;
    }
    if (at == At::Body) {
      if (line == kTerminator) {
        at = At::AfterTerminator;
        return;
      }
      // A section without a terminator ends at the next header of the program's.
      if (!EndsBody(line)) return;
      at = At::Outside;
    }
    if (IsQuestionOrAnswerHeader(line)) {
      at = At::Body;
      return;
    }
    kept.append(line).append(kCrLf);
  });
  // The empty line that set the first removed section apart from what precedes it goes too: the
  // sections written next bring their own.
  while (kept.ends_with("\r\n\r\n")) kept.resize(kept.size() - kCrLf.size());
  if (kept == kCrLf) kept.clear();
  return kept;
}

void ReplaceQuestions(AppContext& context, std::string_view name, const ImportedFaq& faq,
                      bool keep_title) {
  const std::string document_path = context.DocumentPath(name);
  const std::string key = context.FaqKey(name);
  const FolderLock lock(DirectoryOf(document_path));
  // Under the lock, a FAQ another process deleted meanwhile is not brought back by its document.
  if (!context.settings().KeyExists(key)) throw Error(messages::NoSuchFaq(name));
  FinishPendingCount(context.settings(), key, document_path);
  const std::optional<DecodedText> before = ReadDocumentFile(document_path);
  std::vector<std::string> questions, answers;
  for (const ImportedQuestion& question : faq.questions) {
    questions.push_back(ReplaceLineBreaks(question.question, kCrLf));
    answers.push_back(StoredAnswerOf(question));
  }
  const std::optional<std::string> kept =
      before ? std::optional(WithoutQuestionSections(before->text)) : std::nullopt;
  const std::string text = QuestionListInText(kept, questions, answers).value_or(std::string());
  const auto count = static_cast<std::int32_t>(faq.questions.size());
  WritePendingCount(document_path, count, text);
  ReplaceDocumentFile(document_path, text, before ? before->encoding : FileEncoding::Windows1252);
  WriteFaqValue(context.settings(), key, FaqValue::TotalQuestions, count);
  RemoveFile(PendingCountPath(document_path));
  if (!keep_title && !faq.title.empty())
    WriteFaqValue(context.settings(), key, FaqValue::Title, faq.title);
}

}  // namespace quorella
