#include "html/question_page.h"

#include "html/page_names.h"

namespace quorella::html {

namespace {

// Adds the line that opens question i's link, as one item.
void AddLinkOpening(Page& page, const PageContext& context, std::size_t i) {
  const Decimal number(i);
  const bool frames = IsFramesLayout(context.values);
  // In the Frames layout the link opens in the answer frame.
  const std::string_view target = frames ? "\" TARGET=\"" : "";
  const std::string_view frame = frames ? kAnswerFrame : "";
  if (IsOnePerPage(context.values))
    page.AddJoined("<A HREF=\"", context.Text(FaqValue::AnswerSubPagePrefix), number, ".",
                   context.Text(FaqValue::DocumentExt), target, frame, "\">");
  else if (frames)
    page.AddJoined("<A HREF=\"", context.Text(FaqValue::AnswerPageName), "#Answer", number, target,
                   frame, "\">");
  else
    page.AddJoined("<A HREF=\"#Answer", number, target, frame, "\">");
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
    page.Add("<LI>");
    AddLinkOpening(page, context, i);
    page.AddAll(questions[i - 1], "</A>");
    if (blank_line) page.Add("<BR><BR>");
  }
  page.AddAll("<BR><BR><A HREF=\"#Top\">" + context.Text(FaqValue::LinkTopText) + "</A>",
              context.spans.close, "</OL></TD></TR></TABLE>");
  if (frames) AddPageClosing(page, context, context.Section(FixedSection::QuestionFooter));
}

}  // namespace quorella::html
