#include "html/word_rendering.h"

#include <gtest/gtest.h>

#include "html/entities.h"

namespace quorella::html {
namespace {

struct Case {
  std::string input, rendering;
};

TEST(WordRendering, SingleWords) {
  for (const Case& c : std::vector<Case>{
           {"http://a.b", "<A HREF=\"http://a.b\">http://a.b</A>"},
           {"a://b", "a://b"},
           {"ab://c", "<A HREF=\"ab://c\">ab://c</A>"},
           {"WWW.a.b", "<A HREF=\"http://WWW.a.b\">WWW.a.b</A>"},
           {"Ftp.a.b", "<A HREF=\"ftp://Ftp.a.b\">Ftp.a.b</A>"},
           {"www.a.b,", "<A HREF=\"http://www.a.b\">www.a.b</A>,"},
           {"(www.a.b)", "(www.a.b)"},
           {"(http://a.b)", "<A HREF=\"(http://a.b\">(http://a.b</A>)"},
           {"http://a.b).", "<A HREF=\"http://a.b\">http://a.b</A>)."},
           {"http://a.b/x.;:?!)]},", "<A HREF=\"http://a.b/x\">http://a.b/x</A>.;:?!)]},"},
           {"www.", "<A HREF=\"www\">www</A>."},
           {"fTP.x", "<A HREF=\"ftp://fTP.x\">fTP.x</A>"},
           {"wwwx.a", "wwwx.a"},
           {"ww.w.x", "ww.w.x"},
           {"ftp", "ftp"},
           {"ftpx", "ftpx"},
           {"×ww.x", "×ww.x"},  // only A to Z count as letters of another case
           {"www.пример.рф", "<A HREF=\"http://www.пример.рф\">www.пример.рф</A>"},
           {"(я@b.c)", "(<A HREF=\"mailto:я@b.c\">я@b.c</A>)"},
           {"ab://é\tпр£", "<A HREF=\"ab://é\">ab://é</A>\tпр£"},  // other pieces stay
           {"Цена:£5", "Цена:&pound;5"},
           {"http://a<b>", "<A HREF=\"http://a<b>\">http://a<b></A>"},  // links are not escaped
           {"x@y", "x@y"},
           {"x.y@z", "<A HREF=\"mailto:x.y@z\">x.y@z</A>"},
           // Sentence punctuation after an e-mail address stays outside the link.
           {"x@y.z.", "<A HREF=\"mailto:x@y.z\">x@y.z</A>."},
           {"x@y.z,", "<A HREF=\"mailto:x@y.z\">x@y.z</A>,"},
           {"x@y.z;:!?", "<A HREF=\"mailto:x@y.z\">x@y.z</A>;:!?"},
           {"x@y.", "x@y."},  // no address without its full stop: a plain word
           {"(x@y.z),", "(<A HREF=\"mailto:x@y.z\">x@y.z</A>),"},
           {"<x@y.z>.", "&lt;<A HREF=\"mailto:x@y.z\">x@y.z</A>&gt;."},
           {"@x.y", "@x.y"},
           {".x@y", ".x@y"},
           {"<x@y.z>", "&lt;<A HREF=\"mailto:x@y.z\">x@y.z</A>&gt;"},
           {"\"x@y.z\"", "&quot;<A HREF=\"mailto:x@y.z\">x@y.z</A>&quot;"},
           {"'x@y.z'", "'<A HREF=\"mailto:x@y.z\">x@y.z</A>'"},
           {"(x@y.z)", "(<A HREF=\"mailto:x@y.z\">x@y.z</A>)"},
           {"{x@y.z}", "{<A HREF=\"mailto:x@y.z\">x@y.z</A>}"},
           {"[x@y.z]", "[<A HREF=\"mailto:x@y.z\">x@y.z</A>]"},
           {"(x@y.z)]", "(<A HREF=\"mailto:x@y.z)\">x@y.z)</A>)"},  // last character dropped
           // ... all of it, however many bytes it takes.
           {"(x@y.z»", "(<A HREF=\"mailto:x@y.z\">x@y.z</A>)"},
           {"[x@y.zЖ", "[<A HREF=\"mailto:x@y.z\">x@y.z</A>]"},
           {"<x@y.z\U0001F642", "&lt;<A HREF=\"mailto:x@y.z\">x@y.z</A>&gt;"},
           // At least two characters before "://", not two bytes.
           {"é://x", "é://x"},
           {"П://y", "П://y"},
           {"éП://z", "<A HREF=\"éП://z\">éП://z</A>"},
           {"<x@y.z", "&lt;<A HREF=\"mailto:x@y.\">x@y.</A>&gt;"},
           {"&", "&amp;"},
           {"a&b", "a&b"},
           {"x<y", "x&lt;y"},
       })
    EXPECT_EQ(RenderWord(c.input), c.rendering) << c.input;
}

TEST(WordRendering, TabPiecesOfLinkWords) {
  for (const Case& c : std::vector<Case>{
           {"www.a.b\tx", "<A HREF=\"http://www.a.b\">www.a.b</A>\tx"},
           {"www.a.b\thttp://c.d,",
            "<A HREF=\"http://www.a.b\">www.a.b</A>\t"
            "<A HREF=\"http://c.d\">http://c.d</A>,"},
           {"http://a.b\tx\tftp.c.d\t<y>",
            "<A HREF=\"http://a.b\">http://a.b</A>\tx\t"
            "<A HREF=\"ftp://ftp.c.d\">ftp.c.d</A>\t<y>"},
           {"x\tftp.a.b\t<y>", "x\tftp.a.b\t&lt;y&gt;"},  // not a link word: a plain word
           {"www.a.b\t\tz", "<A HREF=\"http://www.a.b\">www.a.b</A>\t\tz"},
           // One piece: the link is the whole word, its final TAB included.
           {"www.a.b\t", "<A HREF=\"http://www.a.b\t\">www.a.b\t</A>"},
       })
    EXPECT_EQ(RenderWord(c.input), c.rendering) << c.input;
}

TEST(WordRendering, SpacingInsideALineIsKept) {
  for (const Case& c : std::vector<Case>{
           {"a b", "a b"},
           {"a  b", "a  b"},
           {"a   b", "a   b"},
           {" a", " a"},
           {"  a", "  a"},
           {"a ", "a"},
           {"a  ", "a "},
           {"a   ", "a  "},
           {" ", ""},
           {"  ", " "},
           {"", ""},
           {"<a> &  b", "&lt;a&gt; &amp;  b"},
           {"\ta\t", "\ta\t"},
           // Lines of plain words only are copied whole: what still makes a word more.
           {"plain words. only", "plain words. only"},
           {"a & b", "a &amp; b"},
           {"a&b &", "a&b &amp;"},
           {"x WWW.a.b", "x <A HREF=\"http://WWW.a.b\">WWW.a.b</A>"},
           {"ftp.a xwww.b", "<A HREF=\"ftp://ftp.a\">ftp.a</A> xwww.b"},
           {"see www.a.b  or x@y.z ",
            "see <A HREF=\"http://www.a.b\">www.a.b</A>  or "
            "<A HREF=\"mailto:x@y.z\">x@y.z</A>"},
           // Plain words around marked ones, at either end and between blanks.
           {"<b>  plain  \"q\"  ", "&lt;b&gt;  plain  &quot;q&quot; "},
           {" a  b & c d  ", " a  b &amp; c d "},
           {"&", "&amp;"},
           {"& ", "&amp;"},
           {"a &", "a &amp;"},
       })
    EXPECT_EQ(RenderLine(c.input), c.rendering) << "[" << c.input << "]";
}

// Every short word over the characters the rules look at: whatever is neither a link nor an e-mail
// word is exactly its escaped self.
TEST(WordRendering, AnyOtherWordIsEscaped) {
  const std::vector<std::string> alphabet = {"a", "W", "w", "F",  "f", "@", ":", "/",
                                             ".", "&", "<", "\"", "©", "€", "я"};
  std::vector<std::string> words = {""}, shorter = {""};
  for (int length = 1; length <= 3; ++length) {
    std::vector<std::string> longer;
    for (const std::string& word : shorter)
      for (const std::string& c : alphabet) longer.push_back(word + c);
    words.insert(words.end(), longer.begin(), longer.end());
    shorter = std::move(longer);
  }
  std::size_t plain = 0;
  for (const std::string& word : words) {
    if (IsLinkWord(word) || IsEmailWord(word)) continue;
    ++plain;
    EXPECT_EQ(RenderWord(word), EscapeWord(word)) << word;
  }
  EXPECT_GT(plain, 1000u);
}

// A line is rendered a run at a time: every line over the characters that make a word more than
// itself, and the blank that splits words, renders as its words one by one, joined by single
// spaces (the last of a line's trailing spaces closes its last word). Both escapings.
TEST(WordRendering, LinesRenderAsTheirWordsJoined) {
  const std::vector<std::string> alphabet = {" ", "a", "w", "f", "t",  "p",  ".", "&",
                                             ":", "/", "@", "<", "\"", "\t", "©", "€"};
  std::vector<std::string> lines = {""}, shorter = {""};
  for (int length = 1; length <= 4; ++length) {
    std::vector<std::string> longer;
    for (const std::string& line : shorter)
      for (const std::string& c : alphabet) longer.push_back(line + c);
    lines.insert(lines.end(), longer.begin(), longer.end());
    shorter = std::move(longer);
  }
  // Longer lines: runs of plain words on either side of the marked ones.
  for (const std::string& middle :
       std::vector<std::string>{"www.a.b", "x@y.z", "&", "\"q\"", "a:b", "ftp.x\ty"})
    for (const std::string& around : std::vector<std::string>{"", " ", "plain words ", "  x.y  "}) {
      lines.push_back(around + middle + around);
      lines.push_back(around + middle + " " + middle + around + "end.");
    }
  // Lines are searched a block at a time: a marked word, or a stop inside a plain one, at every
  // place of the first blocks.
  for (std::size_t before = 0; before <= 40; ++before)
    for (const std::string& middle :
         std::vector<std::string>{"www.a.b", "x@y.z", "&", "<q>", "a.b", "é"}) {
      const std::string plain(before, 'p'), after(20, 'q');
      lines.push_back(plain + " " + middle + " " + after);
      lines.push_back(plain + middle + after + " ");
    }
  for (const Escaping escaping : {Escaping::EntityTable, Escaping::MarkupOnly})
    for (const std::string& line : lines) {
      std::string words;
      std::size_t start = 0;
      for (std::size_t space = line.find(' '); space != std::string::npos;
           start = space + 1, space = line.find(' ', start)) {
        AppendWord(words, std::string_view(line).substr(start, space - start), escaping);
        words += ' ';
      }
      if (start < line.size())
        AppendWord(words, std::string_view(line).substr(start), escaping);
      else if (!words.empty())
        words.pop_back();
      std::string rendered;
      AppendLine(rendered, line, escaping);
      EXPECT_EQ(rendered, words) << "[" << line << "]";
    }
}

TEST(WordRendering, WordKinds) {
  EXPECT_TRUE(IsLinkWord("ab://"));
  EXPECT_FALSE(IsLinkWord("a://b://"));  // only the first "://" counts
  EXPECT_TRUE(IsLinkWord("wWw."));
  EXPECT_FALSE(IsLinkWord("www"));
  EXPECT_TRUE(IsEmailWord("a@b.c"));
  EXPECT_TRUE(IsEmailWord("a.b@c"));
  EXPECT_FALSE(IsEmailWord("a@b"));
  EXPECT_FALSE(IsEmailWord("@a.b"));
}

}  // namespace
}  // namespace quorella::html
