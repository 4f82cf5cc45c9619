#pragma once
// Unicode text in memory is UTF-8. These wrap ICU so the rules about code points, validity and case
// come from the Unicode data rather than from tables of our own.
#include <cstddef>
#include <string>
#include <string_view>

namespace quorella {

// True when `text` is well-formed UTF-8 (no overlong forms, surrogates or values past U+10FFFF).
// On false, `bad_offset` receives the offset of the first byte that is not part of a valid
// sequence.
bool IsValidUtf8(std::string_view text, std::size_t* bad_offset = nullptr);

// Decodes the code point at `pos` and advances `pos` past it. An ill-formed sequence yields
// U+FFFD and advances by at least one byte, so a loop over any input ends.
char32_t NextCodePoint(std::string_view utf8, std::size_t& pos);

// The number of code points in `utf8`, and where its last one starts (0 for an empty text), each
// read as NextCodePoint reads them: every byte of an ill-formed sequence that it passes over
// counts as one.
std::size_t CountCodePoints(std::string_view utf8);
std::size_t LastCodePointStart(std::string_view utf8);

// Appends the UTF-8 form of `code_point`.
void AppendCodePoint(std::string& out, char32_t code_point);

// Full Unicode case folding ("Straße" and "STRASSE" fold alike); ill-formed input is folded as
// far as it decodes, its bad bytes becoming U+FFFD.
std::string FoldCase(std::string_view utf8);

// Compares by the case-folded texts in code point order: <0, 0 or >0. Names are equal when this
// is 0, and lists of names are sorted in this order.
int CompareFolded(std::string_view a, std::string_view b);
inline bool EqualsFolded(std::string_view a, std::string_view b) {
  return CompareFolded(a, b) == 0;
}

// The text in Unicode Normalization Form C (a letter and its combining accent composed into one
// code point where Unicode has one). Ill-formed text comes back as it is.
std::string ToNfc(std::string_view utf8);

// Does the text hold a control character (general category Cc: C0, DEL and C1 alike) or a format
// character (Cf: zero-width spaces and joiners, direction overrides, ...)?
bool HasControlOrFormatCharacter(std::string_view utf8);

// True when every byte is below 0x80.
bool IsAscii(std::string_view text);

}  // namespace quorella
