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

// An appended section keeps the document's own bytes; the next write of the same lines replaces
// the section and so rewrites every line with CR LF, and from then on the file stays as it is.
const std::vector<AppendCase> kAppendCases = {
    {"\n", "", {""}, "\n\r\n[]\r\n\r\n\r\n####\r\n"},
    {"a\nb", "S", {"s"}, "a\nb\r\n[S]\r\ns\r\n\r\n####\r\n"},
    {"a\rb\r", "S", {"s"}, "a\rb\r\r\n[S]\r\ns\r\n\r\n####\r\n"},
    {"[T]\nt\n####\n", "S", {}, "[T]\nt\n####\n\r\n[S]\r\n\r\n####\r\n"},
};

TEST(DocumentFuzzFindings, AppendingKeepsTheDocumentsBytesAndTheSecondWriteSettles) {
  for (const auto& row : kAppendCases) {
    const std::string once = WriteSectionInText(row.content, row.name, row.lines);
    EXPECT_EQ(once, row.written) << row.content;
    const std::string twice = WriteSectionInText(once, row.name, row.lines);
    EXPECT_EQ(WriteSectionInText(twice, row.name, row.lines), twice) << row.content;
    EXPECT_EQ(ReadSectionFromText(twice, row.name), ReadSectionFromText(once, row.name))
        << row.content;
  }
}

TEST(DocumentFuzzFindings, TheFileSettlesAfterTheSecondWrite) {
  testing::TempDir dir;
  const std::string doc = dir / "FAQ.dat";
  testing::WriteFile(doc, "\n");
  WriteSection(doc, "", {""});
  EXPECT_EQ(ReadFileIfExists(doc).value_or(""), "\n\r\n[]\r\n\r\n\r\n####\r\n");
  WriteSection(doc, "", {""});
  const std::string twice = ReadFileIfExists(doc).value_or("");
  EXPECT_EQ(twice, "\r\n\r\n[]\r\n\r\n\r\n####\r\n");
  WriteSection(doc, "", {""});
  EXPECT_EQ(ReadFileIfExists(doc).value_or(""), twice);
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

TEST(DocumentFuzzFindings, AWholeQuestionListAppendedKeepsTheDocumentsBytes) {
  const auto text = QuestionListInText(std::string("title\nline"), {"Q?"}, {"0\r\nA"});
  ASSERT_TRUE(text.has_value());
  EXPECT_EQ(*text,
            "title\nline\r\n[Question 0]\r\nQ?\r\n\r\n####\r\n\r\n[Answer 0]\r\n0\r\nA\r\n\r\n"
            "####\r\n");
}

}  // namespace
}  // namespace quorella
