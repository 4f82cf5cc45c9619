#include "util/unicode.h"

#include <gtest/gtest.h>

#include <vector>

namespace quorella {
namespace {

TEST(Unicode, Utf8ValidityAndTheFirstBadByte) {
  struct Case {
    std::string text;
    bool valid;
    std::size_t bad_offset;
  } const cases[] = {
      {"", true, 0},
      {"Z\u00FCrich \u041F\u0440\u0438\u0432\u0435\u0442 \u65E5\u672C \U0001F642", true, 0},
      {"ab\xFF", false, 2},
      {"a\xC3", false, 1},             // cut short
      {"\xC0\xAF", false, 0},          // overlong '/'
      {"x\xED\xA0\x80", false, 1},     // a surrogate
      {"\xF4\x90\x80\x80", false, 0},  // past U+10FFFF
      {"Caf\xE9", false, 3},           // Windows-1252 bytes
  };
  for (const Case& c : cases) {
    std::size_t offset = 99;
    EXPECT_EQ(IsValidUtf8(c.text, &offset), c.valid) << c.text;
    if (!c.valid) {
      EXPECT_EQ(offset, c.bad_offset) << c.text;
    }
  }
  // ASCII is checked eight bytes at a time: a byte beyond it at every place of the first words.
  for (std::size_t size = 1; size <= 20; ++size)
    for (std::size_t at = 0; at < size; ++at) {
      std::string text(size, 'a');
      EXPECT_TRUE(IsAscii(text));
      text[at] = '\x80';
      EXPECT_FALSE(IsAscii(text)) << size << " " << at;
    }
}

TEST(Unicode, CodePointsDecodeAndEncodeBack) {
  const std::string text = "a\u00E9\u0414\u65E5\U0001F642";
  std::string again;
  std::vector<char32_t> points;
  for (std::size_t pos = 0; pos < text.size();) points.push_back(NextCodePoint(text, pos));
  EXPECT_EQ(points, (std::vector<char32_t>{U'a', 0xE9, 0x414, 0x65E5, 0x1F642}));
  for (char32_t cp : points) AppendCodePoint(again, cp);
  EXPECT_EQ(again, text);
  std::size_t pos = 0;
  EXPECT_EQ(NextCodePoint("\xFFz", pos), 0xFFFDu);
  EXPECT_EQ(pos, 1u);
}

TEST(Unicode, NamesCompareByFullCaseFolding) {
  struct Case {
    const char* a;
    const char* b;
  } const same[] = {
      {"Caf\u00E9", "CAF\u00C9"},
      {"\u041F\u0440\u0438\u0432\u0435\u0442", "\u041F\u0420\u0418\u0412\u0415\u0422"},
      {"\u03A3\u03BF\u03C6\u03AF\u03B1", "\u03C3\u03BF\u03C6\u03AF\u03B1"},
      {"Stra\u00DFe", "STRASSE"},
      {"faq", "FAQ"},
      {"\u65E5\u672C", "\u65E5\u672C"},
  };
  for (const Case& c : same) EXPECT_EQ(CompareFolded(c.a, c.b), 0) << c.a << " " << c.b;
  EXPECT_NE(CompareFolded("Cafe", "Caf\u00E9"), 0);
  EXPECT_LT(CompareFolded("apple", "BANANA"), 0);
  EXPECT_GT(CompareFolded("\u0431", "\u0410"), 0);  // б after А, whatever the case
  EXPECT_EQ(FoldCase("\u0130"), "i\u0307");         // full folding, not the Turkish one
}

}  // namespace
}  // namespace quorella
