#include "html/page_context.h"

namespace quorella::html {

PageContext::PageContext(const FaqValues& faq_values,
                         std::array<std::string, kFixedSectionCount> fixed_sections,
                         std::string_view banner_text, const SystemColours& system)
    : values(faq_values),
      sections(std::move(fixed_sections)),
      banner(banner_text),
      system_colours(system),
      spans(MakeFontSpans(faq_values, system)),
      answer_body_tag(BodyTag(faq_values, StyleSet::Answer, system)),
      question_body_tag(BodyTag(faq_values, StyleSet::Question, system)),
      question_back_colour(ColourText(faq_values.Integer(FaqValue::AQuestionBackColor), system)),
      question_redirect(RedirectScript(faq_values, kQuestionFrame)),
      answer_redirect(RedirectScript(faq_values, kAnswerFrame)) {}

void AddPageOpening(Page& page, const PageContext& context, std::string_view title, StyleSet style,
                    std::string_view frame_name) {
  page.AddAll("<HTML>", "<HEAD>");
  page.AddJoined("<TITLE>", title, "</TITLE>");
  page.Add(context.Section(FixedSection::HeaderCode));
  const bool question_frame = frame_name == kQuestionFrame;
  for (const std::string& line :
       question_frame ? context.question_redirect : context.answer_redirect)
    page.Add(line);
  page.AddAll("</HEAD>",
              style == StyleSet::Question ? context.question_body_tag : context.answer_body_tag);
}

void AddPageClosing(Page& page, const PageContext& context, std::string_view footer) {
  page.Add(footer);
  if (!context.values.Boolean(FaqValue::DisableBanner)) page.Add(context.banner);
  page.AddAll("</body>", "</HTML>");
}

}  // namespace quorella::html
