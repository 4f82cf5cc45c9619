#pragma once
// Reading and replacing a whole document file, its text in memory always UTF-8. A document stays
// Windows-1252, byte for byte as it was, until a character must be stored that Windows-1252 cannot
// hold; then the whole file is rewritten once as UTF-8 with the mark and stays UTF-8.
#include <optional>
#include <string>
#include <string_view>

#include "util/marked_text.h"

namespace quorella {

// The document's text and the encoding it is in; nullopt when the file does not exist.
std::optional<DecodedText> ReadDocumentFile(const std::string& path);

// Replaces the document with `text` through the atomic replacement, in the encoding the file
// must now have; `current` is the encoding it is in (Windows-1252 for a new file).
void ReplaceDocumentFile(const std::string& path, std::string_view text, FileEncoding current);

}  // namespace quorella
