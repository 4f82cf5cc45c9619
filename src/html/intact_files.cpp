#include "html/intact_files.h"

#include <fcntl.h>

#include "util/errors.h"
#include "util/paths.h"

namespace quorella::html {

namespace {

bool IntactAs(const FileStamp& now, const FileStamp& listed) {
  return IsRegularFile(now) && now.SameVersion(listed);
}

}  // namespace

bool IntactIn(const OpenFolder& folder, const std::string& name, const FileStamp& stamp) {
  const std::optional<FileStamp> now = EntryStampIn(folder.fd(), name, folder.path());
  return now && IntactAs(*now, stamp);
}

IntactFiles::IntactFiles(const std::string& directory, const std::vector<ManifestEntry>& entries)
    : entries_(entries.data()),
      size_(entries.size()),
      found_(std::make_unique<std::atomic<unsigned char>[]>(entries.size())),
      seen_(std::make_unique<FileStamp[]>(entries.size())),
      directory_(IncludeTrailingSlash(directory)),
      folder_(sys::Open(directory.empty() ? "." : directory, O_PATH | O_DIRECTORY)) {
  for (std::size_t i = 0; i < size_; ++i) found_[i].store(kUnknown, std::memory_order_relaxed);
  if (!folder_.valid() || size_ == 0) return;
  sweep_ = TakeScratchSweep(directory_);
  entries_done_.store(false, std::memory_order_relaxed);
  looker_ = std::thread([this] { Run(); });
}

IntactFiles::~IntactFiles() {
  reached_.store(size_, std::memory_order_relaxed);
  Finish();
}

void IntactFiles::Finish() {
  if (looker_.joinable()) looker_.join();
}

void IntactFiles::StopLooking() {
  reached_.store(size_, std::memory_order_relaxed);
  entries_done_.wait(false, std::memory_order_acquire);
}

void IntactFiles::Run() {
  for (std::size_t i = size_; i-- > reached_.load(std::memory_order_relaxed);) {
    const ManifestEntry& entry = entries_[i];
    std::optional<FileStamp> now;
    try {
      now = EntryStampIn(folder_.get(), entry.name, directory_);
    } catch (const Error&) {
      continue;  // left unknown: the writer looks at the file itself and reports what fails
    }
    if (now) seen_[i] = *now;
    found_[i].store(!now                          ? kMissing
                    : IntactAs(*now, entry.stamp) ? kIntact
                                                  : kChanged,
                    std::memory_order_release);
  }
  entries_done_.store(true, std::memory_order_release);
  entries_done_.notify_all();
  if (sweep_) RemoveOrphanedScratchIn(directory_);
}

bool IntactFiles::Intact(const OpenFolder& folder, std::size_t i) {
  if (i + 1 > reached_.load(std::memory_order_relaxed))
    reached_.store(i + 1, std::memory_order_relaxed);
  const unsigned char found = found_[i].load(std::memory_order_acquire);
  if (found != kUnknown) return found == kIntact;
  const ManifestEntry& entry = entries_[i];
  return IntactIn(folder, entry.name, entry.stamp);
}

std::optional<FileStamp> IntactFiles::Seen(std::size_t i) const {
  const unsigned char found = found_[i].load(std::memory_order_acquire);
  if (found == kIntact || found == kChanged) return seen_[i];
  return std::nullopt;
}

}  // namespace quorella::html
