#pragma once
// The answers: anchored answer blocks on one page, or one sub-page per answer with its
// navigation bar, and the start of the answer frame's page in the Frames layout. Answers are
// numbered from 1; `stored_answer` is the text of the answer's section (format line first).
#include <cstddef>
#include <string_view>

#include "html/page_context.h"
#include "html/page_names.h"

namespace quorella::html {

// Answer block i of a page that holds all answers.
void AddAnswerBlock(Page& page, const PageContext& context, std::size_t i,
                    std::string_view question, std::string_view stored_answer);

// The whole sub-page i of `count`, navigation bar and closing included.
void AddAnswerSubPage(Page& page, const PageContext& context, const PageNames& names, std::size_t i,
                      std::size_t count, std::string_view question, std::string_view stored_answer);

// The answer frame's page up to its answers: with one answer per page the greeting text, which
// makes it sub-page 0; with all answers on one page the answer blocks follow.
void AddAnswerFramePageStart(Page& page, const PageContext& context);

}  // namespace quorella::html
