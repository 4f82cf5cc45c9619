#include "html/page.h"

#include "util/errors.h"
#include "util/file_io.h"
#include "util/text_lines.h"

namespace quorella::html {

void Page::Add(std::string_view item) {
  ascii_.Append(bytes_, item);
  bytes_ += kCrLf;
}

namespace {

// `found` is what is at the path: only a regular file of the page's size can hold it; a link or
// anything else is replaced.
bool HoldsAlready(const std::string& path, const FileStamp& found, std::string_view bytes) {
  if (!IsRegularFile(found) || found.size != bytes.size()) return false;
  // A file that cannot be read is written, which reports whatever is wrong with it.
  try {
    const std::optional<std::string> old = ReadWholeFileAtMost(path, bytes.size());
    return old && *old == bytes;
  } catch (const Error&) {
    return false;
  }
}

}  // namespace

PageFileResult WritePageFileStamped(const std::string& path, std::string_view bytes) {
  const std::optional<FileStamp> found = EntryStampOf(path);
  if (found && HoldsAlready(path, *found, bytes)) return {false, *found};
  // Pages can be generated again, so they are not flushed to disk one by one.
  try {
    return {true, ReplaceGeneratedFile(path, bytes, found)};
  } catch (const Error& e) {
    throw Error(messages::CannotCreateFile(path, messages::SystemReason(e.error_number())),
                e.error_number());
  }
}

bool WritePageFile(const std::string& path, std::string_view bytes) {
  return WritePageFileStamped(path, bytes).written;
}

}  // namespace quorella::html
