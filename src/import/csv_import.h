#pragma once
// CSV files of questions (RFC 4180, read by libcsv): one row per question.
#include <string_view>

#include "import/imported_faq.h"

namespace quorella {

// The delimiter is the first of ',', ';' and TAB that the first line holds (',' when none).
// A first row that names a question column and an answer column ("question", "q", "answer", "a",
// "response", any case) is a header, which may also name a "format" column; without one the
// columns are question, answer and format in that order. A format cell that is not an integer
// counts as 0; a row without a question is passed over. Line breaks inside cells become CR LF.
ImportedFaq ReadCsvFaq(std::string_view text);

}  // namespace quorella
