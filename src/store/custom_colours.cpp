#include "store/custom_colours.h"

#include <cstdio>

#include "util/strings.h"
#include "util/text_lines.h"

namespace quorella {

CustomColours ParseCustomColours(std::string_view text) {
  CustomColours colours;
  colours.fill(kUnsetColour);
  ForEachLine(text, [&](std::string_view line) {
    // "ColorX=hex"; names compare without regard to case, as name=value lists do.
    if (line.size() < 8 || !StartsWithNoCase(line, "color") || line[6] != '=') return;
    const char letter = LowerAscii(line.substr(5, 1))[0];
    if (letter < 'a' || letter > 'p') return;
    const std::string_view hex = line.substr(7);
    if (hex.empty() || hex.size() > 8) return;
    std::uint32_t value = 0;
    for (char c : hex) {
      unsigned digit;
      if (c >= '0' && c <= '9')
        digit = static_cast<unsigned>(c - '0');
      else if (c >= 'a' && c <= 'f')
        digit = static_cast<unsigned>(c - 'a' + 10);
      else if (c >= 'A' && c <= 'F')
        digit = static_cast<unsigned>(c - 'A' + 10);
      else
        return;
      value = value * 16 + digit;
    }
    colours[static_cast<std::size_t>(letter - 'a')] = static_cast<std::int32_t>(value);
  });
  return colours;
}

std::string FormatCustomColours(const CustomColours& colours) {
  std::string text;
  for (std::size_t i = 0; i < colours.size(); ++i) {
    char line[32];
    std::snprintf(line, sizeof line, "Color%c=%06x", static_cast<char>('A' + i),
                  static_cast<std::uint32_t>(colours[i]));
    if (i > 0) text += "\r\n";
    text += line;
  }
  return text;
}

}  // namespace quorella
