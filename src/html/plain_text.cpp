#include "html/plain_text.h"

#include <array>
#include <cctype>
#include <cstdint>
#include <cstring>
#include <utility>

#include "util/byte_search.h"

namespace quorella::html {

namespace {

bool IsSpace(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f';
}

// White space, and the "<" and "&" that may start markup, end a run of plain text.
constexpr std::array<bool, 256> kEndsPlainRun = [] {
  std::array<bool, 256> ends{};
  for (const char c : {' ', '\t', '\r', '\n', '\f', '<', '&'})
    ends[static_cast<unsigned char>(c)] = true;
  return ends;
}();

void AppendUtf8(std::string& out, std::uint32_t code) {
  if (code == 0 || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) code = 0xFFFD;
  if (code < 0x80) {
    out += static_cast<char>(code);
  } else if (code < 0x800) {
    out += static_cast<char>(0xC0 | (code >> 6));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else if (code < 0x10000) {
    out += static_cast<char>(0xE0 | (code >> 12));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (code >> 18));
    out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  }
}

// The entity at the start of `text` ("&...;"): its length and what it stands for; length 0 when
// it is none this knows, and the ampersand then stands for itself.
std::pair<std::size_t, std::string> Entity(std::string_view text) {
  static constexpr std::array<std::pair<std::string_view, std::string_view>, 6> kNamed = {{
      {"&amp;", "&"},
      {"&lt;", "<"},
      {"&gt;", ">"},
      {"&quot;", "\""},
      {"&apos;", "'"},
      {"&nbsp;", " "},
  }};
  for (const auto& [name, value] : kNamed)
    if (text.substr(0, name.size()) == name) return {name.size(), std::string(value)};
  if (text.size() < 4 || text[1] != '#') return {0, {}};
  const bool hex = text[2] == 'x' || text[2] == 'X';
  std::uint32_t code = 0;
  std::size_t i = hex ? 3 : 2;
  const std::size_t digits_from = i;
  for (; i < text.size() && i < digits_from + 7; ++i) {
    const char c = text[i];
    int digit = -1;
    if (c >= '0' && c <= '9') digit = c - '0';
    if (hex && c >= 'a' && c <= 'f') digit = c - 'a' + 10;
    if (hex && c >= 'A' && c <= 'F') digit = c - 'A' + 10;
    if (digit < 0) break;
    code = code * (hex ? 16 : 10) + static_cast<std::uint32_t>(digit);
  }
  if (i == digits_from || i >= text.size() || text[i] != ';') return {0, {}};
  std::string decoded;
  AppendUtf8(decoded, code);
  return {i + 1, decoded};
}

// A letter or "/" after "<": an element's tag. ASCII letters, which every tag has, are letters in
// every locale.
bool StartsTagName(char c) {
  return ((c | 0x20) >= 'a' && (c | 0x20) <= 'z') || c == '/' ||
         std::isalpha(static_cast<unsigned char>(c));
}

#if defined(__SSE2__)
// The bytes of a block that end a plain run, each as all bits set.
inline __m128i RunEnders(__m128i block) {
  const auto is = [block](char c) { return _mm_cmpeq_epi8(block, _mm_set1_epi8(c)); };
  return _mm_or_si128(
      _mm_or_si128(_mm_or_si128(is(' '), is('\t')), _mm_or_si128(is('\r'), is('\n'))),
      _mm_or_si128(_mm_or_si128(is('\f'), is('<')), is('&')));
}
#endif

// Where a run of plain text that goes on at `from` ends: words with one blank between them stay
// as they are and go in one piece, so the run ends at white space, "<" or "&", except a single
// blank followed by more plain text.
std::size_t PlainRunEnd(std::string_view html, std::size_t from) {
#if defined(__SSE2__)
  // Sixteen bytes at a time where the processor has the instructions, each beside the one after:
  // the byte after each is read off the block's own marks, the last one's after it by itself.
  for (; html.size() - from > 16; from += 16) {
    const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(html.data() + from));
    const auto enders = static_cast<unsigned>(_mm_movemask_epi8(RunEnders(block)));
    const auto blanks =
        static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(block, _mm_set1_epi8(' '))));
    const unsigned next_enders =
        (enders >> 1) | (kEndsPlainRun[static_cast<unsigned char>(html[from + 16])] ? 0x8000u : 0u);
    const unsigned ends = enders & ~(blanks & ~next_enders);
    if (ends != 0) return from + static_cast<std::size_t>(__builtin_ctz(ends));
  }
#endif
  auto plain = [&](std::size_t at) {
    return at < html.size() && !kEndsPlainRun[static_cast<unsigned char>(html[at])];
  };
  std::size_t end = from;
  for (;;) {
    while (plain(end)) ++end;
    if (end < html.size() && html[end] == ' ' && plain(end + 1))
      end += 2;
    else
      return end;
  }
}

}  // namespace

std::string PlainText(std::string_view html) {
  std::string out;
  out.reserve(html.size());
  bool pending_space = false;
  auto append = [&](std::string_view piece) {
    if (pending_space && !out.empty()) out += ' ';
    pending_space = false;
    out += piece;
  };
  for (std::size_t i = 0; i < html.size();) {
    const char c = html[i];
    if (c == '<' && html.substr(i, 4) == "<!--") {
      const std::size_t end = html.find("-->", i + 4);
      i = end == std::string_view::npos ? html.size() : end + 3;
      pending_space = true;
    } else if (c == '<' && i + 1 < html.size() && StartsTagName(html[i + 1])) {
      // A tag holds no '>' before its end: memchr searches a block at a time.
      const void* const end = std::memchr(html.data() + i, '>', html.size() - i);
      i = end == nullptr
              ? html.size()
              : static_cast<std::size_t>(static_cast<const char*>(end) - html.data()) + 1;
      pending_space = true;  // a tag may end a block; a space is the safe reading
    } else if (IsSpace(c)) {
      pending_space = true;
      ++i;
    } else if (c == '&') {
      const auto [length, value] = Entity(html.substr(i));
      if (length == 0) {
        append("&");
        ++i;
      } else {
        if (value == " ")
          pending_space = true;
        else
          append(value);
        i += length;
      }
    } else {
      const std::size_t end = PlainRunEnd(html, i + 1);
      append(html.substr(i, end - i));
      i = end;
    }
  }
  return out;
}

std::string FirstSentence(std::string_view text, std::size_t limit) {
  std::size_t end = text.size();
  const char* const text_end = text.data() + text.size();
  for (const char* p = FindAnyOf<'.', '!', '?'>(text.data(), text_end); p != text_end;
       p = FindAnyOf<'.', '!', '?'>(p + 1, text_end)) {
    if (p + 1 == text_end || p[1] == ' ') {
      end = static_cast<std::size_t>(p + 1 - text.data());
      break;
    }
  }
  if (end <= limit) return std::string(text.substr(0, end));
  std::size_t cut = text.rfind(' ', limit);
  if (cut == std::string_view::npos || cut == 0) {
    cut = limit;  // one long word: cut it, but not inside a character
    while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80) --cut;
  }
  return std::string(text.substr(0, cut)) + "\xE2\x80\xA6";
}

void AppendEscapedHtml(std::string& out, std::string_view text) {
  // Text between the characters escaped goes in runs.
  const char* const end = text.data() + text.size();
  const char* run = text.data();
  for (const char* p = FindAnyOf<'&', '<', '>', '"'>(run, end); p != end;
       p = FindAnyOf<'&', '<', '>', '"'>(run, end)) {
    out.append(run, p);
    switch (*p) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      default:
        out += "&quot;";
        break;
    }
    run = p + 1;
  }
  out.append(run, end);
}

std::string EscapeHtml(std::string_view text) {
  std::string out;
  AppendEscapedHtml(out, text);
  return out;
}

}  // namespace quorella::html
