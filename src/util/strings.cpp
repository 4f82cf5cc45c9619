#include "util/strings.h"

#include <cstdint>
#include <limits>

namespace quorella {

namespace {

// A NUL ends a text for the search helpers.
std::string_view UpToNul(std::string_view text) {
  const auto nul = text.find('\0');
  return nul == std::string_view::npos ? text : text.substr(0, nul);
}

bool IsBlank(unsigned char c) {
  return c <= ' ';
}

}  // namespace

std::string RightPart(std::string_view text, std::size_t count) {
  if (count >= text.size()) return std::string(text);
  return std::string(text.substr(text.size() - count));
}

namespace {

// PosFrom over a text whose search part (before any NUL) is already known, so that loops find the
// NUL once instead of on every call.
class Searcher {
 public:
  Searcher(std::string_view text, std::string_view pattern)
      : text_(text), searched_(UpToNul(text)), pattern_(pattern), wanted_(UpToNul(pattern)) {}

  std::size_t From(std::size_t start) const {
    if (text_.empty() || start < 1 || start > text_.size()) return 0;
    if (pattern_.empty()) return start;
    if (wanted_.empty() || start > searched_.size()) return 0;
    const auto found = searched_.find(wanted_, start - 1);
    return found == std::string_view::npos ? 0 : found + 1;
  }

 private:
  std::string_view text_, searched_, pattern_, wanted_;
};

}  // namespace

std::size_t PosFrom(std::size_t start, std::string_view text, std::string_view pattern) {
  return Searcher(text, pattern).From(start);
}

std::size_t CountOccurrences(std::string_view text, std::string_view pattern) {
  if (pattern.empty()) return 0;
  const Searcher search(text, pattern);
  std::size_t count = 0;
  for (std::size_t p = search.From(1); p != 0; p = search.From(p + pattern.size())) ++count;
  return count;
}

std::vector<std::string> SplitText(std::string_view text, std::string_view separator) {
  std::vector<std::string> pieces;
  if (separator.empty()) return pieces;
  const Searcher search(text, separator);
  std::size_t start = 1;
  for (std::size_t p = search.From(start); p != 0; p = search.From(start)) {
    pieces.emplace_back(text.substr(start - 1, p - start));
    start = p + separator.size();
  }
  pieces.emplace_back(start - 1 <= text.size() ? text.substr(start - 1) : std::string_view());
  return pieces;
}

long long LastPos(std::string_view text, std::string_view pattern) {
  const Searcher search(text, pattern);
  std::size_t last = 0;
  for (std::size_t p = search.From(1); p != 0; p = search.From(p + pattern.size())) last = p;
  if (last == 0) return 1 - static_cast<long long>(pattern.size());
  return static_cast<long long>(last);
}

std::string ReplaceAll(std::string_view text, std::string_view old_text,
                       std::string_view new_text) {
  if (old_text.empty()) return std::string(text);
  std::string result;
  result.reserve(text.size());
  std::size_t copied = 0;  // bytes of `text` already handled
  const Searcher search(text, old_text);
  for (std::size_t p = search.From(1); p != 0; p = search.From(p + old_text.size())) {
    result.append(text.substr(copied, p - 1 - copied));
    result.append(new_text);
    copied = p - 1 + old_text.size();
  }
  result.append(text.substr(copied));
  return result;
}

std::string ReplaceEvery(std::string_view text, std::string_view old_text,
                         std::string_view new_text) {
  if (old_text.empty()) return std::string(text);
  std::string result;
  result.reserve(text.size());
  for (std::size_t at = 0;;) {
    const std::size_t found = text.find(old_text, at);
    result.append(text.substr(at, found - at));
    if (found == std::string_view::npos) return result;
    result.append(new_text);
    at = found + old_text.size();
  }
}

void SplitAtChar(std::string_view text, char separator, std::vector<std::string>& items) {
  std::string current;
  for (char c : text) {
    if (c == separator) {
      items.push_back(std::move(current));
      current.clear();
    } else {
      current.push_back(c);
    }
  }
  if (!current.empty()) items.push_back(std::move(current));
}

bool IsTrailingPunctuation(std::string_view text) {
  return text.size() == 1 && std::string_view(".,;:?!)]}").find(text[0]) != std::string_view::npos;
}

bool ParseInteger(std::string_view text, int& value) {
  std::size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  unsigned base = 10;
  if (i < text.size() && text[i] == '$') {
    base = 16;
    ++i;
  } else if (i + 1 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
    base = 16;
    i += 2;
  } else if (i < text.size() && (text[i] == 'x' || text[i] == 'X')) {
    base = 16;
    ++i;
  }
  if (i >= text.size()) return false;
  const std::uint64_t limit = negative ? 0x80000000ull : 0x7FFFFFFFull;
  std::uint64_t magnitude = 0;
  for (; i < text.size(); ++i) {
    const char c = text[i];
    unsigned digit;
    if (c >= '0' && c <= '9')
      digit = static_cast<unsigned>(c - '0');
    else if (base == 16 && c >= 'a' && c <= 'f')
      digit = static_cast<unsigned>(c - 'a' + 10);
    else if (base == 16 && c >= 'A' && c <= 'F')
      digit = static_cast<unsigned>(c - 'A' + 10);
    else
      return false;
    magnitude = magnitude * base + digit;
    if (magnitude > limit) return false;
  }
  const std::int64_t signed_value =
      negative ? -static_cast<std::int64_t>(magnitude) : static_cast<std::int64_t>(magnitude);
  value = static_cast<int>(signed_value);
  return true;
}

bool IsInteger(std::string_view text) {
  int ignored = 0;
  return ParseInteger(text, ignored);
}

std::string CollapseBlanks(std::string_view text) {
  std::string result;
  result.reserve(text.size());
  for (char c : text) {
    if (c == '\t') c = ' ';
    if (c == ' ' && !result.empty() && result.back() == ' ') continue;
    result.push_back(c);
  }
  return result;
}

std::string LowerAscii(std::string_view text) {
  std::string result(text);
  for (char& c : result)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return result;
}

namespace {
char LowerChar(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}
}  // namespace

bool EqualsNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (LowerChar(a[i]) != LowerChar(b[i])) return false;
  return true;
}

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() && EqualsNoCase(text.substr(0, prefix.size()), prefix);
}

std::string Trim(std::string_view text) {
  std::size_t begin = 0, end = text.size();
  while (begin < end && IsBlank(static_cast<unsigned char>(text[begin]))) ++begin;
  while (end > begin && IsBlank(static_cast<unsigned char>(text[end - 1]))) --end;
  return std::string(text.substr(begin, end - begin));
}

std::string TrimRight(std::string_view text) {
  std::size_t end = text.size();
  while (end > 0 && IsBlank(static_cast<unsigned char>(text[end - 1]))) --end;
  return std::string(text.substr(0, end));
}

}  // namespace quorella
