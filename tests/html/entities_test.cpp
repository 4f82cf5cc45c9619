#include "html/entities.h"

#include <gtest/gtest.h>

#include "html/page.h"

#include "util/cp1252.h"
#include "util/strings.h"
#include "util/unicode.h"

namespace quorella::html {
namespace {

std::string Utf8Of(char32_t code_point) {
  std::string text;
  AppendCodePoint(text, code_point);
  return text;
}

std::string Ascii(std::string_view text) {
  std::string out;
  AsciiPageWriter().Append(out, text);
  return out;
}

TEST(Entities, TheTableInItsOrder) {
  const std::vector<std::pair<char32_t, std::string>> expected = {
      {0x22, "&quot;"},   {0x3C, "&lt;"},     {0x3E, "&gt;"},     {0xA2, "&cent;"},
      {0xA3, "&pound;"},  {0xA4, "&curren;"}, {0xA5, "&yen;"},    {0xA6, "&brvbar;"},
      {0xA7, "&sect;"},   {0xA9, "&copy;"},   {0xAA, "&ordf;"},   {0xAE, "&reg;"},
      {0xAF, "&macr;"},   {0xB0, "&deg;"},    {0xB1, "&plusmn;"}, {0xB4, "&acute;"},
      {0xB5, "&micro;"},  {0xB6, "&para;"},   {0xB7, "&middot;"}, {0xBC, "&frac14;"},
      {0xBD, "&frac12;"}, {0xBE, "&frac34;"}, {0xBF, "&iquest;"}, {0xF7, "&divide;"},
      {0xF8, "&oslash;"}, {0x20AC, "&euro;"}};
  ASSERT_EQ(kEntityTable.size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(static_cast<std::uint32_t>(kEntityTable[i].code_point),
              static_cast<std::uint32_t>(expected[i].first))
        << i;
    EXPECT_EQ(kEntityTable[i].text, expected[i].second) << i;
  }
}

// The one-pass escape gives what replacing the table's entries one after another gives, for every
// character Windows-1252 holds.
TEST(Entities, EveryWindows1252CharacterAsTheTableReplacesIt) {
  for (int byte = 1; byte < 256; ++byte) {
    const char32_t code_point = Cp1252ToCodePoint(static_cast<unsigned char>(byte));
    const std::string word = "a" + Utf8Of(code_point) + "b";
    std::string expected = word;
    for (const Entity& e : kEntityTable)
      expected = ReplaceAll(expected, Utf8Of(e.code_point), e.text);
    EXPECT_EQ(EscapeWord(word), expected) << byte;
  }
}

// Every code point, whatever the length of its UTF-8 form, is written on a page as its reference;
// in a word it is its entity or stays as it is.
TEST(Entities, EveryCodePointBeyondAscii) {
  for (char32_t cp = 0x80; cp <= 0x10FFFF; ++cp) {
    if (cp >= 0xD800 && cp <= 0xDFFF) continue;
    const std::string text = Utf8Of(cp);
    ASSERT_EQ(Ascii("x" + text + "y"), "x&#" + std::to_string(cp) + ";y")
        << static_cast<std::uint32_t>(cp);
    const std::string escaped = EscapeWord(text);
    if (escaped != text) {
      bool in_table = false;
      for (const Entity& e : kEntityTable) in_table |= e.code_point == cp && e.text == escaped;
      ASSERT_TRUE(in_table) << static_cast<std::uint32_t>(cp);
    }
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
           {"€÷ø", "&euro;&divide;&oslash;"},
           {"£5,¡ñ", "&pound;5,¡ñ"},  // characters outside the table stay
           {"Привет<日本>", "Привет&lt;日本&gt;"},
           {"e\u0301🙂\u00A0", "e\u0301🙂\u00A0"},
           {"\xFF\xC2", "\xFF\xC2"},                         // bad bytes too: the page writes them
           {"\xED\xA0\x80\xC2\xA3", "\xED\xA0\x80&pound;"},  // an encoded surrogate
           {"", ""},
           {std::string("a\0<", 3), std::string("a\0&lt;", 6)},  // a NUL ends nothing
       })
    EXPECT_EQ(EscapeWord(c.word), c.escaped) << c.word;
}

TEST(Entities, PageWriterLeavesAsciiAndTheTableAlone) {
  struct Case {
    std::string text, written;
  };
  for (const Case& c : std::vector<Case>{
           {"<b>\"Zürich\" & £5</b>", "<b>\"Z&#252;rich\" & &#163;5</b>"},
           {"every byte below 0x80 \x01\x7F stays, in runs of any length",
            "every byte below 0x80 \x01\x7F stays, in runs of any length"},
           {"Привет", "&#1055;&#1088;&#1080;&#1074;&#1077;&#1090;"},
           {"日本語", "&#26085;&#26412;&#35486;"},
           {"سلام", "&#1587;&#1604;&#1575;&#1605;"},
           {"e\u0301", "e&#769;"},  // a combining mark stays after its letter
           {"🙂!", "&#128578;!"},
           {"\xFF", "&#65533;"},    // a byte that starts no sequence
           {"a\xD0", "a&#65533;"},  // a sequence cut short
       })
    EXPECT_EQ(Ascii(c.text), c.written) << c.text;
}

// Pieces written one after another, as a page's items are: inside script and style elements, where
// HTML reads no references, characters take the language's own escapes.
TEST(Entities, PageWriterEscapesScriptsAndStyleSheetsInTheirOwnWay) {
  struct Case {
    std::vector<std::string> pieces;
    std::string written;
  };
  for (const Case& c : std::vector<Case>{
           {{"<p>é</p>"}, "<p>&#233;</p>"},
           {{"<script>", "location=\"й.html\"; // 🙂", "</script>", "й"},
            "<script>location=\"\\u0439.html\"; // \\uD83D\\uDE42</script>&#1081;"},
           {{"<SCRIPT type=\"text/javascript\">x='ü'</Script >ü"},
            "<SCRIPT type=\"text/javascript\">x='\\u00FC'</Script >&#252;"},
           {{"<style>p{font-family:\"日本\"}</style>日"},
            "<style>p{font-family:\"\\0065E5\\00672C\"}</style>&#26085;"},
           {{"<scripts>é</scripts>", "<stylex>é"}, "<scripts>&#233;</scripts><stylex>&#233;"},
           {{"<script>a='</style>é'</script>é"}, "<script>a='</style>\\u00E9'</script>&#233;"},
           {{"<style>", "é"}, "<style>\\0000E9"},  // open at the end of a piece: still open
           {{"<script"}, "<script"},
           {{"a long run of plain markup <b>bold</b> before: é"},
            "a long run of plain markup <b>bold</b> before: &#233;"},
       }) {
    AsciiPageWriter writer, in_place;
    std::string out, converted = "<p>";
    for (const std::string& piece : c.pieces) {
      writer.Append(out, piece);
      const std::size_t from = converted.size();
      converted += piece;
      in_place.ConvertFrom(converted, from);
    }
    EXPECT_EQ(out, c.written) << c.pieces.front();
    EXPECT_EQ(converted, "<p>" + c.written) << c.pieces.front();
  }
}

// Pages are scanned a block at a time: a character beyond ASCII, and the tags that open and close a
// script, at every place of the first blocks.
TEST(Entities, PageWriterStopsAnywhereInABlock) {
  for (std::size_t before = 0; before <= 40; ++before)
    for (std::size_t after = 0; after <= 20; after += 3) {
      const std::string plain_before(before, 'x'), plain_after(after, 'y');
      for (const auto& [text, written] : std::vector<std::pair<std::string, std::string>>{
               {"é", "&#233;"},
               {"<", "<"},
               {"<script>é</script>é", "<script>\\u00E9</script>&#233;"},
               // Tags that neither open nor close one, beside those that do.
               {"<b><S>é</s><", "<b><S>&#233;</s><"},
               {"<Style><b>é</b><style>é</STYLE>é<",
                "<Style><b>\\0000E9</b><style>\\0000E9</STYLE>&#233;<"},
           }) {
        const std::string whole = plain_before + text + plain_after;
        const std::string expected = plain_before + written + plain_after;
        EXPECT_EQ(Ascii(whole), expected) << whole;
        std::string converted = whole;
        AsciiPageWriter().ConvertFrom(converted, 0);
        EXPECT_EQ(converted, expected) << whole;
      }
    }
}

// A page converts its items when it is looked at, all that came since at once: the same bytes as
// items written one by one, each followed by CR LF, however the looks fall. Items end in tags cut
// short, in characters beyond ASCII and in the names that open and close scripts.
TEST(Entities, PageItemsReadAsWrittenOneByOne) {
  const std::vector<std::string> items = {
      "<p>é", "<",        "script>é", "<script",       "é</script", "é",  "<style",  "",
      "x<",   "/style>é", "</style",  "<b>Привет</b>", "<SCRIPT>",  "ü<", "/script", "</Script>ü"};
  std::string expected;
  AsciiPageWriter writer;
  for (const std::string& item : items) {
    writer.Append(expected, item);
    expected += "\r\n";
  }
  for (std::size_t look_every = 1; look_every <= items.size(); ++look_every) {
    Page page;
    for (std::size_t i = 0; i < items.size(); ++i) {
      const std::string_view item = items[i];
      if (i % 2 == 0 || item.empty())
        page.Add(item);
      else
        page.AddJoined(item.substr(0, 1), item.substr(1));
      if ((i + 1) % look_every == 0) page.AtTopLevel();
    }
    EXPECT_EQ(page.bytes(), expected) << look_every;
  }
}

}  // namespace
}  // namespace quorella::html
