#include "util/file_io.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <cerrno>

#include "util/errors.h"
#include "util/file_io_internal.h"
#include "util/sys_io.h"

namespace quorella {

using namespace file_io_detail;

bool FileExists(const std::string& path) {
  const auto info = StatIfExists(path);
  return info && !S_ISDIR(info->st_mode);
}

bool DirectoryExists(const std::string& path) {
  const auto info = StatIfExists(path);
  return info && S_ISDIR(info->st_mode);
}

bool SameFile(const std::string& a, const std::string& b) {
  const auto first = StatIfExists(a);
  if (!first) return false;
  const auto second = StatIfExists(b);
  return second && first->st_dev == second->st_dev && first->st_ino == second->st_ino;
}

bool IsSymbolicLink(const std::string& path) {
  const auto info = LstatIfExists(path);
  return info && S_ISLNK(info->st_mode);
}

std::optional<FileStamp> EntryStampOf(const std::string& path) {
  const auto info = LstatIfExists(path);
  if (!info) return std::nullopt;
  return StampFrom(*info);
}

std::optional<FileStamp> EntryStampIn(int folder, const std::string& name,
                                      std::string_view folder_path) {
  if (folder < 0) return EntryStampOf(std::string(folder_path) + name);
  struct stat info {};
  if (name.empty()) return std::nullopt;
  if (sys::StatAt(folder, name, &info, AT_SYMLINK_NOFOLLOW, folder_path) == 0)
    return StampFrom(info);
  if (errno == ENOENT || errno == ENOTDIR) return std::nullopt;
  throw Failure(messages::CannotOpenFile, std::string(folder_path) + name);
}

bool IsRegularFile(const FileStamp& stamp) {
  return S_ISREG(stamp.mode);
}

}  // namespace quorella
