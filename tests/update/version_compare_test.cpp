#include "update/version_compare.h"

#include <gtest/gtest.h>

namespace quorella {
namespace {

TEST(VersionCompare, PublishedAgainstCurrent) {
  struct Case {
    std::string published, current;
    bool newer;
  };
  const std::vector<Case> cases = {
      {"1.3.2", "1.3.1.323", true},
      {"1.3.1", "1.3.1.323", false},
      {"1.3.1.400", "1.3.1.323", true},
      {"2", "1.9.9", true},
      {"1.3.1.0.1", "1.3.1.323", false},
      {"1.3.1.323", "1.3.1.323", false},
      {"1.3.1.323.1", "1.3.1.323", true},
      {"1.2.9", "1.3", false},
      {"1.10", "1.9", true},
      {"01.003.0002", "1.3.1", true},
      {"pro 9.0", "1.3.1.323", false},
      {"x.4", "0.3", true},
      {"1..2", "1.0.1", true},
      {"1.3.", "1.3", false},
      {"1.3.1", "1.3.", true},
      {"1. 4", "1.3", true},
      {"1.4 ", "1.3", false},
      {"1.-1", "1.0", false},
      {"1.+2", "1.1", true},
      {"1.$10", "1.9", false},
      {"1.2.3.4.5.6.7.8.9.10", "1.2.3.4.5.6.7.8.9.9", true},
      {"1.2.3.4.5.6.7.8.9.10.11.12", "1.2.3.4.5.6.7.8.9.10.11.13", false},
      {"1.99999999999999999999999", "1.99999999999999999999998", true},
      {"1.4294967296", "1.4294967295", true},
      {"", "1.3.1.323", false},
      {"unknown", "1.3.1.323", false},
      {"1.4", "", false},
  };
  for (const auto& c : cases)
    EXPECT_EQ(IsNewerVersion(c.published, c.current), c.newer)
        << c.published << " against " << c.current;
}

TEST(VersionCompare, TheCurrentVersionIsTheCaptionAfterItsFirstBlank) {
  struct Case {
    std::string caption, version;
  };
  const std::vector<Case> cases = {
      {"Version 1.3.1.323", "1.3.1.323"},
      {"Version   1.3.1.323  ", "1.3.1.323"},
      {"1.3.1.323", "1.3.1.323"},
      {"Version ", ""},
      {"Version", "Version"},
      {"Release candidate 2", "candidate 2"},
      {"", ""},
  };
  for (const auto& c : cases)
    EXPECT_EQ(CurrentVersionFromCaption(c.caption), c.version) << c.caption;
}

}  // namespace
}  // namespace quorella
