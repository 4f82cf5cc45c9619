#pragma once
// The Modern page set of a FAQ, file by file: the style sheet and the script, one page per answer
// when they have pages of their own (with the answers' search text), the start page, and with a
// SiteAddress a sitemap.xml.
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "html/colour_text.h"
#include "html/file_plan.h"
#include "html/manifest.h"
#include "html/page_parts.h"
#include "store/document.h"
#include "store/faq.h"

namespace quorella::html {

// Could the Modern set of a FAQ with these values hold a file of this name (a file of the set, or
// an answer's page by the names the pages take)?
bool ModernSetMayHold(const FaqValues& values, std::string_view name);

// The plan of a FAQ's Modern set (html/file_plan.h). The pages' names are those of the previous Go
// when its list (`previous`) records them as made from the same inputs and they check; the start
// page with every answer is made in parts, and the answers' search text keeps the lines of
// answers whose pages are unchanged, both from the previous files the writer hands their makers.
// `faq`, `document`, `system` and `previous` outlive the planner, which outlives the writing.
class ModernPlanner {
 public:
  ModernPlanner(const Faq& faq, const SectionIndex& document, const SystemColours& system,
                const Manifest& previous);
  ~ModernPlanner();
  FilePlan Plan();

 private:
  struct State;
  std::unique_ptr<State> state_;
};

// The JSON of a text (quotes included); "<" is escaped so that the text cannot end a script
// element it stands in.
std::string JsonString(std::string_view text);
void AppendJsonString(std::string& out, std::string_view text);

}  // namespace quorella::html
