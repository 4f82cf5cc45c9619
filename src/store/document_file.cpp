#include "store/document_file.h"

#include "util/file_io.h"

namespace quorella {

std::optional<DecodedText> ReadDocumentFile(const std::string& path) {
  auto bytes = ReadFileIfExists(path);
  if (!bytes) return std::nullopt;
  return DecodeMarkedText(*bytes);
}

void ReplaceDocumentFile(const std::string& path, std::string_view text, FileEncoding current) {
  ReplaceFileAtomically(path, EncodeMarkedText(text, EncodingToWrite(text, current)));
}

}  // namespace quorella
