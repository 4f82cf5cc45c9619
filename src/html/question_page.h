#pragma once
// The numbered list of question links: the start page of the Simple layout (which goes on with the
// answers when they are all on one page) or the question page of the Frames layout, whose links
// open the answers in the answer frame.
#include <string>
#include <vector>

#include "html/page_context.h"

namespace quorella::html {

// Adds the page opening and the list of links to `questions` (numbered from 1). In the Frames
// layout the page is complete afterwards (closed with the question footer); in the Simple layout
// it stays open for the answers and the answer footer.
void AddQuestionPage(Page& page, const PageContext& context,
                     const std::vector<std::string>& questions);

}  // namespace quorella::html
