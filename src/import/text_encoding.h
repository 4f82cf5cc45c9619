#pragma once
// The character encoding of a file to import, found from its bytes or chosen by the user, and its
// text converted to UTF-8, the program's text in memory.
#include <optional>
#include <string>
#include <string_view>

namespace quorella {

// What the user asks for: find the encoding, or read the file as the one named.
enum class EncodingChoice { Automatic, Utf8, Windows1252 };

enum class TextEncoding { Utf16Le, Utf16Be, Utf8WithMark, Utf8, Windows1252 };

// "UTF-16 LE", "UTF-16 BE", "UTF-8 with BOM", "UTF-8", "Windows-1252".
std::string_view EncodingName(TextEncoding encoding);

// The command line's words for the choices: "auto", "utf-8", "windows-1252".
std::optional<EncodingChoice> ParseEncodingChoice(std::string_view word);

// A byte order mark names UTF-16 LE, UTF-16 BE or UTF-8; without one, text that is valid UTF-8
// and holds a byte beyond ASCII is UTF-8, and anything else is Windows-1252 (so a file of ASCII
// alone reads the same either way).
TextEncoding DetectEncoding(std::string_view bytes);

struct ImportedText {
  std::string utf8;  // without the byte order mark
  TextEncoding encoding = TextEncoding::Windows1252;
};

// The bytes read as `choice` says. UTF-8 chosen by the user still drops a UTF-8 byte order mark.
// Bytes that are not valid in the encoding (a malformed UTF-8 sequence, an unpaired UTF-16
// surrogate or an odd last byte) throw "Line N is not valid ENCODING text. Nothing was imported.",
// lines counted as the working text counts them. Every byte is a Windows-1252 character.
ImportedText DecodeText(std::string_view bytes, EncodingChoice choice);

}  // namespace quorella
