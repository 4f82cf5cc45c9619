#include "html/colour_text.h"

#include <gtest/gtest.h>

namespace quorella::html {
namespace {

TEST(ColourText, StoredValuesBecomeRedGreenBlue) {
  struct Case {
    std::int32_t value;
    const char* text;
  };
  for (const Case& c : std::vector<Case>{{255, "#FF0000"},
                                         {16711680, "#0000FF"},
                                         {12632256, "#C0C0C0"},
                                         {128, "#800000"},
                                         {0, "#000000"},
                                         {0x00ABCDEF, "#EFCDAB"},
                                         {0x000A0B0C, "#0C0B0A"},
                                         {0x01FFFFFF, "#FFFFFF"}})
    EXPECT_EQ(ColourText(c.value), c.text) << c.value;
}

TEST(ColourText, SystemColoursResolveThroughTheClassicTable) {
  struct Case {
    std::uint32_t value;
    const char* text;
  };
  for (const Case& c : std::vector<Case>{{0x80000000, "#C0C0C0"},  // scroll bar
                                         {0x80000001, "#008080"},  // desktop
                                         {0x80000005, "#FFFFFF"},  // window
                                         {0x80000008, "#000000"},  // window text
                                         {0x8000000D, "#000080"},  // highlight
                                         {0xFF00000F, "#C0C0C0"},  // button face, other high bits
                                         {0x80000010, "#808080"},  // button shadow
                                         {0x80000018, "#FFFFE1"},  // tooltip background
                                         {0x8000001B, "#1084D0"},  // caption gradient
                                         {0x8000001E, "#C0C0C0"},  // menu bar
                                         {0x8000001F, "#000000"},  // beyond the table
                                         {0x800000FF, "#000000"}})
    EXPECT_EQ(ColourText(static_cast<std::int32_t>(c.value)), c.text) << std::hex << c.value;
}

TEST(ColourText, TheCallerMayPassItsOwnPalette) {
  SystemColours live = ClassicSystemColours();
  live[15] = 0x00E0D0C0;  // a themed button face
  EXPECT_EQ(ColourText(static_cast<std::int32_t>(0x8000000F), live), "#C0D0E0");
  EXPECT_EQ(ColourText(static_cast<std::int32_t>(0x8000000F)), "#C0C0C0");
  EXPECT_EQ(ColourText(255, live), "#FF0000");  // plain values ignore the palette
}

}  // namespace
}  // namespace quorella::html
