#include "html/word_rendering.h"

#include <array>
#include <utility>
#include <vector>

#include "html/entities.h"
#include "util/strings.h"

namespace quorella::html {

namespace {

// Calls `each` with the items of `text` split at `separator`: every separator ends an item, even
// an empty one; what follows the last separator is an item only when it is not empty.
template <typename Fn>
void ForEachItem(std::string_view text, char separator, Fn&& each) {
  std::size_t start = 0;
  for (std::size_t found = text.find(separator); found != std::string_view::npos;
       found = text.find(separator, start)) {
    each(text.substr(start, found - start));
    start = found + 1;
  }
  if (start < text.size()) each(text.substr(start));
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

// An e-mail word is at least three characters long, so a marked one always has an inside.
void AppendEmailWord(std::string& out, std::string_view word) {
  for (const auto& [open, close] : kEmailMarks) {
    if (word.front() != open) continue;
    AppendEscaped(out, std::string_view(&open, 1));
    // The last character goes whatever it is; the closing mark written is the pair's own.
    AppendAnchor(out, "mailto:", word.substr(1, word.size() - 2));
    AppendEscaped(out, std::string_view(&close, 1));
    return;
  }
  AppendAnchor(out, "mailto:", word);
}

}  // namespace

bool IsLinkWord(std::string_view word) {
  const auto scheme = word.find("://");
  if (scheme != std::string_view::npos && scheme >= 2) return true;
  return StartsWithNoCase(word, "www.") || StartsWithNoCase(word, "ftp.");
}

bool IsEmailWord(std::string_view word) {
  const auto at = word.find('@');
  const auto dot = word.find('.');
  return at != std::string_view::npos && at >= 1 && dot != std::string_view::npos && dot >= 1 &&
         word.find(' ') == std::string_view::npos;
}

void AppendWord(std::string& out, std::string_view word) {
  if (IsLinkWord(word))
    AppendLinkWord(out, word);
  else if (IsEmailWord(word))
    AppendEmailWord(out, word);
  else
    AppendEscaped(out, word);
}

void AppendLine(std::string& out, std::string_view line) {
  bool first = true;
  ForEachItem(line, ' ', [&](std::string_view word) {
    if (!first) out += ' ';
    first = false;
    AppendWord(out, word);
  });
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
