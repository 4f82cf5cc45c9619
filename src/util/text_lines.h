#pragma once
// Line handling shared by every reader and writer: lines are written with CR LF and read at
// CR LF, LF or a lone CR.
#include <string>
#include <string_view>
#include <vector>

namespace quorella {

inline constexpr std::string_view kCrLf = "\r\n";

// Splits at CR LF, LF or CR. A break at the very end makes no extra empty line; an empty text has
// no lines.
std::vector<std::string> SplitLines(std::string_view text);

// Position of the first CR or LF at or after `from`; text.size() when there is none.
std::size_t FindLineBreak(std::string_view text, std::size_t from);

// Calls `each` with every line of `text` (same rule as SplitLines) without copying.
template <typename Fn>
void ForEachLine(std::string_view text, Fn&& each) {
  std::size_t i = 0;
  const std::size_t n = text.size();
  while (i < n) {
    std::size_t j = FindLineBreak(text, i);
    each(text.substr(i, j - i));
    if (j < n && text[j] == '\r' && j + 1 < n && text[j + 1] == '\n') ++j;
    i = j + 1;
  }
}

// Each line followed by CR LF.
std::string JoinLinesCrLf(const std::vector<std::string>& lines);

// `text` with every line break (CR LF, LF or CR) replaced by `line_break`.
std::string ReplaceLineBreaks(std::string_view text, std::string_view line_break);

// True when the text ends with a line break (CR or LF).
bool EndsWithLineBreak(std::string_view text);

}  // namespace quorella
