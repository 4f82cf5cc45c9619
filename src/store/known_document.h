#pragma once
// The last document file in plain shape (store/plain_layout.h) this process read or wrote, kept
// with its outline, so that the next command on it neither decodes it nor looks at its lines
// again. It is used only while the file holds exactly these bytes: any other writer, whatever it
// keeps of the file's size and times, makes the next command read the file anew.
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "store/plain_layout.h"

namespace quorella {

// Fills `out` with the document's new bytes; the answers are those of PlainLayout's operations.
using PlainEdit = std::function<std::optional<bool>(PlainLayout& layout, std::string_view bytes,
                                                    std::string& out)>;

// Runs `edit` on the document at `path` and replaces the file when the bytes change, through the
// same flushed replacement as every document write. False when the file is missing, not in plain
// shape or the edit needs the general rewrite; `read` then holds the file's bytes (nullopt: the
// file does not exist), so the general rewrite need not read it again. The caller holds the
// folder lock.
bool EditKnownDocument(const std::string& path, const PlainEdit& edit,
                       std::optional<std::string>& read);

}  // namespace quorella
