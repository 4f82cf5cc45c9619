#include "html/style_fragments.h"

#include <array>

namespace quorella::html {

namespace {

constexpr std::array<std::string_view, 5> kColourAttributes = {
    " BGCOLOR=", " TEXT=", " LINK=", " VLINK=", " ALINK="};

// The background image, then the page, text, link, visited link and active link colours.
struct StyleValues {
  FaqValue image;
  std::array<FaqValue, kColourAttributes.size()> colours;
};

constexpr StyleValues kAnswerStyle = {
    FaqValue::AnswerBackImage,
    {FaqValue::AnswerPageColor, FaqValue::AnswerTextColor, FaqValue::AnswerLinkColor,
     FaqValue::AnswerVisitedLinkColor, FaqValue::AnswerActiveLinkColor}};
constexpr StyleValues kQuestionStyle = {
    FaqValue::QuestionBackImage,
    {FaqValue::QuestionPageColor, FaqValue::QuestionTextColor, FaqValue::QuestionLinkColor,
     FaqValue::QuestionVisitedLinkColor, FaqValue::QuestionActiveLinkColor}};

}  // namespace

FontSpans MakeFontSpans(const FaqValues& values, const SystemColours& system) {
  const std::string& name = values.Text(FaqValue::FontName);
  const std::int32_t size = values.Integer(FaqValue::FontSize);
  if (name.empty() && size == 0) return {};
  std::string common = "<FONT STYLE='";
  if (!name.empty()) common += " font-family:" + name + ";";
  if (size > 0) common += " font-size: " + std::to_string(size) + "px;";
  return {common + "'>",
          common + " color: " + ColourText(values.Integer(FaqValue::AQuestionTextColor), system) +
              ";'>",
          "</FONT>"};
}

std::string BodyTag(const FaqValues& values, StyleSet style, const SystemColours& system) {
  const StyleValues& set = style == StyleSet::Answer ? kAnswerStyle : kQuestionStyle;
  std::string tag = "<BODY";
  if (const std::string& image = values.Text(set.image); !image.empty())
    tag += " BACKGROUND=\"" + image + "\"";
  for (std::size_t i = 0; i < kColourAttributes.size(); ++i)
    tag += std::string(kColourAttributes[i]) + ColourText(values.Integer(set.colours[i]), system);
  tag += " topmargin=0 marginheight=0>";
  return tag;
}

std::vector<std::string> RedirectScript(const FaqValues& values, std::string_view frame_name) {
  if (!IsFramesLayout(values) || !values.Boolean(FaqValue::FrameIt)) return {};
  return {"<script type=\"text/javascript\" language=\"JavaScript\">",
          "if (frames.name != \"" + std::string(frame_name) + "\") window.location=\"" +
              values.Text(FaqValue::StartPage) + "\";",
          "</script>"};
}

bool IsFramesLayout(const FaqValues& values) {
  return values.Integer(FaqValue::Layout) == kLayoutFrames;
}

bool IsOnePerPage(const FaqValues& values) {
  return values.Integer(FaqValue::AnswersPage) == kOnePerPage;
}

}  // namespace quorella::html
