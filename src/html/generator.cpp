#include "html/generator.h"

#include "html/answer_pages.h"
#include "html/frameset_page.h"
#include "html/manifest.h"
#include "html/modern_site.h"
#include "html/question_page.h"
#include "store/document.h"
#include "store/document_file.h"
#include "util/file_io.h"

namespace quorella::html {

namespace {

// Writes the pages of one run and reports each to the observer.
class PageWriter {
 public:
  PageWriter(const PageNames& names, const GenerationObserver& observer, std::size_t total)
      : names_(names), observer_(observer), total_(total) {
    Progress();
  }

  void Status(const std::string& text) const {
    if (observer_.status) observer_.status(text);
  }

  void Write(std::string_view file_name, const Page& page) { Write(file_name, page.bytes()); }

  // Only a file whose bytes change is written, and only such a file is reported.
  void Write(std::string_view file_name, std::string_view bytes) {
    std::string path = names_.Path(file_name);
    ++pages_;
    if (WritePageFile(path, bytes)) {
      written_.push_back(std::move(path));
      if (observer_.written) observer_.written(written_.back());
    }
    Progress();
  }

  std::vector<std::string> TakeWritten() { return std::move(written_); }

 private:
  void Progress() const {
    if (observer_.progress) observer_.progress(pages_, total_);
  }

  const PageNames& names_;
  const GenerationObserver& observer_;
  std::size_t total_;
  std::size_t pages_ = 0;
  std::vector<std::string> written_;
};

std::array<std::string, kFixedSectionCount> FixedSections(const SectionIndex& document) {
  std::array<std::string, kFixedSectionCount> sections;
  for (std::size_t i = 0; i < kFixedSectionCount; ++i)
    sections[i] = document.Read(SectionName(static_cast<FixedSection>(i)));
  return sections;
}

// The Modern set, then the files the previous Go listed and this one does not are removed.
std::vector<std::string> GenerateModernPages(const Faq& faq, const SectionIndex& document,
                                             const GenerationObserver& observer,
                                             const SystemColours& system_colours) {
  const PageNames names(faq.values);
  const std::string& start_page = faq.values.Text(FaqValue::StartPage);
  const std::string manifest_path = names.Path(ManifestName(start_page));
  const std::vector<std::string> previous = ReadManifest(manifest_path);

  PageWriter writer(names, observer, ModernFileCount(faq));
  std::vector<std::string> files;
  BuildModernPages(
      faq, document, system_colours, [&](const std::string& file_name, std::string_view bytes) {
        writer.Status(file_name == start_page ? "Writing Start Page" : "Writing " + file_name);
        writer.Write(file_name, bytes);
        files.push_back(file_name);
      });
  std::vector<std::string> listed = RemoveStaleFiles(names.Path(""), previous, files);
  listed.insert(listed.begin(), files.begin(), files.end());
  // The list is not reported: it is no page.
  WritePageFile(manifest_path, ManifestText(start_page, listed));
  return writer.TakeWritten();
}

}  // namespace

std::vector<std::string> GeneratePages(const Faq& faq, std::string_view banner,
                                       const GenerationObserver& observer,
                                       const SystemColours& system_colours) {
  const FaqValues& values = faq.values;
  auto document_file = ReadDocumentFile(faq.document_path);
  std::string content = document_file ? std::move(document_file->text) : std::string();
  // Answers with their markup come to about the size of the document, and up to four times it
  // when every character is written as a reference ("&#1055;" for two bytes of Cyrillic);
  // reserving generously spares the page that holds them all its growing copies, and costs no
  // memory it does not use.
  const std::size_t all_answers_size = content.size() * 4 + faq.questions.size() * 1024;
  const SectionIndex document(std::move(content));
  if (values.Integer(FaqValue::PageStyle) == kPageStyleModern)
    return GenerateModernPages(faq, document, observer, system_colours);
  const PageContext context(values, FixedSections(document), banner, system_colours);
  const PageNames names(values);
  const std::vector<std::string>& questions = faq.questions;
  const std::size_t count = questions.size();
  const bool frames = IsFramesLayout(values);
  const bool one_per_page = IsOnePerPage(values);
  auto answer = [&](std::size_t i) { return document.Read(AnswerSectionName(i - 1)); };

  PageWriter writer(names, observer, (one_per_page ? count : 0) + (frames ? 3 : 1));
  std::string answer_frame_page;
  if (frames) {
    answer_frame_page = one_per_page ? names.SubPage(0) : values.Text(FaqValue::AnswerPageName);
    Page frameset;
    AddFramesetPage(frameset, values, context.Section(FixedSection::FrameHeaderCode),
                    answer_frame_page);
    writer.Write(values.Text(FaqValue::StartPage), frameset);
  }

  writer.Status("Writing Start Page");
  Page page;
  if (!one_per_page) page.Reserve(all_answers_size);
  AddQuestionPage(page, context, questions);
  if (frames) {
    writer.Write(values.Text(FaqValue::QuestionPageName), page);
    page.Clear();
    AddAnswerFramePageStart(page, context);
  }

  if (one_per_page) {
    Page sub_page;
    for (std::size_t i = 1; i <= count; ++i) {
      const std::string file_name = names.SubPage(i);
      writer.Status("Writing " + file_name);
      sub_page.Clear();
      AddAnswerSubPage(sub_page, context, names, i, count, questions[i - 1], answer(i));
      writer.Write(file_name, sub_page);
    }
  } else {
    for (std::size_t i = 1; i <= count; ++i)
      AddAnswerBlock(page, context, i, questions[i - 1], answer(i));
  }

  AddPageClosing(page, context, context.Section(FixedSection::AnswerFooter));
  writer.Write(frames ? answer_frame_page : values.Text(FaqValue::StartPage), page);
  return writer.TakeWritten();
}

std::vector<std::string> Go(const Faq& faq, std::string_view banner,
                            const GenerationObserver& observer,
                            const SystemColours& system_colours) {
  // A directory that cannot be made is left to show as the first file that cannot be created,
  // which names the path and the system's reason.
  CreateDirectories(faq.values.Text(FaqValue::Directory));
  return GeneratePages(faq, banner, observer, system_colours);
}

}  // namespace quorella::html
