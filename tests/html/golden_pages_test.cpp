// Whole page sets compared byte for byte with the kept files under golden/: every layout with no,
// one and three questions, and the settings that change the markup.
#include <gtest/gtest.h>

#include <functional>

#include "html/banner.h"
#include "html/faq_fixture.h"
#include "html/generator.h"
#include "html/golden.h"
#include "util/unicode.h"

namespace quorella::html {
namespace {

using testing::FaqBuilder;

struct Scenario {
  std::string name;
  std::int32_t layout, answers_page;
  std::size_t questions;
  std::function<void(FaqBuilder&)> adjust;
};

void WithCodeSections(FaqBuilder& faq) {
  faq.Section(FixedSection::HeaderCode, {"<META NAME=\"keywords\" CONTENT=\"faq\">"})
      .Section(FixedSection::FrameHeaderCode, {"<!-- frameset head -->", "<BASE TARGET=\"_top\">"})
      .Section(FixedSection::AnswerHeader, {"<H1>Answers</H1>"})
      .Section(FixedSection::AnswerFooter, {"<P>Answer footer</P>", ""})
      .Section(FixedSection::QuestionHeader, {"<H1>Questions</H1>"})
      .Section(FixedSection::QuestionFooter, {"<P>Question footer</P>"});
}

void NoChange(FaqBuilder&) {}

std::vector<Scenario> Scenarios() {
  std::vector<Scenario> all;
  const std::vector<std::pair<std::string, std::int32_t>> layouts = {{"simple", kLayoutSimple},
                                                                     {"frames", kLayoutFrames}};
  const std::vector<std::pair<std::string, std::int32_t>> answer_pages = {{"one", kOnePerPage},
                                                                          {"all", kAllOnSamePage}};
  for (const auto& [layout_name, layout] : layouts)
    for (const auto& [pages_name, pages] : answer_pages)
      for (std::size_t n : {0, 1, 3})
        all.push_back({layout_name + "_" + pages_name + "_n" + std::to_string(n), layout, pages, n,
                       n == 3 ? WithCodeSections : NoChange});

  auto font = [](std::string name, std::int32_t size) {
    return [name, size](FaqBuilder& faq) {
      faq.Set(FaqValue::FontName, name).Set(FaqValue::FontSize, size);
    };
  };
  all.push_back({"font_none", kLayoutSimple, kOnePerPage, 1, font("", 0)});
  all.push_back({"font_name_only", kLayoutSimple, kOnePerPage, 1, font("Arial", 0)});
  all.push_back({"font_size_only", kLayoutSimple, kOnePerPage, 1, font("", 14)});
  all.push_back({"font_name_and_size", kLayoutSimple, kOnePerPage, 1,
                 font("Verdana, Geneva, Arial, Helvetica, sans-serif", 10)});
  all.push_back({"banner_off", kLayoutFrames, kOnePerPage, 1,
                 [](FaqBuilder& faq) { faq.Set(FaqValue::DisableBanner, 1); }});
  all.push_back({"frame_it_off_one", kLayoutFrames, kOnePerPage, 1,
                 [](FaqBuilder& faq) { faq.Set(FaqValue::FrameIt, 0); }});
  all.push_back({"frame_it_off_all", kLayoutFrames, kAllOnSamePage, 1,
                 [](FaqBuilder& faq) { faq.Set(FaqValue::FrameIt, 0); }});
  all.push_back(
      {"frames_vertical", kLayoutFrames, kAllOnSamePage, 1, [](FaqBuilder& faq) {
         faq.Set(FaqValue::Frames, kFramesVertical).Set(FaqValue::QuestionFrameSize, "180");
       }});
  all.push_back({"frame_size_empty", kLayoutFrames, kAllOnSamePage, 0,
                 [](FaqBuilder& faq) { faq.Set(FaqValue::QuestionFrameSize, ""); }});
  all.push_back({"images_and_colours", kLayoutFrames, kAllOnSamePage, 1, [](FaqBuilder& faq) {
                   faq.Set(FaqValue::AnswerBackImage, "images/answer.gif")
                       .Set(FaqValue::QuestionBackImage, "http://img.example/q.png")
                       .Set(FaqValue::AnswerPageColor, 0x00FFFFFF)
                       .Set(FaqValue::AnswerTextColor, 0x00102030)
                       .Set(FaqValue::AQuestionBackColor, static_cast<std::int32_t>(0x8000000F))
                       .Set(FaqValue::AQuestionTextColor, 0x00008000)
                       .Set(FaqValue::QuestionPageColor, 0x00E0E0E0)
                       .Set(FaqValue::QuestionLinkColor, 0x00000080);
                 }});
  all.push_back({"images_in_simple_layout", kLayoutSimple, kAllOnSamePage, 1, [](FaqBuilder& faq) {
                   faq.Set(FaqValue::AnswerBackImage, "a.gif")
                       .Set(FaqValue::QuestionBackImage, "unused.gif")
                       .Set(FaqValue::QuestionPageColor, 0x00E0E0E0)
                       .Section(FixedSection::QuestionHeader, {"unused header"});
                 }});
  all.push_back({"custom_texts", kLayoutSimple, kOnePerPage, 3, [](FaqBuilder& faq) {
                   faq.Set(FaqValue::Title, "Help & <i>Support</i>")
                       .Set(FaqValue::StartPage, "index.htm")
                       .Set(FaqValue::DocumentExt, "php")
                       .Set(FaqValue::AnswerSubPagePrefix, "page_")
                       .Set(FaqValue::LinkQuestionsText, "All questions")
                       .Set(FaqValue::LinkPreviousText, "&lt;&lt; Back")
                       .Set(FaqValue::LinkNextText, "On &gt;&gt;")
                       .Set(FaqValue::LinkTopText, "Up")
                       .Set(FaqValue::BlankLineBetweenQuestions, 0);
                 }});
  all.push_back({"custom_static_text", kLayoutFrames, kOnePerPage, 0, [](FaqBuilder& faq) {
                   faq.Set(FaqValue::StaticClickOnQ, "Pick one on the left")
                       .Set(FaqValue::StartPage, "start.html")
                       .Set(FaqValue::QuestionPageName, "list.html");
                 }});
  all.push_back(
      {"answer_formats", kLayoutSimple, kAllOnSamePage, 0, [](FaqBuilder& faq) {
         faq.Add({"As is?", {"3", "<TABLE><TR><TD>kept</TD></TR></TABLE>", "  x & y"}})
             .Add({"Above three?", {"5", "never shown"}})  // above the last format (Markdown, 4)
             .Add({"Empty section?", {}})
             .Add({"No format line?", {"Yes, www.a.example:", "x@y.example"}})
             .Add({"Number alone?", {"12"}})
             .Add({"Negative?", {"-2", "§ 1 ± 2 ¼"}})
             .Add({"Two lines\r\nof question?", {"1", "", "a"}});
       }});
  for (const auto& [pages_name, pages] : answer_pages)
    all.push_back({"modern_" + pages_name + "_n3", kLayoutSimple, pages, 3, [](FaqBuilder& faq) {
                     WithCodeSections(faq);
                     faq.Set(FaqValue::PageStyle, kPageStyleModern);
                   }});
  all.push_back(
      {"modern_options", kLayoutSimple, kOnePerPage, 1, [](FaqBuilder& faq) {
         faq.Set(FaqValue::PageStyle, kPageStyleModern)
             .Set(FaqValue::Language, "ru")
             .Set(FaqValue::Description, "Вопросы & ответы")
             .Set(FaqValue::SiteAddress, "https://faq.example/help")
             .Set(FaqValue::UseMyColors, 1)
             .Set(FaqValue::StructuredData, 1)
             .Set(FaqValue::DisableBanner, 1)
             .Set(FaqValue::AnswerBackImage, "paper.png")
             .Set(FaqValue::FontName, "Georgia")
             .Set(FaqValue::FontSize, 18)
             .Set(FaqValue::AnswerSubPagePrefix, "")
             .Add({"Привет, как дела?", {"0", "Хорошо. Пишите на mail@faq.example."}})
             .Add({"What is Quorella?", {"3", "<p>The same question </script> again.</p>"}})
             .Add({"日本語？", {"1", "はい。"}})
             .Add({"FAQ", {"0", "Its page is not the start page."}});
       }});
  // Markdown answers: CommonMark with tables, task lists and autolinks, headings below the
  // question, raw HTML as typed, text beyond ASCII as references on classic pages.
  auto markdown = [](FaqBuilder& faq) {
    faq.Add({"What does Markdown give?",
             {"4",
              "# Headings",
              "",
              "**Bold**, *emphasis*, `code` and ~~struck~~ text; a "
              "[link](https://example.org/a?b=1&c) and www.example.org.",
              "",
              "## A table",
              "",
              "| Format | Index |",
              "|:--|--:|",
              "| Smart | 0 |",
              "| Markdown | 4 |",
              "",
              "- [x] done",
              "- [ ] to do",
              "",
              "> Quoted: café £5 "
              "ü 日本 🙂",
              "",
              "```",
              "code <kept> & shown",
              "```"}})
        .Add({"Raw HTML?",
              {"4", "<div class=\"note\">Typed by the owner.</div>", "", "1. one", "2. two"}});
  };
  all.push_back({"markdown_classic", kLayoutSimple, kAllOnSamePage, 0, markdown});
  all.push_back({"markdown_modern", kLayoutSimple, kAllOnSamePage, 0, [&](FaqBuilder& faq) {
                   markdown(faq);
                   faq.Set(FaqValue::PageStyle, kPageStyleModern);
                 }});
  // Text in every script, everywhere text reaches a page: the pages hold ASCII alone.
  auto every_script = [](FaqBuilder& faq) {
    faq.Set(FaqValue::Title, "Вопросы — ερωτήσεις 🙂")
        .Set(FaqValue::FontName, "Noto Sans CJK 日本")
        .Set(FaqValue::LinkQuestionsText, "Все вопросы")
        .Set(FaqValue::LinkPreviousText, "« Назад")
        .Set(FaqValue::LinkNextText, "Далее »")
        .Set(FaqValue::LinkTopText, "Наверх ↑")
        .Set(FaqValue::StaticClickOnQ, "Выберите вопрос")
        .Section(FixedSection::HeaderCode, {"<META NAME=\"keywords\" CONTENT=\"ключ, 鍵\">",
                                            "<script>var hello = \"Привет 🙂\";</script>",
                                            "<style>h1 { font-family: \"宋体\"; }</style>"})
        .Section(FixedSection::FrameHeaderCode, {"<!-- рамка £ -->"})
        .Section(FixedSection::AnswerHeader, {"<H1>Ответы</H1>"})
        .Section(FixedSection::AnswerFooter, {"<P>© Ωμέγα</P>"})
        .Section(FixedSection::QuestionHeader, {"<H1>問題</H1>"})
        .Section(FixedSection::QuestionFooter, {"<P dir=\"rtl\">تذييل</P>"})
        .Add({"Что это — «Quorella»?",
              {"0", "Программа: см. www.пример.рф, £5 ± €2 < ¼.", "", "Письмо: (почта@пример.рф)"}})
        .Add({"Τι είναι;", {"1", "Γραμμή ένα", "Γραμμή δύο § é"}})
        .Add({"日本語で書けますか？", {"2", "  はい、書けます。", "  🙂 4 bytes"}})
        .Add({"هل يعمل من اليمين؟", {"3", "<P dir=\"rtl\">نعم، يعمل £ ©.</P>"}})
        .Add({"Ame\u0301lie, naïve?", {"0", "e\u0301 n\u0303 a\u030A: combining marks."}});
  };
  all.push_back({"every_script_simple", kLayoutSimple, kOnePerPage, 0, every_script});
  all.push_back({"every_script_frames", kLayoutFrames, kOnePerPage, 0, every_script});
  return all;
}

TEST(GoldenPages, EveryScenarioMatchesItsKeptFiles) {
  const std::string banner = BuildBanner("http://www.tamsel.example/");
  for (const Scenario& scenario : Scenarios()) {
    SCOPED_TRACE(scenario.name);
    testing::TempDir dir;
    FaqBuilder builder(dir);
    builder.Set(FaqValue::Layout, scenario.layout)
        .Set(FaqValue::AnswersPage, scenario.answers_page);
    for (auto& entry : testing::SampleQuestions(scenario.questions)) builder.Add(std::move(entry));
    scenario.adjust(builder);
    const Faq faq = builder.Build();
    const std::vector<std::string> written = Go(faq, banner);
    testing::ExpectFolderMatchesGolden(scenario.name, builder.output_dir());
    // Classic pages are ASCII; the Modern ones are UTF-8 and say so.
    if (faq.values.Integer(FaqValue::PageStyle) == kPageStyleClassic) {
      for (const std::string& page : written) EXPECT_TRUE(IsAscii(testing::ReadFile(page))) << page;
    }
  }
}

}  // namespace
}  // namespace quorella::html
