#pragma once
// The plan of a classic page set (html/file_plan.h): the frameset page and the question page in
// the Frames layout, one page per answer or the page that holds every answer (each answer's block
// a part of its own), in the order they are written.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "html/colour_text.h"
#include "html/file_plan.h"
#include "html/page.h"
#include "html/page_context.h"
#include "html/page_fingerprints.h"
#include "html/page_names.h"
#include "store/document.h"
#include "store/faq.h"

namespace quorella::html {

class ClassicPlanner {
 public:
  // `faq`, `document` and `names` outlive the planner, which outlives the writing of its plan.
  ClassicPlanner(const Faq& faq, const SectionIndex& document, const PageNames& names,
                 std::string_view banner, const SystemColours& system_colours);
  FilePlan Plan();

 private:
  void PlanFrames(FilePlan& plan);
  void PlanAnswerPages(FilePlan& plan);
  void PlanLastPage(FilePlan& plan);
  // The page that ends the set: the start page, or the answer frame's page in the Frames layout,
  // with every answer on it unless each has a page of its own.
  void MakeLastPage(FileMaking& making, PageBytes& out);
  // Answer i (from 1) as it stands in the document.
  std::string_view Answer(std::size_t i);
  static void Take(Page& page, PageBytes& out);

  const Faq& faq_;
  const FaqValues& values_;
  const SectionIndex& document_;
  const PageNames& names_;
  const PageContext context_;
  const Fingerprint run_;
  const bool frames_;
  const bool one_per_page_;
  std::string answer_frame_page_;
  std::vector<std::uint64_t> blocks_;  // each answer's block on the page of every answer
  Page page_;
  std::string scratch_;  // an answer being put together from its lines
};

}  // namespace quorella::html
