// Inputs the fuzz targets found, kept as regression tests.
#include <gtest/gtest.h>

#include "store/document.h"
#include "store/question_sections.h"
#include "support/temp_dir.h"
#include "util/file_io.h"

namespace quorella {
namespace {

struct AppendCase {
  std::string content;
  std::string name;
  std::vector<std::string> lines;
  std::string written;
};

// An appended section used to keep the document's own line ends, and the next write of the same
// lines, which rewrites every line, then changed the file.
const std::vector<AppendCase> kAppendCases = {
    {"\n", "", {""}, "\r\n\r\n[]\r\n\r\n\r\n####\r\n"},
    {"a\nb", "S", {"s"}, "a\r\nb\r\n[S]\r\ns\r\n\r\n####\r\n"},
    {"a\rb\r", "S", {"s"}, "a\r\nb\r\n\r\n[S]\r\ns\r\n\r\n####\r\n"},
    {"[T]\nt\n####\n", "S", {}, "[T]\r\nt\r\n####\r\n\r\n[S]\r\n\r\n####\r\n"},
};

TEST(DocumentFuzzFindings, WritingTheSameSectionTwiceChangesNothingWhateverTheLineEnds) {
  for (const auto& row : kAppendCases) {
    const std::string once = WriteSectionInText(row.content, row.name, row.lines);
    EXPECT_EQ(once, row.written) << row.content;
    EXPECT_EQ(WriteSectionInText(once, row.name, row.lines), once) << row.content;
  }
}

TEST(DocumentFuzzFindings, TheFileIsLeftAsItWasByTheSecondWrite) {
  testing::TempDir dir;
  const std::string doc = dir / "FAQ.dat";
  testing::WriteFile(doc, "\n");
  WriteSection(doc, "", {""});
  const std::string once = ReadFileIfExists(doc).value_or("");
  WriteSection(doc, "", {""});
  EXPECT_EQ(ReadFileIfExists(doc).value_or(""), once);
  EXPECT_EQ(once, "\r\n\r\n[]\r\n\r\n\r\n####\r\n");
}

// A name holding "]" has a header that reads back as the name up to that "]"; body lines that look
// like that header were shifted only from the second write on.
TEST(DocumentFuzzFindings, ANameHoldingABracketShiftsItsHeaderLikeLinesFromTheFirstWrite) {
  const std::vector<std::string> lines = {"[a]", "[a]b]"};
  const std::string once = WriteSectionInText(std::string("loose"), "a]b", lines);
  EXPECT_EQ(once, "loose\r\n[a]b]\r\n [a]\r\n [a]b]\r\n\r\n####\r\n");
  EXPECT_EQ(WriteSectionInText(once, "a]b", lines), once);
  EXPECT_EQ(ReadSectionFromText(once, "a]b"), " [a]\r\n [a]b]\r\n");
}

TEST(DocumentFuzzFindings, AWholeQuestionListAppendedMakesTheLineEndsCrLf) {
  const auto text = QuestionListInText(std::string("title\nline"), {"Q?"}, {"0\r\nA"});
  ASSERT_TRUE(text.has_value());
  EXPECT_EQ(*text,
            "title\r\nline\r\n[Question 0]\r\nQ?\r\n\r\n####\r\n\r\n[Answer 0]\r\n0\r\nA\r\n\r\n"
            "####\r\n");
}

}  // namespace
}  // namespace quorella
