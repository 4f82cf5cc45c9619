#include "util/cp1252.h"

#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "util/unicode.h"

namespace quorella {

namespace {

// Bytes 0x80 to 0x9F; the unassigned ones keep their own number as a C1 control.
constexpr char32_t kHigh[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

// The byte for a code point, or -1 when Windows-1252 has none.
int ByteFor(char32_t cp) {
  if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<int>(cp);
  for (int i = 0; i < 32; ++i)
    if (kHigh[i] == cp) return 0x80 + i;
  return -1;
}

}  // namespace

char32_t Cp1252ToCodePoint(unsigned char byte) {
  return byte >= 0x80 && byte <= 0x9F ? kHigh[byte - 0x80] : byte;
}

namespace {

// Documents are mostly ASCII: the converters copy such runs whole, found eight bytes at a time.
std::size_t AsciiRunEnd(std::string_view text, std::size_t from) {
#if defined(__SSE2__)
  // Sixteen at a time where the processor has the instructions.
  for (; from + 16 <= text.size(); from += 16) {
    const int beyond =
        _mm_movemask_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(text.data() + from)));
    if (beyond != 0)
      return from + static_cast<std::size_t>(__builtin_ctz(static_cast<unsigned>(beyond)));
  }
#endif
  constexpr std::uint64_t kHighBits = 0x8080808080808080ULL;
  while (from + 8 <= text.size()) {
    std::uint64_t word;
    std::memcpy(&word, text.data() + from, 8);
    if ((word & kHighBits) != 0) break;
    from += 8;
  }
  while (from < text.size() && static_cast<unsigned char>(text[from]) < 0x80) ++from;
  return from;
}

// Where the run of ASCII bytes that ends before `end` begins.
std::size_t AsciiRunStart(const char* text, std::size_t end) {
#if defined(__SSE2__)
  for (; end >= 16; end -= 16) {
    const int beyond =
        _mm_movemask_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(text + end - 16)));
    if (beyond != 0)
      return end - 16 + static_cast<std::size_t>(32 - __builtin_clz(static_cast<unsigned>(beyond)));
  }
#endif
  while (end > 0 && static_cast<unsigned char>(text[end - 1]) < 0x80) --end;
  return end;
}

// The UTF-8 bytes a byte beyond ASCII takes beyond its own.
std::size_t Utf8Growth(unsigned char byte) {
  return Cp1252ToCodePoint(byte) < 0x800 ? 1 : 2;
}

}  // namespace

std::string Cp1252ToUtf8InPlace(std::string bytes) {
  std::size_t growth = 0;
  for (std::size_t i = AsciiRunEnd(bytes, 0); i < bytes.size(); i = AsciiRunEnd(bytes, i + 1))
    growth += Utf8Growth(static_cast<unsigned char>(bytes[i]));
  if (growth == 0) return bytes;
  if (bytes.capacity() < bytes.size() + growth) return Cp1252ToUtf8(bytes);
  // From the end back, each byte written where the text has grown by all the bytes before it:
  // nothing is written over before it is read.
  std::size_t in = bytes.size(), out = in + growth;
  bytes.resize(out);
  char* const text = bytes.data();
  while (out != in) {  // once they meet, what comes before is ASCII and stays in place
    const std::size_t run = AsciiRunStart(text, in);
    out -= in - run;
    std::memmove(text + out, text + run, in - run);
    in = run - 1;
    const char32_t code_point = Cp1252ToCodePoint(static_cast<unsigned char>(text[in]));
    text[--out] = static_cast<char>(0x80 | (code_point & 0x3F));
    if (code_point < 0x800) {
      text[--out] = static_cast<char>(0xC0 | (code_point >> 6));
    } else {
      text[--out] = static_cast<char>(0x80 | ((code_point >> 6) & 0x3F));
      text[--out] = static_cast<char>(0xE0 | (code_point >> 12));
    }
  }
  return bytes;
}

std::string Cp1252ToUtf8(std::string_view bytes) {
  // Each byte beyond ASCII takes at most three in UTF-8: the text is made without growing (a
  // document of megabytes would otherwise be copied once more when its first such byte came past
  // the reserved size).
  std::size_t beyond_ascii = 0;
  for (std::size_t i = AsciiRunEnd(bytes, 0); i < bytes.size(); i = AsciiRunEnd(bytes, i + 1))
    ++beyond_ascii;
  std::string out;
  out.reserve(bytes.size() + 2 * beyond_ascii);
  for (std::size_t i = 0; i < bytes.size();) {
    const std::size_t run_end = AsciiRunEnd(bytes, i);
    out.append(bytes.substr(i, run_end - i));
    if (run_end == bytes.size()) break;
    AppendCodePoint(out, Cp1252ToCodePoint(static_cast<unsigned char>(bytes[run_end])));
    i = run_end + 1;
  }
  return out;
}

std::string Utf8ToCp1252(std::string_view utf8, bool* lossy) {
  std::string out;
  out.reserve(utf8.size());
  bool lost = false;
  for (std::size_t i = 0; i < utf8.size();) {
    const std::size_t run_end = AsciiRunEnd(utf8, i);
    out.append(utf8.substr(i, run_end - i));
    i = run_end;
    if (i == utf8.size()) break;
    // An ill-formed sequence decodes as U+FFFD, which has no byte either.
    const int byte = ByteFor(NextCodePoint(utf8, i));
    if (byte < 0) {
      out += '?';
      lost = true;
    } else {
      out += static_cast<char>(byte);
    }
  }
  if (lossy != nullptr) *lossy = lost;
  return out;
}

bool FitsCp1252(std::string_view utf8) {
  for (std::size_t i = AsciiRunEnd(utf8, 0); i < utf8.size(); i = AsciiRunEnd(utf8, i)) {
    // U+FFFD has no byte, so an ill-formed sequence never fits either.
    if (ByteFor(NextCodePoint(utf8, i)) < 0) return false;
  }
  return true;
}

std::optional<std::string> Utf8ToCp1252IfFits(std::string_view utf8) {
  if (!FitsCp1252(utf8)) return std::nullopt;
  return Utf8ToCp1252(utf8);
}

}  // namespace quorella
