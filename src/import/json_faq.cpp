#include "import/json_faq.h"

#include "import/bounded_json.h"
#include "util/strings.h"
#include "util/text_lines.h"

namespace quorella {

namespace {

std::string StringAt(const nlohmann::json& entry, const char* key) {
  const auto found = entry.find(key);
  return found != entry.end() && found->is_string() ? found->get<std::string>() : std::string();
}

}  // namespace

std::string JsonFaqText(const ImportedFaq& faq) {
  nlohmann::ordered_json questions = nlohmann::ordered_json::array();
  for (const ImportedQuestion& question : faq.questions)
    questions.push_back({{"question", ReplaceLineBreaks(question.question, "\n")},
                         {"answer", ReplaceLineBreaks(question.answer, "\n")},
                         {"format", question.format}});
  const nlohmann::ordered_json document = {{"title", faq.title}, {"questions", questions}};
  return document.dump(2, ' ', false, nlohmann::json::error_handler_t::replace) + "\n";
}

ImportedFaq ReadJsonFaq(std::string_view text) {
  const nlohmann::json data = ParseBoundedJson(text);
  ImportedFaq faq;
  if (data.is_discarded()) return faq;
  const nlohmann::json* questions = &data;
  if (data.is_object()) {
    faq.title = StringAt(data, "title");
    const auto found = data.find("questions");
    if (found == data.end()) return faq;
    questions = &*found;
  }
  if (!questions->is_array()) return faq;
  for (const nlohmann::json& entry : *questions) {
    if (!entry.is_object()) continue;
    const std::string question = StringAt(entry, "question");
    if (Trim(question).empty()) continue;
    const auto format = entry.find("format");
    faq.questions.push_back(ImportedQuestion{
        ReplaceLineBreaks(question, kCrLf), JoinLinesCrLf(SplitLines(StringAt(entry, "answer"))),
        format != entry.end() && format->is_number_integer() ? format->get<int>() : 0});
  }
  return faq;
}

}  // namespace quorella
