#include "html/generator.h"

#include "html/classic_plan.h"
#include "html/intact_files.h"
#include "html/manifest.h"
#include "html/modern_site.h"
#include "html/page_fingerprints.h"
#include "html/page_parts.h"
#include "html/page_queue.h"
#include "html/page_writer.h"
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

// Refuses, before anything is written, to write a page the settings name over a file of the user's
// (html/page.h, CheckReplaceable) that the previous Go did not write.
void CheckNamedPages(const FaqValues& values, const Manifest& previous, const OpenFolder& folder) {
  if (folder.empty_when_opened()) return;
  for (const std::string& name : NamedPages(values))
    if (std::none_of(previous.entries.begin(), previous.entries.end(),
                     [&](const ManifestEntry& entry) { return entry.name == name; }))
      CheckReplaceable(folder, name, {});
}

// Makes what changed of the set of `faq`, whose document is `document`, after the check before
// decoding found something to make: the style's planner plans the set, the writer writes it;
// `looked` has the files of `previous` looked at (or nullptr).
std::vector<std::string> MakePages(const Faq& faq, const SectionIndex& document,
                                   std::string_view banner, const GenerationObserver& observer,
                                   const SystemColours& system_colours, std::uint64_t inputs,
                                   const DocumentRecord& document_record, const Manifest& previous,
                                   const OpenFolder& folder, IntactFiles* looked) {
  const FaqValues& values = faq.values;
  const bool modern = values.Integer(FaqValue::PageStyle) == kPageStyleModern;
  const PageNames names(values);
  CheckNamedPages(values, previous, folder);
  std::optional<ClassicPlanner> classic;
  std::optional<ModernPlanner> modern_planner;
  FilePlan plan = modern ? modern_planner.emplace(faq, document, system_colours, previous).Plan()
                         : classic.emplace(faq, document, names, banner, system_colours).Plan();
  PageWriter writer(
      names, folder, observer, plan.files.size(), ManifestNameOf(values),
      values.Text(FaqValue::StartPage), inputs, document_record, previous, looked,
      modern ? PageQueue::Making::AsLongAsWriting : PageQueue::Making::QuickerThanWriting);
  // A Modern set removes what its previous Go wrote and it no longer makes; a classic one nothing.
  const NameCheck ours = [&](std::string_view name) { return ModernSetMayHold(values, name); };
  return writer.WritePlan(plan, modern ? &ours : nullptr);
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
                     previous, folder, looked);
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
