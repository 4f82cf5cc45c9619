#pragma once
// Character entities for the plain words of an answer: the characters HTML reserves and a fixed
// set of other signs. The ampersand is not among them, so entities typed into an answer stay
// usable; only a word that is a lone "&" becomes "&amp;".
//
// Pages are written in ASCII, so that they show the same text whatever character set a server
// announces for them: every other character beyond ASCII becomes a numeric character reference
// when the page is written (AsciiPageWriter).
#include <array>
#include <string>
#include <string_view>

namespace quorella::html {

struct Entity {
  char32_t code_point;
  std::string_view text;
};
inline constexpr std::size_t kEntityCount = 26;

// The table in its order of application.
inline constexpr std::array<Entity, kEntityCount> kEntityTable = {{
    {U'\u0022', "&quot;"},   {U'\u003C', "&lt;"},     {U'\u003E', "&gt;"},
    {U'\u00A2', "&cent;"},   {U'\u00A3', "&pound;"},  {U'\u00A4', "&curren;"},
    {U'\u00A5', "&yen;"},    {U'\u00A6', "&brvbar;"}, {U'\u00A7', "&sect;"},
    {U'\u00A9', "&copy;"},   {U'\u00AA', "&ordf;"},   {U'\u00AE', "&reg;"},
    {U'\u00AF', "&macr;"},   {U'\u00B0', "&deg;"},    {U'\u00B1', "&plusmn;"},
    {U'\u00B4', "&acute;"},  {U'\u00B5', "&micro;"},  {U'\u00B6', "&para;"},
    {U'\u00B7', "&middot;"}, {U'\u00BC', "&frac14;"}, {U'\u00BD', "&frac12;"},
    {U'\u00BE', "&frac34;"}, {U'\u00BF', "&iquest;"}, {U'\u00F7', "&divide;"},
    {U'\u00F8', "&oslash;"}, {U'\u20AC', "&euro;"},
}};

// The first bytes of the UTF-8 forms of the table's characters beyond ASCII (U+00A2 to U+00BF,
// U+00F7 and U+00F8, U+20AC).
inline constexpr std::array<unsigned char, 3> kEntityLeadBytes = {0xC2, 0xC3, 0xE2};

// What plain words are escaped by: the classic pages use the whole table; the Modern pages are
// UTF-8 and escape only what HTML reserves (the double quote, "<" and ">").
enum class Escaping { EntityTable, MarkupOnly };
inline constexpr std::size_t kMarkupEntityCount = 3;

// Appends the UTF-8 `word` with every character of the table replaced by its entity; "&" alone
// gives "&amp;". Every byte is examined, a NUL included; other characters stay as they are.
void AppendEscaped(std::string& out, std::string_view word,
                   Escaping escaping = Escaping::EntityTable);
std::string EscapeWord(std::string_view word, Escaping escaping = Escaping::EntityTable);

// Writes the UTF-8 text of a page in ASCII, piece by piece: ASCII as it is, every other character
// as a numeric character reference ("&#1055;", "&#128578;"), a byte that starts no valid sequence
// as "&#65533;". HTML reads no references inside script and style elements, so there a character
// becomes the language's own escape instead: "\u0439" in a script (a surrogate pair beyond
// U+FFFF), "\000439" in a style sheet. The element a piece leaves open carries over to the next.
class AsciiPageWriter {
 public:
  void Append(std::string& out, std::string_view text);
  // Makes ASCII of what `page` holds from `from` on, in place: text that is ASCII already, as
  // most is, is only read.
  void ConvertFrom(std::string& page, std::size_t from);
  // Outside script and style elements, where the writer starts.
  bool AtTopLevel() const { return raw_text_ == RawText::None; }

 private:
  enum class RawText { None, Script, Style };
  // Follows the elements that open and close at a '<' followed by `after_less_than`.
  void Track(std::string_view after_less_than);
  RawText raw_text_ = RawText::None;
  std::string rest_;  // the text ConvertFrom writes again, its memory kept
};

}  // namespace quorella::html
