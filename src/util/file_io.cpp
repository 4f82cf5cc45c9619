#include "util/file_io.h"

#include <dirent.h>
#include <fcntl.h>
#include <pthread.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <charconv>
#include <climits>
#include <csignal>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <mutex>
#include <set>

#include "util/errors.h"
#include "util/huge_pages.h"
#include "util/paths.h"
#include "util/sys_io.h"

namespace quorella {

namespace {

// The error of the call that just failed, worded by `message` and keeping its errno.
template <typename... Texts>
Error Failure(std::string (*message)(Texts...), const std::string& path) {
  const int error = errno;
  return Error(message(path, messages::SystemReason(error)), error);
}

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

// A file opened for reading and its size (0 for a folder).
struct FileForReading {
  sys::Fd fd;
  std::uint64_t size = 0;
};

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

}  // namespace

namespace {

// The entry at `path` as `look` (sys::Stat, or sys::Lstat for the entry itself) sees it, nullopt
// when there is none. Any other failure (a folder that may not be searched, an I/O error) is no
// answer either way: taking it for "absent" would write pages elsewhere or call a backup missing,
// so it is reported.
std::optional<struct stat> StatIfExists(const std::string& path,
                                        int (*look)(const std::string&, struct stat*) = sys::Stat) {
  struct stat info {};
  if (path.empty()) return std::nullopt;
  if (look(path, &info) == 0) return info;
  if (errno == ENOENT || errno == ENOTDIR) return std::nullopt;
  throw Failure(messages::CannotOpenFile, path);
}

std::optional<struct stat> LstatIfExists(const std::string& path) {
  return StatIfExists(path, sys::Lstat);
}

}  // namespace

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

std::optional<std::string> ReadFileIfExists(const std::string& path) {
  auto file = OpenRegularForReading(path, kLargestFileRead);
  if (!file) return std::nullopt;
  std::string data;
  // A file that grows while it is read stops at the limit all the same.
  if (!ReadAll(file->fd.get(), data, kLargestFileRead, file->size))
    throw Failure(messages::CannotReadFile, path);
  if (data.size() > kLargestFileRead) {
    errno = EFBIG;
    throw Error(messages::FileTooLarge(path, kLargestFileRead), EFBIG);
  }
  return data;
}

std::string ReadWholeFile(const std::string& path) {
  auto data = ReadFileIfExists(path);
  if (!data) throw Failure(messages::CannotOpenFile, path);
  return std::move(*data);
}

std::optional<std::string> ReadWholeFileAtMost(const std::string& path, std::size_t limit) {
  auto file = OpenRegularForReading(path, std::string::npos);
  if (!file) throw Failure(messages::CannotOpenFile, path);
  std::string data;
  if (!ReadAll(file->fd.get(), data, limit, file->size))
    throw Failure(messages::CannotReadFile, path);
  if (data.size() > limit) return std::nullopt;
  return data;
}

std::optional<sys::Fd> OpenFileForReading(const std::string& path) {
  auto file = OpenRegularForReading(path, std::string::npos);
  if (!file) return std::nullopt;
  return std::move(file->fd);
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

bool FileHolds(int folder, const std::string& name, std::string_view bytes, std::string_view path) {
  // O_NONBLOCK: a FIFO in the file's place does not keep the reader waiting for a writer.
  const sys::Fd fd(sys::OpenAt(folder < 0 ? AT_FDCWD : folder, name,
                               O_RDONLY | O_NONBLOCK | O_NOFOLLOW, 0, path));
  if (!fd.valid()) return false;
  // Compared as read, a block at a time: a page of every answer is never held twice.
  char block[65536];
  std::size_t compared = 0;
  for (;;) {
    // Asking for a byte more than is left tells a longer file at once.
    const std::size_t wanted = std::min(sizeof block, bytes.size() - compared + 1);
    const ssize_t n = sys::Read(fd.get(), block, wanted);
    if (n <= 0) return n == 0 && compared == bytes.size();
    const auto got = static_cast<std::size_t>(n);
    if (got > bytes.size() - compared || bytes.compare(compared, got, block, got) != 0)
      return false;
    compared += got;
  }
}

std::string FileHead(int folder, const std::string& name, std::size_t size, std::string_view path) {
  const sys::Fd fd(sys::OpenAt(folder < 0 ? AT_FDCWD : folder, name,
                               O_RDONLY | O_NONBLOCK | O_NOFOLLOW, 0, path));
  if (!fd.valid()) throw Failure(messages::CannotOpenFile, std::string(path));
  std::string head(size, '\0');
  std::size_t filled = 0;
  while (filled < size) {
    const ssize_t n = sys::Read(fd.get(), head.data() + filled, size - filled);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) throw Failure(messages::CannotReadFile, std::string(path));
    if (n == 0) break;
    filled += static_cast<std::size_t>(n);
  }
  head.resize(filled);
  return head;
}

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

bool IsRegularFile(const FileStamp& stamp) {
  return S_ISREG(stamp.mode);
}

namespace {

// ReplaceGeneratedFile for `name` in the open folder `dir` whose path is `prefix` (AT_FDCWD and
// "": `name` is the path).
// `write(fd)` writes the file's bytes; false with errno on failure.
template <typename Write>
FileStamp ReplaceGeneratedFileAt(int dir, std::string_view prefix, const std::string& name,
                                 const Write& write, const std::optional<FileStamp>& existing) {
  const std::string path = std::string(prefix) + name;
  RemoveOrphanedScratch(DirectoryOf(path));
  std::string scratch;
  sys::Fd first = OpenScratchBeside(dir, prefix, name, scratch);
  if (!first.valid() && errno == ENOENT) CreateFolderOf(path);  // a page in a folder of its own
  sys::Fd fd = first.valid() || errno != ENOENT ? std::move(first)
                                                : OpenScratchBeside(dir, prefix, name, scratch);
  if (!fd.valid()) throw Failure(messages::CannotCreateFile, std::string(prefix) + scratch);
  auto fail = [&](std::string (*message)(std::string_view, std::string_view)) {
    const Error error = Failure(message, path);
    fd.reset();
    sys::UnlinkAt(dir, scratch, 0, std::string(prefix) + scratch);
    throw error;
  };
  // The scratch file is created with the mode a new file gets; only a page whose mode differs
  // needs its own bits set.
  if (existing && IsRegularFile(*existing) && (existing->mode & 07777) != CreatedFileMode() &&
      sys::Fchmod(fd.get(), existing->mode & 07777) != 0)
    fail(messages::CannotWriteFile);
  if (!write(fd.get())) fail(messages::CannotWriteFile);
  // The rename sets the file's change time, so the stamp is taken after it, through a second
  // descriptor: the close that reports a failed write still comes before the file is in place.
  // The page list records the stamp: a page written without one could not be told apart later.
  const sys::Fd after(::dup(fd.get()));
  if (sys::Close(fd.release()) != 0) fail(messages::CannotWriteFile);
  if (sys::RenameAt(dir, scratch, name, path) != 0) fail(messages::CannotReplaceFile);
  struct stat info {};
  if (!after.valid() || sys::Fstat(after.get(), &info, path) != 0)
    throw Failure(messages::CannotWriteFile, path);
  return StampFrom(info);
}

// Writes the bytes and copies the stretches of `bytes` in their order.
bool WriteSpliced(int fd, const SplicedBytes& bytes) {
  std::size_t written = 0;
  for (const SplicedBytes::Stretch& stretch : bytes.stretches) {
    if (stretch.at > written &&
        !sys::WriteAll(fd, bytes.made.substr(written, stretch.at - written)))
      return false;
    written = stretch.at;
    if (!sys::CopyAll(bytes.from, stretch.offset, fd, stretch.size)) return false;
  }
  return written == bytes.made.size() || sys::WriteAll(fd, bytes.made.substr(written));
}

// ReplaceGeneratedFileIn with `write(fd)` writing the bytes.
template <typename Write>
FileStamp ReplaceGeneratedFileWith(const OpenFolder& folder, const std::string& name,
                                   const Write& write, const std::optional<FileStamp>& existing) {
  if (folder.fd() < 0)
    return ReplaceGeneratedFileAt(AT_FDCWD, "", folder.path() + name, write, existing);
  return ReplaceGeneratedFileAt(folder.fd(), folder.path(), name, write, existing);
}

}  // namespace

FileStamp ReplaceGeneratedFile(const std::string& path, std::string_view data,
                               const std::optional<FileStamp>& existing) {
  return ReplaceGeneratedFileAt(
      AT_FDCWD, "", path, [&](int fd) { return sys::WriteAll(fd, data); }, existing);
}

FileStamp ReplaceGeneratedFileIn(const OpenFolder& folder, const std::string& name,
                                 std::string_view data, const std::optional<FileStamp>& existing) {
  return ReplaceGeneratedFileWith(
      folder, name, [&](int fd) { return sys::WriteAll(fd, data); }, existing);
}

FileStamp ReplaceGeneratedFileIn(const OpenFolder& folder, const std::string& name,
                                 const SplicedBytes& bytes,
                                 const std::optional<FileStamp>& existing) {
  return ReplaceGeneratedFileWith(
      folder, name, [&](int fd) { return WriteSpliced(fd, bytes); }, existing);
}

std::uint64_t SplicedBytes::size() const {
  std::uint64_t size = made.size();
  for (const Stretch& stretch : stretches) size += stretch.size;
  return size;
}

std::optional<std::string> SplicedBytes::Whole() const {
  std::string whole;
  whole.reserve(size());
  std::size_t taken = 0;
  for (const Stretch& stretch : stretches) {
    whole.append(made.substr(taken, stretch.at - taken));
    taken = stretch.at;
    const std::size_t start = whole.size();
    whole.resize(start + stretch.size);
    for (std::uint64_t done = 0; done < stretch.size;) {
      const ssize_t n = sys::Pread(from, whole.data() + start + done, stretch.size - done,
                                   static_cast<off_t>(stretch.offset + done));
      if (n <= 0) return std::nullopt;
      done += static_cast<std::uint64_t>(n);
    }
  }
  whole.append(made.substr(taken));
  return whole;
}

namespace {

// CreateGeneratedFileIn for a folder built aside: nobody sees the file before the folder is
// complete, so it is written in place; the folders its name holds are made in the folder first.
std::optional<FileStamp> CreateInFolderBuiltAside(const OpenFolder& folder, const std::string& name,
                                                  std::string_view data) {
  const std::string path = folder.path() + name;
  auto create = [&] {
    return sys::OpenAt(folder.fd(), name, O_WRONLY | O_CREAT | O_EXCL, 0666, path);
  };
  int created = create();
  if (created < 0 && errno == ENOENT && name.find('/') != std::string::npos) {
    for (std::size_t slash = name.find('/'); slash != std::string::npos;
         slash = name.find('/', slash + 1))
      if (sys::MkdirAt(folder.fd(), name.substr(0, slash), 0777,
                       folder.path() + name.substr(0, slash)) != 0 &&
          errno != EEXIST)
        throw Failure(messages::CannotCreateFile, path);
    created = create();
  }
  sys::Fd fd(created);
  if (!fd.valid()) {
    if (errno == EEXIST) return std::nullopt;
    throw Failure(messages::CannotCreateFile, path);
  }
  if (!sys::WriteAll(fd.get(), data)) throw Failure(messages::CannotWriteFile, path);
  struct stat info {};
  if (sys::Fstat(fd.get(), &info, path) != 0) throw Failure(messages::CannotWriteFile, path);
  if (sys::Close(fd.release()) != 0) throw Failure(messages::CannotWriteFile, path);
  return StampFrom(info);
}

}  // namespace

std::optional<FileStamp> CreateGeneratedFileIn(const OpenFolder& folder, const std::string& name,
                                               std::string_view data) {
  if (folder.built_aside()) return CreateInFolderBuiltAside(folder, name, data);
  // Folders whose file system makes no unnamed files, or a system that links none, are written
  // the ordinary way; so is a name that would leave the folder.
  static std::atomic<bool> unnamed_files{true};
  if (folder.fd() < 0 || !unnamed_files || name.find('/') != std::string::npos) return std::nullopt;
  const std::string path = folder.path() + name;
  sys::Fd fd(sys::OpenAt(folder.fd(), ".", O_WRONLY | O_TMPFILE, 0666, path));
  if (!fd.valid()) {
    if (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL)
      throw Failure(messages::CannotCreateFile, path);
    unnamed_files = false;
    return std::nullopt;
  }
  if (!sys::WriteAll(fd.get(), data)) throw Failure(messages::CannotWriteFile, path);
  if (sys::LinkOpenFile(fd.get(), folder.fd(), name, path) != 0) {
    if (errno == EEXIST) return std::nullopt;
    if (errno != ENOENT) throw Failure(messages::CannotCreateFile, path);
    // No way to link an open file here: the folder is still there, so the system refuses.
    if (sys::AccessAt(folder.fd(), ".", F_OK, folder.path()) != 0)
      throw Failure(messages::CannotCreateFile, path);
    unnamed_files = false;
    return std::nullopt;
  }
  // Linking the file sets its change time: the stamp comes after it. The page is in place and
  // whole; a close that fails now takes nothing from it.
  struct stat info {};
  if (sys::Fstat(fd.get(), &info, path) != 0) throw Failure(messages::CannotWriteFile, path);
  sys::Close(fd.release());
  return StampFrom(info);
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

void PutFileBack(const std::string& path, const std::optional<std::string>& bytes) noexcept {
  try {
    if (bytes)
      ReplaceFileAtomically(path, *bytes);
    else
      RemoveFile(path);
  } catch (...) {
  }
}

}  // namespace quorella
