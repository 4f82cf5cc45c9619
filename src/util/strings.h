#pragma once
// Small text helpers with exact edge behaviour. Texts are Windows-1252 byte strings; positions are
// 1-based and 0 means "not found".
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace quorella {

// The last `count` characters of `text` (the whole text when count reaches its length).
std::string RightPart(std::string_view text, std::size_t count);

// Position of the first occurrence of `pattern` at or after `start`; a NUL ends text and pattern
// for the search. An empty pattern is found at `start` itself.
std::size_t PosFrom(std::size_t start, std::string_view text, std::string_view pattern);

// Non-overlapping occurrences of `pattern`, counted left to right; 0 for an empty pattern.
std::size_t CountOccurrences(std::string_view text, std::string_view pattern);

// The texts between the separators, left to right, empty pieces kept: occurrences + 1 pieces.
// An empty separator gives no pieces at all.
std::vector<std::string> SplitText(std::string_view text, std::string_view separator);

// Position of the last non-overlapping occurrence of a non-empty `pattern`; when it does not occur
// the result is 1 - length(pattern), which is why it is signed.
long long LastPos(std::string_view text, std::string_view pattern);

// Every occurrence of a non-empty `old_text` replaced, left to right; inserted text is not
// searched.
std::string ReplaceAll(std::string_view text, std::string_view old_text, std::string_view new_text);
// The same with a NUL byte an ordinary byte, for stored data (a value, a working text) that may
// hold one: ReplaceAll leaves everything after a NUL as it is.
std::string ReplaceEvery(std::string_view text, std::string_view old_text,
                         std::string_view new_text);

// Appends the items of `text` split at `separator` to `items`: every separator ends an item (even
// an empty one); what follows the last separator is an item only when it is not empty.
void SplitAtChar(std::string_view text, char separator, std::vector<std::string>& items);

// True for exactly one of . , ; : ? ! ) ] }
bool IsTrailingPunctuation(std::string_view text);

// The standard integer syntax: leading spaces, optional sign, decimal digits or hexadecimal
// introduced by $, 0x or x; nothing after; the value fits a signed 32-bit integer.
bool IsInteger(std::string_view text);
// The same syntax; returns false and leaves `value` alone when the text is not an integer.
bool ParseInteger(std::string_view text, int& value);

// TABs become spaces and every run of spaces becomes one space.
std::string CollapseBlanks(std::string_view text);

// Letters A to Z lowered, every other byte unchanged (the case rule of names and headers).
std::string LowerAscii(std::string_view text);
bool EqualsNoCase(std::string_view a, std::string_view b);
bool StartsWithNoCase(std::string_view text, std::string_view prefix);

// Blanks (spaces and control characters) removed from both ends, or from the end only.
std::string Trim(std::string_view text);
std::string TrimRight(std::string_view text);

}  // namespace quorella
