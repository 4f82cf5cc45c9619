#pragma once
// A replacement of all of a FAQ's questions changes two files: the document and the settings
// store's TotalQuestions. A small record beside the document ("NAME.dat.pending") makes the pair
// one step: written before the document, it names the count and the digest of the new questions
// and answers, and is removed once the count is stored. Should a run end between the two writes, a
// reader that finds the record and the questions it names takes the record's count (an edited
// header or footer changes nothing there); a record whose document never arrived is ignored. The
// next question command or replacement completes or drops it.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "store/settings.h"

namespace quorella {

std::string PendingCountPath(const std::string& document_path);

// Records that the document at `document_path` is about to hold `text` (UTF-8) with `count`
// questions; flushed to disk before it returns.
void WritePendingCount(const std::string& document_path, std::int32_t count, std::string_view text);

// The count of a pending replacement whose document is the one at `document_path` now; nullopt
// when there is none (one stat) or the document is another.
std::optional<std::int32_t> PendingCount(const std::string& document_path);

// Stores the count of a pending replacement that arrived and removes the record, or removes a
// record whose document never arrived.
void FinishPendingCount(Settings& settings, std::string_view faq_key,
                        const std::string& document_path);

}  // namespace quorella
