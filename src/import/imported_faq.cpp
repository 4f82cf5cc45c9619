#include "import/imported_faq.h"

#include "store/answer.h"
#include "store/question_sections.h"
#include "util/strings.h"
#include "util/text_lines.h"

namespace quorella {

std::string StoredAnswerOf(const ImportedQuestion& question) {
  return StoredAnswerText(question.format, SplitLines(question.answer));
}

ImportedQuestion ImportedQuestionOf(std::string question, std::string_view stored_answer) {
  const StoredAnswer answer = ParseStoredAnswer(stored_answer);
  return ImportedQuestion{std::move(question), AnswerText(answer), answer.format};
}

std::string ImportedDocumentText(const ImportedFaq& faq) {
  std::vector<std::string> questions, answers;
  questions.reserve(faq.questions.size());
  answers.reserve(faq.questions.size());
  for (const ImportedQuestion& question : faq.questions) {
    questions.push_back(ReplaceLineBreaks(question.question, kCrLf));
    answers.push_back(StoredAnswerOf(question));
  }
  return QuestionListInText(std::nullopt, questions, answers).value_or(std::string());
}

std::string AnswerLines(std::string_view text) {
  std::vector<std::string> lines = SplitLines(text);
  std::size_t first = 0, last = lines.size();
  while (first < last && Trim(lines[first]).empty()) ++first;
  while (last > first && Trim(lines[last - 1]).empty()) --last;
  std::string answer;
  for (std::size_t i = first; i < last; ++i) answer.append(lines[i]).append(kCrLf);
  return answer;
}

}  // namespace quorella
