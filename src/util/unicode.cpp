#include "util/unicode.h"

#include <unicode/bytestream.h>
#include <unicode/normalizer2.h>
#include <unicode/ucasemap.h>
#include <unicode/uchar.h>
#include <unicode/utf8.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>

namespace quorella {

namespace {

struct CaseMapCloser {
  void operator()(UCaseMap* map) const { ucasemap_close(map); }
};

// One folding map per thread: ucasemap objects are not shareable while in use.
UCaseMap* FoldingMap() {
  thread_local std::unique_ptr<UCaseMap, CaseMapCloser> map = [] {
    UErrorCode status = U_ZERO_ERROR;
    return std::unique_ptr<UCaseMap, CaseMapCloser>(
        ucasemap_open("", U_FOLD_CASE_DEFAULT, &status));
  }();
  return map.get();
}

char LowerAsciiLetter(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// Ill-formed bytes are replaced so ICU's folding, which rejects them, sees well-formed text.
std::string WellFormed(std::string_view utf8) {
  if (IsValidUtf8(utf8)) return std::string(utf8);
  std::string out;
  out.reserve(utf8.size());
  for (std::size_t pos = 0; pos < utf8.size();) AppendCodePoint(out, NextCodePoint(utf8, pos));
  return out;
}

}  // namespace

bool IsAscii(std::string_view text) {
  // Eight bytes at a time: the texts asked about are mostly ASCII and looked at whole.
  std::uint64_t high = 0;
  std::size_t i = 0;
  for (; i + 8 <= text.size(); i += 8) {
    std::uint64_t word;
    std::memcpy(&word, text.data() + i, 8);
    high |= word;
  }
  for (; i < text.size(); ++i) high |= static_cast<unsigned char>(text[i]);
  return (high & 0x8080808080808080ULL) == 0;
}

bool IsValidUtf8(std::string_view text, std::size_t* bad_offset) {
  const auto* bytes = reinterpret_cast<const uint8_t*>(text.data());
  const auto length = static_cast<int32_t>(text.size());
  for (int32_t i = 0; i < length;) {
    const int32_t start = i;
    UChar32 c;
    U8_NEXT(bytes, i, length, c);
    if (c < 0) {
      if (bad_offset != nullptr) *bad_offset = static_cast<std::size_t>(start);
      return false;
    }
  }
  return true;
}

char32_t NextCodePoint(std::string_view utf8, std::size_t& pos) {
  const auto* bytes = reinterpret_cast<const uint8_t*>(utf8.data());
  auto i = static_cast<int32_t>(pos);
  UChar32 c;
  U8_NEXT_OR_FFFD(bytes, i, static_cast<int32_t>(utf8.size()), c);
  pos = static_cast<std::size_t>(i);
  return static_cast<char32_t>(c);
}

std::size_t CountCodePoints(std::string_view utf8) {
  std::size_t count = 0;
  for (std::size_t pos = 0; pos < utf8.size(); ++count) NextCodePoint(utf8, pos);
  return count;
}

std::size_t LastCodePointStart(std::string_view utf8) {
  std::size_t last = 0;
  for (std::size_t pos = 0; pos < utf8.size();) {
    last = pos;
    NextCodePoint(utf8, pos);
  }
  return last;
}

void AppendCodePoint(std::string& out, char32_t code_point) {
  uint8_t buffer[U8_MAX_LENGTH];
  int32_t length = 0;
  UBool error = false;
  U8_APPEND(buffer, length, U8_MAX_LENGTH, static_cast<UChar32>(code_point), error);
  if (error) {
    out += "\xEF\xBF\xBD";
    return;
  }
  out.append(reinterpret_cast<const char*>(buffer), static_cast<std::size_t>(length));
}

std::string FoldCase(std::string_view utf8) {
  if (IsAscii(utf8)) {
    std::string out(utf8);
    for (char& c : out) c = LowerAsciiLetter(c);
    return out;
  }
  const std::string source = WellFormed(utf8);
  // Folding grows a text by at most three times (one code point becomes up to three).
  std::string out(source.size() * 3 + 16, '\0');
  UErrorCode status = U_ZERO_ERROR;
  const int32_t length =
      ucasemap_utf8FoldCase(FoldingMap(), out.data(), static_cast<int32_t>(out.size()),
                            source.data(), static_cast<int32_t>(source.size()), &status);
  if (U_FAILURE(status)) return source;
  out.resize(static_cast<std::size_t>(length));
  return out;
}

std::string ToNfc(std::string_view utf8) {
  if (IsAscii(utf8) || !IsValidUtf8(utf8)) return std::string(utf8);
  UErrorCode status = U_ZERO_ERROR;
  const icu::Normalizer2* const nfc = icu::Normalizer2::getNFCInstance(status);
  const icu::StringPiece piece(utf8.data(), static_cast<int32_t>(utf8.size()));
  if (U_FAILURE(status) || nfc->isNormalizedUTF8(piece, status)) return std::string(utf8);
  std::string out;
  icu::StringByteSink<std::string> sink(&out);
  nfc->normalizeUTF8(0, piece, sink, nullptr, status);
  return U_SUCCESS(status) ? out : std::string(utf8);
}

bool HasControlOrFormatCharacter(std::string_view utf8) {
  for (std::size_t pos = 0; pos < utf8.size();) {
    const auto type = u_charType(static_cast<UChar32>(NextCodePoint(utf8, pos)));
    if (type == U_CONTROL_CHAR || type == U_FORMAT_CHAR) return true;
  }
  return false;
}

int CompareFolded(std::string_view a, std::string_view b) {
  // Names are mostly ASCII, and the store compares them on every lookup: no copies for those.
  if (IsAscii(a) && IsAscii(b)) {
    const std::size_t common = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < common; ++i) {
      const auto x = static_cast<unsigned char>(LowerAsciiLetter(a[i]));
      const auto y = static_cast<unsigned char>(LowerAsciiLetter(b[i]));
      if (x != y) return x < y ? -1 : 1;
    }
    return a.size() < b.size() ? -1 : a.size() > b.size() ? 1 : 0;
  }
  // UTF-8 byte order is code point order, so comparing the folded bytes is enough.
  int order = FoldCase(a).compare(FoldCase(b));
  // Bad bytes all fold to U+FFFD; telling such texts apart keeps the order a total one.
  if (order == 0 && (!IsValidUtf8(a) || !IsValidUtf8(b))) order = a.compare(b);
  return order < 0 ? -1 : order > 0 ? 1 : 0;
}

}  // namespace quorella
