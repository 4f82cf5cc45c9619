// Inputs the fuzz targets found, kept as regression tests.
#include <gtest/gtest.h>

#include "backup/snapshot_reader.h"
#include "backup/snapshot_writer.h"

namespace quorella {
namespace {

using namespace std::string_literals;

struct NulCase {
  NamedValue value;
  std::string line;
};

// A NUL before a line break used to end the search for CR LF pairs: the line break was written
// as it is, and the value came back cut short, its rest read as a line of its own.
const std::vector<NulCase> kNulCases = {
    {{"Colors", RawValue::String("\xe7\x01\0\0ColorA=ffffffff\r\nColorB=00ff00"s)},
     "Colorsstr=\xe7\x01\0\0ColorA=ffffffffqqqqColorB=00ff00"s},
    {{"Title", RawValue::String("a\0b\r\nc\r\n"s)}, "Titlestr=a\0bqqqqcqqqq"s},
    {{"", RawValue::String("\0\r\n"s)}, "str=\0qqqq"s},
};

TEST(SnapshotFuzzFindings, AValueHoldingANulComesBackWhole) {
  for (const auto& row : kNulCases) {
    EXPECT_EQ(SnapshotValueLine(row.value), row.line);
    const auto parsed = ParseKeySnapshot("[\\Software\\K]\r\n" + row.line + "\r\n");
    ASSERT_EQ(parsed.values.size(), 1u) << row.line;
    EXPECT_EQ(parsed.values[0].value.name, row.value.name);
    EXPECT_EQ(parsed.values[0].value.value, row.value.value);
  }
}

// The store compares names up to their first NUL: keys "\0\0\x80" and "\0\x06\x80" were
// merged into one, and the values of the second replaced those of the first.
TEST(SnapshotFuzzFindings, KeysAndValuesNamedWithANulArePassedOver) {
  const auto parsed = ParseKeySnapshot(
      "[\\\0\0\x80\\k]\r\nAbin=AB\r\n[\\\0\x06\x80\\k]\r\nBbin=CD\r\n"
      "[\\K]\r\nn\0xstr=v\r\nCint=1\r\n"s);
  ASSERT_EQ(parsed.keys.size(), 3u);
  EXPECT_FALSE(parsed.keys[0].root.has_value());
  EXPECT_FALSE(parsed.keys[1].root.has_value());
  EXPECT_EQ(parsed.keys[2].root, Root::CurrentUser);
  ASSERT_EQ(parsed.values.size(), 1u);
  EXPECT_EQ(parsed.values[0].value.name, "C");
  EXPECT_EQ(parsed.values[0].key_path, "\\K");
}

}  // namespace
}  // namespace quorella
