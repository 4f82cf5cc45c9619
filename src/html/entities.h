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
inline constexpr std::array<Entity, kEntityCount> kEntityTable = {{
    {'\x22', "&quot;"},   {'\x3C', "&lt;"},     {'\x3E', "&gt;"},     {'\xA2', "&cent;"},
    {'\xA3', "&pound;"},  {'\xA4', "&curren;"}, {'\xA5', "&yen;"},    {'\xA6', "&brvbar;"},
    {'\xA7', "&sect;"},   {'\xA9', "&copy;"},   {'\xAA', "&ordf;"},   {'\xAE', "&reg;"},
    {'\xAF', "&macr;"},   {'\xB0', "&deg;"},    {'\xB1', "&plusmn;"}, {'\xB4', "&acute;"},
    {'\xB5', "&micro;"},  {'\xB6', "&para;"},   {'\xB7', "&middot;"}, {'\xBC', "&frac14;"},
    {'\xBD', "&frac12;"}, {'\xBE', "&frac34;"}, {'\xBF', "&iquest;"}, {'\xF7', "&divide;"},
    {'\xF8', "&oslash;"}, {'\x80', "&euro;"},
}};

// What plain words are escaped by: the classic pages use the whole table, whose signs are
// Windows-1252 bytes; the Modern pages are UTF-8 and escape only what HTML reserves (the double
// quote, "<" and ">"), leaving every other character as it is.
enum class Escaping { EntityTable, MarkupOnly };
inline constexpr std::size_t kMarkupEntityCount = 3;

// Appends `word` with every character of the table replaced by its entity; "&" alone gives
// "&amp;". Every byte is examined, a NUL included.
void AppendEscaped(std::string& out, std::string_view word,
                   Escaping escaping = Escaping::EntityTable);
std::string EscapeWord(std::string_view word, Escaping escaping = Escaping::EntityTable);

}  // namespace quorella::html
