#pragma once
// The fixed Windows-1252 mapping between the program's byte texts and Unicode (UTF-8) for the
// window and the terminal. Every byte round-trips: the five unassigned bytes map to the C1 controls
// of the same number.
#include <optional>
#include <string>
#include <string_view>

namespace quorella {

std::string Cp1252ToUtf8(std::string_view bytes);
// The same, made where the bytes were: a text of megabytes is converted without a second copy
// being taken and faulted in, when the string has room for what the text grows by (else it is
// copied as Cp1252ToUtf8 does).
std::string Cp1252ToUtf8InPlace(std::string bytes);

// Characters that Windows-1252 cannot hold become '?'; `lossy` tells whether that happened.
std::string Utf8ToCp1252(std::string_view utf8, bool* lossy = nullptr);

// True when every character of the UTF-8 text has a Windows-1252 byte (ill-formed UTF-8 never
// fits), so that Utf8ToCp1252 and Cp1252ToUtf8 give the text back unchanged.
bool FitsCp1252(std::string_view utf8);

// The Windows-1252 bytes of a UTF-8 text, or nullopt when a character does not fit.
std::optional<std::string> Utf8ToCp1252IfFits(std::string_view utf8);

// The Unicode code point of one Windows-1252 byte.
char32_t Cp1252ToCodePoint(unsigned char byte);

}  // namespace quorella
