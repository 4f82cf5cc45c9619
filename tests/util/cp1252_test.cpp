#include "util/cp1252.h"

#include <gtest/gtest.h>

namespace quorella {
namespace {

TEST(Cp1252, EveryByteRoundTrips) {
  std::string all;
  for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
  bool lossy = true;
  EXPECT_EQ(Utf8ToCp1252(Cp1252ToUtf8(all), &lossy), all);
  EXPECT_FALSE(lossy);
  std::string roomy = all;
  roomy.reserve(3 * all.size());
  EXPECT_EQ(Cp1252ToUtf8InPlace(std::move(roomy)), Cp1252ToUtf8(all));
  EXPECT_EQ(Cp1252ToUtf8InPlace(all), Cp1252ToUtf8(all));  // no room: copied
}

// ASCII is copied in runs found a block at a time: a byte beyond ASCII at every place of the first
// blocks.
TEST(Cp1252, ByteBeyondAsciiAnywhereInARun) {
  for (std::size_t size = 1; size <= 40; ++size)
    for (std::size_t at = 0; at < size; ++at) {
      std::string bytes(size, 'a');
      bytes[at] = '\xE9';
      const std::string utf8 = std::string(at, 'a') + "\u00E9" + std::string(size - at - 1, 'a');
      EXPECT_EQ(Cp1252ToUtf8(bytes), utf8) << size << " " << at;
      EXPECT_EQ(Utf8ToCp1252(utf8), bytes) << size << " " << at;
      // Converted in place from the end back: the euro sign takes three bytes.
      std::string in_place = bytes + "\x80" + bytes;
      in_place.reserve(in_place.size() + 4);
      EXPECT_EQ(Cp1252ToUtf8InPlace(std::move(in_place)), utf8 + "\u20AC" + utf8)
          << size << " " << at;
    }
}

TEST(Cp1252, TableEntries) {
  EXPECT_EQ(Cp1252ToUtf8("\x80"), "\u20AC");
  EXPECT_EQ(Cp1252ToUtf8("\x9F"), "\u0178");
  EXPECT_EQ(Cp1252ToUtf8("\xE9"), "\u00E9");
  EXPECT_EQ(Cp1252ToUtf8("\x81"), "\u0081");  // unassigned: the C1 control of that number
  EXPECT_EQ(Utf8ToCp1252("\u2122"), "\x99");
}

TEST(Cp1252, UnrepresentableBecomesQuestionMark) {
  bool lossy = false;
  EXPECT_EQ(Utf8ToCp1252("a\u4E2Db\U0001F600", &lossy), "a?b?");
  EXPECT_TRUE(lossy);
  EXPECT_EQ(Utf8ToCp1252("\xFF"), "?");  // not UTF-8 at all
}

TEST(Cp1252, FitsOnlyWhenEveryCharacterHasAByte) {
  struct Case {
    const char* utf8;
    bool fits;
  } const cases[] = {
      {"", true},
      {"plain ASCII", true},
      {"Caf\u00E9 \u20AC \u0178 \u2122", true},
      {"\u0081", true},  // unassigned byte, kept as its C1 control
      {"\u041F\u0440\u0438\u0432\u0435\u0442", false},
      {"e\u0301", false},  // combining mark
      {"\U0001F642", false},
      {"\xFF", false},  // not UTF-8
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FitsCp1252(c.utf8), c.fits) << c.utf8;
    const auto bytes = Utf8ToCp1252IfFits(c.utf8);
    EXPECT_EQ(bytes.has_value(), c.fits) << c.utf8;
    if (bytes) {
      EXPECT_EQ(Cp1252ToUtf8(*bytes), c.utf8);
    }
  }
}

}  // namespace
}  // namespace quorella
