#pragma once
// An existing FAQ's questions and answers replaced by those of a file, its settings kept.
#include <string>
#include <string_view>

#include "import/imported_faq.h"
#include "store/app_context.h"

namespace quorella {

// `document` without its question and answer sections ("[Question N]", "[Answer N]" with their
// terminator and the empty line after it); every other section and line stays as it is.
std::string WithoutQuestionSections(std::string_view document);

// Replaces the questions of the FAQ `name` (the catalogue's spelling) by those of `faq`: the
// document keeps its header, footer and head code sections, and the FAQ key every value but
// TotalQuestions, which becomes the new count (the title too, when `faq` names one and
// `keep_title` is false). Holds the lock of the documents' folder throughout. The document is
// replaced in one rename and the count written after it; should the run end between the two, the
// next reader finds the replacement pending and completes it (see pending_count.h).
void ReplaceQuestions(AppContext& context, std::string_view name, const ImportedFaq& faq,
                      bool keep_title = true);

}  // namespace quorella
