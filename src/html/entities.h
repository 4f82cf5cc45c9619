#pragma once
// Character entities for the plain words of an answer: the characters HTML reserves and a fixed
// set of other signs. The ampersand is not among them, so entities typed into an answer stay
// usable; only a word that is a lone "&" becomes "&amp;".
#include <array>
#include <string>
#include <string_view>

namespace quorella::html {

struct Entity {
  char character;  // a Windows-1252 byte
  std::string_view text;
};
inline constexpr std::size_t kEntityCount = 26;

// The table in its order of application.
const std::array<Entity, kEntityCount>& EntityTable();

// Appends `word` with every character of the table replaced by its entity; "&" alone gives
// "&amp;". Every byte is examined, a NUL included.
void AppendEscaped(std::string& out, std::string_view word);
std::string EscapeWord(std::string_view word);

}  // namespace quorella::html
