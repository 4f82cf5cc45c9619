#include "backup/hex_text.h"

#include <gtest/gtest.h>

namespace quorella {
namespace {

TEST(HexText, TwoUpperCaseDigitsPerByteHighFirst) {
  EXPECT_EQ(HexText(""), "");
  EXPECT_EQ(HexText(std::string("\x00\x0F\xF0\xAB\xff", 5)), "000FF0ABFF");
}

TEST(BytesFromHex, PairsInEitherCaseOddDigitDroppedOthersRefused) {
  struct Case {
    std::string text;
    std::optional<std::string> bytes;
  };
  const std::vector<Case> cases = {
      {"", std::string()},
      {"41", std::string("A")},
      {"6162aBcD", std::string("ab\xAB\xCD")},
      {"00ff", std::string("\x00\xFF", 2)},
      {"414", std::string("A")},
      {"4", std::string()},
      {"4G", std::nullopt},
      {"41 42", std::nullopt},
      {"41-", std::nullopt},
      {"0x41", std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(BytesFromHex(c.text), c.bytes) << c.text;
}

}  // namespace
}  // namespace quorella
