#include "html/frameset_page.h"

#include <string>

#include "html/style_fragments.h"

namespace quorella::html {

namespace {

std::string Frame(std::string_view name, std::string_view source) {
  return "<FRAME NAME=\"" + std::string(name) + "\" SRC=\"" + std::string(source) +
         "\" MARGINWIDTH=\"10\" MARGINHEIGHT=\"10\" SCROLLING=\"auto\" FRAMEBORDER=\"0\">";
}

}  // namespace

void AddFramesetPage(Page& page, const FaqValues& values, std::string_view frame_header_code,
                     std::string_view answer_frame_page) {
  // Horizontal puts the question frame on top (rows), Vertical on the left (columns).
  const std::string orientation =
      values.Integer(FaqValue::Frames) == kFramesVertical ? "COLS" : "ROWS";
  page.AddAll("<HTML>", "<HEAD>", "<TITLE>" + values.Text(FaqValue::Title) + "</TITLE>",
              frame_header_code, "</HEAD>",
              "<FRAMESET " + orientation + "=\"" + values.Text(FaqValue::QuestionFrameSize) +
                  ",*\" frameborder=\"0\" border=0 framespacing=\"0\">",
              Frame(kQuestionFrame, values.Text(FaqValue::QuestionPageName)),
              Frame(kAnswerFrame, answer_frame_page), "<NOFRAMES><BODY><DIV ALIGN=\"center\"><H1>",
              "This page can only be viewed in browsers that support frames.",
              "</H1></DIV></BODY></NOFRAMES>", "</FRAMESET>", "</HTML>");
}

}  // namespace quorella::html
