#pragma once
// The seam under every fallible file call of the core. Production code calls these wrappers instead
// of the POSIX functions, so tests can make any one of them fail on purpose.
#include <dirent.h>
#include <sys/stat.h>
#include <sys/types.h>

#include <cstdint>
#include <string>
#include <string_view>

namespace quorella::sys {

enum class Op {
  Open,
  Read,
  Write,
  Fsync,
  Rename,
  Unlink,
  Mkdir,
  Chmod,
  Stat,
  OpenDir,
  Close,
  Link,
  ReadDir
};

// Decides, call by call, whether a wrapped call fails; returns the errno to fail with, or 0.
class FaultInjector {
 public:
  virtual ~FaultInjector() = default;
  virtual int Check(Op op, std::string_view path) = 0;
  // Calls come from more than one thread when pages are written; they reach the injector one at
  // a time unless it says it takes care of that itself.
  virtual bool ThreadSafe() const { return false; }
};

// Installs `injector` for the calls that follow (nullptr removes it). Tests only.
void SetFaultInjector(FaultInjector* injector);

// The wall clock, in nanoseconds since 1970, moved by `shift` (tests only: to see now what a run
// some time after the files were written sees).
std::int64_t ClockNs();
void SetClockShift(std::int64_t shift_ns);

// The wrappers behave like their POSIX namesakes: -1 and errno on failure.
int Open(const std::string& path, int flags, mode_t mode = 0666);
ssize_t Read(int fd, void* buffer, size_t size);
// Reads at `offset` without moving the file's position; fails as a read.
ssize_t Pread(int fd, void* buffer, size_t size, off_t offset);
// Writes everything, retrying short writes; false with errno on failure.
bool WriteAll(int fd, std::string_view data);
// Appends `size` bytes of `from`, read at `offset`, to what was written to `to`: the system copies
// them file to file where it can (copy_file_range), else they pass through a buffer. False with
// errno on failure; EIO when `from` ends first. Fails as a write.
bool CopyAll(int from, std::uint64_t offset, int to, std::uint64_t size);
int Fsync(int fd);
int Fchmod(int fd, mode_t mode);
int Close(int fd);
int Rename(const std::string& from, const std::string& to);
int Unlink(const std::string& path);
int Rmdir(const std::string& path);
int Mkdir(const std::string& path, mode_t mode = 0777);
int Stat(const std::string& path, struct stat* info);
int Lstat(const std::string& path, struct stat* info);
// fstat of an open descriptor; `path`, when known, names its file to the injector. Fails as a stat.
int Fstat(int fd, struct stat* info, std::string_view path = {});
// realpath: the absolute path with every link resolved, nullptr with errno. Fails as a stat.
char* RealPath(const std::string& path, char* resolved);
DIR* OpenDir(const std::string& path);
// The next entry of `dir`; nullptr at the end (errno 0) or on a failure (errno set).
const dirent* ReadDir(DIR* dir);
// Closes the folder and its descriptor. Fails as a close.
int CloseDir(DIR* dir);
// The raw entries of the folder open as `fd` (getdents64). Fails as a ReadDir.
ssize_t ReadDirEntries(int fd, void* buffer, size_t size);

// The same calls on names inside the open folder `dir` (AT_FDCWD: names relative to the working
// folder). `path` is the file's whole path, which the injector sees.
int OpenAt(int dir, const std::string& name, int flags, mode_t mode, std::string_view path);
int RenameAt(int dir, const std::string& from, const std::string& to, std::string_view path);
int MkdirAt(int dir, const std::string& name, mode_t mode, std::string_view path);
// fstatat; `flags` as its own (AT_SYMLINK_NOFOLLOW). Fails as a stat. Unlike the calls around
// it, it takes the folder's path (with its trailing '/'), which with `name` makes the path the
// injector sees: a Go looks at every page it listed, and makes no path for that.
int StatAt(int dir, const std::string& name, struct stat* info, int flags,
           std::string_view folder_path);
// unlinkat; `flags` as its own (AT_REMOVEDIR). Fails as an unlink.
int UnlinkAt(int dir, const std::string& name, int flags, std::string_view path);
// faccessat. Fails as a stat.
int AccessAt(int dir, const std::string& name, int mode, std::string_view path);
// The folder `name` in `dir`, opened for listing without following a link. Fails as an opendir.
DIR* OpenDirAt(int dir, const std::string& name, std::string_view path);
// Renames `from` to `to` (paths of their own) only while nothing has the name `to`: EEXIST when
// something does, EINVAL when the file system cannot promise that.
int RenameNoReplace(const std::string& from, const std::string& to);
// Gives the unnamed file `fd` (opened with O_TMPFILE) the name `name` in `dir`; fails with EEXIST
// when the name is taken, and with ENOENT when the system lets this process link no open file.
int LinkOpenFile(int fd, int dir, const std::string& name, std::string_view path);

// Closes a descriptor when it goes out of scope.
class Fd {
 public:
  explicit Fd(int fd = -1) : fd_(fd) {}
  Fd(const Fd&) = delete;
  Fd& operator=(const Fd&) = delete;
  Fd(Fd&& other) noexcept : fd_(other.release()) {}
  Fd& operator=(Fd&& other) noexcept {
    if (this != &other) {
      reset();
      fd_ = other.release();
    }
    return *this;
  }
  ~Fd() { reset(); }
  int get() const { return fd_; }
  bool valid() const { return fd_ >= 0; }
  int release() {
    const int fd = fd_;
    fd_ = -1;
    return fd;
  }
  void reset() {
    if (fd_ >= 0) Close(fd_);
    fd_ = -1;
  }

 private:
  int fd_;
};

}  // namespace quorella::sys
