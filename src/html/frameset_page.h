#pragma once
// The start page of the Frames layout: a frameset holding the question frame and the answer
// frame. It has no body, header, footer or banner.
#include <string_view>

#include "html/page.h"
#include "store/values.h"

namespace quorella::html {

void AddFramesetPage(Page& page, const FaqValues& values, std::string_view frame_header_code,
                     std::string_view answer_frame_page);

}  // namespace quorella::html
