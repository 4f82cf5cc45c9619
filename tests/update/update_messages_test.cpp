#include "update/update_messages.h"

#include <gtest/gtest.h>

namespace quorella {
namespace {

TEST(UpdateMessages, TheConfirmationBox) {
  EXPECT_EQ(kConfirmCheckCaption, "Check for latest version?");
  EXPECT_EQ(ConfirmCheckText(),
            "You are about to check for the latest version.\r\n You must be connected to the "
            "internet for this.\r\n\r\nDo you wish to continue?");
}

TEST(UpdateMessages, TheNewVersionBox) {
  EXPECT_EQ(kNewVersionCaption, "New Version Found");
  EXPECT_EQ(NewVersionFoundLine("1.4"), "A newer version has been found (v1.4)");
  EXPECT_EQ(NewVersionText("1.3.2"),
            "A newer version has been found (v1.3.2)\r\n\r\nWould you like to read about it?");
}

TEST(UpdateMessages, TheResultBox) {
  EXPECT_EQ(LatestVersionText("1.3.1"),
            "The latest version is 1.3.1.\r\nYou already have the latest version.");
  EXPECT_EQ(LatestVersionText("unknown"), "The latest version is unknown.");
  EXPECT_EQ(LatestVersionText(""),
            "The latest version is .\r\nYou already have the latest version.");
  EXPECT_EQ(LatestVersionLines("pro 9.0"),
            (std::vector<std::string>{"The latest version is pro 9.0.",
                                      "You already have the latest version."}));
}

TEST(UpdateMessages, TheVersionCaption) {
  EXPECT_EQ(AppVersionCaption("1.3.1.323"), "Version 1.3.1.323");
}

}  // namespace
}  // namespace quorella
