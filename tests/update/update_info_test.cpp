#include "update/update_info.h"

#include <gtest/gtest.h>

namespace quorella {
namespace {

TEST(UpdateInfo, ThePublishedVersionOfTheFirstProductLine) {
  struct Case {
    std::string file;
    std::string version;
  };
  const std::vector<Case> cases = {
      {"Quorella 1.3.2\r\n", "1.3.2"},
      {"QUORELLA   1.4", "1.4"},
      {"  quorella\t1.4.0  \r\n", "1.4.0"},
      {"Other 2.0\r\nAnother 7\r\nQuorella 1.5\r\n", "1.5"},
      {"\r\n\r\n   \r\nQuorella 1.5\nQuorella 9.9\n", "1.5"},
      {"quorellapro 9.0\r\nQuorella 1.4\r\n", "pro 9.0"},
      {"Other 1\rQuorella 2.0 Beta\rThird 3", "2.0 beta"},
      {"Quorella", ""},
      {"Quorella    \r\n", ""},
      {"", "unknown"},
      {"Other 2.0\r\nQuorel 1.0\r\n", "unknown"},
      {"<html><body>Not here</body></html>", "unknown"},
      {"The Quorella 1.4", "unknown"},
  };
  for (const auto& c : cases) EXPECT_EQ(PublishedVersion(c.file, "Quorella"), c.version) << c.file;
}

TEST(UpdateInfo, TheProductLineIsLowerCasedAndTrimmed) {
  EXPECT_EQ(FindProductLine("x\r\n  QuoRella 1.4  \r\n", "Quorella"), "quorella 1.4");
  EXPECT_EQ(FindProductLine("x\r\n", "Quorella"), "");
}

}  // namespace
}  // namespace quorella
