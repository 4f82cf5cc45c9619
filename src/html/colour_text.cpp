#include "html/colour_text.h"

namespace quorella::html {

const SystemColours& ClassicSystemColours() {
  static constexpr SystemColours kClassic = {
      0xC0C0C0,  // scroll bar
      0x808000,  // desktop (teal)
      0x800000,  // active caption (navy)
      0x808080,  // inactive caption
      0xC0C0C0,  // menu
      0xFFFFFF,  // window
      0x000000,  // window frame
      0x000000,  // menu text
      0x000000,  // window text
      0xFFFFFF,  // caption text
      0xC0C0C0,  // active border
      0xC0C0C0,  // inactive border
      0x808080,  // application workspace
      0x800000,  // highlight (navy)
      0xFFFFFF,  // highlight text
      0xC0C0C0,  // button face
      0x808080,  // button shadow
      0x808080,  // grey text
      0x000000,  // button text
      0xC0C0C0,  // inactive caption text
      0xFFFFFF,  // button highlight
      0x000000,  // 3D dark shadow
      0xC0C0C0,  // 3D light
      0x000000,  // tooltip text
      0xE1FFFF,  // tooltip background (pale yellow)
      0x000000,  // index 25 names no colour
      0x800000,  // hot-tracked item (navy)
      0xD08410,  // active caption gradient
      0xB5B5B5,  // inactive caption gradient
      0x800000,  // menu highlight
      0xC0C0C0,  // menu bar
  };
  return kClassic;
}

std::uint32_t ResolveColour(std::int32_t value, const SystemColours& system) {
  if (value >= 0) return static_cast<std::uint32_t>(value) & 0xFFFFFF;
  const std::size_t index = static_cast<std::uint32_t>(value) & 0xFF;
  return index < system.size() ? system[index] & 0xFFFFFF : 0;
}

std::string ColourText(std::int32_t value, const SystemColours& system) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  const std::uint32_t bgr = ResolveColour(value, system);
  std::string text = "#";
  for (const int shift : {0, 8, 16}) {
    const std::uint32_t byte = (bgr >> shift) & 0xFF;
    text += kHex[byte >> 4];
    text += kHex[byte & 0xF];
  }
  return text;
}

}  // namespace quorella::html
