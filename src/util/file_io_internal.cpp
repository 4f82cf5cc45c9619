#include "util/file_io_internal.h"

#include <dirent.h>
#include <fcntl.h>
#include <pthread.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "util/huge_pages.h"
#include "util/paths.h"

namespace quorella::file_io_detail {

// Faults in the pages of memory the `size` bytes from `data` on lie in, for writing, where the
// system can do that in one call; nothing otherwise.
void MakePresent(char* data, std::size_t size) {
#ifdef MADV_POPULATE_WRITE
  const std::uintptr_t page = static_cast<std::uintptr_t>(::sysconf(_SC_PAGESIZE));
  const std::uintptr_t begin = reinterpret_cast<std::uintptr_t>(data) & ~(page - 1);
  const std::uintptr_t end = reinterpret_cast<std::uintptr_t>(data) + size;
  ::madvise(reinterpret_cast<void*>(begin), end - begin, MADV_POPULATE_WRITE);
#else
  (void)data;
  (void)size;
#endif
}

// Reads from an open descriptor to its end, or until `out` holds more than `limit` bytes. The
// file's size, when known (`size`, 0 when not), is reserved first: a document of megabytes is
// then neither copied as it grows nor faulted in twice. A sixteenth more is room for a
// Windows-1252 document to grow into as it is decoded where it was read (memory reserved and not
// written is not faulted in, but for the rest of a huge page).
bool ReadAll(int fd, std::string& out, std::size_t limit, std::uint64_t known_size) {
  if (known_size > 65536) {
    // A large file is read straight into the string, its memory made present in one call
    // beforehand: not faulted in page by page, nor copied through a buffer.
    const auto size = std::min<std::size_t>(static_cast<std::size_t>(known_size), limit);
    const std::size_t start = out.size();
    ReserveLarge(out, start + size + size / 16 + 1);
    MakePresent(out.data() + start, size);
    out.resize(start + size);
    std::size_t got = 0;
    while (got < size) {
      const ssize_t n = sys::Read(fd, out.data() + start + got, size - got);
      if (n <= 0) {
        out.resize(start + got);
        return n == 0;  // at 0 the file got shorter meanwhile
      }
      got += static_cast<std::size_t>(n);
    }
  }
  char buffer[65536];
  while (out.size() <= limit) {
    const ssize_t n = sys::Read(fd, buffer, sizeof buffer);
    if (n < 0) return false;
    if (n == 0) return true;
    out.append(buffer, static_cast<size_t>(n));
  }
  return true;
}

// Opens a file for reading only when it is a regular file or a folder (a link is followed): a FIFO
// would block the reader and a device such as /dev/zero never ends. O_NONBLOCK keeps the open of a
// FIFO from waiting for a writer; it means nothing for a regular file. nullopt (errno ENOENT or
// ENOTDIR) when the file does not exist; other failures throw.
std::optional<FileForReading> OpenRegularForReading(const std::string& path, std::size_t limit) {
  sys::Fd fd(sys::Open(path, O_RDONLY | O_NONBLOCK));
  if (!fd.valid()) {
    if (errno == ENOENT || errno == ENOTDIR) return std::nullopt;
    throw Failure(messages::CannotOpenFile, path);
  }
  struct stat info {};
  if (sys::Fstat(fd.get(), &info, path) != 0) throw Failure(messages::CannotOpenFile, path);
  if (S_ISDIR(info.st_mode)) return FileForReading{std::move(fd)};  // its read fails with a reason
  errno = EINVAL;  // callers that word their own message find a reason here
  if (!S_ISREG(info.st_mode))
    throw Error(messages::CannotOpenFile(path, messages::kNotARegularFile), EINVAL);
  if (limit != std::string::npos && static_cast<unsigned long long>(info.st_size) > limit) {
    errno = EFBIG;
    throw Error(messages::FileTooLarge(path, limit), EFBIG);
  }
  return FileForReading{std::move(fd), static_cast<std::uint64_t>(info.st_size)};
}

// The file a path finally names: a symbolic link resolves to its target (a link that leads
// nowhere is replaced itself). A path that cannot be looked at throws, worded by `message`: taken
// for no link, the link itself would be replaced.
std::string ResolvedTarget(const std::string& path,
                           std::string (*message)(std::string_view, std::string_view)) {
  char resolved[PATH_MAX];
  struct stat link_info {};
  if (sys::Lstat(path, &link_info) != 0) {
    if (errno == ENOENT || errno == ENOTDIR) return path;
    throw Failure(message, path);
  }
  if (!S_ISLNK(link_info.st_mode)) return path;
  if (sys::RealPath(path, resolved) != nullptr) return resolved;
  if (errno == ENOENT) return path;
  throw Failure(message, path);
}

// Removes the folder `name` in the open folder `parent` (AT_FDCWD: `name` is a path) with the
// regular files and folders in it, never following a link: what a page writer puts in the folder
// it builds aside. Anything else found there stays, and the folder with it; so does what cannot
// be looked at or removed (housekeeping: nothing is reported). `path` is the folder's whole path.
void RemoveScratchFolder(int parent, const std::string& name, const std::string& path) {
  DIR* const dir = sys::OpenDirAt(parent, name, path);
  if (dir == nullptr) return;
  const int fd = ::dirfd(dir);
  const std::string prefix = path + "/";
  std::vector<std::string> files, folders;
  while (const dirent* entry = sys::ReadDir(dir)) {
    const std::string_view entry_name(entry->d_name);
    struct stat info {};
    if (entry_name == "." || entry_name == ".." ||
        sys::StatAt(fd, entry->d_name, &info, AT_SYMLINK_NOFOLLOW, prefix) != 0)
      continue;
    if (S_ISREG(info.st_mode)) files.emplace_back(entry_name);
    if (S_ISDIR(info.st_mode)) folders.emplace_back(entry_name);
  }
  for (const std::string& file : files) sys::UnlinkAt(fd, file, 0, prefix + file);
  for (const std::string& folder : folders) RemoveScratchFolder(fd, folder, prefix + folder);
  sys::CloseDir(dir);
  sys::UnlinkAt(parent, name, AT_REMOVEDIR, path);
}

// Removes, once per folder and run, what killed writers left in `folder`.
void RemoveOrphanedScratch(const std::string& folder) {
  if (TakeScratchSweep(folder)) RemoveOrphanedScratchIn(folder);
}

// The process's own number, asked once and again after a fork: the sweep of orphaned scratch
// files goes by it, and a forked child must not write under its parent's.
std::atomic<pid_t> g_process_id{0};

pid_t ProcessId() {
  static const bool forks_noted = ::pthread_atfork(nullptr, nullptr, [] { g_process_id = 0; }) == 0;
  pid_t pid = g_process_id;
  if (pid == 0 || !forks_noted) g_process_id = pid = ::getpid();
  return pid;
}

// A new scratch name for `base` in `folder` (a path with its trailing '/', or ""), which
// RemoveOrphanedScratchIn recognises by the process number after ".tmp-".
std::string ScratchName(const std::string& folder, const std::string& base) {
  static std::atomic<unsigned> counter{0};
  return folder + "." + base + ".tmp-" + std::to_string(ProcessId()) + "-" +
         std::to_string(counter.fetch_add(1)) + "-" + std::to_string(::rand() % 100000);
}

// Opens a new, uniquely named scratch file beside `name` in the open folder `dir` (AT_FDCWD: a
// path of its own), whose path is `prefix`; `scratch` is its name there.
sys::Fd OpenScratchBeside(int dir, std::string_view prefix, const std::string& name,
                          std::string& scratch) {
  const std::string folder = DirectoryOf(name);
  const std::string base = FileNameOf(name);
  for (int attempt = 0; attempt < 100; ++attempt) {
    scratch = ScratchName(folder, base);
    sys::Fd fd(sys::OpenAt(dir, scratch, O_WRONLY | O_CREAT | O_EXCL, 0666,
                           std::string(prefix) + scratch));
    if (fd.valid() || errno != EEXIST) return fd;
  }
  errno = EEXIST;
  return sys::Fd();
}

sys::Fd OpenScratchBeside(const std::string& target, std::string& scratch_path) {
  return OpenScratchBeside(AT_FDCWD, "", target, scratch_path);
}

FileStamp StampFrom(const struct stat& info) {
  return {static_cast<std::uint64_t>(info.st_size), static_cast<std::uint64_t>(info.st_ino),
          static_cast<std::int64_t>(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec,
          static_cast<std::int64_t>(info.st_ctim.tv_sec) * 1000000000 + info.st_ctim.tv_nsec,
          static_cast<std::uint32_t>(info.st_mode)};
}

// The permission bits a newly created file gets; read once, as umask can only be read by setting.
mode_t CreatedFileMode() {
  static const mode_t mode = [] {
    const mode_t mask = ::umask(022);
    ::umask(mask);
    return static_cast<mode_t>(0666 & ~mask);
  }();
  return mode;
}

void SyncDirectoryOf(const std::string& path) {
  sys::Fd dir(
      sys::Open(DirectoryOf(path).empty() ? "." : DirectoryOf(path), O_RDONLY | O_DIRECTORY));
  if (dir.valid()) sys::Fsync(dir.get());  // the rename is done; a failed sync leaves it in place
}

// The entry at `path` as `look` (sys::Stat, or sys::Lstat for the entry itself) sees it, nullopt
// when there is none. Any other failure (a folder that may not be searched, an I/O error) is no
// answer either way: taking it for "absent" would write pages elsewhere or call a backup missing,
// so it is reported.
std::optional<struct stat> StatIfExists(const std::string& path,
                                        int (*look)(const std::string&, struct stat*)) {
  struct stat info {};
  if (path.empty()) return std::nullopt;
  if (look(path, &info) == 0) return info;
  if (errno == ENOENT || errno == ENOTDIR) return std::nullopt;
  throw Failure(messages::CannotOpenFile, path);
}

std::optional<struct stat> LstatIfExists(const std::string& path) {
  return StatIfExists(path, sys::Lstat);
}

}  // namespace quorella::file_io_detail
