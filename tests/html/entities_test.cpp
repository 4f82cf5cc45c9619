#include "html/entities.h"

#include <gtest/gtest.h>

#include "util/strings.h"

namespace quorella::html {
namespace {

TEST(Entities, TheTableInItsOrder) {
  const std::vector<std::pair<unsigned char, std::string>> expected = {
      {0x22, "&quot;"},   {0x3C, "&lt;"},     {0x3E, "&gt;"},     {0xA2, "&cent;"},
      {0xA3, "&pound;"},  {0xA4, "&curren;"}, {0xA5, "&yen;"},    {0xA6, "&brvbar;"},
      {0xA7, "&sect;"},   {0xA9, "&copy;"},   {0xAA, "&ordf;"},   {0xAE, "&reg;"},
      {0xAF, "&macr;"},   {0xB0, "&deg;"},    {0xB1, "&plusmn;"}, {0xB4, "&acute;"},
      {0xB5, "&micro;"},  {0xB6, "&para;"},   {0xB7, "&middot;"}, {0xBC, "&frac14;"},
      {0xBD, "&frac12;"}, {0xBE, "&frac34;"}, {0xBF, "&iquest;"}, {0xF7, "&divide;"},
      {0xF8, "&oslash;"}, {0x80, "&euro;"}};
  ASSERT_EQ(kEntityTable.size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(static_cast<unsigned char>(kEntityTable[i].character), expected[i].first) << i;
    EXPECT_EQ(kEntityTable[i].text, expected[i].second) << i;
  }
}

// The one-pass escape gives what replacing the table's entries one after another gives.
TEST(Entities, EveryByteAsTheTableReplacesIt) {
  for (int byte = 1; byte < 256; ++byte) {
    const std::string word = "a" + std::string(1, static_cast<char>(byte)) + "b";
    std::string expected = word;
    for (const Entity& e : kEntityTable)
      expected = ReplaceAll(expected, std::string(1, e.character), e.text);
    EXPECT_EQ(EscapeWord(word), expected) << byte;
  }
}

TEST(Entities, Words) {
  struct Case {
    std::string word, escaped;
  };
  for (const Case& c : std::vector<Case>{
           {"&", "&amp;"},
           {"a&b", "a&b"},
           {"&&", "&&"},
           {"&nbsp;", "&nbsp;"},
           {"x<y", "x&lt;y"},
           {"\"<>\"", "&quot;&lt;&gt;&quot;"},
           {"\x80\xF7\xF8", "&euro;&divide;&oslash;"},
           {"caf\xE9", "caf\xE9"},  // letters outside the table stay
           {"", ""},
           {std::string("a\0<", 3), std::string("a\0&lt;", 6)},  // a NUL ends nothing
       })
    EXPECT_EQ(EscapeWord(c.word), c.escaped) << c.word;
}

}  // namespace
}  // namespace quorella::html
