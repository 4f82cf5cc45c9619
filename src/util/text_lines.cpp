#include "util/text_lines.h"

#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace quorella {

std::size_t FindLineBreak(std::string_view text, std::size_t from) {
  // Eight bytes at a time: a word without a byte below 14 holds neither CR (13) nor LF (10).
  constexpr std::uint64_t kOnes = 0x0101010101010101ULL, kHighBits = 0x8080808080808080ULL;
  const std::size_t n = text.size();
  std::size_t i = from;
#if defined(__SSE2__)
  // Sixteen at a time where the processor has the instructions.
  const __m128i cr = _mm_set1_epi8('\r'), lf = _mm_set1_epi8('\n');
  for (; i + 16 <= n; i += 16) {
    const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text.data() + i));
    const int breaks =
        _mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(block, cr), _mm_cmpeq_epi8(block, lf)));
    if (breaks != 0)
      return i + static_cast<std::size_t>(__builtin_ctz(static_cast<unsigned>(breaks)));
  }
#endif
  for (; i + 8 <= n; i += 8) {
    std::uint64_t word;
    std::memcpy(&word, text.data() + i, 8);
    if (((word - 14 * kOnes) & ~word & kHighBits) == 0) continue;
    for (std::size_t k = i; k < i + 8; ++k)
      if (text[k] == '\r' || text[k] == '\n') return k;
  }
  for (; i < n; ++i)
    if (text[i] == '\r' || text[i] == '\n') return i;
  return n;
}

std::vector<std::string> SplitLines(std::string_view text) {
  std::vector<std::string> lines;
  ForEachLine(text, [&](std::string_view line) { lines.emplace_back(line); });
  return lines;
}

std::string JoinLinesCrLf(const std::vector<std::string>& lines) {
  std::size_t size = 0;
  for (const auto& line : lines) size += line.size() + 2;
  std::string text;
  text.reserve(size);
  for (const auto& line : lines) {
    text += line;
    text += kCrLf;
  }
  return text;
}

std::string ReplaceLineBreaks(std::string_view text, std::string_view line_break) {
  std::string result;
  result.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\r' && text[i] != '\n') {
      result += text[i];
      continue;
    }
    result += line_break;
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
  }
  return result;
}

bool EndsWithLineBreak(std::string_view text) {
  return !text.empty() && (text.back() == '\n' || text.back() == '\r');
}

}  // namespace quorella
