#include "import/text_encoding.h"

#include <unicode/utf16.h>

#include "util/cp1252.h"
#include "util/errors.h"
#include "util/marked_text.h"
#include "util/unicode.h"

namespace quorella {

namespace {

constexpr std::string_view kUtf16LeMark = "\xFF\xFE";
constexpr std::string_view kUtf16BeMark = "\xFE\xFF";

// The line that holds position `at` of `units` (bytes or UTF-16 code units), counted from 1 with
// CR LF, LF and a lone CR each ending one.
template <typename Unit>
std::size_t LineAt(const Unit* units, std::size_t at) {
  std::size_t line = 1;
  for (std::size_t i = 0; i < at; ++i) {
    if (units[i] == Unit('\n') ||
        (units[i] == Unit('\r') && (i + 1 == at || units[i + 1] != Unit('\n'))))
      ++line;
  }
  return line;
}

[[noreturn]] void ThrowInvalid(TextEncoding encoding, std::size_t line) {
  throw Error("Line " + std::to_string(line) + " is not valid " +
              std::string(EncodingName(encoding)) + " text. Nothing was imported.");
}

std::string FromUtf8(std::string_view bytes, TextEncoding encoding) {
  std::size_t bad = 0;
  if (!IsValidUtf8(bytes, &bad)) ThrowInvalid(encoding, LineAt(bytes.data(), bad));
  return std::string(bytes);
}

std::string FromUtf16(std::string_view bytes, TextEncoding encoding) {
  const bool big_endian = encoding == TextEncoding::Utf16Be;
  std::u16string units(bytes.size() / 2, u'\0');
  for (std::size_t i = 0; i < units.size(); ++i) {
    const auto first = static_cast<unsigned char>(bytes[2 * i]);
    const auto second = static_cast<unsigned char>(bytes[2 * i + 1]);
    units[i] = static_cast<char16_t>(big_endian ? first << 8 | second : second << 8 | first);
  }
  std::string utf8;
  utf8.reserve(units.size() + units.size() / 2);
  const auto length = static_cast<std::int32_t>(units.size());
  for (std::int32_t i = 0; i < length;) {
    const std::int32_t at = i;
    UChar32 cp;
    U16_NEXT(units.data(), i, length, cp);
    if (U_IS_SURROGATE(cp))
      ThrowInvalid(encoding, LineAt(units.data(), static_cast<std::size_t>(at)));
    AppendCodePoint(utf8, static_cast<char32_t>(cp));
  }
  if (bytes.size() % 2 != 0) ThrowInvalid(encoding, LineAt(units.data(), units.size()));
  return utf8;
}

}  // namespace

std::string_view EncodingName(TextEncoding encoding) {
  switch (encoding) {
    case TextEncoding::Utf16Le:
      return "UTF-16 LE";
    case TextEncoding::Utf16Be:
      return "UTF-16 BE";
    case TextEncoding::Utf8WithMark:
      return "UTF-8 with BOM";
    case TextEncoding::Utf8:
      return "UTF-8";
    case TextEncoding::Windows1252:
      break;
  }
  return "Windows-1252";
}

std::optional<EncodingChoice> ParseEncodingChoice(std::string_view word) {
  if (word == "auto") return EncodingChoice::Automatic;
  if (word == "utf-8") return EncodingChoice::Utf8;
  if (word == "windows-1252") return EncodingChoice::Windows1252;
  return std::nullopt;
}

TextEncoding DetectEncoding(std::string_view bytes) {
  if (bytes.starts_with(kUtf8Mark)) return TextEncoding::Utf8WithMark;
  if (bytes.starts_with(kUtf16LeMark)) return TextEncoding::Utf16Le;
  if (bytes.starts_with(kUtf16BeMark)) return TextEncoding::Utf16Be;
  if (!IsAscii(bytes) && IsValidUtf8(bytes)) return TextEncoding::Utf8;
  return TextEncoding::Windows1252;
}

ImportedText DecodeText(std::string_view bytes, EncodingChoice choice) {
  TextEncoding encoding = TextEncoding::Windows1252;
  switch (choice) {
    case EncodingChoice::Automatic:
      encoding = DetectEncoding(bytes);
      break;
    case EncodingChoice::Utf8:
      encoding = bytes.starts_with(kUtf8Mark) ? TextEncoding::Utf8WithMark : TextEncoding::Utf8;
      break;
    case EncodingChoice::Windows1252:
      break;
  }
  switch (encoding) {
    case TextEncoding::Utf16Le:
    case TextEncoding::Utf16Be:
      return {FromUtf16(bytes.substr(kUtf16LeMark.size()), encoding), encoding};
    case TextEncoding::Utf8WithMark:
      return {FromUtf8(bytes.substr(kUtf8Mark.size()), encoding), encoding};
    case TextEncoding::Utf8:
      return {FromUtf8(bytes, encoding), encoding};
    case TextEncoding::Windows1252:
      break;
  }
  // Every byte is a character: the five that Windows-1252 leaves unassigned keep their own number,
  // as everywhere in the program, so a Windows-1252 file always reads.
  return {Cp1252ToUtf8(bytes), encoding};
}

}  // namespace quorella
