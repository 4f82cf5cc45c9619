#include "util/text_arena.h"

#include <algorithm>

namespace quorella {

std::string_view TextArena::Keep(std::string_view text) {
  constexpr std::size_t kBlock = 65536;
  // One byte more, so that an empty text too has data to point at.
  if (left_ < text.size() + 1) {
    left_ = std::max(kBlock, text.size() + 1);
    blocks_.push_back(std::make_unique<char[]>(left_));
    free_ = blocks_.back().get();
  }
  std::copy(text.begin(), text.end(), free_);
  const std::string_view kept(free_, text.size());
  free_ += text.size() + 1;
  left_ -= text.size() + 1;
  return kept;
}

}  // namespace quorella
