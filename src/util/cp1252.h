#pragma once
// The fixed Windows-1252 mapping between the program's byte texts and Unicode (UTF-8) for the
// window and the terminal. Every byte round-trips: the five unassigned bytes map to the C1 controls
// of the same number.
#include <string>
#include <string_view>

namespace quorella {

std::string Cp1252ToUtf8(std::string_view bytes);

// Characters that Windows-1252 cannot hold become '?'; `lossy` tells whether that happened.
std::string Utf8ToCp1252(std::string_view utf8, bool* lossy = nullptr);

// The Unicode code point of one Windows-1252 byte.
char32_t Cp1252ToCodePoint(unsigned char byte);

}  // namespace quorella
