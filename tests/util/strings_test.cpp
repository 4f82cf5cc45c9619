#include "util/strings.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "util/sha256.h"

namespace quorella {
namespace {

using namespace std::string_literals;

TEST(RightPart, EdgeTable) {
  struct Case {
    std::string text;
    std::size_t count;
    std::string expected;
  };
  const std::vector<Case> cases = {
      {"abc", 5, "abc"}, {"abc", 0, ""}, {"abc", 2, "bc"}, {"", 3, ""}, {"abc", 3, "abc"}};
  for (const auto& c : cases)
    EXPECT_EQ(RightPart(c.text, c.count), c.expected) << c.text << " " << c.count;
}

TEST(RightPart, LongTextsAreNotCutAt16Bits) {
  const std::string text(70000, 'x');
  EXPECT_EQ(RightPart(text + "yz", 69999).size(), 69999u);
  EXPECT_EQ(RightPart(text + "yz", 69999).substr(69996), "xyz");
}

TEST(PosFrom, EdgeTable) {
  struct Case {
    std::size_t start;
    std::string text, pattern;
    std::size_t expected;
  };
  const std::vector<Case> cases = {
      {4, "abcabc", "a", 4}, {5, "abcabc", "a", 0}, {7, "abcabc", "a", 0}, {2, "abc", "", 2},
      {1, "abcabc", "a", 1}, {0, "abc", "a", 0},    {1, "", "a", 0},       {1, "", "", 0},
      {2, "aXbX", "X", 2},   {1, "abc", "abcd", 0}, {1, "aBc", "b", 0},    {1, "ab\0cd"s, "cd", 0},
      {1, "abc", "c\0z"s, 3}};
  for (const auto& c : cases)
    EXPECT_EQ(PosFrom(c.start, c.text, c.pattern), c.expected)
        << c.start << " [" << c.text << "] [" << c.pattern << "]";
}

TEST(CountOccurrences, EdgeTable) {
  EXPECT_EQ(CountOccurrences("a,b,,c", ","), 3u);
  EXPECT_EQ(CountOccurrences("aaa", "aa"), 1u);  // occurrences never overlap
  EXPECT_EQ(CountOccurrences("aaaa", "aa"), 2u);
  EXPECT_EQ(CountOccurrences("abc", ""), 0u);
  EXPECT_EQ(CountOccurrences("", ","), 0u);
}

TEST(SplitText, EdgeTable) {
  using Pieces = std::vector<std::string>;
  struct Case {
    std::string text, separator;
    Pieces expected;
  };
  const std::vector<Case> cases = {
      {"a,b,,c", ",", {"a", "b", "", "c"}},
      {"a,b,", ",", {"a", "b", ""}},
      {"abc", ",", {"abc"}},
      {",a", ",", {"", "a"}},
      {"", ",", {""}},
      {",", ",", {"", ""}},
      {"a--b----c", "--", {"a", "b", "", "c"}},
      {"aaa", "aa", {"", "a"}},
      {"abc", "", {}},  // an empty separator gives no pieces
  };
  for (const auto& c : cases) EXPECT_EQ(SplitText(c.text, c.separator), c.expected) << c.text;
}

TEST(SplitText, PiecesBeyond64KiBAreWhole) {
  const std::string big(70000, 'q');
  const auto pieces = SplitText("x?" + big, "?");
  ASSERT_EQ(pieces.size(), 2u);
  EXPECT_EQ(pieces[1], big);
}

TEST(LastPos, EdgeTable) {
  EXPECT_EQ(LastPos("a,b,c", ","), 4);
  EXPECT_EQ(LastPos("abc", ","), 0);
  EXPECT_EQ(LastPos("abc", "xy"), -1);  // 1 - length of the pattern
  EXPECT_EQ(LastPos("aaa", "aa"), 1);   // counted left to right without overlap
  EXPECT_EQ(LastPos("aaaa", "aa"), 3);
  EXPECT_EQ(LastPos("x\r\n\r\ny\r\n\r\n", "\r\n\r\n"), 7);
}

TEST(ReplaceAll, EdgeTable) {
  struct Case {
    std::string text, old_text, new_text, expected;
  };
  const std::vector<Case> cases = {{"aXbX", "X", "XX", "aXXbXX"},
                                   {"a  b", " ", "", "ab"},
                                   {"abc", "x", "y", "abc"},
                                   {"aaa", "aa", "b", "ba"},
                                   {"", "a", "b", ""},
                                   {"a\r\nb\r\n", "\r\n", " ", "a b "},
                                   {"qqqqqqqq", "qqqq", "\r\n", "\r\n\r\n"}};
  for (const auto& c : cases)
    EXPECT_EQ(ReplaceAll(c.text, c.old_text, c.new_text), c.expected) << c.text;
}

TEST(ReplaceEvery, ReplacesAfterANulTooWhereReplaceAllStops) {
  struct Case {
    std::string text, old_text, new_text, every, all;
  };
  const std::vector<Case> cases = {
      {"a\0b\r\nc"s, "\r\n", "qqqq", "a\0bqqqqc"s, "a\0b\r\nc"s},
      {"\0qqqq"s, "qqqq", "\r\n", "\0\r\n"s, "\0qqqq"s},
      {"aaa", "aa", "b", "ba", "ba"},
      {"aXbX", "X", "XX", "aXXbXX", "aXXbXX"},
      {"abc", "", "y", "abc", "abc"},
      {"", "a", "b", "", ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ReplaceEvery(c.text, c.old_text, c.new_text), c.every) << c.text;
    EXPECT_EQ(ReplaceAll(c.text, c.old_text, c.new_text), c.all) << c.text;
  }
}

TEST(SplitAtChar, EdgeTable) {
  using Items = std::vector<std::string>;
  struct Case {
    std::string text;
    Items expected;
  };
  const std::vector<Case> cases = {{"a b", {"a", "b"}},
                                   {"a  b", {"a", "", "b"}},
                                   {" a", {"", "a"}},
                                   {"a ", {"a"}},
                                   {"", {}},
                                   {" ", {""}},
                                   {"ab", {"ab"}},
                                   {"a   ", {"a", "", ""}}};
  for (const auto& c : cases) {
    Items items;
    SplitAtChar(c.text, ' ', items);
    EXPECT_EQ(items, c.expected) << "[" << c.text << "]";
  }
}

TEST(SplitAtChar, AppendsWithoutClearing) {
  std::vector<std::string> items = {"old"};
  SplitAtChar("x", ' ', items);
  EXPECT_EQ(items, (std::vector<std::string>{"old", "x"}));
}

TEST(IsTrailingPunctuation, ExactlyTheNineSingleCharacters) {
  for (std::string c : {".", ",", ";", ":", "?", "!", ")", "]", "}"})
    EXPECT_TRUE(IsTrailingPunctuation(c)) << c;
  for (std::string c : {"", "(", "..", "a", "-", "'", "\"", ">"})
    EXPECT_FALSE(IsTrailingPunctuation(c)) << c;
}

TEST(IsInteger, Syntax) {
  for (std::string yes : {"12", " 12", "-3", "+7", "0", "$1F", "0x1f", "0X1F", "x10", "X10", "-$10",
                          "  -0x10", "2147483647", "-2147483648", "$7FFFFFFF", "007"})
    EXPECT_TRUE(IsInteger(yes)) << yes;
  for (std::string no : {"12 ", "", "   ", "1.5", "2147483648", "-2147483649", "$", "0x", "x", "+",
                         "-", "1a", "$G", "\t12", "- 3", "12abc", "$80000000", "0x1 ", "Yes"})
    EXPECT_FALSE(IsInteger(no)) << no;
}

TEST(ParseInteger, Values) {
  struct Case {
    std::string text;
    int expected;
  };
  for (const Case& c : std::vector<Case>{{"12", 12},
                                         {" -3", -3},
                                         {"$ff", 255},
                                         {"0x10", 16},
                                         {"x1A", 26},
                                         {"-2147483648", INT32_MIN},
                                         {"-$10", -16}}) {
    int value = 0;
    ASSERT_TRUE(ParseInteger(c.text, value)) << c.text;
    EXPECT_EQ(value, c.expected) << c.text;
  }
}

TEST(CollapseBlanks, TabsAndRuns) {
  EXPECT_EQ(CollapseBlanks("a\t\tb   c"), "a b c");
  EXPECT_EQ(CollapseBlanks("  a "), " a ");
  EXPECT_EQ(CollapseBlanks(""), "");
  EXPECT_EQ(CollapseBlanks(" \t \t "), " ");
}

TEST(CaseRules, OnlyAsciiLettersFold) {
  EXPECT_TRUE(EqualsNoCase("FAQ", "faq"));
  EXPECT_FALSE(EqualsNoCase("\xC4", "\xE4"));  // Windows-1252 letters keep their case
  EXPECT_TRUE(StartsWithNoCase("[Question 1]x", "[question 1]"));
  EXPECT_EQ(LowerAscii("AbC\xC4"), "abc\xC4");
}

TEST(Trim, BlanksAreSpacesAndControls) {
  EXPECT_EQ(Trim(" \t a b \r\n"), "a b");
  EXPECT_EQ(TrimRight("  a \t"), "  a");
  EXPECT_EQ(Trim("   "), "");
}

// The published test vectors, plus lengths on both sides of the one- and two-block padding.
TEST(Sha256, KnownDigests) {
  struct Row {
    std::string data, digest;
  };
  for (const Row& row : {
           Row{"", "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855"},
           Row{"abc", "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"},
           Row{"abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq",
               "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1"},
           Row{std::string(1000000, 'a'),
               "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0"},
       })
    EXPECT_EQ(Sha256Hex(row.data), row.digest) << row.data.size();
}

}  // namespace
}  // namespace quorella
