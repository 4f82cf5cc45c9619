#include "import/html_nesting.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <string>

#include "util/strings.h"

namespace quorella {

namespace {

// Elements that open no level: void ones, and those the next sibling closes.
constexpr std::array<std::string_view, 31> kFlat = {
    "area",  "base",  "br",       "col",    "embed", "hr",     "img",      "input",
    "link",  "meta",  "param",    "source", "track", "wbr",    "p",        "li",
    "dt",    "dd",    "tr",       "td",     "th",    "option", "optgroup", "thead",
    "tbody", "tfoot", "colgroup", "rb",     "rt",    "rp",     "!doctype"};

bool IsNameChar(char c) {
  return std::isalnum(static_cast<unsigned char>(c)) || c == '-' || c == ':' || c == '!';
}

}  // namespace

std::size_t HtmlNestingDepth(std::string_view html) {
  std::size_t depth = 0, deepest = 0, at = 0;
  while ((at = html.find('<', at)) != std::string_view::npos) {
    if (html.substr(at, 4) == "<!--") {
      const std::size_t end = html.find("-->", at + 4);
      if (end == std::string_view::npos) break;
      at = end + 3;
      continue;
    }
    const bool closing = at + 1 < html.size() && html[at + 1] == '/';
    std::size_t name_end = at + (closing ? 2 : 1);
    while (name_end < html.size() && IsNameChar(html[name_end])) ++name_end;
    const std::string name =
        LowerAscii(html.substr(at + (closing ? 2 : 1), name_end - at - (closing ? 2 : 1)));
    const std::size_t tag_end = html.find('>', name_end);
    if (name.empty() || !std::isalpha(static_cast<unsigned char>(name[0]))) {
      at = name_end;
      continue;
    }
    if (tag_end == std::string_view::npos) break;
    const bool flat =
        std::find(kFlat.begin(), kFlat.end(), name) != kFlat.end() || html[tag_end - 1] == '/';
    at = tag_end + 1;
    if (flat) continue;
    if (closing) {
      if (depth > 0) --depth;
      continue;
    }
    deepest = std::max(deepest, ++depth);
    if (name == "script" || name == "style" || name == "textarea") {
      // Their content is text until their own end tag.
      const std::string end_tag = "</" + name;
      std::size_t end = at;
      while ((end = html.find("</", end)) != std::string_view::npos &&
             !StartsWithNoCase(html.substr(end), end_tag))
        end += 2;
      if (end == std::string_view::npos) break;
      at = end;
    }
  }
  return deepest;
}

}  // namespace quorella
