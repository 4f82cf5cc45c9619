#include "util/fingerprint.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

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

}  // namespace
}  // namespace quorella
