#include "html/page_writer.h"

#include <fcntl.h>

#include <algorithm>

#include "html/page.h"
#include "util/errors.h"
#include "util/sys_io.h"

namespace quorella::html {

namespace {

// The bytes made in memory of a page (of one made in parts, those before its first copied part).
std::string_view BytesOf(const PageBytes& bytes) {
  return bytes.stretches.empty() ? std::string_view(bytes.made)
                                 : std::string_view(bytes.made).substr(0, bytes.stretches[0].at);
}

}  // namespace

// The previous version of the one file being made, for its maker.
class PageWriter::Making : public FileMaking {
 public:
  Making(PageWriter& writer, const std::string& name, const ManifestEntry* previous)
      : writer_(writer), name_(name), previous_(previous) {}

  PreviousParts PreviousPartsOfFile() override {
    if (previous_ == nullptr || previous_->parts.empty()) return {};
    sys::Fd file = OpenPreviousFile();
    if (!file.valid()) return {};
    return PreviousParts(std::move(file), previous_->parts);
  }
  sys::Fd OpenPreviousFile() override {
    if (previous_ == nullptr || !writer_.Intact(*previous_)) return sys::Fd();
    const OpenFolder& folder = writer_.folder_;
    return sys::Fd(sys::OpenAt(folder.fd(), name_, O_RDONLY | O_NONBLOCK | O_NOFOLLOW, 0,
                               writer_.names_.Path(name_)));
  }
  std::optional<std::string> ReadPreviousFile() override {
    if (previous_ == nullptr || !writer_.Intact(*previous_)) return std::nullopt;
    try {
      return ReadFileIfExists(writer_.names_.Path(name_));
    } catch (const Error&) {
      return std::nullopt;
    }
  }
  void SetParts(std::vector<FilePart> parts) override { parts_ = std::move(parts); }
  std::vector<FilePart> TakeParts() { return std::move(parts_); }

 private:
  PageWriter& writer_;
  const std::string& name_;
  const ManifestEntry* previous_;
  std::vector<FilePart> parts_;
};

PageWriter::PageWriter(const PageNames& names, const OpenFolder& folder,
                       const GenerationObserver& observer, std::size_t total,
                       std::string manifest_name, std::string start_page, std::uint64_t inputs,
                       const DocumentRecord& document, const Manifest& previous,
                       IntactFiles* looked, PageQueue::Making making)
    : names_(names),
      observer_(observer),
      total_(total),
      manifest_name_(std::move(manifest_name)),
      start_page_(std::move(start_page)),
      folder_(folder),
      inputs_(inputs),
      // A record is true of its version of the document whoever made it: the previous one holds
      // while this run knows none.
      document_(document.identity != 0 ? document : previous.document),
      previous_(previous),
      looked_(looked),
      queue_(
          folder, [this](const PageQueue::Page& page) { Written(page); }, making) {
  current_.reserve(total);
  Progress();
}

PageWriter::~PageWriter() {
  if (looked_ != nullptr) looked_->StopLooking();
}

void PageWriter::Status(const std::string& text) const {
  if (observer_.status) observer_.status(text);
}

std::vector<std::string> PageWriter::WritePlan(FilePlan& plan, const NameCheck* remove_stale) {
  page_names_ = plan.names;
  for (PlannedFile& file : plan.files) Write(file);
  // Files no longer made go only once every page is written, and only files the set may hold.
  Finish();
  StaleFiles stale;
  if (remove_stale != nullptr) {
    WrittenNames files(previous_.entries);
    for (const PlannedFile& file : plan.files) files.Add(file.name);
    stale = files.RemoveStale(names_.Path(""), *remove_stale);
  }
  WriteManifest(stale.remaining);
  if (observer_.removed)
    for (const std::string& name : stale.removed) observer_.removed(names_.Path(name));
  return std::move(written_);
}

void PageWriter::Write(PlannedFile& file) {
  if (!file.status.empty()) Status(file.status);
  ++pages_;
  const ManifestEntry* previous = Previous(file.name);
  if (!Unchanged(previous, file.fingerprint)) {
    if (file.announced)
      Status(file.name == start_page_ ? "Writing Start Page" : "Writing " + file.name);
    made_ = true;
    Making making(*this, file.name, previous);
    file.make(making, bytes_);
    // A file the previous run did not write is replaced only when it is a page already.
    if (previous == nullptr && !folder_.empty_when_opened())
      CheckReplaceable(folder_, file.name, BytesOf(bytes_));
    // The stamp comes once the page is written.
    made_entries_.push_back({file.name, file.fingerprint, {}, making.TakeParts()});
    current_.push_back(&made_entries_.back());
    // The bytes go to the queue by swapping buffers, not by a copy.
    queue_.Add(file.name, bytes_, made_entries_.size() - 1, Seen(previous));
  }
  // What made it goes: the closure may hold what only this file needs.
  file.make = nullptr;
  Progress();
}

void PageWriter::Finish() {
  queue_.Finish();
}

void PageWriter::WriteManifest(const std::vector<ManifestEntry>& also) {
  Finish();
  // A run that made nothing and lists what the last one listed leaves the list as it is.
  if (!made_ && also.empty() && previous_.inputs == inputs_ && previous_.document == document_ &&
      previous_.names == page_names_ &&
      std::equal(current_.begin(), current_.end(), previous_.entries.begin(),
                 previous_.entries.end(),
                 [](const ManifestEntry* a, const ManifestEntry& b) { return a->name == b.name; }))
    return;
  std::vector<const ManifestEntry*> entries = std::move(current_);
  for (const ManifestEntry& entry : also) entries.push_back(&made_entries_.emplace_back(entry));
  // A page written over an earlier one has a stamp of its own: the list then changes, and is not
  // compared first. The list is not reported: it is no page.
  const std::string text = ManifestText(start_page_, entries, inputs_, document_, page_names_);
  if (written_.empty() || folder_.empty_when_opened())
    WritePageFileStamped(folder_, manifest_name_, text);
  else
    ReplacePageFile(folder_, manifest_name_, text);
}

void PageWriter::Written(const PageQueue::Page& page) {
  made_entries_[page.tag].stamp = page.result.stamp;
  if (!page.result.written) return;
  written_.push_back(names_.Path(page.name));
  if (observer_.written) observer_.written(written_.back());
}

const ManifestEntry* PageWriter::Previous(std::string_view file_name) {
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

bool PageWriter::Intact(const ManifestEntry& entry) const {
  if (looked_ != nullptr)
    return looked_->Intact(folder_, static_cast<std::size_t>(&entry - previous_.entries.data()));
  return IntactIn(folder_, entry.name, entry.stamp);
}

bool PageWriter::Unchanged(const ManifestEntry* entry, std::uint64_t fingerprint) {
  if (entry == nullptr || entry->fingerprint != fingerprint || !Intact(*entry)) return false;
  current_.push_back(entry);
  return true;
}

std::optional<FileStamp> PageWriter::Seen(const ManifestEntry* entry) const {
  if (entry == nullptr || looked_ == nullptr) return std::nullopt;
  return looked_->Seen(static_cast<std::size_t>(entry - previous_.entries.data()));
}

void PageWriter::Progress() const {
  if (observer_.progress) observer_.progress(pages_, total_);
}

}  // namespace quorella::html
