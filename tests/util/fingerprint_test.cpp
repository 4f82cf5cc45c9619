#include "util/fingerprint.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <string_view>
#include <utility>

namespace quorella {
namespace {

// A document changed in one byte anywhere, or by one byte in length, must not keep its
// fingerprint: every length around the lanes' stride, every place of the change.
TEST(Fingerprint, LongInputChangedInAnyByteOrLengthDiffers) {
  for (std::size_t length = 0; length <= 100; ++length) {
    SCOPED_TRACE(length);
    const std::string text(length, 'a');
    std::set<std::uint64_t> seen = {Fingerprint().AddLong(text).value()};
    EXPECT_TRUE(seen.insert(Fingerprint().AddLong(text + '\0').value()).second);
    for (std::size_t i = 0; i < length; ++i) {
      std::string changed = text;
      changed[i] = 'b';
      EXPECT_TRUE(seen.insert(Fingerprint().AddLong(changed).value()).second) << i;
    }
  }
}

// Lists of pages written by earlier runs hold these values: a faster Add must keep every one, for
// pieces ending inside a word, on a word's end and after several words.
TEST(Fingerprint, KeepsTheValuesStoredListsHold) {
  std::string text;
  for (int i = 0; i < 40; ++i) text += static_cast<char>('A' + (i * 7) % 60);
  text += "\xE2\x82\xAC\x01\xFF";
  const std::string_view bytes = text;
  const std::pair<std::size_t, std::uint64_t> cases[] = {
      {0, 0x2626A6670DB24DD7ull},  {1, 0xAC93F286AB1703D8ull},  {7, 0xDBFB182BB599A45Cull},
      {8, 0x81CAC7DA404E2079ull},  {9, 0x64280DC2D5964B1Cull},  {15, 0x7528ABC986B3628Dull},
      {16, 0x39E897658439BEB7ull}, {17, 0xE03CA04A6142ADFEull}, {24, 0x2D705498370E0857ull},
      {31, 0x420A10AB10D7699Cull}, {45, 0x21999C19BE48D7C6ull},
  };
  for (const auto& [split, expected] : cases) {
    Fingerprint fingerprint(split);
    fingerprint.Add(bytes.substr(0, split)).Add(bytes.substr(split)).Add(std::uint64_t{split});
    EXPECT_EQ(fingerprint.value(), expected) << split;
  }
}

}  // namespace
}  // namespace quorella
