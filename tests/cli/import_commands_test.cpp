#include <filesystem>

#include "cli/cli_fixture.h"

namespace quorella::testing {
namespace {

using Import = CliTest;

std::string Golden(std::string_view name) {
  return ReadFile(SourceDir() + "tests/import/golden/" + std::string(name));
}

TEST_F(Import, SampleFaqBecomesANewFaq) {
  EXPECT_EQ(Ok({"import", SourceDir() + "data/quorella-faq.txt", "Sample"}), "10\n");
  EXPECT_EQ(ReadFile(app_dir + "Sample.dat"), Golden("quorella-faq.dat"));
  EXPECT_EQ(Ok({"list"}), "Sample\n");
  EXPECT_EQ(Ok({"get", "Sample", "TotalQuestions", "Title"}), "TotalQuestions=10\nTitle=FAQ\n");
}

// Files of other kinds: found from their names and content, or named with --format; the count is
// followed by the kind.
TEST_F(Import, OtherKindsOfFile) {
  WriteFile(dir / "faq.md", "# Title\n\n## How?\n\n**Like** this.\n\n## Why\n\nBecause.\n");
  EXPECT_EQ(Ok({"import", dir / "faq.md", "Md"}), "2\nMarkdown\n");
  EXPECT_EQ(Ok({"questions", "Md"}), "1. How?\n2. Why\n");
  EXPECT_EQ(Ok({"get", "Md", "Title"}), "Title=Title\n");
  EXPECT_NE(ReadFile(app_dir + "Md.dat").find("[Answer 0]\r\n4\r\n**Like** this.\r\n"),
            std::string::npos);
  WriteFile(dir / "faq.txt", "Q: One?\nA: 1\n\nQ: Two?\nA: 2\n");
  EXPECT_EQ(Ok({"import", dir / "faq.txt", "Qa"}), "2\nQ:/A: text\n");
  // Named, the kind is not guessed: as plain text this file has no question ending in "?".
  WriteFile(dir / "page.txt", "<dl><dt>Q</dt><dd>A</dd></dl>");
  EXPECT_EQ(Ok({"import", dir / "page.txt", "Html", "--format", "html"}), "1\nHTML\n");
  // The plain-text import's options choose it.
  WriteFile(dir / "plain.md", "# How?\nLike this.\n\n");
  EXPECT_EQ(Ok({"import", dir / "plain.md", "Plain", "--keep-numbers"}), "1\n");
  EXPECT_EQ(Ok({"questions", "Plain"}), "1. # How?\n");
  const ProcessResult none = Run({"import", dir / "faq.md", "None", "--format", "csv"});
  EXPECT_EQ(none.exit_code, 0);  // each line is a row: "# Title" is a question without answer
  const ProcessResult empty = Run({"import", dir / "plain.md", "E", "--format", "qa"});
  EXPECT_EQ(empty.exit_code, 1);
  EXPECT_EQ(empty.err, "No question was found in \"" + (dir / "plain.md") +
                           "\" (read as Q:/A: text); nothing was imported.\n");
  EXPECT_EQ(Run({"import", dir / "faq.md", "X", "--format", "rtf"}).exit_code, 2);
  EXPECT_EQ(Ok({"list"}), "Html\nMd\nNone\nPlain\nQa\n");
}

// A FAQ kept in a file under version control: import --replace-questions, then generate. The
// settings and the header and footer sections stay.
TEST_F(Import, ReplaceQuestionsKeepsTheSettings) {
  Ok({"add", "Site"});
  Ok({"set", "Site", "Title", "My site"});
  Ok({"add-question", "Site", "Old one?"});
  Ok({"add-question", "Site", "Old two?"});
  Ok({"add-question", "Site", "Old three?"});
  WriteFile(app_dir + "Site.dat",
            "\r\n[AnswerHeader]\r\n<p>head</p>\r\n\r\n####\r\n" + ReadFile(app_dir + "Site.dat"));
  WriteFile(dir / "faq.md", "## New?\n\nYes.\n");
  EXPECT_EQ(Ok({"import", dir / "faq.md", "site", "--replace-questions"}), "1\nMarkdown\n");
  EXPECT_EQ(Ok({"questions", "Site"}), "1. New?\n");
  EXPECT_EQ(Ok({"get", "Site", "Title", "TotalQuestions"}), "Title=My site\nTotalQuestions=1\n");
  EXPECT_EQ(ReadFile(app_dir + "Site.dat"),
            "\r\n[AnswerHeader]\r\n<p>head</p>\r\n\r\n####\r\n"
            "\r\n[Question 0]\r\nNew?\r\n\r\n####\r\n"
            "\r\n[Answer 0]\r\n4\r\nYes.\r\n\r\n####\r\n");
  EXPECT_FALSE(std::filesystem::exists(app_dir + "Site.dat.pending"));
  EXPECT_EQ(Run({"import", dir / "faq.md", "Nope", "--replace-questions"}).err,
            "There is no FAQ named \"Nope\".\n");
}

// What export writes, import reads back: questions, answers, formats and title.
TEST_F(Import, ExportReadsBackAsTheSameFaq) {
  Ok({"add", "FAQ"});
  Ok({"set", "FAQ", "Title", "Caf\u00e9 FAQ"});
  Ok({"add-question", "FAQ", "Two\nlines *and* [signs]?", "--answer", "a\n\n  b", "--format", "2"});
  Ok({"add-question", "FAQ", "\u041f\u0440\u0438\u0432\u0435\u0442?", "--answer",
      "# Heading\n**md**", "--format", "4"});
  Ok({"add-question", "FAQ", "Empty?"});
  for (const std::string format : {"markdown", "csv", "json"}) {
    const std::string file = dir / ("faq." + format);
    EXPECT_EQ(Ok({"export", "FAQ", file, "--format", format}), "");
    Ok({"import", file, "Copy " + format, "--format", format == "markdown" ? "markdown" : format});
    // A Markdown heading is one line: the question's line break comes back as a space.
    const std::string expected = format == "markdown" ? "Two lines *and* [signs]?" : "Two\r\nlines";
    const std::string copy = ReadFile(app_dir + "Copy " + format + ".dat");
    EXPECT_NE(copy.find("[Question 0]\r\n" + expected), std::string::npos) << copy;
    EXPECT_NE(copy.find("[Answer 0]\r\n2\r\na\r\n\r\n  b\r\n"), std::string::npos) << copy;
    EXPECT_NE(copy.find("[Answer 1]\r\n4\r\n# Heading\r\n**md**\r\n"), std::string::npos) << copy;
    EXPECT_EQ(Ok({"get", "Copy " + format, "Title"}),
              format == "csv" ? "Title=FAQ\n" : "Title=Caf\u00e9 FAQ\n");
  }
  EXPECT_EQ(Run({"export", "Nope", dir / "x.md"}).exit_code, 1);
  EXPECT_EQ(Run({"export", "FAQ", dir / "x.md", "--format", "html"}).exit_code, 2);
  const ProcessResult unwritable = Run({"export", "FAQ", dir / "faq.csv/x.md"});
  EXPECT_EQ(unwritable.exit_code, 1);
  EXPECT_EQ(unwritable.err.substr(0, 20), "Cannot create file \"");
}

TEST_F(Import, LfFileWithTheDefaults) {
  WriteFile(dir / "in.txt", "1. How?\nLike this.\n\n2. Why?\nBecause.\n\n");
  EXPECT_EQ(Ok({"import", dir / "in.txt", "FAQ"}), "2\n");
  EXPECT_EQ(ReadFile(app_dir + "FAQ.dat"), Golden("worked-example.dat"));
}

TEST_F(Import, OptionsSetTheSeparatorsAndCheckBoxes) {
  WriteFile(dir / "in.txt", "1. One\n---\nFirst.\n===\n2. Two\n---\nSecond.\n===\n");
  EXPECT_EQ(Ok({"import", dir / "in.txt", "FAQ", "--qa-sep", "\\r\\n---\\r\\n", "--aq-sep",
                "\\r\\n===\\r\\n", "--manual-sep", "--keep-numbers"}),
            "2\n");
  EXPECT_EQ(ReadFile(app_dir + "FAQ.dat"),
            "[Question 0]\r\n1. One\r\n\r\n####\r\n\r\n[Answer 0]\r\nFirst.\r\n\r\n####\r\n\r\n"
            "[Question 1]\r\n2. Two\r\n\r\n####\r\n\r\n[Answer 1]\r\nSecond.\r\n\r\n####\r\n\r\n");
}

TEST_F(Import, SeparatorEscapes) {
  struct Case {
    std::string text, separator, count;
  };
  const Case cases[] = {
      {"x\ty\tz", "\\t", "2\n"}, {"x\\y\\z", "\\\\", "2\n"},
      {"x\\qy", "\\q", "1\n"},  // not an escape: the backslash stays
      {"x\\", "\\", "1\n"},      {"a\nb\n", "\\r\\n", "2\n"},
      {"a\nb", "\\n", "1\n"},  // the working text holds CR LF
  };
  int n = 0;
  for (const Case& c : cases) {
    const std::string name = "F" + std::to_string(++n);
    WriteFile(dir / "in.txt", c.text);
    EXPECT_EQ(Ok({"import", dir / "in.txt", name, "--qa-sep", c.separator}), c.count)
        << c.separator;
  }
}

TEST_F(Import, FailuresWriteNothing) {
  Ok({"add", "FAQ"});
  WriteFile(dir / "in.txt", "Q?\r\nA.\r\n\r\n");
  WriteFile(dir / "big.txt", std::string(16 * 1024 * 1024 + 1, 'x'));
  WriteFile(dir / "cp1252.txt", "Q?\r\nCaf\xE9.\r\n\r\n");
  struct Case {
    std::vector<std::string> args;
    std::string message;
  };
  const std::vector<Case> cases = {
      {{"import", dir / "missing.txt", "New"},
       "Cannot open file \"" + dir / "missing.txt" + "\". No such file or directory\n"},
      {{"import", dir / "big.txt", "New"}, "Text exceeds memo capacity\n"},
      {{"import", dir / "in.txt", "New", "--qa-sep", ""},
       "The question - answer separator is empty. Please enter the text that ends a question.\n"},
      {{"import", dir / "in.txt", "faq"}, "The name already exists. Please select a new one.\n"},
      {{"import", dir / "in.txt", ""}, "Please enter a name for FAQ.\n"},
      {{"import", dir / "cp1252.txt", "New", "--encoding", "utf-8"},
       "Line 2 is not valid UTF-8 text. Nothing was imported.\n"},
  };
  for (const Case& c : cases) {
    const ProcessResult result = Run(c.args);
    EXPECT_EQ(result.exit_code, 1) << c.message;
    EXPECT_EQ(result.err, c.message);
    EXPECT_EQ(result.out, "");
  }
  EXPECT_EQ(Ok({"list"}), "FAQ\n");
  EXPECT_EQ(ReadFile(app_dir + "FAQ.dat"), "");
  EXPECT_FALSE(std::filesystem::exists(app_dir + "New.dat"));
}

// The file's encoding found from its bytes or named; the document keeps Windows-1252 while every
// character fits and is written in UTF-8 with the mark once one does not.
TEST_F(Import, EncodingFoundOrNamed) {
  const std::string utf8 = "Привет, 日本?\r\nЗдравствуйте 🙂\r\n\r\n";
  const std::string document =
      "[Question 0]\r\nПривет, 日本?\r\n\r\n####\r\n\r\n"
      "[Answer 0]\r\nЗдравствуйте 🙂\r\n\r\n####\r\n\r\n";
  WriteFile(dir / "utf8.txt", utf8);
  WriteFile(dir / "bom.txt", "\xEF\xBB\xBF" + utf8);
  WriteFile(dir / "cp1252.txt", "Caf\xE9?\r\n\x80 5.\r\n\r\n");
  EXPECT_EQ(Ok({"import", dir / "utf8.txt", "Auto"}), "1\n");
  EXPECT_EQ(ReadFile(app_dir + "Auto.dat"), "\xEF\xBB\xBF" + document);
  EXPECT_EQ(Ok({"questions", "Auto"}), "1. Привет, 日本?\n");
  EXPECT_EQ(Ok({"import", dir / "bom.txt", "Bom", "--encoding", "utf-8"}), "1\n");
  EXPECT_EQ(ReadFile(app_dir + "Bom.dat"), "\xEF\xBB\xBF" + document);
  EXPECT_EQ(Ok({"import", dir / "cp1252.txt", "Western", "--encoding", "auto"}), "1\n");
  EXPECT_EQ(
      ReadFile(app_dir + "Western.dat"),
      "[Question 0]\r\nCaf\xE9?\r\n\r\n####\r\n\r\n[Answer 0]\r\n\x80 5.\r\n\r\n####\r\n\r\n");
  EXPECT_EQ(Ok({"questions", "Western"}), "1. Café?\n");
  // UTF-8 read as Windows-1252 is what the user asked for, and every character of it fits.
  EXPECT_EQ(Ok({"import", dir / "utf8.txt", "Forced", "--encoding", "windows-1252"}), "1\n");
  EXPECT_EQ(ReadFile(app_dir + "Forced.dat"), document);
}

TEST_F(Import, AnUnwritableDocumentIsReportedAndNothingElseDone) {
  WriteFile(dir / "in.txt", "Q?\r\nA.\r\n\r\n");
  std::filesystem::create_directories(app_dir + "Taken.dat");  // a folder where the file goes
  const ProcessResult result = Run({"import", dir / "in.txt", "Taken"});
  EXPECT_EQ(result.exit_code, 1);
  EXPECT_EQ(result.err, "Cannot create file \"" + app_dir + "Taken.dat\". Is a directory\n");
  EXPECT_EQ(Ok({"list"}), "");
}

TEST_F(Import, TestKeyIsUsedWithTest) {
  WriteFile(dir / "in.txt", "Q?\r\nA.\r\n\r\n");
  EXPECT_EQ(Ok({"--test", "import", dir / "in.txt", "Trial"}), "1\n");
  EXPECT_EQ(Ok({"--test", "list"}), "Trial\n");
  EXPECT_EQ(Ok({"list"}), "");
}

TEST_F(Import, WrongCommandLinesExitWithTwo) {
  for (const std::vector<std::string>& args :
       std::vector<std::vector<std::string>>{{"import"},
                                             {"import", "file.txt"},
                                             {"import", "f", "N", "--qa-sep"},
                                             {"import", "f", "N", "--bogus"},
                                             {"import", "f", "N", "--encoding", "latin-1"},
                                             {"import", "f", "N", "--encoding"}}) {
    const ProcessResult result = Run(args);
    EXPECT_EQ(result.exit_code, 2) << args.size();
    EXPECT_NE(result.err, "");
  }
}

}  // namespace
}  // namespace quorella::testing
