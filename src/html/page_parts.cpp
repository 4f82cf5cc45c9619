#include "html/page_parts.h"

namespace quorella::html {

PreviousParts::PreviousParts(std::string bytes, std::vector<FilePart> parts)
    : bytes_(std::move(bytes)) {
  std::size_t offset = 0;
  offsets_.reserve(parts.size());
  for (const FilePart& part : parts) {
    offsets_.push_back(offset);
    offset += part.size;
  }
  if (offset == bytes_.size())
    parts_ = std::move(parts);
  else
    offsets_.clear();
}

std::optional<std::string_view> PreviousParts::Find(std::size_t at,
                                                    std::uint64_t fingerprint) const {
  if (fingerprint == 0 || parts_.empty()) return std::nullopt;
  std::size_t found = at;
  if (at >= parts_.size() || parts_[at].fingerprint != fingerprint) {
    if (index_.empty())
      for (std::size_t k = 0; k < parts_.size(); ++k)
        if (parts_[k].fingerprint != 0) index_.emplace(parts_[k].fingerprint, k);
    const auto where = index_.find(fingerprint);
    if (where == index_.end()) return std::nullopt;
    found = where->second;
  }
  return std::string_view(bytes_).substr(offsets_[found], parts_[found].size);
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
