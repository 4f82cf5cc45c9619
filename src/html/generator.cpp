#include "html/generator.h"

#include "html/answer_pages.h"
#include "html/frameset_page.h"
#include "html/intact_files.h"
#include "html/manifest.h"
#include "html/modern_site.h"
#include "html/page_fingerprints.h"
#include "html/page_parts.h"
#include "html/page_queue.h"
#include "html/question_page.h"
#include "store/document.h"
#include "util/errors.h"
#include "util/file_io.h"
#include "util/marked_text.h"
#include "util/sys_io.h"

#include <fcntl.h>

#include <algorithm>
#include <deque>
#include <functional>
#include <unordered_map>

namespace quorella::html {

namespace {

std::string ManifestNameOf(const FaqValues& values) {
  const std::string& start_page = values.Text(FaqValue::StartPage);
  return values.Integer(FaqValue::PageStyle) == kPageStyleModern ? ManifestName(start_page)
                                                                 : ClassicManifestName(start_page);
}

// The fingerprint of a file's identity, size and times: another file, or the same file written
// since, has another.
std::uint64_t IdentityFingerprint(const FileIdentity& file) {
  return FileFingerprint(Fingerprint()
                             .Add(file.device)
                             .Add(file.inode)
                             .Add(static_cast<std::uint64_t>(file.size))
                             .Add(static_cast<std::uint64_t>(file.modified_ns))
                             .Add(static_cast<std::uint64_t>(file.changed_ns)));
}

// Every write to a file sets its change time to the file system's clock, which only moves once a
// tick: a jiffy (at most 10 ms) where times are kept to the nanosecond, a second or two where they
// are kept in whole seconds (inodes of the old size, FAT), which shows in change times without a
// fraction. A stamp taken when the change time lay more than a tick back cannot be repeated by a
// later write, so only then are the document's bytes recorded under it. `clock` was read before
// the stamp was taken.
bool Settled(const FileIdentity& file, std::int64_t clock) {
  constexpr std::int64_t kSecond = 1'000'000'000;
  const std::int64_t tick = file.changed_ns % kSecond != 0 ? kSecond / 10 : 2 * kSecond;
  return file.changed_ns <= clock - tick;
}

DocumentRecord RecordOf(const FaqStamp& stamp, std::int64_t clock,
                        std::optional<std::uint64_t> bytes) {
  if (!stamp.exists || !bytes || !Settled(stamp.file, clock)) return {};
  return {IdentityFingerprint(stamp.file), *bytes};
}

// The largest list the set of `faq` can have: its questions as loaded, or as the store counts them
// when only the values are.
std::size_t ListLimitOf(const Faq& faq) {
  return ListSizeLimit(
      std::max(faq.questions.size(), static_cast<std::size_t>(std::max(faq.stamp.count, 0))));
}

// Records the document in the list of a set found complete, so that the next Go need not read the
// document either. The record only spares work: a list that cannot be read as checked or cannot
// be rewritten is left as it is.
void KeepDocumentRecord(const FaqValues& values, const std::string& path, std::uint64_t inputs,
                        const DocumentRecord& document, std::size_t limit) {
  Manifest manifest = ReadManifestFile(path, 0, limit);
  if (manifest.inputs != inputs || manifest.entries.empty()) return;
  try {
    WritePageFile(path, ManifestText(values.Text(FaqValue::StartPage), manifest.entries, inputs,
                                     document, manifest.names));
  } catch (const Error&) {
  }
}

// BytesFingerprint of a document's bytes; nullopt for a document that is not there.
std::optional<std::uint64_t> DocumentFingerprint(const std::optional<std::string>& bytes) {
  return bytes ? std::optional(BytesFingerprint(*bytes)) : std::nullopt;
}

// What a Go that finds nothing to make reports: every page of the `total` listed done.
void ReportNothingToMake(const FaqValues& values, std::size_t total,
                         const GenerationObserver& observer) {
  for (std::size_t pages = 0; observer.progress && pages <= total; ++pages)
    observer.progress(pages, total);
  if (values.Integer(FaqValue::PageStyle) != kPageStyleModern && observer.status)
    observer.status("Writing Start Page");
}

// The check every Go makes before the document is decoded: when the list beside the pages names
// `inputs` and every file it lists is still there as written, the set is what these inputs make,
// so every page is reported done and nothing is returned. Otherwise the list, for the Go to
// compare each page with.
std::optional<Manifest> PreviousUnlessNothingToMake(const FaqValues& values, std::uint64_t inputs,
                                                    const GenerationObserver& observer,
                                                    std::size_t limit) {
  const PageNames names(values);
  std::optional<OpenFolder> folder;  // opened at the first file listed
  std::string name;                  // the file's name, ended for the system
  std::size_t total = 0;
  std::optional<Manifest> previous = ManifestUnlessIntact(
      names.Path(ManifestNameOf(values)), inputs,
      [&](std::string_view listed, const FileStamp& stamp) {
        if (!folder) folder.emplace(names.Path(""));
        name.assign(listed);
        return IntactIn(*folder, name, stamp);
      },
      total, limit);
  if (previous) return previous;
  ReportNothingToMake(values, total, observer);
  return std::nullopt;
}

// PreviousUnlessNothingToMake for the list `listed`, read already, whose files `looked` looks at
// (nullptr for a list without files); the list is moved out when something is to be made.
std::optional<Manifest> PreviousUnlessNothingToMake(const FaqValues& values, std::uint64_t inputs,
                                                    const GenerationObserver& observer,
                                                    Manifest& listed, IntactFiles* looked) {
  if (listed.inputs != inputs) return std::move(listed);
  const OpenFolder folder(PageNames(values).Path(""));
  for (std::size_t i = 0; i < listed.entries.size(); ++i)
    if (listed.entries[i].fingerprint == 0 || !looked->Intact(folder, i)) return std::move(listed);
  ReportNothingToMake(values, listed.entries.size(), observer);
  return std::nullopt;
}

// PreviousUnlessNothingToMake for a Go into `aside`, when given, which holds no list of an
// earlier Go: everything is to be made.
std::optional<Manifest> PreviousOf(const FolderBuiltAside* aside, const Faq& faq,
                                   std::uint64_t inputs, const GenerationObserver& observer) {
  if (aside) return Manifest();
  return PreviousUnlessNothingToMake(faq.values, inputs, observer, ListLimitOf(faq));
}

// The bytes made in memory of a page (of one made in parts, those before its first copied part).
std::string_view BytesOf(const std::string& bytes) {
  return bytes;
}
std::string_view BytesOf(const PageBytes& bytes) {
  return bytes.stretches.empty() ? std::string_view(bytes.made)
                                 : std::string_view(bytes.made).substr(0, bytes.stretches[0].at);
}

// Writes the pages of one run and reports each to the observer. A page whose fingerprint is the
// one the previous run listed for it, and whose file is still the one that run wrote, is neither
// made nor compared again; when the inputs of the whole set are those of the previous run and
// every file it listed is still there as written, nothing is made at all.
class PageWriter {
 public:
  // `looked`, when given, has the files of `previous` looked at already; `making` as for PageQueue.
  PageWriter(const PageNames& names, const OpenFolder& folder, const GenerationObserver& observer,
             std::size_t total, std::string manifest_name, std::string start_page,
             std::uint64_t inputs, const DocumentRecord& document, Manifest previous,
             IntactFiles* looked, PageQueue::Making making)
      : names_(names),
        observer_(observer),
        total_(total),
        manifest_name_(std::move(manifest_name)),
        start_page_(std::move(start_page)),
        folder_(folder),
        inputs_(inputs),
        // A record is true of its version of the document whoever made it: the previous one
        // holds while this run knows none.
        document_(document.identity != 0 ? document : previous.document),
        previous_(std::move(previous)),
        looked_(looked),
        queue_(
            folder, [this](const PageQueue::Page& page) { Written(page); }, making) {
    current_.reserve(total);
    Progress();
  }

  // The previous list's entries go with the writer: the thread looking at their files stops
  // reading them first.
  ~PageWriter() {
    if (looked_ != nullptr) looked_->StopLooking();
  }
  PageWriter(const PageWriter&) = delete;
  PageWriter& operator=(const PageWriter&) = delete;

  void Status(const std::string& text) const {
    if (observer_.status) observer_.status(text);
  }

  // `build` makes the page's bytes when they are needed; with `announce` the status names the page
  // first.
  enum class Announce { No, Yes };
  template <typename Build>
  void Write(std::string_view file_name, std::uint64_t fingerprint, Announce announce,
             Build&& build) {
    ++pages_;
    const ManifestEntry* previous = Previous(file_name);
    if (!Unchanged(previous, fingerprint)) {
      if (announce == Announce::Yes)
        Status(file_name == start_page_ ? "Writing Start Page"
                                        : "Writing " + std::string(file_name));
      made_ = true;
      parts_.clear();
      // The page's bytes go to the queue by swapping buffers, not by a copy.
      auto&& made = build();
      // A file the previous run did not write is replaced only when it is a page already.
      if (previous == nullptr && !folder_.empty_when_opened())
        CheckReplaceable(folder_, std::string(file_name), BytesOf(made));
      // The stamp comes once the page is written.
      made_entries_.push_back({std::string(file_name), fingerprint, {}, std::move(parts_)});
      current_.push_back(&made_entries_.back());
      queue_.Add(file_name, made, made_entries_.size() - 1, Seen(previous));
    }
    Progress();
  }

  // Waits until every page made is written; rethrows the failure of one that could not be.
  void Finish() { queue_.Finish(); }

  // The parts of the page being made (html/page_parts.h), for the list.
  void SetParts(std::vector<FilePart> parts) { parts_ = std::move(parts); }

  // The previous file of a page and its parts, when the list kept them and the file is still the
  // one the previous run wrote.
  PreviousParts PartsOf(const std::string& file_name) {
    const ManifestEntry* entry = Previous(file_name);
    if (entry == nullptr || entry->parts.empty() || !Intact(*entry)) return {};
    sys::Fd file(sys::OpenAt(folder_.fd(), file_name, O_RDONLY | O_NONBLOCK | O_NOFOLLOW, 0,
                             names_.Path(file_name)));
    if (!file.valid()) return {};
    return PreviousParts(std::move(file), entry->parts);
  }

  // What the previous run listed, in its order.
  const std::vector<ManifestEntry>& previous_entries() const { return previous_.entries; }
  // The page names the previous run recorded, and those of this run, for the list.
  const NamesRecord& previous_names() const { return previous_.names; }
  void SetNames(const NamesRecord& names) { page_names_ = names; }

  // Is the file the one the previous run wrote, untouched since?
  bool Intact(const std::string& file_name) {
    const ManifestEntry* entry = Previous(file_name);
    return entry != nullptr && Intact(*entry);
  }

  // The list of this run, with `also` (entries of files the run could not remove) after it. The
  // list is not reported: it is no page.
  void WriteManifest(const std::vector<ManifestEntry>& also = {}) {
    Finish();
    // A run that made nothing and lists what the last one listed leaves the list as it is.
    if (!made_ && also.empty() && previous_.inputs == inputs_ && previous_.document == document_ &&
        previous_.names == page_names_ &&
        std::equal(
            current_.begin(), current_.end(), previous_.entries.begin(), previous_.entries.end(),
            [](const ManifestEntry* a, const ManifestEntry& b) { return a->name == b.name; }))
      return;
    std::vector<const ManifestEntry*> entries = std::move(current_);
    for (const ManifestEntry& entry : also) entries.push_back(&made_entries_.emplace_back(entry));
    // A page written over an earlier one has a stamp of its own: the list then changes, and is not
    // compared first.
    const std::string text = ManifestText(start_page_, entries, inputs_, document_, page_names_);
    if (written_.empty() || folder_.empty_when_opened())
      WritePageFileStamped(folder_, manifest_name_, text);
    else
      ReplacePageFile(folder_, manifest_name_, text);
  }

  std::vector<std::string> TakeWritten() { return std::move(written_); }

  // Reports the files removed from the set.
  void Removed(const std::vector<std::string>& file_names) const {
    if (observer_.removed)
      for (const std::string& name : file_names) observer_.removed(names_.Path(name));
  }

 private:
  void Written(const PageQueue::Page& page) {
    made_entries_[page.tag].stamp = page.result.stamp;
    if (!page.result.written) return;
    written_.push_back(names_.Path(page.name));
    if (observer_.written) observer_.written(written_.back());
  }

  const ManifestEntry* Previous(std::string_view file_name) {
    // The list holds the pages in the order they are written: the entry after the last one found,
    // or that one again, is nearly always the one asked for, and needs no name hashed.
    const std::vector<ManifestEntry>& entries = previous_.entries;
    for (const std::size_t at : {next_, next_ - 1})
      if (at < entries.size() && entries[at].name == file_name) {
        next_ = at + 1;
        return &entries[at];
      }
    if (index_.empty())
      for (const ManifestEntry& entry : entries) index_.emplace(entry.name, &entry);
    const auto found = index_.find(file_name);
    if (found == index_.end()) return nullptr;
    next_ = static_cast<std::size_t>(found->second - entries.data()) + 1;
    return found->second;
  }

  bool Intact(const ManifestEntry& entry) const {
    if (looked_ != nullptr)
      return looked_->Intact(folder_, static_cast<std::size_t>(&entry - previous_.entries.data()));
    return IntactIn(folder_, entry.name, entry.stamp);
  }

  bool Unchanged(const ManifestEntry* entry, std::uint64_t fingerprint) {
    if (entry == nullptr || entry->fingerprint != fingerprint || !Intact(*entry)) return false;
    current_.push_back(entry);
    return true;
  }

  // What the thread looking at the listed files found at the entry's name, if it got there.
  std::optional<FileStamp> Seen(const ManifestEntry* entry) const {
    if (entry == nullptr || looked_ == nullptr) return std::nullopt;
    return looked_->Seen(static_cast<std::size_t>(entry - previous_.entries.data()));
  }

  void Progress() const {
    if (observer_.progress) observer_.progress(pages_, total_);
  }

  const PageNames& names_;
  const GenerationObserver& observer_;
  std::size_t total_;
  std::string manifest_name_;
  std::string start_page_;
  const OpenFolder& folder_;
  std::uint64_t inputs_;
  DocumentRecord document_;
  NamesRecord page_names_;
  bool made_ = false;
  Manifest previous_;
  IntactFiles* looked_;
  std::unordered_map<std::string_view, const ManifestEntry*> index_;  // into previous_
  std::size_t next_ = 0;  // the entry of previous_ after the one last found
  // The list of this run, in order: entries of the previous list for files unchanged, not copied,
  // and those of files made in this run, kept where they are as more are made.
  std::vector<const ManifestEntry*> current_;
  std::deque<ManifestEntry> made_entries_;
  std::vector<FilePart> parts_;
  std::size_t pages_ = 0;
  std::vector<std::string> written_;
  // Last: its threads stop before the members above go.
  PageQueue queue_;
};

std::array<std::string, kFixedSectionCount> FixedSections(const SectionIndex& document) {
  std::array<std::string, kFixedSectionCount> sections;
  for (std::size_t i = 0; i < kFixedSectionCount; ++i)
    sections[i] = document.Read(SectionName(static_cast<FixedSection>(i)));
  return sections;
}

// The Modern set, then the files the previous Go listed and this one does not are removed.
std::vector<std::string> GenerateModernPages(const Faq& faq, const SectionIndex& document,
                                             PageWriter& writer, const PageNames& names,
                                             const SystemColours& system_colours) {
  PreviousModernRun previous_run;
  previous_run.files = writer.previous_entries();
  previous_run.read_intact = [&](const std::string& file_name) -> std::optional<std::string> {
    if (!writer.Intact(file_name)) return std::nullopt;
    try {
      return ReadFileIfExists(names.Path(file_name));
    } catch (const Error&) {
      return std::nullopt;
    }
  };
  previous_run.open_intact = [&](const std::string& file_name) {
    if (!writer.Intact(file_name)) return sys::Fd();
    return sys::Fd(sys::Open(names.Path(file_name), O_RDONLY | O_NONBLOCK | O_NOFOLLOW));
  };
  previous_run.parts_of = [&](const std::string& file_name) { return writer.PartsOf(file_name); };
  previous_run.made_parts = [&](std::vector<FilePart> parts) { writer.SetParts(std::move(parts)); };
  previous_run.names = writer.previous_names();
  previous_run.made_names = [&](const NamesRecord& made) { writer.SetNames(made); };
  WrittenNames files(writer.previous_entries());
  BuildModernPages(
      faq, document, system_colours,
      [&](std::string_view file_name, std::uint64_t fingerprint,
          const std::function<PageBytes()>& build) {
        writer.Write(file_name, fingerprint, PageWriter::Announce::Yes, build);
        files.Add(file_name);
      },
      previous_run);
  // Files no longer made go only once every page is written, and only files the set may hold.
  writer.Finish();
  const StaleFiles stale = files.RemoveStale(
      names.Path(""), [&](std::string_view name) { return ModernSetMayHold(faq.values, name); });
  writer.WriteManifest(stale.remaining);
  writer.Removed(stale.removed);
  return writer.TakeWritten();
}

Fingerprint WithQuestions(Fingerprint fingerprint, const std::vector<std::string>& questions) {
  fingerprint.Add(questions.size());
  for (const std::string& question : questions) fingerprint.Add(question);
  return fingerprint;
}

// Makes what changed of the set of `faq`, whose document is `document`, after the check before
// decoding found something to make; `looked` has the files of `previous` looked at (or nullptr).
std::vector<std::string> MakePages(const Faq& faq, const SectionIndex& document,
                                   std::string_view banner, const GenerationObserver& observer,
                                   const SystemColours& system_colours, std::uint64_t inputs,
                                   const DocumentRecord& document_record, Manifest previous,
                                   const OpenFolder& folder, IntactFiles* looked) {
  const FaqValues& values = faq.values;
  const bool modern = values.Integer(FaqValue::PageStyle) == kPageStyleModern;
  const PageNames names(values);
  const std::string& start_page = values.Text(FaqValue::StartPage);
  const std::vector<std::string>& questions = faq.questions;
  const std::size_t count = questions.size();
  const bool frames = IsFramesLayout(values);
  const bool one_per_page = IsOnePerPage(values);
  // The pages the settings name are looked at before anything is written: a file of the user's
  // that has such a name stops the Go at once.
  if (!folder.empty_when_opened())
    for (const std::string& name : NamedPages(values))
      if (std::none_of(previous.entries.begin(), previous.entries.end(),
                       [&](const ManifestEntry& entry) { return entry.name == name; }))
        CheckReplaceable(folder, name, {});
  PageWriter writer(
      names, folder, observer,
      modern ? ModernFileCount(faq) : (one_per_page ? count : 0) + (frames ? 3 : 1),
      ManifestNameOf(values), start_page, inputs, document_record, std::move(previous), looked,
      modern ? PageQueue::Making::AsLongAsWriting : PageQueue::Making::QuickerThanWriting);
  // Answers with their markup come to about the size of the document, and up to four times it
  // when every character is written as a reference ("&#1055;" for two bytes of Cyrillic);
  // reserving generously spares the page that holds them all its growing copies, and costs no
  // memory it does not write (but the rest of the last huge page written).
  const std::size_t all_answers_size = document.text_size() * 4 + count * 1024;
  if (modern) return GenerateModernPages(faq, document, writer, names, system_colours);
  const PageContext context(values, FixedSections(document), banner, system_colours);
  // Answers are read where they stand in the document; `scratch` holds one only when it must be
  // put together.
  std::string scratch;
  auto answer = [&](std::size_t i) { return document.Read(AnswerSectionName(i - 1), scratch); };
  const Fingerprint run = RunFingerprint(values, context.sections, banner, system_colours);

  Page page;
  std::string answer_frame_page;
  if (frames) {
    answer_frame_page = one_per_page ? names.SubPage(0) : values.Text(FaqValue::AnswerPageName);
    writer.Write(start_page, FileFingerprint(Fingerprint(run).Add("frameset")),
                 PageWriter::Announce::No, [&] {
                   page.Clear();
                   AddFramesetPage(page, values, context.Section(FixedSection::FrameHeaderCode),
                                   answer_frame_page);
                   return std::ref(page.Finished());
                 });
  }

  writer.Status("Writing Start Page");
  if (frames)
    writer.Write(values.Text(FaqValue::QuestionPageName),
                 FileFingerprint(WithQuestions(run, questions).Add("questions")),
                 PageWriter::Announce::No, [&] {
                   page.Clear();
                   AddQuestionPage(page, context, questions);
                   return std::ref(page.Finished());
                 });

  if (one_per_page) {
    for (std::size_t i = 1; i <= count; ++i) {
      const std::string file_name = names.SubPage(i);
      const std::string_view stored = answer(i);
      const std::uint64_t fingerprint =
          FileFingerprint(Fingerprint(run).Add(i).Add(count).Add(questions[i - 1]).Add(stored));
      writer.Write(file_name, fingerprint, PageWriter::Announce::Yes, [&] {
        page.Clear();
        AddAnswerSubPage(page, context, names, i, count, questions[i - 1], stored);
        return std::ref(page.Finished());
      });
    }
  }

  // The start page (the answer frame's page in the Frames layout): with every answer on it, it
  // depends on all of them, and each answer's block is a part of its own.
  Fingerprint last = WithQuestions(run, questions).Add("last");
  std::vector<std::uint64_t> blocks;
  if (!one_per_page) {
    blocks.reserve(count);
    for (std::size_t i = 1; i <= count; ++i) {
      blocks.push_back(FileFingerprint(
          Fingerprint(run).Add("answer block").Add(i).Add(questions[i - 1]).Add(answer(i))));
      last.Add(blocks.back());
    }
  }
  const std::string& last_page = frames ? answer_frame_page : start_page;
  writer.Write(last_page, FileFingerprint(last), PageWriter::Announce::No, [&]() -> PageBytes {
    // The blocks the previous file holds are copied file to file as the page is written; only the
    // others are made in memory, and places in the page count the copied bytes too.
    PreviousParts before = one_per_page ? PreviousParts() : writer.PartsOf(last_page);
    page.Clear();
    if (!one_per_page) page.Reserve(all_answers_size);
    if (frames)
      AddAnswerFramePageStart(page, context);
    else
      AddQuestionPage(page, context, questions);
    PartsRecorder parts;
    std::uint64_t spliced = 0;
    if (!one_per_page) {
      for (std::size_t i = 1; i <= count; ++i) {
        const std::uint64_t begin = page.bytes().size() + spliced;
        // A block copied or made from outside script and style elements reads the same anywhere.
        const bool top_level = page.AtTopLevel();
        const std::uint64_t copied =
            top_level ? page.SpliceMade(before, parts.Next(begin), blocks[i - 1]) : 0;
        if (copied == 0) AddAnswerBlock(page, context, i, questions[i - 1], answer(i));
        spliced += copied;
        parts.Add(begin, page.bytes().size() + spliced,
                  top_level && page.AtTopLevel() ? blocks[i - 1] : 0);
      }
    }
    AddPageClosing(page, context, context.Section(FixedSection::AnswerFooter));
    if (!one_per_page) writer.SetParts(parts.Finish(page.bytes().size() + spliced));
    std::string made;
    made.swap(page.Finished());
    return before.TakeSpliced(std::move(made));
  });
  writer.WriteManifest();
  return writer.TakeWritten();
}

// MakePages into the output folder, or, with `aside`, into a folder built beside the missing
// output folder, which becomes the output folder once the whole set and its list are written; its
// files are reported written only then. Should a folder take the name meanwhile, the set is made
// into that folder as into any other. `looked` as for MakePages.
std::vector<std::string> MakePagesInto(std::unique_ptr<FolderBuiltAside> aside, const Faq& faq,
                                       const SectionIndex& document, std::string_view banner,
                                       const GenerationObserver& observer,
                                       const SystemColours& system_colours, std::uint64_t inputs,
                                       const DocumentRecord& document_record, Manifest previous,
                                       IntactFiles* looked = nullptr) {
  if (!aside) {
    const OpenFolder folder(PageNames(faq.values).Path(""));
    return MakePages(faq, document, banner, observer, system_colours, inputs, document_record,
                     std::move(previous), folder, looked);
  }
  GenerationObserver building = observer;
  building.written = nullptr;
  std::vector<std::string> written =
      MakePages(faq, document, banner, building, system_colours, inputs, document_record,
                Manifest(), aside->folder(), nullptr);
  if (aside->PutInPlace()) {
    if (observer.written)
      for (const std::string& path : written) observer.written(path);
    return written;
  }
  aside.reset();  // the scratch folder goes before the set is made again
  CreateDirectories(faq.values.Text(FaqValue::Directory));
  std::optional<Manifest> now =
      PreviousUnlessNothingToMake(faq.values, inputs, observer, ListLimitOf(faq));
  if (!now) return {};
  return MakePagesInto(nullptr, faq, document, banner, observer, system_colours, inputs,
                       document_record, std::move(*now));
}

// The output folder made for a Go: built aside when it does not exist yet, else made when missing
// (nullptr then).
std::unique_ptr<FolderBuiltAside> PrepareOutputFolder(const FaqValues& values) {
  const std::string& directory = values.Text(FaqValue::Directory);
  std::unique_ptr<FolderBuiltAside> aside = FolderBuiltAside::Begin(directory);
  // A directory that cannot be made is left to show as the first file that cannot be created,
  // which names the path and the system's reason.
  if (!aside) CreateDirectories(directory);
  return aside;
}

// GeneratePages, with the output folder built aside when `aside` is given.
std::vector<std::string> GenerateInto(std::unique_ptr<FolderBuiltAside> aside, const Faq& faq,
                                      std::string_view banner, const GenerationObserver& observer,
                                      const SystemColours& system_colours) {
  // The document as the FAQ was read from it while the file is still that version, else read now.
  const std::shared_ptr<const DocumentAsRead> kept = KeptDocument(faq);
  std::optional<std::string> bytes = kept ? std::nullopt : ReadFileIfExists(faq.document_path);
  const std::optional<std::string>& document = kept ? kept->bytes : bytes;
  const std::uint64_t inputs =
      InputsFingerprint(faq.values, banner, system_colours, DocumentFingerprint(document));
  std::optional<Manifest> previous = PreviousOf(aside.get(), faq, inputs, observer);
  if (!previous) return {};
  const std::shared_ptr<const SectionIndex> index =
      kept ? kept->index
           : std::make_shared<const SectionIndex>(bytes ? DecodeMarkedText(*bytes).text
                                                        : std::string());
  bytes.reset();
  // Questions older or newer than the document's make a set of their own.
  const bool questions_of_document = kept || QuestionsAreThoseOf(faq, *index);
  return MakePagesInto(std::move(aside), faq, *index, banner, observer, system_colours,
                       questions_of_document
                           ? inputs
                           : FileFingerprint(WithQuestions(Fingerprint(inputs), faq.questions)),
                       {}, std::move(*previous));
}

}  // namespace

std::vector<std::string> GeneratePages(const Faq& faq, std::string_view banner,
                                       const GenerationObserver& observer,
                                       const SystemColours& system_colours) {
  CheckPageNames(faq.values, faq.document_path);
  return GenerateInto(nullptr, faq, banner, observer, system_colours);
}

StoredGo GoStoredFaq(const AppContext& context, std::string_view name, std::string_view banner,
                     const GenerationObserver& observer, const SystemColours& system_colours) {
  std::int64_t clock = sys::ClockNs();
  Faq faq = LoadFaqValues(context, name);
  CheckPageNames(faq.values, faq.document_path);
  std::unique_ptr<FolderBuiltAside> aside = PrepareOutputFolder(faq.values);
  // A document that is still the file the list records is not read for the check: its bytes'
  // fingerprint is the recorded one. Any other is read whole, once, for the check and the pages.
  // A folder built aside holds no list.
  const std::string manifest_path = PageNames(faq.values).Path(ManifestNameOf(faq.values));
  const DocumentRecord recorded = aside ? DocumentRecord() : ReadManifestDocument(manifest_path);
  const bool as_recorded = faq.stamp.exists && recorded.identity != 0 &&
                           recorded.identity == IdentityFingerprint(faq.stamp.file);
  // The files the list names are looked at while the document is read and decoded. A document to
  // be read for the check has them looked at from the start; one as recorded only once the check
  // found something to make, since it costs nothing to read. The lists outlive the thread that
  // looks at their entries.
  std::optional<Manifest> listed, previous;
  std::optional<IntactFiles> looked;
  auto look_at = [&](const Manifest& list) {
    if (!list.entries.empty()) looked.emplace(PageNames(faq.values).Path(""), list.entries);
  };
  if (!aside && !as_recorded)
    look_at(listed.emplace(ReadManifestFile(manifest_path, 0, ListLimitOf(faq))));
  std::optional<std::string> bytes;
  std::optional<std::uint64_t> bytes_fingerprint;
  if (as_recorded) {
    bytes_fingerprint = recorded.bytes;
  } else {
    bytes = ReadFileIfExists(faq.document_path);
    bytes_fingerprint = DocumentFingerprint(bytes);
  }
  DocumentRecord record = as_recorded ? recorded : RecordOf(faq.stamp, clock, bytes_fingerprint);
  std::uint64_t inputs = InputsFingerprint(faq.values, banner, system_colours, bytes_fingerprint);
  previous = listed ? PreviousUnlessNothingToMake(faq.values, inputs, observer, *listed,
                                                  looked ? &*looked : nullptr)
                    : PreviousOf(aside.get(), faq, inputs, observer);
  if (!previous) {
    if (record.identity != 0 && record != recorded)
      KeepDocumentRecord(faq.values, manifest_path, inputs, record, ListLimitOf(faq));
    return {faq.values, {}};
  }
  if (!looked) look_at(*previous);
  if (!bytes) {
    // The bytes now read are what the pages are made from, should the file have changed since
    // it was recorded. The document's stamp again before it is read, with the count as read.
    clock = sys::ClockNs();
    faq.stamp = StampOf(faq, faq.stamp.count, faq.stamp.store);
    bytes = ReadFileIfExists(faq.document_path);
    bytes_fingerprint = DocumentFingerprint(bytes);
    record = RecordOf(faq.stamp, clock, bytes_fingerprint);
    inputs = InputsFingerprint(faq.values, banner, system_colours, bytes_fingerprint);
  }
  const std::shared_ptr<const SectionIndex> index =
      LoadFaqText(faq, std::move(bytes), AnswerList::Empty);
  return {faq.values,
          MakePagesInto(std::move(aside), faq, *index, banner, observer, system_colours, inputs,
                        record, std::move(*previous), looked ? &*looked : nullptr)};
}

std::vector<std::string> Go(const Faq& faq, std::string_view banner,
                            const GenerationObserver& observer,
                            const SystemColours& system_colours) {
  CheckPageNames(faq.values, faq.document_path);
  return GenerateInto(PrepareOutputFolder(faq.values), faq, banner, observer, system_colours);
}

}  // namespace quorella::html
