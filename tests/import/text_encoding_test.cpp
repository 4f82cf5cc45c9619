// How an imported file's encoding is found and its text read: every kind of file against what
// Automatic, UTF-8 and Windows-1252 make of it.
#include "import/text_encoding.h"

#include <gtest/gtest.h>

#include "util/errors.h"

namespace quorella {
namespace {

std::string Utf16(std::u16string_view units, bool big_endian) {
  std::string bytes = big_endian ? "\xFE\xFF" : "\xFF\xFE";
  for (const char16_t unit : units) {
    const char high = static_cast<char>(unit >> 8), low = static_cast<char>(unit & 0xFF);
    bytes += big_endian ? high : low;
    bytes += big_endian ? low : high;
  }
  return bytes;
}

std::string Read(std::string_view bytes, EncodingChoice choice) {
  try {
    const ImportedText text = DecodeText(bytes, choice);
    return std::string(EncodingName(text.encoding)) + ": " + text.utf8;
  } catch (const Error& e) {
    return e.what();
  }
}

TEST(TextEncoding, FoundAndRead) {
  struct Case {
    std::string what, bytes;
    std::string automatic, utf8, windows1252;  // empty: not compared
  };
  const std::string mixed = "Zürich? Привет 日本 🙂";
  const Case cases[] = {
      {"ASCII", "How?\r\nSo.", "Windows-1252: How?\r\nSo.", "UTF-8: How?\r\nSo.",
       "Windows-1252: How?\r\nSo."},
      {"empty", "", "Windows-1252: ", "UTF-8: ", "Windows-1252: "},
      {"UTF-8", mixed, "UTF-8: " + mixed, "UTF-8: " + mixed,
       "Windows-1252: ZÃ¼rich? ÐŸÑ€Ð¸Ð²ÐµÑ‚ æ—¥æœ¬ ðŸ™‚"},
      {"UTF-8 with BOM", "\xEF\xBB\xBF" + mixed, "UTF-8 with BOM: " + mixed,
       "UTF-8 with BOM: " + mixed, "Windows-1252: ï»¿ZÃ¼rich? ÐŸÑ€Ð¸Ð²ÐµÑ‚ æ—¥æœ¬ ðŸ™‚"},
      {"BOM and ASCII", "\xEF\xBB\xBFok", "UTF-8 with BOM: ok", "UTF-8 with BOM: ok",
       "Windows-1252: ï»¿ok"},
      {"Windows-1252", "Caf\xE9 \x80 5\r\n", "Windows-1252: Café € 5\r\n",
       "Line 1 is not valid UTF-8 text. Nothing was imported.", "Windows-1252: Café € 5\r\n"},
      {"unassigned bytes", "\x81\x8D\x8F\x90\x9D", "Windows-1252: \u0081\u008D\u008F\u0090\u009D",
       "Line 1 is not valid UTF-8 text. Nothing was imported.",
       "Windows-1252: \u0081\u008D\u008F\u0090\u009D"},
      {"UTF-16 LE", Utf16(u"Zürich?\r\n日本 🙂", false), "UTF-16 LE: Zürich?\r\n日本 🙂",
       "Line 1 is not valid UTF-8 text. Nothing was imported.", ""},
      {"UTF-16 BE", Utf16(u"Ἀθῆναι\n", true), "UTF-16 BE: Ἀθῆναι\n",
       "Line 1 is not valid UTF-8 text. Nothing was imported.", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(Read(c.bytes, EncodingChoice::Automatic), c.automatic);
    EXPECT_EQ(Read(c.bytes, EncodingChoice::Utf8), c.utf8);
    if (!c.windows1252.empty()) {
      EXPECT_EQ(Read(c.bytes, EncodingChoice::Windows1252), c.windows1252);
    }
  }
}

// Nothing is read from a file with bad bytes; the message names the line that holds the first,
// lines ending at CR LF, LF or a lone CR.
TEST(TextEncoding, BadBytesNameTheirLine) {
  struct Case {
    std::string bytes;
    EncodingChoice choice;
    std::string message;
  };
  const Case cases[] = {
      {"Привет\r\nok\nok\rok\r\n\xD0", EncodingChoice::Utf8,
       "Line 5 is not valid UTF-8 text. Nothing was imported."},
      {"\xEF\xBB\xBFok\r\n\xED\xA0\x80", EncodingChoice::Automatic,  // an encoded surrogate
       "Line 2 is not valid UTF-8 with BOM text. Nothing was imported."},
      {"ok\n\xC0\xAF", EncodingChoice::Utf8,  // an overlong form
       "Line 2 is not valid UTF-8 text. Nothing was imported."},
      {Utf16(u"a\nb\r\nc", false) + std::string("\x00\xD8", 2),
       EncodingChoice::Automatic,  // an unpaired surrogate
       "Line 3 is not valid UTF-16 LE text. Nothing was imported."},
      {Utf16(u"a\nb", true) + std::string(1, '\0'), EncodingChoice::Automatic,  // an odd last byte
       "Line 2 is not valid UTF-16 BE text. Nothing was imported."},
  };
  for (const Case& c : cases) EXPECT_EQ(Read(c.bytes, c.choice), c.message) << c.bytes;
}

TEST(TextEncoding, CommandLineWords) {
  EXPECT_EQ(ParseEncodingChoice("auto"), EncodingChoice::Automatic);
  EXPECT_EQ(ParseEncodingChoice("utf-8"), EncodingChoice::Utf8);
  EXPECT_EQ(ParseEncodingChoice("windows-1252"), EncodingChoice::Windows1252);
  EXPECT_EQ(ParseEncodingChoice("UTF8"), std::nullopt);
}

}  // namespace
}  // namespace quorella
