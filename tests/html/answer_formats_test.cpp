#include "html/answer_formats.h"

#include <gtest/gtest.h>

#include "html/markdown_answer.h"
#include "store/answer.h"

namespace quorella::html {
namespace {

TEST(AnswerFormats, SmartFormatWorkedExample) {
  EXPECT_EQ(SmartFormat("See www.a.b.\r\n\r\nMail (x@y.z) or use <b>.\r\n"),
            "See <A HREF=\"http://www.a.b\">www.a.b</A>.\r\n"
            "<P>\r\n"
            "Mail (<A HREF=\"mailto:x@y.z\">x@y.z</A>) or use &lt;b&gt;.");
}

struct Case {
  std::string text, smart, linefeeds, format;
};

TEST(AnswerFormats, TheThreeFormatsJoinLinesTheirOwnWay) {
  for (const Case& c : std::vector<Case>{
           {"", "", "", "<pre></pre>"},
           {"a", "a", "a<br>", "<pre>\r\na</pre>"},
           {"a\r\n", "a", "a<br>", "<pre>\r\na</pre>"},
           {"a\r\nb", "a\r\nb", "a<br>\r\nb<br>", "<pre>\r\na\r\nb</pre>"},
           {"a\r\n\r\nb\r\n", "a\r\n<P>\r\nb", "a<br>\r\n<br>\r\nb<br>",
            "<pre>\r\na\r\n\r\nb</pre>"},
           {"\r\n", "<P>", "<br>", "<pre>\r\n</pre>"},
           {"a  b ", "a  b", "a  b<br>", "<pre>\r\na  b</pre>"},
           {" ", "", "<br>", "<pre>\r\n</pre>"},
           {"x\ny\rz", "x\r\ny\r\nz", "x<br>\r\ny<br>\r\nz<br>", "<pre>\r\nx\r\ny\r\nz</pre>"},
           {"1<2", "1&lt;2", "1&lt;2<br>", "<pre>\r\n1&lt;2</pre>"},
       }) {
    EXPECT_EQ(SmartFormat(c.text), c.smart) << c.text;
    EXPECT_EQ(RetainLinefeeds(c.text), c.linefeeds) << c.text;
    EXPECT_EQ(RetainFormat(c.text), c.format) << c.text;
  }
}

TEST(AnswerFormats, StoredAnswersByTheirFormatLine) {
  struct Stored {
    std::string section;
    std::optional<std::string> html;
  };
  for (const Stored& c : std::vector<Stored>{
           {"0\r\nA1", "A1"},
           {"1\r\nA1\r\nA2", "A1<br>\r\nA2<br>"},
           {"2\r\nA  1", "<pre>\r\nA  1</pre>"},
           {"3\r\n<b>as is</b>", "<b>as is</b>\r\n"},  // ends with a line break of its own
           {"3", ""},
           {"-1\r\n<b>", "&lt;b&gt;"},  // below 0 is Smart format
           {"4\r\n*md*", "<p><em>md</em></p>"},
           {"5\r\nhidden", std::nullopt},
           {"7", std::nullopt},
           {"$2\r\nx", "<pre>\r\nx</pre>"},  // the integer syntax takes hexadecimal
           {" 1\r\nx", "x<br>"},
           {"Yes\r\nno", "Yes\r\nno"},  // not a number: part of a Smart format answer
           {"1 \r\nx", "1\r\nx"},
           {"", ""},  // a missing or empty section
       })
    EXPECT_EQ(RenderStoredAnswer(c.section), c.html) << c.section;
}

TEST(AnswerFormats, AppendingLeavesWhatWasThereBefore) {
  struct Appended {
    std::string stored;
    bool kept;
    std::string out;
  };
  for (const Appended& c : std::vector<Appended>{{"0", true, "ab\r\n"},
                                                 {"1", true, "ab\r\n"},
                                                 {"2", true, "ab\r\n<pre></pre>"},
                                                 {"3", true, "ab\r\n"},
                                                 {"0\r\nx", true, "ab\r\nx"},
                                                 {"5\r\nx", false, "ab\r\n"}}) {
    std::string out = "ab\r\n";
    EXPECT_EQ(AppendStoredAnswer(out, c.stored), c.kept) << c.stored;
    EXPECT_EQ(out, c.out) << c.stored;
  }
}

// The answer is rendered from the stored text in place; it must read exactly as the parsed answer
// (format line taken off, the lines joined again) reads, whatever the line ends.
TEST(AnswerFormats, StoredAnswersReadAsTheParsedAnswer) {
  for (const std::string prefix : {"", "0", "1", "2", "3", "4", "9", "-4", "x", " 2 ", "$1"})
    for (const std::string separator : {"\r\n", "\n", "\r"})
      for (const std::string rest : {"", "a", "a\r\n", "\r\nb", "a\nb\r\rc\r\n", "<a> \r\n\n"}) {
        const std::string stored = prefix + (prefix.empty() ? "" : separator) + rest;
        const StoredAnswer parsed = ParseStoredAnswer(stored);
        const std::string text = AnswerText(parsed);
        std::optional<std::string> expected;
        if (parsed.format <= 0) expected = SmartFormat(text);
        if (parsed.format == 1) expected = RetainLinefeeds(text);
        if (parsed.format == 2) expected = RetainFormat(text);
        if (parsed.format == 3) expected = text;
        if (parsed.format == 4) expected = RenderMarkdown(text);
        EXPECT_EQ(RenderStoredAnswer(stored), expected) << stored;
      }
}

// Markdown answers: CommonMark and GitHub's extensions through md4c, headings below the
// question's level, raw HTML as typed, lines ended as the page's lines.
TEST(AnswerFormats, MarkdownAnswers) {
  struct Markdown {
    std::string text, html;
  };
  for (const Markdown& c : std::vector<Markdown>{
           {"", ""},
           {"**bold** and `code`", "<p><strong>bold</strong> and <code>code</code></p>"},
           {"# Top\r\n## Next\r\n###### Deep", "<h3>Top</h3>\r\n<h4>Next</h4>\r\n<h6>Deep</h6>"},
           // A heading typed as HTML is the owner's and keeps its level.
           {"<h1>raw</h1>", "<h1>raw</h1>"},
           {"see [the list](https://a.b/c?d=1&e)",
            "<p>see <a href=\"https://a.b/c?d=1&amp;e\">the list</a></p>"},
           {"www.a.b and x@y.z",
            "<p><a href=\"http://www.a.b\">www.a.b</a> and "
            "<a href=\"mailto:x@y.z\">x@y.z</a></p>"},
           {"| a |\n|---|\n| 1 |",
            "<table>\r\n<thead>\r\n<tr>\r\n<th>a</th>\r\n</tr>\r\n</thead>\r\n<tbody>\r\n"
            "<tr>\r\n<td>1</td>\r\n</tr>\r\n</tbody>\r\n</table>"},
           {"~~gone~~", "<p><del>gone</del></p>"},
           {"- [x] done",
            "<ul>\r\n<li class=\"task-list-item\"><input type=\"checkbox\" "
            "class=\"task-list-item-checkbox\" disabled checked>done</li>\r\n</ul>"},
           {"a < b & \"c\" caf\u00e9", "<p>a &lt; b &amp; &quot;c&quot; caf\u00e9</p>"},
           {"<div onclick=\"x()\">\r\nhi\r\n</div>", "<div onclick=\"x()\">\r\nhi\r\n</div>"},
           {"    code\r\n    more", "<pre><code>code\r\nmore\r\n</code></pre>"},
       })
    EXPECT_EQ(RenderMarkdown(c.text), c.html) << c.text;
  std::string modern;
  AppendMarkdown(modern, "# A\r\n\r\nb", "\n");
  EXPECT_EQ(modern, "<h3>A</h3>\n<p>b</p>");
}

}  // namespace
}  // namespace quorella::html
