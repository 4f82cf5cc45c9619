#include "html/entities.h"

#include <charconv>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

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
};

// Gathers the short pieces of converted text on the stack and appends them to the string in
// runs: text beyond Latin is mostly references, and appending each to the string one by one
// costs more than writing it.
class PieceWriter {
 public:
  explicit PieceWriter(std::string& out) : out_(out) {}
  ~PieceWriter() { Flush(); }
  PieceWriter(const PieceWriter&) = delete;
  PieceWriter& operator=(const PieceWriter&) = delete;

  [[gnu::always_inline]] void Add(const ShortText& piece) {
    if (size_ > kCapacity - piece.text.size()) Flush();
    std::memcpy(buffer_ + size_, piece.text.data(), piece.text.size());
    size_ += piece.size;
  }
  [[gnu::always_inline]] void operator+=(std::string_view piece) {
    if (piece.size() > kCapacity - size_) {
      Flush();
      if (piece.size() > kCapacity / 2) {
        out_.append(piece);
        return;
      }
    }
    std::memcpy(buffer_ + size_, piece.data(), piece.size());
    size_ += piece.size();
  }
  void operator+=(char c) {
    if (size_ == kCapacity) Flush();
    buffer_[size_++] = c;
  }
  void Run(const char* from, const char* to) {
    if (from != to) *this += std::string_view(from, static_cast<std::size_t>(to - from));
  }

 private:
  void Flush() {
    out_.append(buffer_, size_);
    size_ = 0;
  }
  static constexpr std::size_t kCapacity = 512;
  std::string& out_;
  char buffer_[kCapacity];
  std::size_t size_ = 0;
};

// Every code point below U+0800 takes two bytes in UTF-8 (Latin, Greek, Cyrillic, Hebrew, Arabic
// and more). Their references, and for the table's characters their entities, are made once, so
// text in those scripts costs one look-up a character.
constexpr char32_t kTwoByteLimit = 0x800;

struct TwoByteTexts {
  std::array<ShortText, kTwoByteLimit> reference{};
  std::array<ShortText, kTwoByteLimit> entity{};  // empty for a character not in the table
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
    }
    for (const Entity& e : kEntityTable)
      if (e.code_point < kTwoByteLimit) entity[e.code_point].Set(e.text);
  }
};
constexpr TwoByteTexts kTwoByte;

constexpr bool EveryEntityIsLookedUp() {
  for (const Entity& e : kEntityTable)
    if (e.code_point >= kTwoByteLimit && e.code_point != kEuro) return false;
  return true;
}
static_assert(EveryEntityIsLookedUp());

// Bytes that may start a character of the table: its ASCII characters and the lead bytes of the
// others.
struct MaybeEntity {
  std::array<bool, 256> bytes{};
  constexpr explicit MaybeEntity(std::size_t entries) {
    for (std::size_t i = 0; i < entries; ++i)
      if (kEntityTable[i].code_point < 0x80) bytes[kEntityTable[i].code_point] = true;
    if (entries == kEntityCount)
      for (const unsigned char lead : kEntityLeadBytes) bytes[lead] = true;
  }
};
constexpr MaybeEntity kMaybeEntity(kEntityCount);
// The table starts with the characters HTML reserves.
constexpr MaybeEntity kMaybeMarkup(kMarkupEntityCount);

constexpr bool LeadBytesCoverTheTable() {
  for (const Entity& e : kEntityTable) {
    if (e.code_point < 0x80) continue;
    const unsigned lead =
        e.code_point < 0x800 ? 0xC0 | (e.code_point >> 6) : 0xE0 | (e.code_point >> 12);
    bool found = false;
    for (const unsigned char b : kEntityLeadBytes) found |= b == lead;
    if (!found) return false;
  }
  return true;
}
static_assert(LeadBytesCoverTheTable());

// Everything but a two-byte sequence, decoded as the Unicode helpers decode it.
[[gnu::noinline]] char32_t NextLongerCharacter(std::string_view text, const char*& p) {
  std::size_t pos = static_cast<std::size_t>(p - text.data());
  const char32_t cp = NextCodePoint(text, pos);
  p = text.data() + pos;
  return cp;
}

// The code point that starts at `p` (beyond ASCII); `p` moves past it.
inline char32_t NextCharacter(std::string_view text, const char*& p) {
  const auto lead = static_cast<unsigned char>(p[0]);
  if (lead >= 0xC2 && lead <= 0xDF && text.data() + text.size() - p >= 2 &&
      (static_cast<unsigned char>(p[1]) & 0xC0) == 0x80) {
    const char32_t cp = (char32_t{lead} & 0x1F) << 6 | (static_cast<unsigned char>(p[1]) & 0x3F);
    p += 2;
    return cp;
  }
  return NextLongerCharacter(text, p);
}

void AppendReference(PieceWriter& out, char32_t code_point) {
  if (code_point < kTwoByteLimit) {
    out.Add(kTwoByte.reference[code_point]);
    return;
  }
  char buffer[16] = {'&', '#'};
  char* end =
      std::to_chars(buffer + 2, buffer + sizeof buffer - 1, static_cast<std::uint32_t>(code_point))
          .ptr;
  *end++ = ';';
  out.Run(buffer, end);
}

void AppendHex(PieceWriter& out, std::uint32_t value, int digits) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  for (int shift = 4 * (digits - 1); shift >= 0; shift -= 4) out += kHex[(value >> shift) & 0xF];
}

// A script's escape: "\\uXXXX", two of them (a surrogate pair) beyond U+FFFF.
void AppendScriptEscape(PieceWriter& out, char32_t code_point) {
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
void AppendStyleEscape(PieceWriter& out, char32_t code_point) {
  out += '\\';
  AppendHex(out, static_cast<std::uint32_t>(code_point), 6);
}

// The first '<' or byte beyond ASCII at or after `p`; `end` when there is none. Eight bytes at a
// time, as most of a page is plain ASCII markup.
const char* NextLessThanOrBeyondAscii(const char* p, const char* end) {
  constexpr std::uint64_t kOnes = 0x0101010101010101ull, kHighBits = 0x8080808080808080ull;
  constexpr std::uint64_t kLessThan = kOnes * '<';
  for (; end - p >= 8; p += 8) {
    std::uint64_t block;
    std::memcpy(&block, p, sizeof block);
    const std::uint64_t lt = block ^ kLessThan;  // a zero byte where '<' stands
    if (((lt - kOnes) & ~lt & kHighBits) != 0 || (block & kHighBits) != 0) break;
  }
  while (p < end && *p != '<' && static_cast<unsigned char>(*p) < 0x80) ++p;
  return p;
}

// The first byte at or after `p` at which the page writer stops: a byte beyond ASCII, or a '<'
// that may open a script or style element (followed by an "s" in either case) or, inside one
// (`raw_text`), close it (followed by "/"); `end` when there is none. Any other '<' is markup the
// writer leaves as it is.
const char* NextPageStop(const char* p, const char* end, bool raw_text) {
#if defined(__SSE2__)
  // Sixteen at a time where the processor has the instructions, each byte beside the one after it:
  // a top bit is set where a byte is beyond ASCII or a '<' that stops the writer.
  const __m128i less_than = _mm_set1_epi8('<'), lower = _mm_set1_epi8(0x20), s = _mm_set1_epi8('s'),
                slash = _mm_set1_epi8('/');
  for (; end - p > 16; p += 16) {
    const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    const __m128i next = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 1));
    const __m128i after =
        raw_text ? _mm_cmpeq_epi8(next, slash) : _mm_cmpeq_epi8(_mm_or_si128(next, lower), s);
    const __m128i tags = _mm_and_si128(_mm_cmpeq_epi8(block, less_than), after);
    const int stops = _mm_movemask_epi8(_mm_or_si128(tags, block));
    if (stops != 0) return p + __builtin_ctz(static_cast<unsigned>(stops));
  }
#endif
  for (;; ++p) {
    p = NextLessThanOrBeyondAscii(p, end);
    if (p == end || *p != '<' || p + 1 == end) return p;
    if (raw_text ? p[1] == '/' : (p[1] | 0x20) == 's') return p;
  }
}

// Does `rest` begin with the tag name `name` (after "<" or "</"), in any case, and end it there?
bool StartsTag(std::string_view rest, std::string_view name) {
  if (!StartsWithNoCase(rest, name)) return false;
  if (rest.size() == name.size()) return true;
  const char next = rest[name.size()];
  return next == ' ' || next == '\t' || next == '\r' || next == '\n' || next == '\f' ||
         next == '/' || next == '>';
}

}  // namespace

void AppendEscaped(std::string& to, std::string_view word, Escaping escaping) {
  const MaybeEntity& stops = escaping == Escaping::EntityTable ? kMaybeEntity : kMaybeMarkup;
  if (word == "&") {
    to += "&amp;";
    return;
  }
  PieceWriter out(to);
  const char* const end = word.data() + word.size();
  const char* p = word.data();
  for (;;) {
    const char* stop = p;
    while (stop < end && !stops.bytes[static_cast<unsigned char>(*stop)]) ++stop;
    out.Run(p, stop);
    if (stop == end) return;
    p = stop;
    const auto byte = static_cast<unsigned char>(*p);
    if (byte < 0x80) {  // an ASCII character of the table
      out.Add(kTwoByte.entity[byte]);
      ++p;
      continue;
    }
    const char* const start = p;
    const char32_t cp = NextCharacter(word, p);
    if (cp < kTwoByteLimit && kTwoByte.entity[cp].size != 0)
      out.Add(kTwoByte.entity[cp]);
    else if (cp == kEuro)
      out += kEuroEntity;
    else
      out.Run(start, p);  // any other character stays; the page writes it as a reference
  }
}

std::string EscapeWord(std::string_view word, Escaping escaping) {
  std::string out;
  AppendEscaped(out, word, escaping);
  return out;
}

void AsciiPageWriter::Track(std::string_view after_less_than) {
  if (raw_text_ == RawText::None) {
    // Most tags are neither: only an "s" in either case can start one.
    if (after_less_than.empty() || (after_less_than[0] | 0x20) != 's') return;
    if (StartsTag(after_less_than, "script"))
      raw_text_ = RawText::Script;
    else if (StartsTag(after_less_than, "style"))
      raw_text_ = RawText::Style;
  } else if (after_less_than.starts_with('/') &&
             StartsTag(after_less_than.substr(1),
                       raw_text_ == RawText::Script ? "script" : "style")) {
    raw_text_ = RawText::None;
  }
}

void AsciiPageWriter::Append(std::string& to, std::string_view text) {
  PieceWriter out(to);
  const char* const end = text.data() + text.size();
  const char* p = text.data();
  for (;;) {
    const char* stop = NextPageStop(p, end, raw_text_ != RawText::None);
    out.Run(p, stop);
    if (stop == end) return;
    p = stop;
    if (*p == '<') {
      Track(std::string_view(p + 1, static_cast<std::size_t>(end - p - 1)));
      out += '<';
      ++p;
      continue;
    }
    // Characters beyond ASCII come in runs (words of other scripts): a run is written in one go.
    if (raw_text_ == RawText::None) {
      do AppendReference(out, NextCharacter(text, p));
      while (p < end && static_cast<unsigned char>(*p) >= 0x80);
      continue;
    }
    const char32_t cp = NextCharacter(text, p);
    if (raw_text_ == RawText::Script)
      AppendScriptEscape(out, cp);
    else
      AppendStyleEscape(out, cp);
  }
}

void AsciiPageWriter::ConvertFrom(std::string& page, std::size_t from) {
  const char* const end = page.data() + page.size();
  for (const char* p = NextPageStop(page.data() + from, end, raw_text_ != RawText::None); p != end;
       p = NextPageStop(p + 1, end, raw_text_ != RawText::None)) {
    if (*p == '<') {
      Track(std::string_view(p + 1, static_cast<std::size_t>(end - p - 1)));
      continue;
    }
    // From the first character beyond ASCII on, the text is written again.
    const auto at = static_cast<std::size_t>(p - page.data());
    rest_.assign(page, at);
    page.resize(at);
    Append(page, rest_);
    return;
  }
}

}  // namespace quorella::html
