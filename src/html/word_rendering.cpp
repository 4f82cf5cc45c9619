#include "html/word_rendering.h"

#include <array>
#include <utility>
#include <vector>

#include "html/entities.h"
#include "util/byte_search.h"
#include "util/strings.h"
#include "util/unicode.h"

namespace quorella::html {

namespace {

// Calls `each` with the items of `text` split at `separator`: every separator ends an item, even
// an empty one; what follows the last separator is an item only when it is not empty.
// Words are short, so a plain loop finds the separators faster than a library search would.
template <typename Fn>
void ForEachItem(std::string_view text, char separator, Fn&& each) {
  std::size_t start = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != separator) continue;
    each(text.substr(start, i - start));
    start = i + 1;
  }
  if (start < text.size()) each(text.substr(start));
}

// Most words hold none of the bytes that make a word more than itself: no character that the
// escaping replaces, and neither the "@" of an e-mail address nor the ":" of a link's scheme. The
// table's characters beyond ASCII start with one of three bytes; a word holding other characters
// beyond ASCII is still written as it is (a classic page makes references of them).
struct PlainBytes {
  std::array<bool, 256> plain{};
  constexpr explicit PlainBytes(std::size_t entities) {
    plain.fill(true);
    for (std::size_t i = 0; i < entities; ++i)
      if (kEntityTable[i].code_point < 0x80) plain[kEntityTable[i].code_point] = false;
    if (entities == kEntityCount)
      for (const unsigned char lead : kEntityLeadBytes) plain[lead] = false;
    plain['@'] = plain[':'] = false;
  }
};
constexpr PlainBytes kPlainBytes(kEntityCount);
constexpr PlainBytes kPlainMarkupBytes(kMarkupEntityCount);

// Does the word start with "www." or "ftp.", letters in any case? Setting bit 0x20 lowers exactly
// the letters A to Z here: no other byte becomes one of the lowercase letters compared.
bool HasHostPrefix(std::string_view word) {
  if (word.size() < 4 || word[3] != '.') return false;
  const char a = static_cast<char>(word[0] | 0x20), b = static_cast<char>(word[1] | 0x20),
             c = static_cast<char>(word[2] | 0x20);
  return (a == 'w' && b == 'w' && c == 'w') || (a == 'f' && b == 't' && c == 'p');
}

// A word that is written exactly as it is: plain bytes only, not a lone "&", and no "www." or
// "ftp." in front.
bool IsVerbatim(std::string_view word, Escaping escaping) {
  if (word == "&" || HasHostPrefix(word)) return false;
  const PlainBytes& bytes = escaping == Escaping::EntityTable ? kPlainBytes : kPlainMarkupBytes;
  for (const char c : word)
    if (!bytes.plain[static_cast<unsigned char>(c)]) return false;
  return true;
}

// Where a word's first "://", "@" and "." stand (npos when absent) and whether it holds a space:
// everything the word rules look at, found in one pass.
struct WordMarks {
  std::size_t scheme = std::string_view::npos;
  std::size_t at = std::string_view::npos;
  std::size_t dot = std::string_view::npos;
  bool space = false;
};

WordMarks ScanWord(std::string_view word) {
  constexpr auto npos = std::string_view::npos;
  WordMarks marks;
  for (std::size_t i = 0; i < word.size(); ++i) {
    switch (word[i]) {
      case '@':
        if (marks.at == npos) marks.at = i;
        break;
      case '.':
        if (marks.dot == npos) marks.dot = i;
        break;
      case ':':
        if (marks.scheme == npos && word.substr(i + 1, 2) == "//") marks.scheme = i;
        break;
      case ' ':
        marks.space = true;
        break;
      default:
        break;
    }
  }
  return marks;
}

// At least two characters before the "://": bytes of one character beyond ASCII are not two.
// Eight bytes hold two characters whatever they are.
bool LinkShaped(std::string_view word, const WordMarks& marks) {
  if (marks.scheme != std::string_view::npos && marks.scheme >= 2 &&
      (marks.scheme >= 8 || CountCodePoints(word.substr(0, marks.scheme)) >= 2))
    return true;
  return HasHostPrefix(word);
}

bool EmailShaped(const WordMarks& marks) {
  return marks.at != std::string_view::npos && marks.at >= 1 &&
         marks.dot != std::string_view::npos && marks.dot >= 1 && !marks.space;
}

// A link whose shown text is `address` and whose target is `scheme` + `address`.
void AppendAnchor(std::string& out, std::string_view scheme, std::string_view address) {
  out += "<A HREF=\"";
  out += scheme;
  out += address;
  out += "\">";
  out += address;
  out += "</A>";
}

void AppendLinkTo(std::string& out, std::string_view address) {
  const std::string_view scheme = StartsWithNoCase(address, "www.")   ? "http://"
                                  : StartsWithNoCase(address, "ftp.") ? "ftp://"
                                                                      : "";
  AppendAnchor(out, scheme, address);
}

void AppendLinkWord(std::string& out, std::string_view word) {
  std::size_t end = word.size();
  while (end > 0 && IsTrailingPunctuation(word.substr(end - 1, 1))) --end;
  const std::string_view address = word.substr(0, end);
  const std::string_view split_off = word.substr(end);

  if (!address.empty() && address.find('\t') == std::string_view::npos) {
    AppendLinkTo(out, address);  // as nearly every link is: one piece
    out += split_off;
    return;
  }
  std::vector<std::string_view> pieces;
  ForEachItem(address, '\t', [&](std::string_view piece) { pieces.push_back(piece); });
  if (pieces.size() == 1) {
    AppendLinkTo(out, address);  // the whole address, a TAB at its very end included
  } else if (!pieces.empty()) {
    for (const std::string_view piece : pieces) {
      if (IsLinkWord(piece))
        AppendLinkTo(out, piece);
      else
        out += piece;
      out += '\t';
    }
    out.pop_back();
  }
  out += split_off;
}

constexpr std::array<std::pair<char, char>, 6> kEmailMarks = {
    {{'"', '"'}, {'\'', '\''}, {'(', ')'}, {'{', '}'}, {'[', ']'}, {'<', '>'}}};

// Full stops and the like that end a sentence after an address; the closing brackets are left to
// the marks an address may be enclosed in.
bool EndsSentence(char c) {
  return std::string_view(".,;:!?").find(c) != std::string_view::npos;
}

// An e-mail word is at least three characters long, so a marked one always has an inside. The
// punctuation that ends it stays outside the link, as after a web address; a word that is no
// e-mail address without it is a plain word.
void AppendEmailWord(std::string& out, std::string_view word, Escaping escaping) {
  std::size_t end = word.size();
  while (end > 0 && EndsSentence(word[end - 1])) --end;
  const std::string_view address = word.substr(0, end), split_off = word.substr(end);
  if (!EmailShaped(ScanWord(address))) {
    AppendEscaped(out, word, escaping);
    return;
  }
  bool marked = false;
  for (const auto& [open, close] : kEmailMarks) {
    if (address.front() != open) continue;
    AppendEscaped(out, std::string_view(&open, 1), escaping);
    // The last character goes whatever it is, all of it however many bytes it takes; the closing
    // mark written is the pair's own.
    const std::string_view inside = address.substr(1);
    AppendAnchor(out, "mailto:", inside.substr(0, LastCodePointStart(inside)));
    AppendEscaped(out, std::string_view(&close, 1), escaping);
    marked = true;
    break;
  }
  if (!marked) AppendAnchor(out, "mailto:", address);
  out += split_off;
}

}  // namespace

bool IsLinkWord(std::string_view word) {
  return LinkShaped(word, ScanWord(word));
}

bool IsEmailWord(std::string_view word) {
  return EmailShaped(ScanWord(word));
}

namespace {

// AppendWord for a word that is not verbatim.
void AppendMarkedWord(std::string& out, std::string_view word, Escaping escaping) {
  const WordMarks marks = ScanWord(word);
  if (LinkShaped(word, marks))
    AppendLinkWord(out, word);
  else if (EmailShaped(marks))
    AppendEmailWord(out, word, escaping);
  else
    AppendEscaped(out, word, escaping);
}

}  // namespace

void AppendWord(std::string& out, std::string_view word, Escaping escaping) {
  if (IsVerbatim(word, escaping))
    out += word;
  else
    AppendMarkedWord(out, word, escaping);
}

namespace {

// The bytes at which a line's scan looks at the word around them: those that are not plain, the
// "&" that may stand alone and the "." that may end "www." or "ftp.". Every other byte belongs to
// a word written as it is, unless the same word holds one of these.
struct WordStops {
  std::array<bool, 256> stop{};
  constexpr explicit WordStops(const PlainBytes& bytes) {
    for (std::size_t i = 0; i < stop.size(); ++i) stop[i] = !bytes.plain[i];
    stop['&'] = stop['.'] = true;
  }
};
constexpr WordStops kWordStops(kPlainBytes);
constexpr WordStops kMarkupWordStops(kPlainMarkupBytes);

// The stops of both escapings as lists for FindAnyOf, which searches long lines a block at a time.
template <char... Bytes>
struct StopList {
  static const char* Next(const char* p, const char* end) { return FindAnyOf<Bytes...>(p, end); }
  static constexpr bool Matches(const WordStops& stops) {
    for (std::size_t i = 0; i < stops.stop.size(); ++i)
      if (stops.stop[i] != ((static_cast<unsigned char>(Bytes) == i) || ...)) return false;
    return true;
  }
};
using EntityTableStops = StopList<'"', '<', '>', '@', ':', '&', '.', '\xC2', '\xC3', '\xE2'>;
using MarkupStops = StopList<'"', '<', '>', '@', ':', '&', '.'>;
static_assert(EntityTableStops::Matches(kWordStops) && MarkupStops::Matches(kMarkupWordStops));

template <typename Stops>
void AppendLineStoppingAt(std::string& out, std::string_view line, Escaping escaping) {
  // Words written as they are go out in runs, with the blanks between them: from `run` up to the
  // next word that is not. A blank that ends the line ends its last word and is not written.
  const char* const begin = line.data();
  const char* const end = begin + line.size();
  const char* run = begin;
  for (const char* p = Stops::Next(begin, end); p != end; p = Stops::Next(p, end)) {
    // The word around the stop: words are split at every single space, and are short.
    const char* word_begin = p;
    while (word_begin != begin && word_begin[-1] != ' ') --word_begin;
    const char* word_end = p;
    while (word_end != end && *word_end != ' ') ++word_end;
    const std::string_view word(word_begin, static_cast<std::size_t>(word_end - word_begin));
    if (!IsVerbatim(word, escaping)) {
      out.append(run, word_begin);
      AppendMarkedWord(out, word, escaping);
      run = word_end;
    }
    p = word_end;
  }
  const char* const last = end - (end[-1] == ' ' ? 1 : 0);
  if (last > run) out.append(run, last);
}

}  // namespace

void AppendLine(std::string& out, std::string_view line, Escaping escaping) {
  if (line.empty()) return;
  if (escaping == Escaping::EntityTable)
    AppendLineStoppingAt<EntityTableStops>(out, line, escaping);
  else
    AppendLineStoppingAt<MarkupStops>(out, line, escaping);
}

std::string RenderWord(std::string_view word) {
  std::string out;
  AppendWord(out, word);
  return out;
}

std::string RenderLine(std::string_view line) {
  std::string out;
  AppendLine(out, line);
  return out;
}

}  // namespace quorella::html
