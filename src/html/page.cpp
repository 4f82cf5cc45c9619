#include "html/page.h"

#include "util/errors.h"
#include "util/file_io.h"
#include "util/text_lines.h"

namespace quorella::html {

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

namespace {

// Runs `write`, its failure worded as the page's; `path()` gives the page's path, made only for
// the message or when a page is looked at by its path.
template <typename Path, typename Write>
PageFileResult Written(const Path& path, Write&& write) {
  try {
    return write();
  } catch (const Error& e) {
    throw Error(messages::CannotCreateFile(path(), messages::SystemReason(e.error_number())),
                e.error_number());
  }
}

}  // namespace

PageFileResult WritePageFileStamped(const std::string& path, std::string_view bytes) {
  const std::optional<FileStamp> found = EntryStampOf(path);
  if (found && HoldsAlready(path, *found, bytes)) return {false, *found};
  // Pages can be generated again, so they are not flushed to disk one by one.
  return Written([&] { return path; },
                 [&] {
                   return PageFileResult{true, ReplaceGeneratedFile(path, bytes, found)};
                 });
}

PageFileResult WritePageFileStamped(const OpenFolder& folder, const std::string& file_name,
                                    std::string_view bytes) {
  // A fresh folder's pages are created by name in the folder held open: no path is made for them.
  const auto path = [&] { return folder.path() + file_name; };
  return Written(path, [&]() -> PageFileResult {
    std::optional<FileStamp> found;
    bool looked = false;
    auto holds_already = [&] {
      looked = true;
      found = folder.fd() < 0 ? EntryStampOf(path()) : EntryStampIn(folder.fd(), file_name);
      return found && HoldsAlready(path(), *found, bytes);
    };
    // In a folder that held nothing when it was opened the page is created without a look for
    // it first; should a file have taken its name since, the page is written as over any other.
    if (!folder.empty_when_opened() && holds_already()) return {false, *found};
    if (!found)
      if (const auto created = CreateGeneratedFileIn(folder, file_name, bytes))
        return {true, *created};
    if (!looked && holds_already()) return {false, *found};
    return {true, ReplaceGeneratedFileIn(folder, file_name, bytes, found)};
  });
}

PageFileResult WritePageFileStamped(const OpenFolder& folder, const std::string& file_name,
                                    const SplicedBytes& spliced) {
  if (spliced.stretches.empty()) return WritePageFileStamped(folder, file_name, spliced.made);
  const auto path = [&] { return folder.path() + file_name; };
  const std::optional<FileStamp> found =
      folder.fd() < 0 ? EntryStampOf(path()) : EntryStampIn(folder.fd(), file_name);
  if (found && IsRegularFile(*found) && found->size == spliced.size()) {
    // The same size: the file may hold these bytes already, which only they can tell.
    if (const std::optional<std::string> whole = spliced.Whole())
      return WritePageFileStamped(folder, file_name, *whole);
  }
  return Written(path, [&] {
    return PageFileResult{true, ReplaceGeneratedFileIn(folder, file_name, spliced, found)};
  });
}

void ReplacePageFile(const OpenFolder& folder, const std::string& file_name,
                     std::string_view bytes) {
  const auto path = [&] { return folder.path() + file_name; };
  Written(path, [&] {
    const std::optional<FileStamp> found =
        folder.fd() < 0 ? EntryStampOf(path()) : EntryStampIn(folder.fd(), file_name);
    return PageFileResult{true, ReplaceGeneratedFileIn(folder, file_name, bytes, found)};
  });
}

bool WritePageFile(const std::string& path, std::string_view bytes) {
  return WritePageFileStamped(path, bytes).written;
}

}  // namespace quorella::html
