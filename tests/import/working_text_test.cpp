#include "import/working_text.h"

#include <gtest/gtest.h>

#include <cerrno>

#include "support/faults.h"
#include "support/temp_dir.h"
#include "util/cp1252.h"
#include "util/errors.h"

namespace quorella {
namespace {

using testing::TempDir;
using testing::WriteFile;

std::string ErrorOf(const std::string& path) {
  try {
    ReadWorkingText(path);
  } catch (const Error& e) {
    return e.what();
  }
  return "";
}

TEST(WorkingTextFromBytes, LineEndsAndTrailingBlanks) {
  struct Case {
    std::string bytes, expected;
  };
  const Case cases[] = {
      {"a\r\nb\r\n", "a\r\nb\r\n"},
      {"a\nb\n", "a\r\nb\r\n"},
      {"a\rb\r", "a\r\nb\r\n"},
      {"a\nb\rc\r\nd", "a\r\nb\r\nc\r\nd"},  // no final break: none added
      {"a\r\nb", "a\r\nb"},
      {"", ""},
      {"\r\n", "\r\n"},
      {"\n\r", "\r\n\r\n"},  // LF, then a lone CR: two empty lines
      {"\r\r\n", "\r\n\r\n"},
      {"How?  \r\nLike this.\t \r\n \t \r\n", "How?\r\nLike this.\r\n\r\n"},
      {"a\r\n   ", "a\r\n"},  // a last line of blanks becomes empty
      {"   ", ""},
      {"end\x01\x1f\r\n", "end\r\n"},            // control characters are blanks
      {"caf\xE9 \xA0\r\n", "caf\xE9 \xA0\r\n"},  // a no-break space is not
      {std::string("a\0b\r\n", 5), std::string("a\0b\r\n", 5)},
      {std::string("a\0\r\n", 4), "a\r\n"},
      {"  lead\r\n", "  lead\r\n"},  // only trailing blanks go
  };
  for (const Case& c : cases) EXPECT_EQ(WorkingTextFromBytes(c.bytes), c.expected) << c.bytes;
}

TEST(ReadWorkingText, SampleFaqIsAlreadyAWorkingText) {
  const std::string path = testing::SourceDir() + "data/quorella-faq.txt";
  EXPECT_EQ(ReadWorkingText(path), Cp1252ToUtf8(testing::ReadFile(path)));  // it is Windows-1252
}

TEST(ReadWorkingText, UnreadableFilesGiveTheSystemsReason) {
  TempDir dir;
  EXPECT_EQ(ErrorOf(dir / "missing.txt"),
            "Cannot open file \"" + dir / "missing.txt" + "\". No such file or directory");
  EXPECT_EQ(ErrorOf(dir.path()), "Cannot read file \"" + dir.path() + "\". Is a directory");
  WriteFile(dir / "in.txt", "Q?\r\nA.\r\n");
  testing::FailNth fail(sys::Op::Read, 1, EIO);
  EXPECT_EQ(ErrorOf(dir / "in.txt"),
            "Cannot read file \"" + dir / "in.txt" + "\". Input/output error");
  EXPECT_TRUE(fail.fired());
}

// NUL bytes make a file binary, except where UTF-16 puts them into text; a NUL character decoded
// from UTF-16 is refused as well.
TEST(ReadWorkingText, NulCharactersRefuseTheFileButUtf16TextIsRead) {
  TempDir dir;
  const std::string refused = " is not a text file (it holds NUL bytes); nothing was read.";
  WriteFile(dir / "binary.bin", std::string("Q?\0\x89PNG", 8));
  EXPECT_EQ(ErrorOf(dir / "binary.bin"), "\"" + dir / "binary.bin" + "\"" + refused);
  WriteFile(dir / "le.txt", std::string("\xFF\xFEQ\0?\0\r\0\n\0\xFC\0", 12));
  EXPECT_EQ(ReadWorkingText(dir / "le.txt"), "Q?\r\n\xC3\xBC");
  WriteFile(dir / "be.txt", std::string("\xFE\xFF\0Q\0\0", 6));
  EXPECT_EQ(ErrorOf(dir / "be.txt"), "\"" + dir / "be.txt" + "\"" + refused);
}

TEST(ReadWorkingText, CapacityIsTheLimitOfTheWorkingTextNotOfTheFile) {
  TempDir dir;
  const std::string full(kWorkingTextCapacity, 'a');
  WriteFile(dir / "full.txt", full);
  EXPECT_EQ(ReadWorkingText(dir / "full.txt").size(), kWorkingTextCapacity);

  WriteFile(dir / "over.txt", full + "a");
  EXPECT_EQ(ErrorOf(dir / "over.txt"), "Text exceeds memo capacity");

  // LF line ends double in the working text.
  WriteFile(dir / "lf-fits.txt", std::string(kWorkingTextCapacity / 2, '\n'));
  EXPECT_EQ(ReadWorkingText(dir / "lf-fits.txt").size(), kWorkingTextCapacity);
  WriteFile(dir / "lf-grows.txt", std::string(kWorkingTextCapacity / 2 + 1, '\n'));
  EXPECT_EQ(ErrorOf(dir / "lf-grows.txt"), "Text exceeds memo capacity");
}

}  // namespace
}  // namespace quorella
