#include "util/file_io.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <memory>
#include <string>
#include <vector>

#include "util/errors.h"
#include "util/file_io_internal.h"
#include "util/paths.h"
#include "util/sys_io.h"

namespace quorella {

using namespace file_io_detail;

OpenFolder::OpenFolder(const std::string& path) : path_(IncludeTrailingSlash(path)) {
  // Opened for reading, the folder also tells whether it holds anything.
  const std::string folder = path.empty() ? "." : path;
  fd_ = sys::Open(folder, O_RDONLY | O_DIRECTORY);
  if (fd_ < 0) {
    fd_ = sys::Open(folder, O_PATH | O_DIRECTORY);
    return;
  }
  // A few entries at a time: a folder of 10,000 pages would fill a whole 32 KB read with
  // entries, about 0.1 ms, to find the first that is not "." or "..". A folder that cannot be
  // read counts as holding something, so that its pages are looked for before they are written.
  alignas(dirent64) char entries[1024];
  for (;;) {
    const ssize_t size = sys::ReadDirEntries(fd_, entries, sizeof entries);
    if (size < 0) return;
    if (size == 0) break;
    for (ssize_t at = 0; at < size;) {
      const auto* entry = reinterpret_cast<const dirent64*>(entries + at);
      const std::string_view name = entry->d_name;
      if (name != "." && name != "..") return;
      at += entry->d_reclen;
    }
  }
  empty_when_opened_ = true;
  // A folder that holds nothing holds no scratch files to sweep either.
  TakeScratchSweep(path_);
}

OpenFolder::OpenFolder(BuiltAside, const std::string& path, int fd)
    : path_(IncludeTrailingSlash(path)), fd_(fd), empty_when_opened_(true), built_aside_(true) {}

OpenFolder::~OpenFolder() {
  if (fd_ >= 0) sys::Close(fd_);
}

std::unique_ptr<FolderBuiltAside> FolderBuiltAside::Begin(const std::string& path) {
  std::string folder = path;
  while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
  const std::string base = FileNameOf(folder);
  if (base.empty() || base == "." || base == "..") return nullptr;
  // Only "no such entry" means the folder is to be made; any other answer leaves it to the
  // ordinary way, which reports what is wrong.
  struct stat info {};
  if (sys::Lstat(folder, &info) == 0 || errno != ENOENT) return nullptr;
  const std::string parent = DirectoryOf(folder);
  try {
    if (!parent.empty() && !CreateDirectories(parent)) return nullptr;
  } catch (const Error&) {
    return nullptr;
  }
  RemoveOrphanedScratch(parent);
  std::string scratch;
  for (int attempt = 0; attempt < 100 && scratch.empty(); ++attempt) {
    std::string name = ScratchName(parent, base);
    if (sys::Mkdir(name) == 0)
      scratch = std::move(name);
    else if (errno != EEXIST)
      return nullptr;
  }
  if (scratch.empty()) return nullptr;
  const int fd = sys::Open(scratch, O_RDONLY | O_DIRECTORY | O_NOFOLLOW);
  if (fd < 0) {
    sys::Rmdir(scratch);
    return nullptr;
  }
  return std::unique_ptr<FolderBuiltAside>(new FolderBuiltAside(folder, scratch, fd));
}

FolderBuiltAside::FolderBuiltAside(std::string path, std::string scratch, int fd)
    : path_(std::move(path)),
      scratch_(std::move(scratch)),
      folder_(OpenFolder::BuiltAside{}, path_, fd) {}

FolderBuiltAside::~FolderBuiltAside() {
  if (!in_place_) RemoveScratchFolder(AT_FDCWD, scratch_, scratch_);
}

bool FolderBuiltAside::PutInPlace() {
  if (sys::RenameNoReplace(scratch_, path_) == 0) return in_place_ = true;
  // A file system that cannot rename without replacing (EINVAL) has the set made in place.
  if (errno == EEXIST || errno == ENOTEMPTY || errno == EINVAL || errno == ENOSYS) return false;
  throw Failure(messages::UnableToCreateDirectory, path_);
}

bool RemoveFile(const std::string& path) {
  return sys::Unlink(path) == 0;
}

bool CreateDirectories(const std::string& path) {
  if (path.empty()) throw Error(std::string(messages::kUnableToCreateDirectory));
  if (DirectoryExists(path)) return true;
  std::string trimmed = path;
  while (trimmed.size() > 1 && trimmed.back() == '/') trimmed.pop_back();
  const auto slash = trimmed.find_last_of('/');
  if (slash != std::string::npos && slash > 0 && !CreateDirectories(trimmed.substr(0, slash)))
    return false;
  if (sys::Mkdir(trimmed) == 0 || errno == EEXIST) {
    if (DirectoryExists(trimmed)) return true;
    errno = ENOTDIR;  // a file holds the name
  }
  return false;
}

void CreateFolderOf(const std::string& path) {
  const std::string folder = DirectoryOf(path);
  if (!folder.empty()) CreateDirectories(folder);  // a failure shows when the file is created
}

std::vector<std::string> ListDirectory(const std::string& path) {
  std::vector<std::string> names;
  DIR* dir = sys::OpenDir(path);
  if (dir == nullptr) {
    if (errno == ENOENT || errno == ENOTDIR) return names;
    throw Failure(messages::CannotOpenFile, path);
  }
  const dirent* entry;
  while ((entry = sys::ReadDir(dir)) != nullptr) {
    const std::string name = entry->d_name;
    if (name != "." && name != "..") names.push_back(name);
  }
  if (errno != 0) {
    // A listing cut short would pass for the whole folder.
    const Error error = Failure(messages::CannotReadFile, path);
    sys::CloseDir(dir);
    throw error;
  }
  sys::CloseDir(dir);
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace quorella
