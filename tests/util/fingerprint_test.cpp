#include "util/fingerprint.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "support/temp_dir.h"
#include "util/file_io.h"

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

// A file fingerprinted as it is read in blocks gives what its bytes in memory give, at and around
// the block boundaries.
TEST(Fingerprint, AFileReadInBlocksGivesWhatItsBytesGive) {
  testing::TempDir dir;
  const std::string path = dir / "document";
  EXPECT_EQ(FileBytesFingerprint(path), std::nullopt);
  std::set<std::uint64_t> seen;
  for (const std::size_t size :
       {std::size_t{0}, std::size_t{1}, kFingerprintBlock - 1, kFingerprintBlock,
        kFingerprintBlock + 1, 3 * kFingerprintBlock + 7}) {
    SCOPED_TRACE(size);
    std::string bytes(size, 'x');
    for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>('a' + i % 23);
    testing::WriteFile(path, bytes);
    EXPECT_EQ(FileBytesFingerprint(path), BytesFingerprint(bytes));
    EXPECT_TRUE(seen.insert(BytesFingerprint(bytes)).second);
  }
}

}  // namespace
}  // namespace quorella
