#pragma once
// The pages of the Modern style, UTF-8 with LF line ends: the start page with every answer as an
// accordion, or the start page listing the questions with a page of its own for each answer.
// Questions, header, footer and head code go in as typed, as on the classic pages.
#include <array>
#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "store/faq.h"

namespace quorella::html {

// The longest description made from an answer, in bytes: what search engines show.
inline constexpr std::size_t kDescriptionLimit = 160;

// One question of the page set. Not copied or moved: `stored` may point into `made`.
struct ModernEntry {
  ModernEntry() = default;
  ModernEntry(const ModernEntry&) = delete;
  ModernEntry& operator=(const ModernEntry&) = delete;

  std::string_view question;  // as typed, in the FAQ the entries are made from
  // Held by whoever named the entry, for as long as the entries are used.
  std::string_view anchor;
  std::string_view page;  // its own page's file name with one answer per page, else empty
  // The answer's section, format line first: in the document's text, or in `made` when it had to
  // be put together.
  std::string_view stored;
  // What is made of the answer, held apart while it is needed: the entries of ten thousand
  // questions take little memory while few of their answers are made.
  struct Made {
    std::string stored_copy;
    std::string answer;       // rendered, once Render has run
    std::string answer_text;  // its readable text, once ReadableText has run
    bool rendered = false;
    bool has_text = false;
  };
  std::unique_ptr<Made> made;

  // The rendered answer and its readable text; empty until made.
  const std::string& answer() const { return made ? made->answer : kNothingMade; }
  const std::string& answer_text() const { return made ? made->answer_text : kNothingMade; }
  // What is made of the answer, held from now on.
  Made& Making() {
    if (!made) made = std::make_unique<Made>();
    return *made;
  }

 private:
  static inline const std::string kNothingMade;
};

// Makes the answer from the stored answer, the first time only.
void Render(ModernEntry& entry);
// The answer's readable text, for searches and descriptions: made the first time only (a start page
// with every answer on it needs it for the first answer alone).
const std::string& ReadableText(ModernEntry& entry);

// What every page of one run shares.
struct ModernSite {
  const FaqValues& values;
  std::array<std::string, kFixedSectionCount> sections;
  std::string site_base;         // SiteAddress ending in "/", empty when there is none
  std::string description;       // of the start page, plain text
  std::string credit_address;    // the credit line's link; empty when the banner is off
  std::string search_text_name;  // the answers' search text beside the start page (one per page)
  std::string plain_title;       // the title as the answer pages' titles end

  const std::string& Section(FixedSection which) const {
    return sections[static_cast<std::size_t>(which)];
  }
};

// The address of a page on the site: `site_base` followed by the file name, percent-encoded.
std::string SiteAddressOf(std::string_view site_base, std::string_view file_name);

// Puts answer i's item of a start page with every answer into `out`: `make` appends it as made from
// the entry (whose answer must be rendered by then).
using AnswerItem =
    std::function<void(std::string& out, std::size_t i, const std::function<void()>& make)>;

// The start page: every answer in place, or the list of questions linking to their pages. With
// every answer in place, `item` (when given) puts each one's item on the page.
std::string ModernStartPage(const ModernSite& site, const std::vector<ModernEntry>& entries,
                            std::string_view structured_data, const AnswerItem& item = {});
// Answer page i (0-based) with "Previous", "Questions" and "Next".
std::string ModernAnswerPage(const ModernSite& site, const std::vector<ModernEntry>& entries,
                             std::size_t i);

}  // namespace quorella::html
