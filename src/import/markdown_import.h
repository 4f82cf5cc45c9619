#pragma once
// Markdown files of questions: the headings of one level, or <details> blocks.
#include <string_view>

#include "import/imported_faq.h"

namespace quorella {

// Questions are the top-level headings of the level that holds the most of them (the smaller
// level on a tie); a lone heading of the top level that comes first is the title. Each answer is
// the Markdown from its heading to the next heading of that level or above, kept verbatim with
// the format Markdown, blank lines at either end dropped; text before the first question and
// under a heading above that level is dropped. A question keeps its heading's text, emphasis,
// code and strikethrough as HTML, links as their text. When the file holds more top-level
// <details> blocks than such headings, the blocks are the questions: the summary's content the
// question, the rest the answer.
//
// An answer that starts with the line "<!-- quorella format N -->" followed by a fenced code
// block is the block's content exactly, with text format N (what the Markdown export writes for
// answers that Markdown would not give back as they are).
ImportedFaq ReadMarkdownFaq(std::string_view text);

// How many top-level headings and <details> blocks the Markdown `text` holds (the export writes an
// answer as it is only when it holds neither, so that it cannot change what is a question).
struct MarkdownOutline {
  std::size_t headings = 0, details = 0;
};
MarkdownOutline OutlineCounts(std::string_view text);

// The marker line of such an answer.
std::string FormatMarkerLine(int format);

}  // namespace quorella
