#pragma once
// HTML pages of questions, parsed by gumbo (an HTML5 parser).
#include <string_view>

#include "import/imported_faq.h"

namespace quorella {

// The questions of a page, taken from the first of these that it holds:
//   - FAQPage structured data: JSON-LD (a script of type application/ld+json) or microdata;
// else from whichever of these gives the most questions (the first on a tie):
//   - <details> blocks: the summary is the question, the rest the answer;
//   - definition lists: each <dt> a question, the <dd> elements after it its answer;
//   - bold or strong questions that in-page links ("#name") point at, each answered by what
//     follows it up to the next;
//   - list items that open with an emphasised question (b, strong, em, i), answered by the rest;
//   - headings of the level that holds the most, each answered by what follows it up to the next
//     heading of that level or above (a lone first heading of the top level is the title).
// Navigation, header, footer, sidebars (aside, and their ARIA roles), scripts and styles are not
// questions and not part of answers. Questions are their readable text; answers are HTML, stored
// "As is" without scripts, styles, event attributes and "javascript:" addresses. The title is the
// lone top heading, else the page's <title>. A page nested deeper than kHtmlNestingLimit throws.
ImportedFaq ReadHtmlFaq(std::string_view html);

}  // namespace quorella
