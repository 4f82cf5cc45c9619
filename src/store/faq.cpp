#include "store/faq.h"

#include <algorithm>

#include "store/document.h"
#include "store/document_file.h"
#include "util/file_io.h"

namespace quorella {

namespace {
constexpr std::array<std::string_view, kFixedSectionCount> kSectionNames = {
    "AnswerHeader",   "AnswerFooter", "QuestionHeader",
    "QuestionFooter", "HeaderCode",   "FrameHeaderCode"};
}  // namespace

std::string_view SectionName(FixedSection section) {
  return kSectionNames[static_cast<std::size_t>(section)];
}

std::string QuestionSectionName(std::size_t index) {
  return "Question " + std::to_string(index);
}
std::string AnswerSectionName(std::size_t index) {
  return "Answer " + std::to_string(index);
}

namespace {

// Reads the FAQ `name`; `create_missing` creates a missing document empty (a failure there is
// ignored), as loading a FAQ for the window does.
Faq ReadFaqDocument(const AppContext& context, std::string_view name, bool create_missing) {
  Faq faq(context.output_dir());
  faq.name = std::string(name);
  faq.document_path = context.DocumentPath(name);
  faq.key = context.FaqKey(name);
  faq.values = FaqValues::Read(context.settings(), faq.key, context.output_dir());

  auto document = ReadDocumentFile(faq.document_path);
  if (!document) {
    if (create_missing) CreateEmptyFile(faq.document_path);
    document.emplace();
  }
  const SectionIndex index(std::move(document->text));
  for (std::size_t i = 0; i < kFixedSectionCount; ++i)
    faq.sections[i] = index.Read(kSectionNames[i]);

  const int stored_count = faq.values.Integer(FaqValue::TotalQuestions);
  const std::size_t count = std::min(static_cast<std::size_t>(std::max(stored_count, 0)),
                                     index.line_count() + kQuestionsBeyondDocument);
  for (std::size_t n = 0; n < count; ++n) {
    std::string question = index.Read(QuestionSectionName(n));
    if (question.size() >= 2 && question.ends_with("\r\n")) question.resize(question.size() - 2);
    faq.questions.push_back(std::move(question));
    faq.answers.push_back(index.Read(AnswerSectionName(n)));
  }
  return faq;
}

}  // namespace

Faq LoadFaq(const AppContext& context, std::string_view name) {
  return ReadFaqDocument(context, name, true);
}

Faq ReadFaq(const AppContext& context, std::string_view name) {
  return ReadFaqDocument(context, name, false);
}

}  // namespace quorella
