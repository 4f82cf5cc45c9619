#include "html/style_fragments.h"

#include <gtest/gtest.h>

#include "html/page_context.h"

namespace quorella::html {
namespace {

TEST(StyleFragments, FontSpansForEveryNameAndSize) {
  struct Case {
    std::string name;
    std::int32_t size;
    FontSpans spans;
  };
  for (const Case& c : std::vector<Case>{
           {"", 0, {"", "", ""}},
           {"Arial",
            0,
            {"<FONT STYLE=' font-family:Arial;'>",
             "<FONT STYLE=' font-family:Arial; color: #000000;'>", "</FONT>"}},
           {"",
            14,
            {"<FONT STYLE=' font-size: 14px;'>", "<FONT STYLE=' font-size: 14px; color: #000000;'>",
             "</FONT>"}},
           {"Arial",
            12,
            {"<FONT STYLE=' font-family:Arial; font-size: 12px;'>",
             "<FONT STYLE=' font-family:Arial; font-size: 12px; color: #000000;'>", "</FONT>"}},
           {"\"Courier New\", Courier, monospace",
            9,
            {"<FONT STYLE=' font-family:\"Courier New\", Courier, monospace; font-size: 9px;'>",
             "<FONT STYLE=' font-family:\"Courier New\", Courier, monospace; font-size: 9px; "
             "color: #000000;'>",
             "</FONT>"}},
       }) {
    FaqValues values("/app/");
    values.SetText(FaqValue::FontName, c.name);
    values.SetInteger(FaqValue::FontSize, c.size);
    const FontSpans spans = MakeFontSpans(values, ClassicSystemColours());
    EXPECT_EQ(spans.text_open, c.spans.text_open) << c.name << c.size;
    EXPECT_EQ(spans.question_open, c.spans.question_open) << c.name << c.size;
    EXPECT_EQ(spans.close, c.spans.close) << c.name << c.size;
  }
}

TEST(StyleFragments, QuestionSpanCarriesTheQuestionTextColour) {
  FaqValues values("/app/");
  values.SetInteger(FaqValue::AQuestionTextColor, 0x0000FF);
  EXPECT_EQ(MakeFontSpans(values, ClassicSystemColours()).question_open,
            "<FONT STYLE=' font-size: 12px; color: #FF0000;'>");
  values.SetInteger(FaqValue::FontSize, 0);
  EXPECT_EQ(MakeFontSpans(values, ClassicSystemColours()).question_open, "");  // no colour at all
}

TEST(StyleFragments, BodyTags) {
  FaqValues values("/app/");
  EXPECT_EQ(BodyTag(values, StyleSet::Answer, ClassicSystemColours()),
            "<BODY BGCOLOR=#C0C0C0 TEXT=#000000 LINK=#0000FF VLINK=#800080 ALINK=#FF0000 "
            "topmargin=0 marginheight=0>");
  values.SetText(FaqValue::QuestionBackImage, "img/q bg.gif");
  values.SetInteger(FaqValue::QuestionPageColor, 0x00FFFFFF);
  values.SetInteger(FaqValue::QuestionTextColor, 0x00112233);
  values.SetInteger(FaqValue::QuestionLinkColor, static_cast<std::int32_t>(0x8000000D));
  values.SetInteger(FaqValue::QuestionVisitedLinkColor, 0x00000080);
  values.SetInteger(FaqValue::QuestionActiveLinkColor, 0x00008000);
  EXPECT_EQ(BodyTag(values, StyleSet::Question, ClassicSystemColours()),
            "<BODY BACKGROUND=\"img/q bg.gif\" BGCOLOR=#FFFFFF TEXT=#332211 LINK=#000080 "
            "VLINK=#800000 ALINK=#008000 topmargin=0 marginheight=0>");
  // The answer style does not take the question settings.
  EXPECT_EQ(BodyTag(values, StyleSet::Answer, ClassicSystemColours()).find("BACKGROUND"),
            std::string::npos);
}

TEST(StyleFragments, RedirectScriptOnlyForFramesThatAreSetAlways) {
  struct Case {
    std::int32_t layout;
    bool frame_it;
    std::size_t lines;
  };
  for (const Case& c : std::vector<Case>{{kLayoutSimple, true, 0},
                                         {kLayoutSimple, false, 0},
                                         {kLayoutFrames, false, 0},
                                         {kLayoutFrames, true, 3}}) {
    FaqValues values("/app/");
    values.SetInteger(FaqValue::Layout, c.layout);
    values.SetInteger(FaqValue::FrameIt, c.frame_it);
    EXPECT_EQ(RedirectScript(values, kAnswerFrame).size(), c.lines) << c.layout << c.frame_it;
  }
  FaqValues values("/app/");
  values.SetInteger(FaqValue::Layout, kLayoutFrames);
  values.SetText(FaqValue::StartPage, "index.htm");
  EXPECT_EQ(RedirectScript(values, kQuestionFrame),
            (std::vector<std::string>{
                "<script type=\"text/javascript\" language=\"JavaScript\">",
                "if (frames.name != \"QR-QFrame\") window.location=\"index.htm\";", "</script>"}));
}

TEST(StyleFragments, PageOpeningAndClosing) {
  FaqValues values("/app/");
  values.SetInteger(FaqValue::Layout, kLayoutFrames);
  std::array<std::string, kFixedSectionCount> sections;
  sections[static_cast<std::size_t>(FixedSection::HeaderCode)] = "<META a>\r\n<META b>";
  const PageContext context(values, sections, "BANNER", ClassicSystemColours());
  Page page;
  AddPageOpening(page, context, "T", StyleSet::Answer, kAnswerFrame);
  AddPageClosing(page, context, "FOOT");
  EXPECT_EQ(page.bytes(),
            "<HTML>\r\n<HEAD>\r\n<TITLE>T</TITLE>\r\n<META a>\r\n<META b>\r\n"
            "<script type=\"text/javascript\" language=\"JavaScript\">\r\n"
            "if (frames.name != \"QR-AFrame\") window.location=\"faq.html\";\r\n</script>\r\n"
            "</HEAD>\r\n" +
                BodyTag(values, StyleSet::Answer, ClassicSystemColours()) +
                "\r\nFOOT\r\nBANNER\r\n</body>\r\n</HTML>\r\n");
  values.SetInteger(FaqValue::DisableBanner, 1);
  Page without_banner;
  AddPageClosing(without_banner, context, "");
  EXPECT_EQ(without_banner.bytes(), "\r\n</body>\r\n</HTML>\r\n");
}

}  // namespace
}  // namespace quorella::html
