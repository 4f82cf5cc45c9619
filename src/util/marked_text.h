#pragma once
// The two encodings of the files the program keeps (documents, snapshots): Windows-1252, which
// every older file is in and which is still written while every character fits, and UTF-8, which
// a file announces by beginning with the byte order mark.
#include <string>
#include <string_view>

namespace quorella {

inline constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

enum class FileEncoding { Windows1252, Utf8 };

struct DecodedText {
  std::string text;  // UTF-8
  FileEncoding encoding = FileEncoding::Windows1252;
};

// A file's bytes as text: after the mark UTF-8 (taken as it is, so even bad bytes come back
// unchanged when written again), any other file Windows-1252.
DecodedText DecodeMarkedText(std::string_view bytes);
// The same, made where the bytes were (util/cp1252.h, Cp1252ToUtf8InPlace).
DecodedText DecodeMarkedTextInPlace(std::string bytes);

// The encoding a file must be written in: Windows-1252 only while it was so far and every
// character fits, and its bytes cannot be taken for the mark.
FileEncoding EncodingToWrite(std::string_view text, FileEncoding current);

// The bytes of `text` in `encoding`, the mark in front of UTF-8. Windows-1252 requires
// EncodingToWrite to have chosen it.
std::string EncodeMarkedText(std::string_view text, FileEncoding encoding);

}  // namespace quorella
