#include "html/page.h"

#include <cerrno>

#include "util/errors.h"
#include "util/file_io.h"
#include "util/text_lines.h"

namespace quorella::html {

void Page::Add(std::string_view item) {
  ascii_.Append(bytes_, item);
  bytes_ += kCrLf;
}

namespace {

bool HoldsAlready(const std::string& path, std::string_view bytes) {
  // A file that cannot be read is written, which reports whatever is wrong with it.
  try {
    if (!FileExists(path)) return false;
    const std::optional<std::string> old = ReadWholeFileAtMost(path, bytes.size());
    return old && *old == bytes;
  } catch (const Error&) {
    return false;
  }
}

}  // namespace

bool WritePageFile(const std::string& path, std::string_view bytes) {
  if (HoldsAlready(path, bytes)) return false;
  // Pages can be generated again, so they are not flushed to disk one by one.
  try {
    ReplaceFileAtomically(path, bytes, Flush::No);
  } catch (const Error&) {
    throw Error(messages::CannotCreateFile(path, messages::SystemReason(errno)));
  }
  return true;
}

}  // namespace quorella::html
