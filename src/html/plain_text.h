#pragma once
// The readable text of a piece of HTML (a question or a rendered answer): what a search, a page
// description or a search engine's summary is made of.
#include <cstddef>
#include <string>
#include <string_view>

namespace quorella::html {

// Tags and comments left out, the entities HTML reserves (and &nbsp; and numeric ones) decoded,
// every run of white space made one space, none at either end.
std::string PlainText(std::string_view html);

// The first sentence of `text`: up to and including the first ".", "!" or "?" that ends a word;
// cut at a word boundary and given "…" when longer than `limit` bytes.
std::string FirstSentence(std::string_view text, std::size_t limit);

// `text` with "&", "<", ">" and the double quote as entities, for attributes and element text.
std::string EscapeHtml(std::string_view text);
void AppendEscapedHtml(std::string& out, std::string_view text);

}  // namespace quorella::html
