#pragma once
// An answer as stored: the text format index on the first line, then the answer's lines. A first
// line that is not an integer belongs to the answer, whose format is then 0.
#include <string>
#include <string_view>
#include <vector>

namespace quorella {

enum class TextFormat { Smart = 0, RetainLinefeeds = 1, RetainFormat = 2, AsIs = 3, Markdown = 4 };
inline constexpr std::string_view kTextFormatNames[] = {
    "Smart format", "Retain original linefeeds", "Retain original format", "As is", "Markdown"};
// The highest index that renders; an answer whose index is above it is left out of the pages.
inline constexpr int kLastTextFormat = static_cast<int>(TextFormat::Markdown);

struct StoredAnswer {
  int format = 0;                  // any integer; 0 when the section has no format line
  std::vector<std::string> lines;  // the answer text
};

// Splits an answer section's text (or an answer list entry) into format and lines.
StoredAnswer ParseStoredAnswer(std::string_view text);

// The answer's lines joined, each followed by CR LF.
std::string AnswerText(const StoredAnswer& answer);

// The stored form: the format index, then each line, every line followed by CR LF.
std::string StoredAnswerText(int format, const std::vector<std::string>& lines);

}  // namespace quorella
