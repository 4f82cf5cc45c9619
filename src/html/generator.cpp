#include "html/generator.h"

#include "html/answer_pages.h"
#include "html/frameset_page.h"
#include "html/manifest.h"
#include "html/modern_site.h"
#include "html/page_fingerprints.h"
#include "html/question_page.h"
#include "store/document.h"
#include "store/document_file.h"
#include "util/errors.h"
#include "util/file_io.h"

#include <algorithm>
#include <unordered_map>

namespace quorella::html {

namespace {

// Writes the pages of one run and reports each to the observer. A page whose fingerprint is the
// one the previous run listed for it, and whose file is still the one that run wrote, is neither
// made nor compared again.
class PageWriter {
 public:
  PageWriter(const PageNames& names, const GenerationObserver& observer, std::size_t total,
             std::string manifest_path, std::string start_page)
      : names_(names),
        observer_(observer),
        total_(total),
        manifest_path_(names.Path(manifest_path)),
        start_page_(std::move(start_page)),
        folder_(names.Path("")) {
    for (ManifestEntry& entry : ReadManifestEntries(manifest_path_)) {
      previous_names_.push_back(entry.name);
      previous_.emplace(entry.name, std::move(entry));
    }
    Progress();
  }

  void Status(const std::string& text) const {
    if (observer_.status) observer_.status(text);
  }

  // `build` makes the page's bytes when they are needed; with `announce` the status names the page
  // first.
  enum class Announce { No, Yes };
  template <typename Build>
  void Write(const std::string& file_name, std::uint64_t fingerprint, Announce announce,
             Build&& build) {
    ++pages_;
    if (!Unchanged(file_name, fingerprint)) {
      if (announce == Announce::Yes)
        Status(file_name == start_page_ ? "Writing Start Page" : "Writing " + file_name);
      std::string path = names_.Path(file_name);
      made_ = true;
      const PageFileResult result = WritePageFileStamped(folder_, file_name, build());
      current_.push_back({file_name, fingerprint, result.stamp});
      if (result.written) {
        written_.push_back(std::move(path));
        if (observer_.written) observer_.written(written_.back());
      }
    }
    Progress();
  }

  // The names and fingerprints the previous run listed, in its order.
  std::vector<std::pair<std::string, std::uint64_t>> previous_fingerprints() const {
    std::vector<std::pair<std::string, std::uint64_t>> files;
    for (const std::string& name : previous_names_)
      files.emplace_back(name, previous_.at(name).fingerprint);
    return files;
  }

  // Is the file the one the previous run wrote, untouched since?
  bool Intact(const std::string& file_name) const {
    const auto found = previous_.find(file_name);
    if (found == previous_.end()) return false;
    const std::optional<FileStamp> now = EntryStampIn(folder_.fd(), file_name);
    return now && IsRegularFile(*now) && now->SameVersion(found->second.stamp);
  }

  // The names the previous run listed, in its order.
  const std::vector<std::string>& previous_names() const { return previous_names_; }

  // The list of this run, with `also` (names of files the run could not remove) after it. The
  // list is not reported: it is no page.
  void WriteManifest(const std::vector<std::string>& also = {}) {
    // A run that made nothing and lists what the last one listed leaves the list as it is.
    if (!made_ && also.empty() && current_.size() == previous_names_.size() &&
        std::equal(
            current_.begin(), current_.end(), previous_names_.begin(),
            [](const ManifestEntry& entry, const std::string& name) { return entry.name == name; }))
      return;
    std::vector<ManifestEntry> entries = current_;
    for (const std::string& name : also) entries.push_back({name, 0, {}});
    WritePageFile(manifest_path_, ManifestText(start_page_, entries));
  }

  std::vector<std::string> TakeWritten() { return std::move(written_); }

 private:
  bool Unchanged(const std::string& file_name, std::uint64_t fingerprint) {
    const auto found = previous_.find(file_name);
    if (found == previous_.end() || found->second.fingerprint != fingerprint || !Intact(file_name))
      return false;
    current_.push_back(found->second);
    return true;
  }

  void Progress() const {
    if (observer_.progress) observer_.progress(pages_, total_);
  }

  const PageNames& names_;
  const GenerationObserver& observer_;
  std::size_t total_;
  std::string manifest_path_;
  std::string start_page_;
  OpenFolder folder_;
  bool made_ = false;
  std::unordered_map<std::string, ManifestEntry> previous_;
  std::vector<std::string> previous_names_;
  std::vector<ManifestEntry> current_;
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
  PageWriter writer(names, observer, ModernFileCount(faq), ManifestName(start_page), start_page);
  const std::vector<std::string> previous = writer.previous_names();
  PreviousModernRun previous_run;
  previous_run.files = writer.previous_fingerprints();
  previous_run.read_intact = [&](const std::string& file_name) -> std::optional<std::string> {
    if (!writer.Intact(file_name)) return std::nullopt;
    try {
      return ReadFileIfExists(names.Path(file_name));
    } catch (const Error&) {
      return std::nullopt;
    }
  };
  std::vector<std::string> files;
  BuildModernPages(
      faq, document, system_colours,
      [&](const std::string& file_name, std::uint64_t fingerprint,
          const std::function<std::string()>& build) {
        writer.Write(file_name, fingerprint, PageWriter::Announce::Yes, build);
        files.push_back(file_name);
      },
      previous_run);
  writer.WriteManifest(RemoveStaleFiles(names.Path(""), previous, files));
  return writer.TakeWritten();
}

Fingerprint WithQuestions(Fingerprint fingerprint, const std::vector<std::string>& questions) {
  fingerprint.Add(questions.size());
  for (const std::string& question : questions) fingerprint.Add(question);
  return fingerprint;
}

}  // namespace

std::vector<std::string> GeneratePages(const Faq& faq, std::string_view banner,
                                       const GenerationObserver& observer,
                                       const SystemColours& system_colours) {
  const FaqValues& values = faq.values;
  CheckPageNames(values, faq.document_path);
  std::shared_ptr<const SectionIndex> document_as_read = DocumentAsRead(faq);
  if (!document_as_read) {
    auto document_file = ReadDocumentFile(faq.document_path);
    document_as_read = std::make_shared<const SectionIndex>(
        document_file ? std::move(document_file->text) : std::string());
  }
  const SectionIndex& document = *document_as_read;
  // Answers with their markup come to about the size of the document, and up to four times it
  // when every character is written as a reference ("&#1055;" for two bytes of Cyrillic);
  // reserving generously spares the page that holds them all its growing copies, and costs no
  // memory it does not use.
  const std::size_t all_answers_size = document.text_size() * 4 + faq.questions.size() * 1024;
  if (values.Integer(FaqValue::PageStyle) == kPageStyleModern)
    return GenerateModernPages(faq, document, observer, system_colours);
  const PageContext context(values, FixedSections(document), banner, system_colours);
  const PageNames names(values);
  const std::vector<std::string>& questions = faq.questions;
  const std::size_t count = questions.size();
  const bool frames = IsFramesLayout(values);
  const bool one_per_page = IsOnePerPage(values);
  auto answer = [&](std::size_t i) { return document.Read(AnswerSectionName(i - 1)); };
  const Fingerprint run = RunFingerprint(values, context.sections, banner, system_colours);
  const std::string& start_page = values.Text(FaqValue::StartPage);

  PageWriter writer(names, observer, (one_per_page ? count : 0) + (frames ? 3 : 1),
                    ClassicManifestName(start_page), start_page);
  Page page;
  std::string answer_frame_page;
  if (frames) {
    answer_frame_page = one_per_page ? names.SubPage(0) : values.Text(FaqValue::AnswerPageName);
    writer.Write(start_page, FileFingerprint(Fingerprint(run).Add("frameset")),
                 PageWriter::Announce::No, [&] {
                   page.Clear();
                   AddFramesetPage(page, values, context.Section(FixedSection::FrameHeaderCode),
                                   answer_frame_page);
                   return std::string_view(page.bytes());
                 });
  }

  writer.Status("Writing Start Page");
  if (frames)
    writer.Write(values.Text(FaqValue::QuestionPageName),
                 FileFingerprint(WithQuestions(run, questions).Add("questions")),
                 PageWriter::Announce::No, [&] {
                   page.Clear();
                   AddQuestionPage(page, context, questions);
                   return std::string_view(page.bytes());
                 });

  if (one_per_page) {
    for (std::size_t i = 1; i <= count; ++i) {
      const std::string file_name = names.SubPage(i);
      std::string stored = answer(i);
      const std::uint64_t fingerprint =
          FileFingerprint(Fingerprint(run).Add(i).Add(count).Add(questions[i - 1]).Add(stored));
      writer.Write(file_name, fingerprint, PageWriter::Announce::Yes, [&] {
        page.Clear();
        AddAnswerSubPage(page, context, names, i, count, questions[i - 1], stored);
        return std::string_view(page.bytes());
      });
    }
  }

  // The start page (the answer frame's page in the Frames layout): with every answer on it, it
  // depends on all of them.
  Fingerprint last = WithQuestions(run, questions).Add("last");
  if (!one_per_page)
    for (std::size_t i = 1; i <= count; ++i) last.Add(answer(i));
  writer.Write(frames ? answer_frame_page : start_page, FileFingerprint(last),
               PageWriter::Announce::No, [&] {
                 page.Clear();
                 if (!one_per_page) page.Reserve(all_answers_size);
                 if (frames)
                   AddAnswerFramePageStart(page, context);
                 else
                   AddQuestionPage(page, context, questions);
                 if (!one_per_page)
                   for (std::size_t i = 1; i <= count; ++i)
                     AddAnswerBlock(page, context, i, questions[i - 1], answer(i));
                 AddPageClosing(page, context, context.Section(FixedSection::AnswerFooter));
                 return std::string_view(page.bytes());
               });
  writer.WriteManifest();
  return writer.TakeWritten();
}

std::vector<std::string> Go(const Faq& faq, std::string_view banner,
                            const GenerationObserver& observer,
                            const SystemColours& system_colours) {
  // A directory that cannot be made is left to show as the first file that cannot be created,
  // which names the path and the system's reason.
  CheckPageNames(faq.values, faq.document_path);
  CreateDirectories(faq.values.Text(FaqValue::Directory));
  return GeneratePages(faq, banner, observer, system_colours);
}

}  // namespace quorella::html
