#pragma once
// The answer text formats. Smart format, Retain original linefeeds and Retain original format all
// render each line word by word (links, e-mail addresses, entities) and differ only in how they
// join lines; "As is" inserts the text unchanged; "Markdown" is rendered as CommonMark
// (markdown_answer.h).
#include <optional>
#include <string>
#include <string_view>

#include "html/entities.h"
#include "util/text_lines.h"

namespace quorella::html {

// Lines run together; an empty line becomes "<P>". An empty answer gives an empty text.
std::string SmartFormat(std::string_view text);
// Every line ends with "<br>". An empty answer gives an empty text.
std::string RetainLinefeeds(std::string_view text);
// The lines inside "<pre>" ... "</pre>".
std::string RetainFormat(std::string_view text);

// The same, appended to `out`, lines ended by `line_break`.
void AppendSmartFormat(std::string& out, std::string_view text,
                       Escaping escaping = Escaping::EntityTable,
                       std::string_view line_break = kCrLf);
void AppendRetainLinefeeds(std::string& out, std::string_view text,
                           Escaping escaping = Escaping::EntityTable,
                           std::string_view line_break = kCrLf);
void AppendRetainFormat(std::string& out, std::string_view text,
                        Escaping escaping = Escaping::EntityTable,
                        std::string_view line_break = kCrLf);

// The HTML of a stored answer (its format line, then its lines); nothing at all for a format above
// 4 (Markdown), which leaves the answer's item out of the page. A missing or empty answer is an
// empty Smart format answer.
std::optional<std::string> RenderStoredAnswer(std::string_view stored);
// Appends it to `out`; false, appending nothing, when the answer is left out.
bool AppendStoredAnswer(std::string& out, std::string_view stored,
                        Escaping escaping = Escaping::EntityTable,
                        std::string_view line_break = kCrLf);

}  // namespace quorella::html
