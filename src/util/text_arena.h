#pragma once
// Copies of many short texts that stay where they are while the arena lives, kept one after the
// other in large blocks: ten thousand names take a few allocations, not one each.
#include <cstddef>
#include <memory>
#include <string_view>
#include <vector>

namespace quorella {

class TextArena {
 public:
  // A copy of `text`; its data is never null, even for an empty text.
  std::string_view Keep(std::string_view text);

 private:
  std::vector<std::unique_ptr<char[]>> blocks_;
  char* free_ = nullptr;  // in the last block
  std::size_t left_ = 0;
};

}  // namespace quorella
