#include "html/answer_pages.h"

#include <string>

#include "html/answer_formats.h"

namespace quorella::html {

namespace {

void AddQuestionRow(Page& page, const PageContext& context, std::size_t i,
                    std::string_view question) {
  page.Add("<TABLE width=\"90%\" align=\"center\">");
  page.AddJoined("<TR><TD BGCOLOR=\"", context.question_back_colour, "\">");
  page.Add(context.spans.question_open);
  page.AddJoined("<b>", Decimal(i), ". ");
  page.AddJoined(question, "</b>");
  page.AddAll(context.spans.close, "</TD></TR>", "</TABLE>");
}

void AddAnswerCellOpening(Page& page, const PageContext& context, std::string_view stored_answer) {
  page.AddAll("<TABLE width=\"85%\" align=\"center\">", "<TR><TD>", context.spans.text_open);
  page.AddWritten([&](std::string& out) { return AppendStoredAnswer(out, stored_answer); });
}

void AddCellClosing(Page& page, const PageContext& context) {
  page.AddAll(context.spans.close, "</TD></TR>", "</TABLE>");
}

void AddNavigationBar(Page& page, const PageContext& context, const PageNames& names, std::size_t i,
                      std::size_t count) {
  page.AddAll("<TABLE width=\"90%\" align=\"center\">",
              "<TR><TD BGCOLOR=\"#D7D7D7\" ALIGN=\"CENTER\">", context.spans.text_open);
  // The separator belongs to the link before it, so the bar may end with one.
  if (i > 1)
    page.AddJoined("<A HREF=\"", names.SubPage(i - 1), "\">",
                   context.Text(FaqValue::LinkPreviousText), "</A> | ");
  if (!IsFramesLayout(context.values))
    page.AddJoined("<A HREF=\"", context.Text(FaqValue::StartPage), "\">",
                   context.Text(FaqValue::LinkQuestionsText), "</A> | ");
  if (i < count)
    page.AddJoined("<A HREF=\"", names.SubPage(i + 1), "\">", context.Text(FaqValue::LinkNextText),
                   "</A>");
  AddCellClosing(page, context);
}

}  // namespace

void AddAnswerBlock(Page& page, const PageContext& context, std::size_t i,
                    std::string_view question, std::string_view stored_answer) {
  page.AddJoined("<A NAME=\"Answer", Decimal(i), "\"></A>");
  AddQuestionRow(page, context, i, question);
  AddAnswerCellOpening(page, context, stored_answer);
  page.AddJoined("<BR><BR><A HREF=\"#Top\">", context.Text(FaqValue::LinkTopText), "</A>");
  AddCellClosing(page, context);
}

void AddAnswerSubPage(Page& page, const PageContext& context, const PageNames& names, std::size_t i,
                      std::size_t count, std::string_view question,
                      std::string_view stored_answer) {
  const std::string& faq_title = context.Text(FaqValue::Title);
  const Decimal number(i);
  std::string title;
  title.reserve(faq_title.size() + number.size() + question.size() + 5);
  title.append(faq_title)
      .append(" - ")
      .append(std::string_view(number))
      .append(". ")
      .append(question);
  AddPageOpening(page, context, title, StyleSet::Answer, kAnswerFrame);
  // A sub-page has no "Top" anchor.
  page.AddAll(context.Section(FixedSection::AnswerHeader), "<P>");
  AddQuestionRow(page, context, i, question);
  AddAnswerCellOpening(page, context, stored_answer);
  AddCellClosing(page, context);
  page.Add("<BR>");
  AddNavigationBar(page, context, names, i, count);
  AddPageClosing(page, context, context.Section(FixedSection::AnswerFooter));
}

void AddAnswerFramePageStart(Page& page, const PageContext& context) {
  AddPageOpening(page, context, context.Text(FaqValue::Title), StyleSet::Answer, kAnswerFrame);
  page.AddAll("<A NAME=\"Top\"></A>", context.Section(FixedSection::AnswerHeader));
  if (IsOnePerPage(context.values))
    page.Add("<P><br><br><DIV ALIGN=\"center\"><b>" + context.Text(FaqValue::StaticClickOnQ) +
             "</b></DIV>.<P>");
}

}  // namespace quorella::html
