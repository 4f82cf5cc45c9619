#include "html/question_page.h"

namespace quorella::html {

namespace {

std::string LinkOpening(const PageContext& context, std::size_t i) {
  const std::string number = std::to_string(i);
  const bool frames = IsFramesLayout(context.values);
  const std::string target = frames ? "\" TARGET=\"" + std::string(kAnswerFrame) + "\">" : "\">";
  if (IsOnePerPage(context.values))
    return "<A HREF=\"" + context.Text(FaqValue::AnswerSubPagePrefix) + number + "." +
           context.Text(FaqValue::DocumentExt) + target;
  if (frames)
    return "<A HREF=\"" + context.Text(FaqValue::AnswerPageName) + "#Answer" + number + target;
  return "<A HREF=\"#Answer" + number + target;
}

}  // namespace

void AddQuestionPage(Page& page, const PageContext& context,
                     const std::vector<std::string>& questions) {
  const bool frames = IsFramesLayout(context.values);
  AddPageOpening(page, context, context.Text(FaqValue::Title),
                 frames ? StyleSet::Question : StyleSet::Answer, kQuestionFrame);
  page.AddAll("<A NAME=\"Top\"></A>",
              context.Section(frames ? FixedSection::QuestionHeader : FixedSection::AnswerHeader),
              "<TABLE width=\"100%\" align=\"center\"><TR><TD><OL>", context.spans.text_open);
  const bool blank_line = context.values.Boolean(FaqValue::BlankLineBetweenQuestions);
  for (std::size_t i = 1; i <= questions.size(); ++i) {
    page.AddAll("<LI>", LinkOpening(context, i), questions[i - 1], "</A>");
    if (blank_line) page.Add("<BR><BR>");
  }
  page.AddAll("<BR><BR><A HREF=\"#Top\">" + context.Text(FaqValue::LinkTopText) + "</A>",
              context.spans.close, "</OL></TD></TR></TABLE>");
  if (frames) AddPageClosing(page, context, context.Section(FixedSection::QuestionFooter));
}

}  // namespace quorella::html
