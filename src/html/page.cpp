#include "html/page.h"

#include <algorithm>
#include <cerrno>

#include "util/errors.h"
#include "util/file_io.h"
#include "util/text_lines.h"

namespace quorella::html {

namespace {

// `found` is what is in `folder` (-1: `name` is a path) at `name`: only a regular file of the
// page's size can hold it; a link or anything else is replaced. A file that cannot be read is
// written, which reports whatever is wrong with it. `path()` names it to the test seam.
template <typename Path>
bool HoldsAlready(int folder, const std::string& name, const FileStamp& found,
                  std::string_view bytes, const Path& path) {
  return IsRegularFile(found) && found.size == bytes.size() &&
         FileHolds(folder, name, bytes, path());
}

// Runs `write`, its failure worded as the page's; `path()` gives the page's path, made only for
// the message or when a page is looked at by its path.
template <typename Path, typename Write>
auto Written(const Path& path, Write&& write) -> decltype(write()) {
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
  if (found && HoldsAlready(-1, path, *found, bytes, [&] { return path; })) return {false, *found};
  // Pages can be generated again, so they are not flushed to disk one by one.
  return Written([&] { return path; },
                 [&] {
                   return PageFileResult{true, ReplaceGeneratedFile(path, bytes, found)};
                 });
}

namespace {

// What is at `file_name` in the folder: `seen` when the Go looked a moment ago, else looked at now.
std::optional<FileStamp> FoundIn(const OpenFolder& folder, const std::string& file_name,
                                 const FileStamp* seen) {
  if (seen != nullptr) return *seen;
  return folder.fd() < 0 ? EntryStampOf(folder.path() + file_name)
                         : EntryStampIn(folder.fd(), file_name);
}

}  // namespace

PageFileResult WritePageFileStamped(const OpenFolder& folder, const std::string& file_name,
                                    std::string_view bytes, const FileStamp* seen) {
  // A fresh folder's pages are created by name in the folder held open: no path is made for them.
  const auto path = [&] { return folder.path() + file_name; };
  return Written(path, [&]() -> PageFileResult {
    std::optional<FileStamp> found;
    bool looked = false;
    auto holds_already = [&] {
      looked = true;
      found = FoundIn(folder, file_name, seen);
      return found &&
             HoldsAlready(folder.fd(), folder.fd() < 0 ? path() : file_name, *found, bytes, path);
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
                                    const SplicedBytes& spliced, const FileStamp* seen) {
  if (spliced.stretches.empty()) return WritePageFileStamped(folder, file_name, spliced.made, seen);
  const auto path = [&] { return folder.path() + file_name; };
  const std::optional<FileStamp> found = FoundIn(folder, file_name, seen);
  if (found && IsRegularFile(*found) && found->size == spliced.size()) {
    // The same size: the file may hold these bytes already, which only they can tell.
    if (const std::optional<std::string> whole = spliced.Whole())
      return WritePageFileStamped(folder, file_name, *whole, &*found);
  }
  return Written(path, [&] {
    return PageFileResult{true, ReplaceGeneratedFileIn(folder, file_name, spliced, found)};
  });
}

namespace {

// Does `head`, the first bytes of a file, begin as a page does, or as `bytes` do?
bool BeginsAsPageOr(std::string_view head, std::string_view bytes) {
  if (head.empty()) return true;
  std::string_view text = head;
  if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
  const std::size_t first = text.find_first_not_of(" \t\r\n\f");
  if (first != std::string_view::npos && text[first] == '<') return true;
  const std::size_t common = std::min({head.size(), bytes.size(), std::size_t{16}});
  return common > 0 && head.substr(0, common) == bytes.substr(0, common);
}

}  // namespace

void CheckReplaceable(const OpenFolder& folder, const std::string& file_name,
                      std::string_view bytes) {
  const std::optional<FileStamp> found = FoundIn(folder, file_name, nullptr);
  if (!found || !IsRegularFile(*found)) return;
  const std::string path = folder.path() + file_name;
  const int dir = folder.fd();
  // A file that cannot be read cannot be told from the user's own, and stops the Go as a page
  // that cannot be written does.
  const std::string head = Written(
      [&] { return path; }, [&] { return FileHead(dir, dir < 0 ? path : file_name, 256, path); });
  if (!BeginsAsPageOr(head, bytes))
    throw Error(messages::CannotCreateFile(path, messages::kNotAPage), EEXIST);
}

void ReplacePageFile(const OpenFolder& folder, const std::string& file_name,
                     std::string_view bytes) {
  const auto path = [&] { return folder.path() + file_name; };
  Written(path, [&] {
    return PageFileResult{true, ReplaceGeneratedFileIn(folder, file_name, bytes,
                                                       FoundIn(folder, file_name, nullptr))};
  });
}

bool WritePageFile(const std::string& path, std::string_view bytes) {
  return WritePageFileStamped(path, bytes).written;
}

}  // namespace quorella::html
