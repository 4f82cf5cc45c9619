#pragma once
// The small pieces every page is built from: the font spans, the body tag of a style set and the
// script that keeps a page inside its frame.
#include <string>
#include <string_view>
#include <vector>

#include "html/colour_text.h"
#include "store/values.h"

namespace quorella::html {

// The answer style (answer pages, and the start page of the Simple layout) or the question style
// (the question page of the Frames layout).
enum class StyleSet { Answer, Question };

inline constexpr std::string_view kQuestionFrame = "QR-QFrame";
inline constexpr std::string_view kAnswerFrame = "QR-AFrame";

// All three are empty when there is neither a font name nor a font size; the pages still give
// each its line.
struct FontSpans {
  std::string text_open;
  std::string question_open;  // the text span with the question text colour
  std::string close;
};
FontSpans MakeFontSpans(const FaqValues& values, const SystemColours& system);

std::string BodyTag(const FaqValues& values, StyleSet style, const SystemColours& system);

// The three lines that send a page shown outside `frame_name` to the start page (the frameset);
// none unless the layout is Frames and "Set frames always" is on.
std::vector<std::string> RedirectScript(const FaqValues& values, std::string_view frame_name);

// The layout choices as the generator reads them: any Layout but Frames is Simple, any AnswersPage
// but One per page is All on same page.
bool IsFramesLayout(const FaqValues& values);
bool IsOnePerPage(const FaqValues& values);

}  // namespace quorella::html
