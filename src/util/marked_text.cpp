#include "util/marked_text.h"

#include "util/cp1252.h"

namespace quorella {

DecodedText DecodeMarkedText(std::string_view bytes) {
  if (bytes.starts_with(kUtf8Mark))
    return {std::string(bytes.substr(kUtf8Mark.size())), FileEncoding::Utf8};
  return {Cp1252ToUtf8(bytes), FileEncoding::Windows1252};
}

DecodedText DecodeMarkedTextInPlace(std::string bytes) {
  if (bytes.starts_with(kUtf8Mark)) {
    bytes.erase(0, kUtf8Mark.size());
    return {std::move(bytes), FileEncoding::Utf8};
  }
  return {Cp1252ToUtf8InPlace(std::move(bytes)), FileEncoding::Windows1252};
}

FileEncoding EncodingToWrite(std::string_view text, FileEncoding current) {
  // Windows-1252 text beginning with "ï»¿" would read back as a UTF-8 file without them.
  if (current == FileEncoding::Windows1252 && FitsCp1252(text) &&
      !text.starts_with(Cp1252ToUtf8(kUtf8Mark)))
    return FileEncoding::Windows1252;
  return FileEncoding::Utf8;
}

std::string EncodeMarkedText(std::string_view text, FileEncoding encoding) {
  if (encoding == FileEncoding::Windows1252) return Utf8ToCp1252(text);
  std::string bytes;
  bytes.reserve(kUtf8Mark.size() + text.size());
  bytes += kUtf8Mark;
  bytes += text;
  return bytes;
}

}  // namespace quorella
