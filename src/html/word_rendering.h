#pragma once
// One line of an answer as HTML, word by word: web addresses become links, e-mail addresses
// become mailto links, and every other word is escaped by the entity table. Words are split at
// every single space, so the spacing inside a line is kept.
#include <string>
#include <string_view>

#include "html/entities.h"

namespace quorella::html {

// "://" first found at the third character or later, or "www." / "ftp." (any case) at the start.
bool IsLinkWord(std::string_view word);
// The first "@" and the first "." both stand at the second character or later; no space.
bool IsEmailWord(std::string_view word);

void AppendWord(std::string& out, std::string_view word, Escaping escaping = Escaping::EntityTable);
// The line's words rendered and joined by single spaces. A line ending in spaces loses one of
// them, because the last space closes the last word.
void AppendLine(std::string& out, std::string_view line, Escaping escaping = Escaping::EntityTable);

std::string RenderWord(std::string_view word);
std::string RenderLine(std::string_view line);

}  // namespace quorella::html
