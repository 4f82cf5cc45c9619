#pragma once
// The JSON form of a FAQ: {"title": ..., "questions": [{"question", "answer", "format"}, ...]},
// written by the export and read back by the import.
#include <string>
#include <string_view>

#include "import/imported_faq.h"

namespace quorella {

// Answers are written with LF line ends; bytes that are not UTF-8 become U+FFFD.
std::string JsonFaqText(const ImportedFaq& faq);

// Reads that form (a bare array of questions too); entries without a question are passed over,
// a missing format is 0. Text that is not JSON reads as no questions.
ImportedFaq ReadJsonFaq(std::string_view text);

}  // namespace quorella
