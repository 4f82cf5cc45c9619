// The import's Convert against a second, independently written Convert. Input: one flag byte (bit
// 0: separators added manually, bit 1: remove question numbers), then fields separated by 0x1E:
// the working text, the question - answer separator and the answer - question separator (the
// default ones where the input has fewer fields).
// Both share the section body rule (SectionBodyText) and IsInteger, which have targets of their
// own.
#include "fuzz/fuzz_input.h"
#include "import/convert.h"
#include "store/document.h"
#include "util/errors.h"
#include "util/strings.h"

namespace {

using namespace quorella;
using namespace quorella::fuzz;

// Occurrences counted left to right without overlap.
std::vector<std::size_t> Occurrences(std::string_view text, std::string_view pattern) {
  std::vector<std::size_t> found;
  if (pattern.empty()) return found;
  for (std::size_t at = 0; at + pattern.size() <= text.size();) {
    if (text.compare(at, pattern.size(), pattern) == 0) {
      found.push_back(at);
      at += pattern.size();
    } else {
      ++at;
    }
  }
  return found;
}

bool IsNumbering(char c) {
  return (c >= '0' && c <= '9') || std::string_view(" .,;:?!)]}").find(c) != std::string::npos;
}

std::string WithoutNumbering(std::string text) {
  std::size_t skip = 0;
  while (skip < text.size() && IsNumbering(text[skip])) ++skip;
  return text.substr(skip);
}

std::string WithoutBlanksAround(const std::string& text) {
  std::size_t begin = 0, end = text.size();
  while (begin < end && static_cast<unsigned char>(text[begin]) <= ' ') ++begin;
  while (end > begin && static_cast<unsigned char>(text[end - 1]) <= ' ') --end;
  return text.substr(begin, end - begin);
}

std::string Body(const std::string& text) {
  return SectionBodyText({text}, {});
}

const std::string kSectionEnd = "\r\n####\r\n\r\n";

std::string Answer(std::string answer, const ConvertOptions& options) {
  if (!options.manual_separators) answer += options.aq_separator;
  while (answer.starts_with("\r\n")) answer.erase(0, 2);
  while (answer.ends_with("\r\n")) answer.erase(answer.size() - 2);
  if (options.remove_numbers) answer = WithoutNumbering(answer);
  const std::string format_line =
      IsInteger(answer.substr(0, answer.find_first_of("\r\n"))) ? "0\r\n" : "";
  return format_line + Body(answer) + kSectionEnd;
}

std::string Question(std::size_t number, std::string question, const ConvertOptions& options) {
  if (!options.manual_separators) question += options.qa_separator;
  std::string spaced;
  for (std::size_t i = 0; i < question.size(); ++i) {
    if (question.compare(i, 2, "\r\n") == 0) {
      spaced += ' ';
      ++i;
    } else {
      spaced += question[i] == '\t' ? ' ' : question[i];
    }
  }
  std::string collapsed;
  for (char c : spaced)
    if (c != ' ' || collapsed.empty() || collapsed.back() != ' ') collapsed += c;
  std::string text = WithoutBlanksAround(collapsed);
  if (options.remove_numbers) text = WithoutNumbering(text);
  const std::string n = std::to_string(number);
  return "[Question " + n + "]\r\n" + Body(text) + kSectionEnd + "[Answer " + n + "]\r\n";
}

ConvertResult ReferenceConvert(std::string_view text, const ConvertOptions& options) {
  const std::string_view qa = options.qa_separator, aq = options.aq_separator;
  std::vector<std::string> pieces;
  std::size_t start = 0;
  for (std::size_t at : Occurrences(text, qa)) {
    pieces.emplace_back(text.substr(start, at - start));
    start = at + qa.size();
  }
  pieces.emplace_back(text.substr(start));

  ConvertResult result;
  result.count = static_cast<std::int32_t>(pieces.size() - 1);
  for (std::size_t i = 0; i < pieces.size(); ++i) {
    const auto ends = Occurrences(pieces[i], aq);
    std::string answer, question = pieces[i];
    if (!ends.empty()) {
      answer = pieces[i].substr(0, ends.back());
      question = pieces[i].substr(ends.back() + aq.size());
    }
    if (i > 0) result.text += Answer(answer, options);
    if (i + 1 < pieces.size()) result.text += Question(i, question, options);
  }
  return result;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  ConvertOptions options;
  options.manual_separators = (data[0] & 1) != 0;
  options.remove_numbers = (data[0] & 2) != 0;
  const auto fields = Split(AsText(data + 1, size - 1), kFieldSeparator);
  if (fields.size() > 1) options.qa_separator = fields[1];
  if (fields.size() > 2) options.aq_separator = fields[2];
  const std::string& text = fields[0];

  if (options.qa_separator.empty()) {
    bool refused = false;
    try {
      Convert(text, options);
    } catch (const Error&) {
      refused = true;
    }
    Check(refused, "an empty question - answer separator is refused");
    return 0;
  }
  const ConvertResult result = Convert(text, options);
  const ConvertResult expected = ReferenceConvert(text, options);
  CheckEqual(std::to_string(expected.count), std::to_string(result.count), "the converted count");
  CheckEqual(expected.text, result.text, "the converted text");
  // Pressing Convert again converts the converted text; it must hold up as any text does.
  const ConvertResult again = Convert(result.text, options);
  CheckEqual(ReferenceConvert(result.text, options).text, again.text, "converting twice");
  return 0;
}
