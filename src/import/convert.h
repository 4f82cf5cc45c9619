#pragma once
// Convert: a working text of questions and answers, one after another, rewritten into the
// Question and Answer sections of a FAQ document.
#include <cstdint>
#include <string>
#include <string_view>

namespace quorella {

// A question is a line ending in "?"; an answer ends with one empty line.
inline constexpr std::string_view kDefaultQaSeparator = "?\r\n";
inline constexpr std::string_view kDefaultAqSeparator = "\r\n\r\n";

struct ConvertOptions {
  std::string qa_separator{kDefaultQaSeparator};  // ends each question
  std::string aq_separator{kDefaultAqSeparator};  // ends each answer
  // The separators are markers the user added, not part of the question or answer.
  bool manual_separators = false;
  // Leading digits, spaces and ".,;:?!)]}" are removed from questions and answers.
  bool remove_numbers = true;
};

struct ConvertResult {
  std::string text;        // the new working text
  std::int32_t count = 0;  // questions found: occurrences of the question - answer separator
};

// The text split at every question - answer separator; in each piece the last answer - question
// separator ends the previous question's answer and what follows it is the next question. Text
// before the first question and after the last answer's final separator is dropped. An empty
// answer - question separator occurs nowhere. An empty question - answer separator throws, as it
// cannot split anything. Linear in the length of the text.
ConvertResult Convert(std::string_view text, const ConvertOptions& options);

}  // namespace quorella
