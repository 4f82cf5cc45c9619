#include "import/convert.h"

#include <optional>

#include "store/document.h"
#include "store/faq.h"
#include "util/errors.h"
#include "util/strings.h"
#include "util/text_lines.h"

namespace quorella {

namespace {

// The separators are found as std::string_view::find finds them: a NUL byte is an ordinary
// character of the working text, so text after it is converted like any other.

// Start of the last occurrence of `pattern`, occurrences counted left to right without overlap
// (in "aaa" the last "aa" starts at 0, not 1). One pass over the piece.
std::optional<std::size_t> LastOccurrence(std::string_view piece, std::string_view pattern) {
  if (pattern.empty()) return std::nullopt;
  std::optional<std::size_t> last;
  for (auto at = piece.find(pattern); at != std::string_view::npos;
       at = piece.find(pattern, at + pattern.size()))
    last = at;
  return last;
}

struct PieceParts {
  std::string_view answer;    // ends the previous question's answer
  std::string_view question;  // starts the next question
};

PieceParts SplitPiece(std::string_view piece, std::string_view aq_separator) {
  const auto last = LastOccurrence(piece, aq_separator);
  if (!last) return {{}, piece};
  return {piece.substr(0, *last), piece.substr(*last + aq_separator.size())};
}

std::string_view WithoutOuterCrLfPairs(std::string_view text) {
  while (text.starts_with(kCrLf)) text.remove_prefix(kCrLf.size());
  while (text.ends_with(kCrLf)) text.remove_suffix(kCrLf.size());
  return text;
}

bool IsNumberingCharacter(char c) {
  const std::string_view one(&c, 1);
  return c == ' ' || IsInteger(one) || IsTrailingPunctuation(one);
}

// "12) What is it?" becomes "What is it?".
std::string_view WithoutNumbering(std::string_view text) {
  while (!text.empty() && IsNumberingCharacter(text.front())) text.remove_prefix(1);
  return text;
}

// Body lines that would read back as a terminator or a section header get one leading blank, as
// every section body the program writes does; otherwise an answer holding a line "####" would lose
// its rest when the document is read.
void AppendBody(std::string& out, std::string_view body) {
  out += SectionBodyText({std::string(body)}, {});
}

void AppendSectionEnd(std::string& out) {
  out += kCrLf;
  out += kTerminator;
  out += kCrLf;
  out += kCrLf;
}

void AppendAnswer(std::string& out, std::string_view answer_part, const ConvertOptions& options) {
  std::string answer(answer_part);
  if (!options.manual_separators) answer += options.aq_separator;
  std::string_view body = WithoutOuterCrLfPairs(answer);
  if (options.remove_numbers) body = WithoutNumbering(body);
  // An answer whose first line reads as an integer ("42", "$10") would lose that line to the text
  // format when the document is read; a format line 0 keeps it part of the answer.
  if (IsInteger(body.substr(0, body.find_first_of("\r\n")))) {
    out += '0';
    out += kCrLf;
  }
  AppendBody(out, body);
  AppendSectionEnd(out);
}

void AppendHeader(std::string& out, std::string_view section_name) {
  out += '[';
  out += section_name;
  out += ']';
  out += kCrLf;
}

void AppendQuestion(std::string& out, std::size_t number, std::string_view question_part,
                    const ConvertOptions& options) {
  AppendHeader(out, QuestionSectionName(number));
  std::string question(question_part);
  if (!options.manual_separators) question += options.qa_separator;
  // Every CR LF becomes one space, NUL bytes being ordinary characters of the working text.
  question = Trim(CollapseBlanks(ReplaceEvery(question, kCrLf, " ")));
  AppendBody(out, options.remove_numbers ? WithoutNumbering(question) : question);
  AppendSectionEnd(out);
  AppendHeader(out, AnswerSectionName(number));
}

}  // namespace

ConvertResult Convert(std::string_view text, const ConvertOptions& options) {
  const std::string_view qa = options.qa_separator;
  if (qa.empty()) throw Error(std::string(messages::kEmptyQaSeparator));
  ConvertResult result;
  result.text.reserve(text.size() + text.size() / 2);
  std::size_t start = 0;
  for (;;) {
    const std::size_t found = text.find(qa, start);
    const bool last_piece = found == std::string_view::npos;
    const PieceParts parts =
        SplitPiece(text.substr(start, last_piece ? std::string_view::npos : found - start),
                   options.aq_separator);
    // The first piece only starts a question; the text before its separator is no answer.
    if (start > 0) AppendAnswer(result.text, parts.answer, options);
    if (last_piece) break;
    AppendQuestion(result.text, static_cast<std::size_t>(result.count++), parts.question, options);
    start = found + qa.size();
  }
  return result;
}

}  // namespace quorella
