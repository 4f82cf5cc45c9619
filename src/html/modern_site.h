#pragma once
// The Modern page set of a FAQ, file by file: the style sheet and the script, one page per answer
// when they have pages of their own (with the answers' search text), the start page, and with a
// SiteAddress a sitemap.xml.
#include <functional>
#include <string>
#include <string_view>

#include "html/colour_text.h"
#include "store/document.h"
#include "store/faq.h"

namespace quorella::html {

// Called with each file of the set in the order it is to be written.
using EmitFile = std::function<void(const std::string& file_name, std::string_view bytes)>;

// The number of files BuildModernPages emits for `faq`.
std::size_t ModernFileCount(const Faq& faq);

void BuildModernPages(const Faq& faq, const SectionIndex& document, const SystemColours& system,
                      const EmitFile& emit);

// The JSON of a text (quotes included); "<" is escaped so that the text cannot end a script
// element it stands in.
std::string JsonString(std::string_view text);

}  // namespace quorella::html
