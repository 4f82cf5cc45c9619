#include "html/classic_plan.h"

#include <functional>

#include "html/answer_pages.h"
#include "html/frameset_page.h"
#include "html/question_page.h"

namespace quorella::html {

namespace {

std::array<std::string, kFixedSectionCount> FixedSections(const SectionIndex& document) {
  std::array<std::string, kFixedSectionCount> sections;
  for (std::size_t i = 0; i < kFixedSectionCount; ++i)
    sections[i] = document.Read(SectionName(static_cast<FixedSection>(i)));
  return sections;
}

}  // namespace

ClassicPlanner::ClassicPlanner(const Faq& faq, const SectionIndex& document, const PageNames& names,
                               std::string_view banner, const SystemColours& system_colours)
    : faq_(faq),
      values_(faq.values),
      document_(document),
      names_(names),
      context_(faq.values, FixedSections(document), banner, system_colours),
      run_(RunFingerprint(faq.values, context_.sections, banner, system_colours)),
      frames_(IsFramesLayout(faq.values)),
      one_per_page_(IsOnePerPage(faq.values)) {}

FilePlan ClassicPlanner::Plan() {
  FilePlan plan;
  plan.files.reserve((one_per_page_ ? faq_.questions.size() : 0) + 3);
  if (frames_) PlanFrames(plan);
  const std::size_t after_frameset = frames_ ? 1 : 0;
  if (one_per_page_) PlanAnswerPages(plan);
  PlanLastPage(plan);
  // After the frameset page, whatever comes next.
  plan.files[after_frameset].status = "Writing Start Page";
  return plan;
}

void ClassicPlanner::Take(Page& page, PageBytes& out) {
  out.made.swap(page.Finished());
}

std::string_view ClassicPlanner::Answer(std::size_t i) {
  return document_.Read(AnswerSectionName(i - 1), scratch_);
}

void ClassicPlanner::PlanFrames(FilePlan& plan) {
  answer_frame_page_ = one_per_page_ ? names_.SubPage(0) : values_.Text(FaqValue::AnswerPageName);
  plan.files.emplace_back(
      values_.Text(FaqValue::StartPage), FileFingerprint(Fingerprint(run_).Add("frameset")), false,
      [this](FileMaking&, PageBytes& out) {
        page_.Clear();
        AddFramesetPage(page_, values_, context_.Section(FixedSection::FrameHeaderCode),
                        answer_frame_page_);
        Take(page_, out);
      });
  plan.files.emplace_back(values_.Text(FaqValue::QuestionPageName),
                          FileFingerprint(WithQuestions(run_, faq_.questions).Add("questions")),
                          false, [this](FileMaking&, PageBytes& out) {
                            page_.Clear();
                            AddQuestionPage(page_, context_, faq_.questions);
                            Take(page_, out);
                          });
}

void ClassicPlanner::PlanAnswerPages(FilePlan& plan) {
  const std::size_t count = faq_.questions.size();
  for (std::size_t i = 1; i <= count; ++i) {
    const std::uint64_t fingerprint = FileFingerprint(
        Fingerprint(run_).Add(i).Add(count).Add(faq_.questions[i - 1]).Add(Answer(i)));
    plan.files.emplace_back(
        names_.SubPage(i), fingerprint, true, [this, i, count](FileMaking&, PageBytes& out) {
          page_.Clear();
          AddAnswerSubPage(page_, context_, names_, i, count, faq_.questions[i - 1], Answer(i));
          Take(page_, out);
        });
  }
}

void ClassicPlanner::PlanLastPage(FilePlan& plan) {
  // With every answer on it, the page depends on all of them, and each answer's block is a
  // part of its own.
  Fingerprint last = WithQuestions(run_, faq_.questions).Add("last");
  if (!one_per_page_) {
    blocks_.reserve(faq_.questions.size());
    for (std::size_t i = 1; i <= faq_.questions.size(); ++i) {
      blocks_.push_back(FileFingerprint(
          Fingerprint(run_).Add("answer block").Add(i).Add(faq_.questions[i - 1]).Add(Answer(i))));
      last.Add(blocks_.back());
    }
  }
  plan.files.emplace_back(
      frames_ ? answer_frame_page_ : values_.Text(FaqValue::StartPage), FileFingerprint(last),
      false, [this](FileMaking& making, PageBytes& out) { MakeLastPage(making, out); });
}

void ClassicPlanner::MakeLastPage(FileMaking& making, PageBytes& out) {
  // The blocks the previous file holds are copied file to file as the page is written; only
  // the others are made in memory.
  PartsSplicer parts(one_per_page_ ? PreviousParts() : making.PreviousPartsOfFile());
  page_.Clear();
  if (!one_per_page_) {
    // Answers with their markup come to about the size of the document, and up to four
    // times it when every character is written as a reference ("&#1055;" for two bytes of
    // Cyrillic); reserving generously spares the page its growing copies, and costs no
    // memory it does not write (but the rest of the last huge page written).
    page_.Reserve(document_.text_size() * 4 + faq_.questions.size() * 1024);
  }
  if (frames_)
    AddAnswerFramePageStart(page_, context_);
  else
    AddQuestionPage(page_, context_, faq_.questions);
  if (!one_per_page_) {
    for (std::size_t i = 1; i <= faq_.questions.size(); ++i) {
      // A block copied or made from outside script and style elements reads the same
      // anywhere.
      const bool top_level = page_.AtTopLevel();
      parts.Add(page_.bytes().size(), top_level ? blocks_[i - 1] : 0, [&] {
        AddAnswerBlock(page_, context_, i, faq_.questions[i - 1], Answer(i));
        return PartsSplicer::Made{page_.bytes().size(), top_level && page_.AtTopLevel()};
      });
    }
  }
  AddPageClosing(page_, context_, context_.Section(FixedSection::AnswerFooter));
  if (!one_per_page_) making.SetParts(parts.Parts(page_.bytes().size()));
  std::string made;
  made.swap(page_.Finished());
  out = parts.Take(std::move(made));
}

}  // namespace quorella::html
