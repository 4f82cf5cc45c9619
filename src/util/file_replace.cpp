#include "util/file_io.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <mutex>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "util/errors.h"
#include "util/file_io_internal.h"
#include "util/paths.h"
#include "util/sys_io.h"

namespace quorella {

using namespace file_io_detail;

bool TakeScratchSweep(const std::string& folder) {
  static std::mutex mutex;
  static std::set<std::string> swept;
  const std::lock_guard guard(mutex);
  return swept.insert(folder).second;
}

void RemoveOrphanedScratchIn(const std::string& folder) {
  // The entries are looked at as the system gives them, so a folder of ten thousand pages costs
  // no copy of every name.
  DIR* dir = sys::OpenDir(folder.empty() ? "." : folder);
  if (dir == nullptr) return;
  std::vector<std::string> orphans;
  while (const dirent* entry = sys::ReadDir(dir)) {
    if (entry->d_name[0] != '.') continue;  // every scratch name starts with a dot
    const std::string_view name(entry->d_name);
    const auto marker = name.rfind(".tmp-");
    if (marker == std::string_view::npos) continue;
    // ScratchName's whole shape, "PID-N-R", and nothing after it.
    const std::string_view rest = name.substr(marker + 5);
    const char* const last = rest.data() + rest.size();
    pid_t pid = 0;
    unsigned long n = 0;
    std::from_chars_result read = std::from_chars(rest.data(), last, pid);
    for (int field = 0; field < 2 && read.ec == std::errc() && read.ptr != last && *read.ptr == '-';
         ++field)
      read = std::from_chars(read.ptr + 1, last, n);
    if (read.ec != std::errc() || read.ptr != last ||
        std::count(rest.begin(), rest.end(), '-') != 2 || pid <= 0 || pid == ::getpid())
      continue;
    if (::kill(pid, 0) == 0 || errno != ESRCH) continue;  // its owner may still write it
    orphans.emplace_back(name);
  }
  sys::CloseDir(dir);
  for (const std::string& name : orphans) {
    struct stat info {};
    if (sys::Lstat(folder + name, &info) != 0) continue;
    if (S_ISREG(info.st_mode)) sys::Unlink(folder + name);
    if (S_ISDIR(info.st_mode)) RemoveScratchFolder(AT_FDCWD, folder + name, folder + name);
  }
}

void WriteWholeFile(const std::string& path, std::string_view data) {
  sys::Fd fd(sys::Open(path, O_WRONLY | O_CREAT | O_TRUNC, 0666));
  if (!fd.valid()) throw Failure(messages::CannotCreateFile, path);
  if (!sys::WriteAll(fd.get(), data)) throw Failure(messages::CannotWriteFile, path);
  if (sys::Close(fd.release()) != 0) throw Failure(messages::CannotWriteFile, path);
}

void ReplaceFileAtomically(const std::string& path, std::string_view data, Flush flush,
                           Links links) {
  const std::string target =
      links == Links::FollowToTarget ? ResolvedTarget(path, messages::CannotWriteFile) : path;
  CreateFolderOf(target);
  RemoveOrphanedScratch(DirectoryOf(target));
  std::string scratch;
  sys::Fd fd = OpenScratchBeside(target, scratch);
  if (!fd.valid()) throw Failure(messages::CannotCreateFile, scratch);
  auto fail = [&](std::string (*message)(std::string_view, std::string_view)) {
    const Error error = Failure(message, target);
    fd.reset();
    sys::Unlink(scratch);
    throw error;
  };
  struct stat original {};
  if (sys::Lstat(target, &original) == 0 && S_ISREG(original.st_mode) &&
      sys::Fchmod(fd.get(), original.st_mode & 07777) != 0)
    fail(messages::CannotWriteFile);
  if (!sys::WriteAll(fd.get(), data)) fail(messages::CannotWriteFile);
  if (flush == Flush::Yes && sys::Fsync(fd.get()) != 0) fail(messages::CannotWriteFile);
  if (sys::Close(fd.release()) != 0) fail(messages::CannotWriteFile);
  if (sys::Rename(scratch, target) != 0) fail(messages::CannotReplaceFile);
  if (flush == Flush::Yes) SyncDirectoryOf(target);
}

void AppendToFile(const std::string& path, std::string_view data) {
  sys::Fd fd(sys::Open(path, O_WRONLY | O_APPEND | O_CREAT, 0666));
  if (!fd.valid()) throw Failure(messages::CannotOpenFile, path);
  if (!sys::WriteAll(fd.get(), data)) throw Failure(messages::CannotWriteFile, path);
  if (sys::Fsync(fd.get()) != 0) throw Failure(messages::CannotWriteFile, path);
  if (sys::Close(fd.release()) != 0) throw Failure(messages::CannotWriteFile, path);
}

bool AppendLineToFile(const std::string& path, std::string_view line) {
  sys::Fd fd(sys::Open(path, O_WRONLY | O_APPEND | O_CREAT, 0666));
  if (!fd.valid()) return false;
  std::string text(line);
  text += "\r\n";
  return sys::WriteAll(fd.get(), text) && sys::Close(fd.release()) == 0;
}

bool FlushToDisk(const std::string& path) {
  sys::Fd fd(sys::Open(path, O_RDONLY));
  return fd.valid() && sys::Fsync(fd.get()) == 0;
}

bool CreateEmptyFile(const std::string& path) {
  CreateFolderOf(path);
  sys::Fd fd(sys::Open(path, O_WRONLY | O_CREAT | O_TRUNC, 0666));
  return fd.valid();
}

void CopyFileReplacing(const std::string& from, const std::string& to) {
  std::string data;
  try {
    data = ReadWholeFile(from);
  } catch (const Error& e) {
    const bool special = std::string_view(e.what()).ends_with(messages::kNotARegularFile);
    throw Error(messages::CannotCopyFile(from, to,
                                         special ? messages::kNotARegularFile
                                                 : messages::SystemReason(e.error_number())),
                e.error_number());
  }
  try {
    ReplaceFileAtomically(to, data);
  } catch (const Error& e) {
    throw Error(messages::CannotCopyFile(from, to, messages::SystemReason(e.error_number())),
                e.error_number());
  }
}

void PutFileBack(const std::string& path, const std::optional<std::string>& bytes) noexcept {
  try {
    if (bytes)
      ReplaceFileAtomically(path, *bytes);
    else
      RemoveFile(path);
  } catch (...) {
  }
}

KeptVersion::KeptVersion(std::string path) : path_(std::move(path)) {
  kept_ = ScratchName(DirectoryOf(path_), FileNameOf(path_));
  if (::link(path_.c_str(), kept_.c_str()) == 0) {
    existed_ = true;
    return;
  }
  const int error = errno;
  kept_.clear();
  if (error == ENOENT) return;
  bytes_ = ReadFileIfExists(path_);
  existed_ = bytes_.has_value();
}

KeptVersion::~KeptVersion() {
  if (!kept_.empty()) sys::Unlink(kept_);
}

void KeptVersion::PutBack() noexcept {
  if (!kept_.empty()) {
    if (sys::Rename(kept_, path_) == 0) kept_.clear();
    return;
  }
  PutFileBack(path_, existed_ ? bytes_ : std::nullopt);
}

}  // namespace quorella
