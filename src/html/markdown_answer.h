#pragma once
// Answers in the "Markdown" text format: CommonMark with tables, strikethrough, task lists and
// autolinks, rendered by md4c. Raw HTML in the text passes unchanged, as in "As is": the owner of
// the FAQ wrote it.
#include <string>
#include <string_view>

#include "util/text_lines.h"

namespace quorella::html {

// The level of the heading that shows the question above an answer; the answer's own headings
// sit below it ("#" is one level down, and none goes beyond <h6>).
inline constexpr int kAnswerQuestionLevel = 2;

// Appends the HTML of the Markdown `text` (UTF-8) to `out`, every line ended by `line_break`
// except the last. The classic pages make ASCII of it as of every other item.
void AppendMarkdown(std::string& out, std::string_view text, std::string_view line_break = kCrLf,
                    int question_level = kAnswerQuestionLevel);
std::string RenderMarkdown(std::string_view text);

}  // namespace quorella::html
