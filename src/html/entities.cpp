#include "html/entities.h"

#include <charconv>
#include <cstdint>
#include <cstring>

#include "util/strings.h"
#include "util/unicode.h"

namespace quorella::html {

namespace {

// The one character of the table beyond the two-byte range.
constexpr char32_t kEuro = U'\u20AC';
constexpr std::string_view kEuroEntity = [] {
  for (const Entity& e : kEntityTable)
    if (e.code_point == kEuro) return e.text;
  return std::string_view();
}();

// A reference or entity short enough to be copied as one piece: "&#2047;" and "&middot;" are the
// longest that the tables below hold.
struct ShortText {
  std::array<char, 8> text{};
  std::uint8_t size = 0;
  constexpr void Set(std::string_view s) {
    for (std::size_t i = 0; i < s.size(); ++i) text[i] = s[i];
    size = static_cast<std::uint8_t>(s.size());
  }
  std::string_view view() const { return {text.data(), size}; }
};

// Every code point below U+0800 takes two bytes in UTF-8 (Latin, Greek, Cyrillic, Hebrew, Arabic
// and more). Their references, and for the table's characters their entities, are made once, so
// text in those scripts costs one look-up a character.
constexpr char32_t kTwoByteLimit = 0x800;

struct TwoByteTexts {
  std::array<ShortText, kTwoByteLimit> reference{};
  std::array<ShortText, kTwoByteLimit> escaped{};
  constexpr TwoByteTexts() {
    for (char32_t cp = 0x80; cp < kTwoByteLimit; ++cp) {
      std::array<char, 4> digits{};
      std::size_t n = 0;
      for (char32_t rest = cp; rest > 0; rest /= 10)
        digits[n++] = static_cast<char>('0' + rest % 10);
      ShortText& text = reference[cp];
      text.text[0] = '&';
      text.text[1] = '#';
      for (std::size_t i = 0; i < n; ++i) text.text[2 + i] = digits[n - 1 - i];
      text.text[2 + n] = ';';
      text.size = static_cast<std::uint8_t>(n + 3);
      escaped[cp] = text;
    }
    for (const Entity& e : kEntityTable)
      if (e.code_point < kTwoByteLimit) escaped[e.code_point].Set(e.text);
  }
};
constexpr TwoByteTexts kTwoByte;

constexpr bool EveryEntityIsLookedUp() {
  for (const Entity& e : kEntityTable)
    if (e.code_point >= kTwoByteLimit && e.code_point != kEuro) return false;
  return true;
}
static_assert(EveryEntityIsLookedUp());

// The code point that starts at `p` (before `end`, beyond ASCII); `p` moves past it. Two-byte
// sequences are decoded here, everything else as the Unicode helpers decode it.
char32_t NextCharacter(std::string_view text, const char*& p) {
  const auto lead = static_cast<unsigned char>(p[0]);
  if (lead >= 0xC2 && lead <= 0xDF && text.data() + text.size() - p >= 2 &&
      (static_cast<unsigned char>(p[1]) & 0xC0) == 0x80) {
    const char32_t cp = (char32_t{lead} & 0x1F) << 6 | (static_cast<unsigned char>(p[1]) & 0x3F);
    p += 2;
    return cp;
  }
  std::size_t pos = static_cast<std::size_t>(p - text.data());
  const char32_t cp = NextCodePoint(text, pos);
  p = text.data() + pos;
  return cp;
}

void AppendReference(std::string& out, char32_t code_point) {
  if (code_point < kTwoByteLimit) {
    out.append(kTwoByte.reference[code_point].view());
    return;
  }
  char buffer[16] = {'&', '#'};
  char* end =
      std::to_chars(buffer + 2, buffer + sizeof buffer - 1, static_cast<std::uint32_t>(code_point))
          .ptr;
  *end++ = ';';
  out.append(buffer, end);
}

void AppendHex(std::string& out, std::uint32_t value, int digits) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  for (int shift = 4 * (digits - 1); shift >= 0; shift -= 4) out += kHex[(value >> shift) & 0xF];
}

// A script's escape: "\\uXXXX", two of them (a surrogate pair) beyond U+FFFF.
void AppendScriptEscape(std::string& out, char32_t code_point) {
  if (code_point > 0xFFFF) {
    const std::uint32_t v = static_cast<std::uint32_t>(code_point) - 0x10000;
    AppendScriptEscape(out, 0xD800 + (v >> 10));
    AppendScriptEscape(out, 0xDC00 + (v & 0x3FF));
    return;
  }
  out += "\\u";
  AppendHex(out, static_cast<std::uint32_t>(code_point), 4);
}

// A style sheet's escape with all six digits, so that no hex digit after it can join it.
void AppendStyleEscape(std::string& out, char32_t code_point) {
  out += '\\';
  AppendHex(out, static_cast<std::uint32_t>(code_point), 6);
}

// Bytes at which the page writer stops: '<', which may open or close a script or style element,
// and every byte beyond ASCII.
struct PageStops {
  std::array<bool, 256> stop{};
  constexpr PageStops() {
    for (std::size_t byte = 0x80; byte < 0x100; ++byte) stop[byte] = true;
    stop['<'] = true;
  }
};
constexpr PageStops kPageStops;

// Does `rest` begin with the tag name `name` (after "<" or "</"), in any case, and end it there?
bool StartsTag(std::string_view rest, std::string_view name) {
  if (!StartsWithNoCase(rest, name)) return false;
  if (rest.size() == name.size()) return true;
  const char next = rest[name.size()];
  return next == ' ' || next == '\t' || next == '\r' || next == '\n' || next == '\f' ||
         next == '/' || next == '>';
}

}  // namespace

void AppendAscii(std::string& out, std::string_view text) {
  const char* const end = text.data() + text.size();
  const char* p = text.data();
  for (;;) {
    const char* stop = p;
    while (stop < end && static_cast<unsigned char>(*stop) < 0x80) ++stop;
    out.append(p, stop);
    if (stop == end) return;
    p = stop;
    AppendReference(out, NextCharacter(text, p));
  }
}

void AppendEscaped(std::string& out, std::string_view word) {
  if (word == "&") {
    out += "&amp;";
    return;
  }
  const char* const end = word.data() + word.size();
  const char* p = word.data();
  for (;;) {
    const char* stop = p;
    while (stop < end && static_cast<unsigned char>(*stop) < 0x80 &&
           kTwoByte.escaped[static_cast<unsigned char>(*stop)].size == 0)
      ++stop;
    out.append(p, stop);
    if (stop == end) return;
    p = stop;
    const auto byte = static_cast<unsigned char>(*p);
    if (byte < 0x80) {  // an ASCII character of the table
      out.append(kTwoByte.escaped[byte].view());
      ++p;
      continue;
    }
    const char32_t cp = NextCharacter(word, p);
    if (cp < kTwoByteLimit)
      out.append(kTwoByte.escaped[cp].view());
    else if (cp == kEuro)
      out += kEuroEntity;
    else
      AppendReference(out, cp);
  }
}

std::string EscapeWord(std::string_view word) {
  std::string out;
  AppendEscaped(out, word);
  return out;
}

void AsciiPageWriter::Append(std::string& out, std::string_view text) {
  const char* const end = text.data() + text.size();
  const char* p = text.data();
  for (;;) {
    const char* stop = p;
    while (stop < end && !kPageStops.stop[static_cast<unsigned char>(*stop)]) ++stop;
    out.append(p, stop);
    if (stop == end) return;
    p = stop;
    if (*p == '<') {
      const std::string_view rest(p + 1, static_cast<std::size_t>(end - p - 1));
      if (raw_text_ == RawText::None) {
        if (StartsTag(rest, "script"))
          raw_text_ = RawText::Script;
        else if (StartsTag(rest, "style"))
          raw_text_ = RawText::Style;
      } else if (rest.starts_with('/') &&
                 StartsTag(rest.substr(1), raw_text_ == RawText::Script ? "script" : "style")) {
        raw_text_ = RawText::None;
      }
      out += '<';
      ++p;
      continue;
    }
    const char32_t cp = NextCharacter(text, p);
    switch (raw_text_) {
      case RawText::None:
        AppendReference(out, cp);
        break;
      case RawText::Script:
        AppendScriptEscape(out, cp);
        break;
      case RawText::Style:
        AppendStyleEscape(out, cp);
        break;
    }
  }
}

}  // namespace quorella::html
