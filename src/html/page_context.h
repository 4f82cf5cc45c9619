#pragma once
// What every page of one generation run is composed from, gathered once per run: the FAQ's
// values, the fixed sections of its document, the banner, the system colours and the font spans.
#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "html/colour_text.h"
#include "html/page.h"
#include "html/style_fragments.h"
#include "store/faq.h"

namespace quorella::html {

struct PageContext {
  PageContext(const FaqValues& faq_values,
              std::array<std::string, kFixedSectionCount> fixed_sections,
              std::string_view banner_text, const SystemColours& system);

  const std::string& Text(FaqValue value) const { return values.Text(value); }
  const std::string& Section(FixedSection which) const {
    return sections[static_cast<std::size_t>(which)];
  }

  const FaqValues& values;
  std::array<std::string, kFixedSectionCount> sections;
  std::string_view banner;
  const SystemColours& system_colours;
  // What every page of the run shares, computed once.
  FontSpans spans;
  std::string answer_body_tag, question_body_tag;
  std::string question_back_colour;  // behind each question above its answer
  std::vector<std::string> question_redirect, answer_redirect;
};

// "<HTML>" up to the body tag; the redirect script for `frame_name` goes in where it applies.
void AddPageOpening(Page& page, const PageContext& context, std::string_view title, StyleSet style,
                    std::string_view frame_name);
// The footer, the banner unless it is switched off, and the end tags.
void AddPageClosing(Page& page, const PageContext& context, std::string_view footer);

}  // namespace quorella::html
