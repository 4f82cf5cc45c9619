// The readers of Markdown, HTML, CSV, Q:/A: text and JSON files, the kind found for a file, and the
// export that each reads back.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "import/csv_import.h"
#include "import/faq_export.h"
#include "import/faq_file.h"
#include "import/html_import.h"
#include "import/html_nesting.h"
#include "import/import_format.h"
#include "import/json_faq.h"
#include "import/markdown_import.h"
#include "import/qa_import.h"
#include "support/temp_dir.h"
#include "util/errors.h"
#include "util/file_io.h"

namespace quorella {

void PrintTo(const ImportedQuestion& question, std::ostream* out) {
  *out << "{" << ::testing::PrintToString(question.question) << ", "
       << ::testing::PrintToString(question.answer) << ", " << question.format << "}";
}

namespace {

using Questions = std::vector<ImportedQuestion>;

std::vector<std::string> QuestionTexts(const ImportedFaq& faq) {
  std::vector<std::string> texts;
  for (const ImportedQuestion& question : faq.questions) texts.push_back(question.question);
  return texts;
}

TEST(ImportFormats, FoundByNameThenByContent) {
  struct Case {
    std::string path, text;
    ImportFormat format;
  };
  for (const Case& c : std::vector<Case>{
           {"a/faq.MD", "How?\r\nLike this.", ImportFormat::Markdown},
           {"faq.htm", "", ImportFormat::Html},
           {"faq.csv", "", ImportFormat::Csv},
           {"faq.json", "", ImportFormat::Json},
           {"dir.md/faq", "How?\r\nLike this.\r\n\r\n", ImportFormat::Text},
           {"faq.txt", "  <!DOCTYPE html><html>", ImportFormat::Html},
           {"faq", "<p>intro</p><body>", ImportFormat::Html},
           {"faq", "Q: a?\r\nA: b\r\n\r\nq: c?\r\na: d\r\n", ImportFormat::Qa},
           {"faq", "Q: only one?\r\nA: b\r\n", ImportFormat::Text},
           {"faq", "# FAQ\r\n## How?\r\nLike this.\r\n", ImportFormat::Markdown},
           // Headings inside a fence are code, not headings.
           {"faq", "```\r\n# one\r\n# two\r\n```\r\n", ImportFormat::Text},
           {"faq", "#hashtag\r\n#another\r\n", ImportFormat::Text},
           {"faq", "Question;Answer\r\nHow?;Like this.\r\n", ImportFormat::Csv},
           {"faq", " {\"questions\": []}", ImportFormat::Json},
           {"faq", "[ {\"question\": \"q\"} ]", ImportFormat::Json},
           // A document's text is the plain-text kind, as it always was.
           {"faq", "[Question 0]\r\nHow?\r\n", ImportFormat::Text},
       })
    EXPECT_EQ(DetectImportFormat(c.path, c.text), c.format) << c.path << " " << c.text;
}

TEST(ImportFormats, WordsAndNames) {
  for (const std::string_view word : {"text", "markdown", "html", "csv", "qa", "json"})
    EXPECT_EQ(ImportFormatWord(*ParseImportFormat(word)), word);
  EXPECT_EQ(ParseImportFormat("md"), std::nullopt);
  EXPECT_EQ(ImportFormatName(ImportFormat::Qa), "Q:/A: text");
}

TEST(MarkdownImport, HeadingsOfTheCommonestLevelAreTheQuestions) {
  const ImportedFaq faq = ReadMarkdownFaq(
      "# Our FAQ\r\n"
      "Intro, dropped.\r\n"
      "## General\r\n"
      "Category text, dropped.\r\n"
      "### What is **it**?\r\n"
      "It is [this](https://a.b/c).\r\n"
      "\r\n"
      "#### Details\r\n"
      "```\r\n"
      "# not a heading\r\n"
      "```\r\n"
      "\r\n"
      "### A heading without a question mark\r\n"
      "Answer two.\r\n"
      "### `code` & <b>html</b> \\*stars\\*\r\n"
      "Setext\r\n"
      "------\r\n"
      "under a higher level: no longer an answer\r\n");
  EXPECT_EQ(faq.title, "Our FAQ");
  EXPECT_EQ(faq.questions, (Questions{{"What is <strong>it</strong>?",
                                       "It is [this](https://a.b/c).\r\n\r\n#### Details\r\n```\r\n"
                                       "# not a heading\r\n```\r\n",
                                       4},
                                      {"A heading without a question mark", "Answer two.\r\n", 4},
                                      {"<code>code</code> & <b>html</b> *stars*", "", 4}}));
}

TEST(MarkdownImport, DetailsBlocksWhenTheyOutnumberTheHeadings) {
  const ImportedFaq faq = ReadMarkdownFaq(
      "## Questions\r\n\r\n"
      "<details>\r\n<summary>How do I <i>start</i>?</summary>\r\n\r\nRun **it**.\r\n\r\n"
      "</details>\r\n\r\n"
      "<details><summary>Why?</summary>\r\n<details><summary>inner</summary>x</details>\r\n"
      "Because.\r\n</details>\r\n");
  EXPECT_EQ(
      faq.questions,
      (Questions{{"How do I <i>start</i>?", "Run **it**.\r\n", 4},
                 {"Why?", "<details><summary>inner</summary>x</details>\r\nBecause.\r\n", 4}}));
}

TEST(HtmlImport, EachKindOfPage) {
  struct Case {
    std::string name, html;
    std::vector<std::string> questions;
    std::string first_answer;
  };
  for (const Case& c : std::vector<Case>{
           {"definition list",
            "<nav><dl><dt>Menu?</dt><dd>no</dd></dl></nav>"
            "<dl><dt>How?</dt><dd>Like <b>this</b>.</dd><div><dt>Why?</dt><dd>Because.</dd></div>"
            "</dl>",
            {"How?", "Why?"},
            "Like <b>this</b>.\r\n"},
           {"details",
            "<details><summary>One?</summary><p onclick=\"x()\">1</p></details>"
            "<details><summary>Two?</summary>2</details>",
            {"One?", "Two?"},
            "<p>1</p>\r\n"},
           {"headings",
            "<h1>Title</h1><h2>A &lt;b&gt;?</h2><p>a</p><h3>sub</h3><p>b</p>"
            "<h2>B?</h2><script>evil()</script><p>c <a href=\"javascript:evil()\">x</a> "
            "<a href=\"rel/page.html\">y</a></p><footer>(c) 2024</footer>",
            {"A &lt;b&gt;?", "B?"},
            "<p>a</p><h3>sub</h3><p>b</p>\r\n"},
           {"bold questions a table of contents points at",
            "<ul><li><a href=\"#q1\">First</a></li><li><a href=\"#q2\">Second</a></li></ul>"
            "<p><a name=\"q1\"></a><b>First?</b><br>Answer one.</p>"
            "<p id=\"q2\"><strong>Second?</strong> Answer two.</p><p>More two.</p>",
            {"First?", "Second?"},
            "<br>Answer one.\r\n"},
           {"JSON-LD",
            "<script type=\"application/ld+json\">{\"@context\":\"https://schema.org\","
            "\"@type\":\"FAQPage\",\"mainEntity\":[{\"@type\":\"Question\",\"name\":\"J?\","
            "\"acceptedAnswer\":{\"@type\":\"Answer\",\"text\":\"<b>Yes</b><script>x<\\/script>"
            "\"}}]}</script><h2>Not this?</h2><h2>Nor this?</h2>",
            {"J?"},
            "<b>Yes</b>\r\n"},
           {"microdata",
            "<div itemscope itemtype=\"https://schema.org/FAQPage\"><div itemscope "
            "itemprop=\"mainEntity\" itemtype=\"https://schema.org/Question\"><h3 "
            "itemprop=\"name\">M?</h3><div itemscope itemprop=\"acceptedAnswer\" "
            "itemtype=\"https://schema.org/Answer\"><div itemprop=\"text\">Sure.</div></div>"
            "</div></div>",
            {"M?"},
            "Sure.\r\n"},
       }) {
    const ImportedFaq faq = ReadHtmlFaq(c.html);
    EXPECT_EQ(QuestionTexts(faq), c.questions) << c.name;
    if (!faq.questions.empty()) {
      EXPECT_EQ(faq.questions[0].answer, c.first_answer) << c.name;
      EXPECT_EQ(faq.questions[0].format, 3) << c.name;
    }
  }
  const ImportedFaq faq = ReadHtmlFaq(
      "<h1>T</h1><h2>B?</h2><script>e()</script><p>c <a href=\"javascript:e()\">x</a> "
      "<a href=\"rel/p.html\" onmouseover=\"e()\">y</a></p><h2>C?</h2>");
  EXPECT_EQ(faq.title, "T");
  EXPECT_EQ(faq.questions[0].answer, "<p>c <a>x</a> <a href=\"rel/p.html\">y</a></p>\r\n");
}

// DocBook's question and answer tables: a contents list links to "page.html#name", and the bold
// question follows the anchor and a bold number label.
TEST(HtmlImport, DocBookQuestionsAfterTheirNumbers) {
  const ImportedFaq faq = ReadHtmlFaq(
      "<title>T</title><dl><dt>1.1. <a href=\"faq.html#q1\">One?</a></dt>"
      "<dt>1.2. <a href=\"faq.html#q2\">Two?</a></dt></dl><table>"
      "<tr><td><a name=\"q1\"></a><p><b>1.1.</b></p></td><td><p><b>One?</b></p></td></tr>"
      "<tr><td></td><td><p>Answer one.</p></td></tr>"
      "<tr><td><a name=\"q2\"></a><p><b>1.2.</b></p></td><td><p><b>Two?</b></p></td></tr>"
      "<tr><td></td><td><p>Answer two.</p></td></tr></table>");
  ASSERT_EQ(QuestionTexts(faq), (std::vector<std::string>{"One?", "Two?"}));
  EXPECT_NE(faq.questions[0].answer.find("<p>Answer one.</p>"), std::string::npos);
  EXPECT_EQ(faq.questions[0].answer.find("1.2."), std::string::npos);
  EXPECT_EQ(faq.questions[0].answer.find("Two"), std::string::npos);
}

TEST(HtmlImport, NestingBeyondAnyRealPageIsRefusedAtOnce) {
  std::string deep;
  for (int i = 0; i < 100000; ++i) deep += "<div>";
  EXPECT_EQ(HtmlNestingDepth(deep), 100000u);
  EXPECT_THROW(ReadHtmlFaq(deep), Error);
  std::string flat;
  for (int i = 0; i < 100000; ++i) flat += "<p>x<li>y<br><img src=a><td>";
  EXPECT_EQ(HtmlNestingDepth(flat + "<script>" + deep + "</script>"), 1u);
}

TEST(CsvImport, HeaderOrColumnsInOrder) {
  EXPECT_EQ(ReadCsvFaq("Answer;Question;Format\r\n\"Yes;\r\nreally\";\"Is it?\";4\r\n"
                       "no question;;0\r\n")
                .questions,
            (Questions{{"Is it?", "Yes;\r\nreally\r\n", 4}}));
  EXPECT_EQ(ReadCsvFaq("How?,Like this.\nWhy?,\"Because, \"\"so\"\"\",x\n").questions,
            (Questions{{"How?", "Like this.\r\n", 0}, {"Why?", "Because, \"so\"\r\n", 0}}));
}

TEST(QaImport, MarkersWithTheirContinuationLines) {
  const ImportedFaq faq = ReadQaFaq(
      "Title\r\n\r\n"
      "Q:  How do I\r\n    start?\r\n\r\n"
      "A:  Like this.\r\n    More.\r\n\r\n    Second paragraph.\r\n\r\n"
      "Section heading\r\n"
      "q: Why?\r\na: Because.\r\n");
  EXPECT_EQ(faq.questions,
            (Questions{{"How do I start?", "Like this.\r\nMore.\r\n\r\nSecond paragraph.\r\n", 0},
                       {"Why?", "Because.\r\n", 0}}));
}

// Files as their Debian packages install them.
TEST(FaqFiles, RealFaqsOfEachKind) {
  struct Case {
    std::string file;
    ImportFormat format;
    std::size_t count;
    std::string first, last;
  };
  for (const Case& c : std::vector<Case>{
           {"xz-faq.txt", ImportFormat::Qa, 18, "What do the letters XZ mean?",
            "The default build of liblzma is too big. How can I make it smaller?"},
           {"zlib-faq.txt", ImportFormat::Text, 39, "Is zlib Y2K-compliant?",
            "Can you please sign these lengthy legal documents and fax them back to us so that we "
            "can use your software in our product?"},
           {"libxslt-faq.html", ImportFormat::Html, 3,
            "Troubles compiling or linking programs using libxslt", "Is there C++ bindings ?"},
       }) {
    const FaqFile file =
        ReadFaqFile(testing::SourceDir() + "tests/import/data/" + c.file, std::nullopt);
    EXPECT_EQ(file.format, c.format) << c.file;
    ASSERT_EQ(file.faq.questions.size(), c.count) << c.file;
    EXPECT_EQ(file.faq.questions.front().question, c.first) << c.file;
    EXPECT_EQ(file.faq.questions.back().question, c.last) << c.file;
    EXPECT_FALSE(file.faq.questions.front().answer.empty()) << c.file;
  }
}

TEST(FaqFiles, AFileWithoutQuestionsIsAnError) {
  testing::TempDir dir;
  WriteWholeFile(dir / "empty.md", "Just text.\n");
  try {
    ReadFaqFile(dir / "empty.md", std::nullopt);
    FAIL();
  } catch (const Error& e) {
    EXPECT_EQ(std::string(e.what()), "No question was found in \"" + (dir / "empty.md") +
                                         "\" (read as Markdown); nothing was imported.");
  }
  // Binary junk is read without a crash and gives no question.
  std::mt19937 random(7);
  std::string junk(1 << 16, '\0');
  for (char& c : junk) c = static_cast<char>(random() % 255 + 1);
  for (const ImportFormat format : {ImportFormat::Markdown, ImportFormat::Html, ImportFormat::Csv,
                                    ImportFormat::Qa, ImportFormat::Json})
    ReadFaqText(format, junk);
}

// A question written as a heading reads back as it is, whatever markup it holds (the first case
// was found by faq_reader_fuzz: raw HTML takes no escapes).
TEST(FaqExport, AQuestionReadsBackFromItsHeading) {
  for (const std::string question :
       {"<!-- q#ore -->fo<details>###c\";", "<b>bold</b> & <i>", "a <http://x.y> b <x@y.z>",
        "*not em* _nor_ `code` ~~del~~ [link](u) ![img](i)", "ends in #", "\\ back \\\\",
        "&amp; &copy; &#35; &", "1. list? - item? > quote?", "www.a.b http://c.d"}) {
    const ImportedFaq faq = ReadMarkdownFaq("## " + MarkdownHeadingText(question) + "\n\nA\n");
    ASSERT_EQ(faq.questions.size(), 1u) << question;
    EXPECT_EQ(faq.questions[0].question, question);
  }
}

// Random FAQs with every text format, line breaks, blanks, Markdown's and HTML's signs and
// characters of several scripts: each export reads back as the same FAQ.
TEST(FaqExport, EveryFormatReadsBackAsTheSameFaq) {
  const std::vector<std::string> pieces = {
      "a", "Zed", " ",          "  ",      "*",       "_",    "`", "#",     "[",
      "]", "\\",  "<b>",        "</b>",    "<",       ">",    "&", "&amp;", "\"",
      ",", ";",   "é",          "Привет",  "目录",    "🙂", "~", "!",     "|",
      "-", "1.",  "http://a.b", "<x@y.z>", "www.c.d", "'",    "\t"};
  std::mt19937 random(2024);
  const auto text = [&](std::size_t most, bool lines) {
    std::string out;
    const std::size_t n = random() % most + 1;
    for (std::size_t i = 0; i < n; ++i) {
      out += pieces[random() % pieces.size()];
      if (lines && random() % 5 == 0) out += random() % 3 == 0 ? "\r\n\r\n" : "\r\n";
    }
    return out;
  };
  for (int round = 0; round < 300; ++round) {
    ImportedFaq faq;
    faq.title = "T" + text(4, false) + ".";
    std::replace(faq.title.begin(), faq.title.end(), '\t', ' ');
    const std::size_t count = random() % 6 + 1;
    for (std::size_t i = 0; i < count; ++i) {
      // A Markdown heading holds one line without blanks at either end.
      std::string question = "Q" + text(8, false) + "?";
      std::replace(question.begin(), question.end(), '\t', ' ');
      const int format = static_cast<int>(random() % 5);
      std::string answer = text(30, true);
      faq.questions.push_back(
          ImportedQuestionOf(question, std::to_string(format) + "\r\n" + answer));
    }
    for (const ExportFormat format :
         {ExportFormat::Markdown, ExportFormat::Csv, ExportFormat::Json}) {
      const std::string exported = ExportFaqText(faq, format);
      const ImportFormat kind = format == ExportFormat::Markdown ? ImportFormat::Markdown
                                : format == ExportFormat::Csv    ? ImportFormat::Csv
                                                                 : ImportFormat::Json;
      ImportedFaq read = ReadFaqText(kind, exported);
      if (format == ExportFormat::Csv) read.title = faq.title;  // CSV has no room for it
      ASSERT_EQ(read, faq) << exported;
    }
  }
}

}  // namespace
}  // namespace quorella
