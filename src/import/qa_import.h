#pragma once
// Text with "Q:" and "A:" markers, as man pages and README files write FAQs.
#include <string_view>

#include "import/imported_faq.h"

namespace quorella {

// A line that starts with "Q:" (any case, after blanks) starts a question, one that starts with
// "A:" its answer. Lines right after either continue it, and so do indented lines after an empty
// one; a line at the margin after an empty line ends the answer (a heading between questions).
// Text before the first question is dropped. Questions are one line, their lines joined by a
// space; answers keep their lines, less their common indentation, in Smart format.
ImportedFaq ReadQaFaq(std::string_view text);

}  // namespace quorella
