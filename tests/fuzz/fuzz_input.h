#pragma once
// What the fuzz targets share: a failed property aborts with the inputs that broke it, and an
// input is cut into fields at a byte that the texts under test seldom hold, so that the seeds stay
// readable and a mutation of one field leaves the others intact.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace quorella::fuzz {

inline constexpr char kFieldSeparator = '\x1e';
inline constexpr char kItemSeparator = '\x1d';

inline std::string_view AsText(const std::uint8_t* data, std::size_t size) {
  return {reinterpret_cast<const char*>(data), size};
}

// The pieces of `text` between the separators, empty ones kept.
inline std::vector<std::string> Split(std::string_view text, char separator) {
  std::vector<std::string> pieces(1);
  for (char c : text) {
    if (c == separator)
      pieces.emplace_back();
    else
      pieces.back().push_back(c);
  }
  return pieces;
}

// Field `index` of `fields`, empty when the input has fewer.
inline std::string Field(const std::vector<std::string>& fields, std::size_t index) {
  return index < fields.size() ? fields[index] : std::string();
}

inline void PrintQuoted(const char* label, std::string_view text) {
  std::fprintf(stderr, "%s (%zu bytes): \"", label, text.size());
  for (unsigned char c : text) {
    if (c >= 0x20 && c < 0x7f && c != '"' && c != '\\')
      std::fputc(c, stderr);
    else
      std::fprintf(stderr, "\\x%02x", c);
  }
  std::fputs("\"\n", stderr);
}

// A broken property: say which one, show the texts involved and stop, so libFuzzer keeps the input.
[[noreturn]] inline void Fail(const char* property, std::string_view expected = {},
                              std::string_view actual = {}) {
  std::fprintf(stderr, "PROPERTY BROKEN: %s\n", property);
  if (!expected.empty() || !actual.empty()) {
    PrintQuoted("expected", expected);
    PrintQuoted("actual", actual);
  }
  std::abort();
}

inline void Check(bool holds, const char* property) {
  if (!holds) Fail(property);
}

inline void CheckEqual(std::string_view expected, std::string_view actual, const char* property) {
  if (expected != actual) Fail(property, expected, actual);
}

}  // namespace quorella::fuzz
