#pragma once
// The Modern page set of a FAQ, file by file: the style sheet and the script, one page per answer
// when they have pages of their own (with the answers' search text), the start page, and with a
// SiteAddress a sitemap.xml.
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "html/colour_text.h"
#include "html/page_parts.h"
#include "store/document.h"
#include "store/faq.h"

namespace quorella::html {

// Called with each file of the set in the order it is to be written: its name, the fingerprint of
// what it is made from (html/page_fingerprints.h) and what makes its bytes, called only when they
// are needed. The start page with every answer on it can come as stretches of its previous file.
using EmitFile = std::function<void(std::string_view file_name, std::uint64_t fingerprint,
                                    const std::function<PageBytes()>& build)>;

// What the previous Go of the set left: the files its list names, in order, with their
// fingerprints, and the bytes of one of them when the file is still the one that Go wrote (else
// nullopt). The answers' search text then keeps the lines of answers whose pages are unchanged.
// The start page with every answer in place is made in parts (html/page_parts.h): `parts_of` gives
// its previous file and parts, and `made_parts` takes the parts of the page being made. The pages'
// names are those of the previous Go when `names` says they are made from the same inputs and
// the names listed check; `made_names` takes the record of this Go's names.
struct PreviousModernRun {
  std::span<const ManifestEntry> files;
  NamesRecord names;
  std::function<void(const NamesRecord& names)> made_names;
  std::function<std::optional<std::string>(const std::string& file_name)> read_intact;
  // The same file open for reading, when it is still the one that Go wrote (else not valid).
  std::function<sys::Fd(const std::string& file_name)> open_intact;
  std::function<PreviousParts(const std::string& file_name)> parts_of;
  std::function<void(std::vector<FilePart> parts)> made_parts;
};

// Could the Modern set of a FAQ with these values hold a file of this name (a file of the set, or
// an answer's page by the names the pages take)?
bool ModernSetMayHold(const FaqValues& values, std::string_view name);

// The number of files BuildModernPages emits for `faq`.
std::size_t ModernFileCount(const Faq& faq);

void BuildModernPages(const Faq& faq, const SectionIndex& document, const SystemColours& system,
                      const EmitFile& emit, const PreviousModernRun& previous = {});

// The JSON of a text (quotes included); "<" is escaped so that the text cannot end a script
// element it stands in.
std::string JsonString(std::string_view text);
void AppendJsonString(std::string& out, std::string_view text);

}  // namespace quorella::html
