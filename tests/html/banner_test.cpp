#include "html/banner.h"

#include <gtest/gtest.h>

#include "support/temp_dir.h"
#include "util/vendor_site.h"

namespace quorella::html {
namespace {

TEST(Banner, ShiftingIsUndoneByTheOppositeAmount) {
  const std::string all = [] {
    std::string bytes;
    for (int c = 0; c < 256; ++c) bytes += static_cast<char>(c);
    return bytes;
  }();
  EXPECT_EQ(ShiftCharacterCodes(ShiftCharacterCodes(all, 7), -7), all);
  EXPECT_EQ(ShiftCharacterCodes("HAL", 1), "IBM");
  EXPECT_EQ(ShiftCharacterCodes("\xFF", 2), "\x01");  // codes wrap around
  EXPECT_EQ(ShiftCharacterCodes("a", -1), "`");
}

TEST(Banner, TheWholeFragment) {
  EXPECT_EQ(BuildBanner("http://site.example/"),
            "<DIV ALIGN=\"right\"><HR WIDTH=\"200\">\r\n"
            "<FONT STYLE=\"color: black; font-family: Arial, Helvetica, sans-serif; font-size: "
            "12px; font-style: italic;\">\r\n"
            "FAQ created with <A HREF=\"http://site.example/\" "
            "onMouseOver=\"window.status='Quorella'; return true\" "
            "STYLE=\"background-color: Maroon; color: Yellow; font-family: Arial, Helvetica, "
            "sans-serif; font-weight: bold; font-style: italic; text-align: right; "
            "text-decoration: none;\" TITLE=\"Quorella HomePage\">\r\n"
            "Quorella</A></FONT></DIV>");
}

TEST(Banner, LinksToTheVendorSiteInForce) {
  {
    testing::ScopedEnv site("QUORELLA_SITE", "");
    EXPECT_EQ(VendorSiteAddress(), "http://www.tamsel.example/");
    EXPECT_NE(BuildBanner().find("<A HREF=\"http://www.tamsel.example/\" "), std::string::npos);
  }
  {
    testing::ScopedEnv site("QUORELLA_SITE", "http://127.0.0.1:8080/mirror");
    EXPECT_EQ(VendorSiteAddress(), "http://127.0.0.1:8080/mirror/");
    EXPECT_NE(BuildBanner().find("<A HREF=\"http://127.0.0.1:8080/mirror/\" "), std::string::npos);
  }
}

}  // namespace
}  // namespace quorella::html
