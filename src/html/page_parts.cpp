#include "html/page_parts.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace quorella::html {

PreviousParts::PreviousParts(sys::Fd file, std::vector<FilePart> parts) : file_(std::move(file)) {
  struct stat info {};
  // Without the file's size its parts are not taken: the page is made whole.
  if (!file_.valid() || sys::Fstat(file_.get(), &info) != 0 || !S_ISREG(info.st_mode)) return;
  std::uint64_t offset = 0;
  offsets_.reserve(parts.size());
  for (const FilePart& part : parts) {
    offsets_.push_back(offset);
    offset += part.size;
  }
  if (offset == static_cast<std::uint64_t>(info.st_size))
    parts_ = std::move(parts);
  else
    offsets_.clear();
}

std::optional<std::size_t> PreviousParts::Find(std::size_t at, std::uint64_t fingerprint) {
  if (fingerprint == 0 || parts_.empty()) return std::nullopt;
  if (at < parts_.size() && parts_[at].fingerprint == fingerprint) return at;
  if (index_.empty())
    for (std::size_t k = 0; k < parts_.size(); ++k)
      if (parts_[k].fingerprint != 0) index_.emplace(parts_[k].fingerprint, k);
  const auto where = index_.find(fingerprint);
  if (where == index_.end()) return std::nullopt;
  return where->second;
}

void PreviousParts::Note(std::size_t out_at, std::size_t found) {
  const std::size_t size = parts_[found].size;
  const std::uint64_t file_at = offsets_[found];
  Stretch* last = pending_.empty() ? nullptr : &pending_.back();
  // Stretches take no room in memory: one that follows another without bytes made between them
  // continues it.
  if (last != nullptr && last->out_at == out_at && last->file_at + last->size == file_at)
    last->size += size;
  else
    pending_.push_back({out_at, file_at, size});
}

std::uint64_t PreviousParts::Splice(std::size_t made_at, std::size_t at,
                                    std::uint64_t fingerprint) {
  const std::optional<std::size_t> found = Find(at, fingerprint);
  if (!found) return 0;
  Note(made_at, *found);
  return parts_[*found].size;
}

PageBytes PreviousParts::TakeSpliced(std::string made) {
  std::vector<SplicedBytes::Stretch> stretches;
  stretches.reserve(pending_.size());
  for (const Stretch& stretch : pending_)
    stretches.push_back({stretch.out_at, stretch.file_at, stretch.size});
  pending_.clear();
  if (stretches.empty()) return PageBytes(std::move(made));
  return PageBytes(std::move(made), std::move(file_), std::move(stretches));
}

void PartsRecorder::Add(std::size_t begin, std::size_t end, std::uint64_t fingerprint) {
  if (begin > end_) parts_.push_back({0, begin - end_});
  parts_.push_back({fingerprint, end - begin});
  end_ = end;
}

std::vector<FilePart> PartsRecorder::Finish(std::size_t size) {
  if (size > end_) parts_.push_back({0, size - end_});
  end_ = size;
  return std::move(parts_);
}

}  // namespace quorella::html
