#pragma once
// The working text of the import: a text file's lines joined by CR LF, as the import window's text
// box holds them.
#include <cstddef>
#include <string>
#include <string_view>

#include "import/text_encoding.h"

namespace quorella {

// The most the working text box holds. Larger files are refused rather than cut.
inline constexpr std::size_t kWorkingTextCapacity = 16 * 1024 * 1024;

// A file's bytes as a working text: CR LF, LF and a lone CR all end a line, every line loses its
// trailing blanks (spaces and control characters) and ends with CR LF, except that the last line
// ends with CR LF only when the file's last line had a line break.
std::string WorkingTextFromBytes(std::string_view bytes);

// The working text of the file at `path`, its bytes read as `choice` says (DecodeText); `found`
// receives the encoding they were read in. A file that cannot be read throws its system reason
// ("Cannot open file ..."); one whose working text would exceed kWorkingTextCapacity throws
// "Text exceeds memo capacity"; bytes invalid in the encoding throw the line that holds them; text
// that holds a NUL character is not text and throws NotATextFile.
std::string ReadWorkingText(const std::string& path,
                            EncodingChoice choice = EncodingChoice::Automatic,
                            TextEncoding* found = nullptr);

// The text of a file to be read by a reader of another kind than the plain-text import: decoded
// and checked as ReadWorkingText does, with the same limit, every line break made CR LF, and
// nothing else changed.
struct SourceText {
  std::string text;
  TextEncoding encoding = TextEncoding::Windows1252;
};
SourceText ReadSourceText(const std::string& path,
                          EncodingChoice choice = EncodingChoice::Automatic);

}  // namespace quorella
