#include "store/values.h"

#include <gtest/gtest.h>

#include <set>

#include "store/custom_colours.h"
#include "support/temp_dir.h"
#include "util/errors.h"
#include "util/strings.h"

namespace quorella {
namespace {

TEST(ValuesTable, NamesAreUniqueAndFindableWithoutCase) {
  std::set<std::string> seen;
  for (std::size_t i = 0; i < kFaqValueCount; ++i) {
    const auto value = static_cast<FaqValue>(i);
    EXPECT_TRUE(seen.insert(LowerAscii(Definition(value).name)).second) << Definition(value).name;
    EXPECT_EQ(FaqValueByName(Definition(value).name), value);
  }
  EXPECT_EQ(FaqValueByName("startpage"), FaqValue::StartPage);
  EXPECT_EQ(FaqValueByName(kStartPageWrittenName), FaqValue::StartPage);
  EXPECT_FALSE(FaqValueByName("Nonsense").has_value());
}

TEST(ValuesTable, DefaultsOfANewFaq) {
  const FaqValues values("/app/");
  EXPECT_EQ(values.Text(FaqValue::Directory), "/app/");
  EXPECT_EQ(values.Text(FaqValue::StartPage), "faq.html");
  EXPECT_EQ(values.Text(FaqValue::QuestionFrameSize), "25%");
  EXPECT_EQ(values.Text(FaqValue::StaticClickOnQ), "Click on a question for the answer");
  EXPECT_TRUE(values.Boolean(FaqValue::FrameIt));
  EXPECT_FALSE(values.Boolean(FaqValue::DisableBanner));
  EXPECT_TRUE(values.Boolean(FaqValue::BlankLineBetweenQuestions));
  EXPECT_EQ(values.Integer(FaqValue::AnswersPage), kAllOnSamePage);
  EXPECT_EQ(values.Integer(FaqValue::FontSize), 12);
  EXPECT_EQ(values.Integer(FaqValue::AnswerPageColor), 0xC0C0C0);
  EXPECT_EQ(values.Integer(FaqValue::AnswerLinkColor), 0xFF0000);
  EXPECT_EQ(values.Integer(FaqValue::QuestionActiveLinkColor), 0x0000FF);
  EXPECT_EQ(values.Integer(FaqValue::QuestionVisitedLinkColor), 0x800080);
  EXPECT_EQ(values.Integer(FaqValue::PageStyle), kPageStyleClassic);
  EXPECT_EQ(values.Text(FaqValue::Language), "en");
  EXPECT_EQ(values.Text(FaqValue::Description), "");
  EXPECT_EQ(values.Text(FaqValue::SiteAddress), "");
  EXPECT_FALSE(values.Boolean(FaqValue::UseMyColors));
  EXPECT_FALSE(values.Boolean(FaqValue::StructuredData));
}

TEST(ValuesTable, ReadTakesStoredValuesAndChecksTypes) {
  testing::TempDir dir;
  Settings settings(dir / "s.db");
  const std::string key = "Software\\Tamsel Software\\Quorella\\FAQs\\A";
  settings.WriteSettingString(key, "Startpage", "index.htm");
  settings.WriteSettingInteger(key, "layout", 1);
  settings.WriteSettingBool(key, "FrameIt", false);
  settings.WriteSettingString(key, "Unrelated", "ignored");
  const FaqValues values = FaqValues::Read(settings, key, "/app/");
  EXPECT_EQ(values.Text(FaqValue::StartPage), "index.htm");
  EXPECT_EQ(values.Integer(FaqValue::Layout), 1);
  EXPECT_FALSE(values.Boolean(FaqValue::FrameIt));
  EXPECT_EQ(values.Display(FaqValue::FrameIt), "0");
  EXPECT_EQ(values.Text(FaqValue::Title), "FAQ");

  settings.WriteSettingString(key, "FontSize", "12");
  try {
    FaqValues::Read(settings, key, "/app/");
    FAIL() << "no error";
  } catch (const Error& e) {
    EXPECT_STREQ(e.what(), "Invalid data type for 'FontSize'");
  }
  // Reading only some values: another of the wrong type is not looked at.
  const FaqValue only[] = {FaqValue::StartPage, FaqValue::Layout};
  const FaqValues some = FaqValues::Read(settings, key, "/app/", only);
  EXPECT_EQ(some.Text(FaqValue::StartPage), "index.htm");
  EXPECT_EQ(some.Integer(FaqValue::Layout), 1);
  EXPECT_TRUE(some.Boolean(FaqValue::FrameIt));  // not asked for: its default
}

TEST(ValuesTable, AppValuesAndPaths) {
  testing::TempDir dir;
  Settings settings(dir / "s.db");
  const std::string key = ApplicationKey(false);
  EXPECT_EQ(ReadAppInteger(settings, key, AppValue::Top), 150);
  EXPECT_EQ(ReadAppInteger(settings, key, AppValue::Left), 200);
  EXPECT_EQ(ReadAppInteger(settings, key, AppValue::LastFAQ), 0);
  EXPECT_EQ(ReadAppString(settings, key, AppValue::BackupDir, "/app/"), "/app/Backup");
  EXPECT_EQ(ReadAppString(settings, key, AppValue::CustomColors, "/app/"), "");
  EXPECT_EQ(FaqKey(key, "My FAQ"), "Software\\Tamsel Software\\Quorella\\FAQs\\My FAQ");
  EXPECT_EQ(DocumentPath("/app/", "My FAQ"), "/app/My FAQ.dat");
}

TEST(CustomColours, FormatAndParse) {
  CustomColours colours;
  colours.fill(kUnsetColour);
  colours[0] = 0xFF;
  colours[1] = 0x123456;
  colours[15] = 0;
  const std::string text = FormatCustomColours(colours);
  EXPECT_EQ(text.substr(0, 32), "ColorA=0000ff\r\nColorB=123456\r\nCo");
  EXPECT_NE(text.find("ColorC=ffffffff\r\n"), std::string::npos);
  EXPECT_TRUE(text.ends_with("ColorP=000000"));
  EXPECT_EQ(ParseCustomColours(text), colours);
}

TEST(CustomColours, MissingAndMalformedLinesAreUnset) {
  const CustomColours colours =
      ParseCustomColours("colorb=ABCDEF\nColorC=zz\rColorQ=12\r\nColorD=\r\nColorE=1");
  EXPECT_EQ(colours[0], kUnsetColour);
  EXPECT_EQ(colours[1], 0xABCDEF);
  EXPECT_EQ(colours[2], kUnsetColour);
  EXPECT_EQ(colours[3], kUnsetColour);
  EXPECT_EQ(colours[4], 1);
  EXPECT_EQ(ParseCustomColours(""), [] {
    CustomColours c;
    c.fill(kUnsetColour);
    return c;
  }());
}

}  // namespace
}  // namespace quorella
