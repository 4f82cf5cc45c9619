// Anchors of the Modern pages and the readable text they, the search and the descriptions are
// made from.
#include "html/anchor.h"

#include <gtest/gtest.h>

#include "html/modern_site.h"
#include "html/plain_text.h"

namespace quorella::html {
namespace {

struct Case {
  std::string input, expected;
};

TEST(Anchors, TextsOfAnyScriptGiveReadableAsciiAnchors) {
  AnchorSet anchors;
  for (const Case& c : std::vector<Case>{
           {"What is Quorella?", "what-is-quorella"},
           {"  Don't  panic!! ", "dont-panic"},
           {"Café au lait, crème brûlée?", "cafe-au-lait-creme-brulee"},
           {"Größe & Maße", "grosse-masse"},
           {"Привет, как дела?", "privet-kak-dela"},
           {"Ёлка", "elka"},
           {"Τι είναι;", "ti-einai"},
           {"日本語の質問は？", "ri-ben-yuno-zhi-wenha"},
           {"How do <b>bold</b> &amp; &quot;quotes&quot; look?", "how-do-bold-quotes-look"},
           {"???", "question"},
           {"", "question"},
           {"🙂", "question"},
           {"Version 1.3.1 — what's new?", "version-1-3-1-whats-new"},
           {"'a' -- ''b''x'", "a-bx"},  // left out at the ends, joined, and between words
           {std::string(70, 'a'), std::string(64, 'a')},
           {"word " + std::string(40, 'b') + " " + std::string(40, 'c'),
            "word-" + std::string(40, 'b')},
       }) {
    EXPECT_EQ(anchors.Make(c.input), c.expected) << c.input;
    EXPECT_TRUE(IsAnchorText(c.expected)) << c.expected;  // page names read back from the list
  }
  for (const std::string& bad :
       std::vector<std::string>{"Upper", "a b", "a_b", "../x", std::string("a\0b", 3), "é"})
    EXPECT_FALSE(IsAnchorText(bad)) << bad;
}

TEST(Anchors, TakenAnchorsAreNumberedAndReservedOnesNeverHandedOut) {
  AnchorSet anchors({"qr-top"});
  EXPECT_EQ(anchors.Add("Same?"), "same");
  EXPECT_EQ(anchors.Add("same!"), "same-2");
  EXPECT_EQ(anchors.Add("Same 2"), "same-2-2");  // the plain anchor of this text is taken
  EXPECT_EQ(anchors.Add("Same"), "same-3");
  EXPECT_EQ(anchors.Add("QR top"), "qr-top-2");
  // Every anchor handed out stays taken as the set grows.
  for (int i = 0; i < 1000; ++i)
    EXPECT_EQ(anchors.Add("Question " + std::to_string(i)), "question-" + std::to_string(i));
  for (int i = 0; i < 1000; ++i)
    EXPECT_EQ(anchors.Add("Question " + std::to_string(i)), "question-" + std::to_string(i) + "-2");
  EXPECT_EQ(anchors.Add("Same"), "same-4");
}

// Each text read whole, also where its Latin letters take many times its characters.
TEST(AsciiTransliteration, ReadsTheWholeTextOfAnyLength) {
  AsciiTransliteration ascii;
  std::string many_syllables, expected;
  for (int i = 0; i < 500; ++i) many_syllables += "双", expected += i == 0 ? "shuang" : " shuang";
  for (const Case& c : std::vector<Case>{
           {"Привет", "Privet"},
           {many_syllables, expected},
           {"plain", "plain"},
           {"", ""},
           {"日本", "ri ben"},
       })
    EXPECT_EQ(ascii(c.input), c.expected) << c.input;
}

TEST(PlainText, MarkupLeftOutEntitiesDecodedSpaceJoined) {
  for (const Case& c : std::vector<Case>{
           {"<p>One <b>two</b></p>\r\n<P>three", "One two three"},
           {"a&amp;b &lt;c&gt; &quot;d&quot; &#233;&#x44F;&nbsp;e", "a&b <c> \"d\" éя e"},
           {"x & y &unknown; &#xZZ;", "x & y &unknown; &#xZZ;"},
           {"1 < 2 <!-- hidden --> end", "1 < 2 end"},
           {"<pre>  kept\tspacing  </pre>", "kept spacing"},
           // Runs of words with one blank between them, ended every way a run ends.
           {" a b c ", "a b c"},
           {"a b <i>c</i> d &amp; e f", "a b c d & e f"},
           {"a b  c \td\r\ne f", "a b c d e f"},
           {"a b&lt;c d<", "a b<c d<"},
           {"a\fb\f", "a b"},
           {"é ü\xE2\x82\xAC x", "é ü\xE2\x82\xAC x"},
       })
    EXPECT_EQ(PlainText(c.input), c.expected) << c.input;
  // Runs are searched a block at a time: whatever ends one, or does not, at every place of the
  // first blocks.
  for (std::size_t before = 0; before <= 40; ++before)
    for (const auto& [between, plain] : std::vector<std::pair<std::string, std::string>>{
             {" ", " "},
             {"  ", " "},
             {" \t", " "},
             {"\n", " "},
             {"\f ", " "},
             {"<i>", " "},
             {" <b> ", " "},
             {"&amp;", "&"},
             {" &lt; ", " < "},
             {"< ", "< "},
             {"é b", "é b"},
         }) {
      const std::string words = std::string(before / 2 + 1, 'a') + (before % 2 == 0 ? "" : " a");
      const std::string after = "bbbb cccccccccccccccccccccccc dd";
      EXPECT_EQ(PlainText(words + between + after), words + plain + after)
          << before << "[" << between << "]";
    }
}

TEST(PlainText, FirstSentenceAndJson) {
  EXPECT_EQ(FirstSentence("It works. Really.", 160), "It works.");
  EXPECT_EQ(FirstSentence("See www.a.example. Then", 160), "See www.a.example.");
  EXPECT_EQ(FirstSentence("one two three", 9), "one two\xE2\x80\xA6");
  EXPECT_EQ(FirstSentence("ёёёёё", 5), "ёё\xE2\x80\xA6");  // never inside a character
  // Text is searched a block at a time: a full stop inside a word, then one that ends a sentence,
  // at every place of the first blocks.
  for (std::size_t before = 0; before <= 40; ++before) {
    const std::string a(before, 'a'), b(20, 'b');
    EXPECT_EQ(FirstSentence(a + ".x" + b + "? c. d", 1000), a + ".x" + b + "?") << before;
    EXPECT_EQ(FirstSentence(a + "!", 1000), a + "!") << before;
  }
  EXPECT_EQ(JsonString("a\"b\\c\n</script>\x01"), "\"a\\\"b\\\\c\\n\\u003c/script>\\u0001\"");
  EXPECT_EQ(JsonString("<\tя\x1f\r"), "\"\\u003c\\tя\\u001f\\r\"");
  EXPECT_EQ(JsonString(""), "\"\"");
  // Text is searched a block at a time: each kind of byte at every place of the first blocks.
  for (std::size_t before = 0; before <= 40; ++before)
    for (const auto& [byte, json] : std::vector<std::pair<std::string, std::string>>{
             {"\"", "\\\""},
             {"\\", "\\\\"},
             {"<", "\\u003c"},
             {"\x1f", "\\u001f"},
             {"\x01", "\\u0001"},
             {" ", " "},
             {"\x7f", "\x7f"},
             {"é", "é"},
         }) {
      const std::string a(before, 'a');
      EXPECT_EQ(JsonString(a + byte + "bbbbb"), "\"" + a + json + "bbbbb\"") << before << json;
    }
}

// Escaped characters at either end, side by side and between runs; other bytes as they are.
TEST(PlainText, EscapedHtml) {
  for (const Case& c : std::vector<Case>{
           {"", ""},
           {"plain é text", "plain é text"},
           {"&<>\"", "&amp;&lt;&gt;&quot;"},
           {"\"a & b\"", "&quot;a &amp; b&quot;"},
           {"x<y>z&amp;", "x&lt;y&gt;z&amp;amp;"},
       })
    EXPECT_EQ(EscapeHtml(c.input), c.expected) << c.input;
  // Text is searched a block at a time: each escaped character at every place of the first blocks.
  const std::string after(20, 'b');
  for (std::size_t before = 0; before <= 40; ++before)
    for (const auto& [c, entity] : std::vector<std::pair<std::string, std::string>>{
             {"&", "&amp;"}, {"<", "&lt;"}, {">", "&gt;"}, {"\"", "&quot;"}, {"'", "'"}}) {
      const std::string a(before, 'a');
      EXPECT_EQ(EscapeHtml(a + c + after + c), a + entity + after + entity) << before << c;
    }
}

}  // namespace
}  // namespace quorella::html
