#pragma once
// Colour values as stored (0x00BBGGRR) and their HTML form "#RRGGBB". A value with the high bit set
// names a system colour: its low byte is the index of that colour in a table of system colours.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace quorella::html {

inline constexpr std::size_t kSystemColourCount = 31;
// Each system colour as 0x00BBGGRR, by index (scroll bar 0, desktop 1, ..., menu bar 30).
using SystemColours = std::array<std::uint32_t, kSystemColourCount>;

// The classic Windows scheme, used when no live palette is at hand.
const SystemColours& ClassicSystemColours();

// The colour a stored value shows, as 0x00BBGGRR. A system colour beyond the table is black, as
// the platform reports an unknown index.
std::uint32_t ResolveColour(std::int32_t value, const SystemColours& system);

// "#" and six uppercase hexadecimal digits, red, green, blue: 255 gives #FF0000.
std::string ColourText(std::int32_t value, const SystemColours& system = ClassicSystemColours());

}  // namespace quorella::html
