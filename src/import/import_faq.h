#pragma once
// Import: a working text stored unchanged as the document of a new FAQ.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "import/imported_faq.h"
#include "store/app_context.h"

namespace quorella {

// Why `name` cannot be the imported FAQ's name next to the FAQs `existing` lists; nullopt when it
// can. The import window asks again with this text as its prompt.
std::optional<std::string> ImportNameProblem(std::string_view name,
                                             const std::vector<std::string>& existing);

// Saves `working_text` unchanged as NAME.dat, NAME as StoredFaqName stores it (replacing a file of
// that name; in Windows-1252 when every character fits, else in UTF-8 with the mark) and then
// writes `TotalQuestions` = `converted_count` and the FAQ's own output folder (OwnOutputFolder)
// into the new FAQ key. The name is checked against the catalogue as the store holds it, under
// the lock of the documents' folder. A refused name throws its message and writes nothing; a
// document that cannot be saved throws "Cannot create file ..." and leaves the settings store
// untouched; a store that cannot be written throws its error and puts the file of that name back
// as it was (removed when there was none). A `title` (one the file named) is stored with the
// values, in the same write. Returns the name stored.
std::string ImportFaq(AppContext& context, std::string_view name, std::string_view working_text,
                      std::int32_t converted_count, std::string_view title = {});

// The questions a reader found, imported as the new FAQ `name` in the same way: the document made
// of them, TotalQuestions, and the title when the file named one.
std::string ImportFaq(AppContext& context, std::string_view name, const ImportedFaq& faq);

}  // namespace quorella
