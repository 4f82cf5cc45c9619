#pragma once
// Telling whether a file still holds bytes the program knows, without keeping a copy of what it
// reads: the file is compared a block at a time.
#include <string>
#include <string_view>

namespace quorella {

// True when `path` is a regular file (a link is followed) whose content is exactly `bytes`. Any
// failure to open or read it answers false, leaving the reporting to the read that follows.
bool FileHoldsExactly(const std::string& path, std::string_view bytes);

}  // namespace quorella
