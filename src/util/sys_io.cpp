#include "util/sys_io.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <mutex>

namespace quorella::sys {

namespace {

std::atomic<FaultInjector*> g_injector{nullptr};
// Pages are written by threads of their own: an injector sees one call at a time unless it is
// ready for more.
std::recursive_mutex g_injector_mutex;
std::int64_t g_clock_shift = 0;

// True when the injector wants this call to fail; errno is then set.
bool Injected(Op op, std::string_view path) {
  FaultInjector* const injector = g_injector.load(std::memory_order_acquire);
  if (injector == nullptr) return false;
  std::unique_lock lock(g_injector_mutex, std::defer_lock);
  if (!injector->ThreadSafe()) lock.lock();
  const int error = injector->Check(op, path);
  if (error == 0) return false;
  errno = error;
  return true;
}

// Injected for `name` in the folder whose path is `folder`; the whole path is made only for an
// injector.
bool InjectedIn(Op op, std::string_view folder, std::string_view name) {
  if (g_injector.load(std::memory_order_acquire) == nullptr) return false;
  std::string path;
  path.reserve(folder.size() + name.size());
  path.append(folder).append(name);
  return Injected(op, path);
}

// Calls `call` again for as long as a signal interrupts it.
template <typename Call>
auto Retried(const Call& call) {
  decltype(call()) result;
  do result = call();
  while (result < 0 && errno == EINTR);
  return result;
}

}  // namespace

void SetFaultInjector(FaultInjector* injector) {
  g_injector.store(injector, std::memory_order_release);
}

std::int64_t ClockNs() {
  timespec now{};
  ::clock_gettime(CLOCK_REALTIME, &now);
  return static_cast<std::int64_t>(now.tv_sec) * 1'000'000'000 + now.tv_nsec + g_clock_shift;
}

void SetClockShift(std::int64_t shift_ns) {
  g_clock_shift = shift_ns;
}

int Open(const std::string& path, int flags, mode_t mode) {
  if (Injected(Op::Open, path)) return -1;
  return Retried([&] { return ::open(path.c_str(), flags | O_CLOEXEC, mode); });
}

ssize_t Read(int fd, void* buffer, size_t size) {
  if (Injected(Op::Read, {})) return -1;
  return Retried([&] { return ::read(fd, buffer, size); });
}

ssize_t Pread(int fd, void* buffer, size_t size, off_t offset) {
  if (Injected(Op::Read, {})) return -1;
  return Retried([&] { return ::pread(fd, buffer, size, offset); });
}

bool WriteAll(int fd, std::string_view data) {
  if (Injected(Op::Write, {})) return false;
  while (!data.empty()) {
    const ssize_t n = ::write(fd, data.data(), data.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    data.remove_prefix(static_cast<size_t>(n));
  }
  return true;
}

bool CopyAll(int from, std::uint64_t offset, int to, std::uint64_t size) {
  if (Injected(Op::Write, {})) return false;
  auto in = static_cast<off_t>(offset);
  bool by_system = true;
  while (size > 0) {
    if (by_system) {
      const ssize_t n = ::copy_file_range(from, &in, to, nullptr, size, 0);
      if (n > 0) {
        size -= static_cast<std::uint64_t>(n);
        continue;
      }
      if (n < 0 && errno == EINTR) continue;
      // Systems and file systems that copy nothing between these files leave it to the buffer.
      if (n < 0 && errno != EXDEV && errno != EINVAL && errno != ENOSYS && errno != EOPNOTSUPP)
        return false;
      if (n == 0) {
        errno = EIO;
        return false;
      }
      by_system = false;
    }
    char buffer[65536];
    // Read here without the seam: the whole copy fails as one write.
    const ssize_t n = ::pread(from, buffer, std::min<std::uint64_t>(size, sizeof buffer), in);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      if (n == 0) errno = EIO;
      return false;
    }
    if (!WriteAll(to, std::string_view(buffer, static_cast<std::size_t>(n)))) return false;
    in += n;
    size -= static_cast<std::uint64_t>(n);
  }
  return true;
}

int Fsync(int fd) {
  if (Injected(Op::Fsync, {})) return -1;
  return ::fsync(fd);
}

int Fchmod(int fd, mode_t mode) {
  if (Injected(Op::Chmod, {})) return -1;
  return ::fchmod(fd, mode);
}

int Close(int fd) {
  if (Injected(Op::Close, {})) {
    const int error = errno;
    ::close(fd);  // the descriptor is gone either way, as after a close that reports an error
    errno = error;
    return -1;
  }
  return ::close(fd);
}

int Rename(const std::string& from, const std::string& to) {
  if (Injected(Op::Rename, to)) return -1;
  return ::rename(from.c_str(), to.c_str());
}

int Unlink(const std::string& path) {
  if (Injected(Op::Unlink, path)) return -1;
  return ::unlink(path.c_str());
}

int Rmdir(const std::string& path) {
  if (Injected(Op::Unlink, path)) return -1;
  return ::rmdir(path.c_str());
}

int Mkdir(const std::string& path, mode_t mode) {
  if (Injected(Op::Mkdir, path)) return -1;
  return ::mkdir(path.c_str(), mode);
}

int Stat(const std::string& path, struct stat* info) {
  if (Injected(Op::Stat, path)) return -1;
  return ::stat(path.c_str(), info);
}

int Lstat(const std::string& path, struct stat* info) {
  if (Injected(Op::Stat, path)) return -1;
  return ::lstat(path.c_str(), info);
}

int Fstat(int fd, struct stat* info, std::string_view path) {
  if (Injected(Op::Stat, path)) return -1;
  return ::fstat(fd, info);
}

char* RealPath(const std::string& path, char* resolved) {
  if (Injected(Op::Stat, path)) return nullptr;
  return ::realpath(path.c_str(), resolved);
}

DIR* OpenDir(const std::string& path) {
  if (Injected(Op::OpenDir, path)) return nullptr;
  return ::opendir(path.c_str());
}

const dirent* ReadDir(DIR* dir) {
  if (Injected(Op::ReadDir, {})) return nullptr;
  errno = 0;
  return ::readdir(dir);
}

int CloseDir(DIR* dir) {
  if (Injected(Op::Close, {})) {
    const int error = errno;
    ::closedir(dir);  // gone either way, as after a close that reports an error
    errno = error;
    return -1;
  }
  return ::closedir(dir);
}

ssize_t ReadDirEntries(int fd, void* buffer, size_t size) {
  if (Injected(Op::ReadDir, {})) return -1;
  return Retried([&] { return ::getdents64(fd, buffer, size); });
}

int OpenAt(int dir, const std::string& name, int flags, mode_t mode, std::string_view path) {
  if (Injected(Op::Open, path)) return -1;
  return Retried([&] { return ::openat(dir, name.c_str(), flags | O_CLOEXEC, mode); });
}

int RenameAt(int dir, const std::string& from, const std::string& to, std::string_view path) {
  if (Injected(Op::Rename, path)) return -1;
  return ::renameat(dir, from.c_str(), dir, to.c_str());
}

int MkdirAt(int dir, const std::string& name, mode_t mode, std::string_view path) {
  if (Injected(Op::Mkdir, path)) return -1;
  return ::mkdirat(dir, name.c_str(), mode);
}

int StatAt(int dir, const std::string& name, struct stat* info, int flags,
           std::string_view folder_path) {
  if (InjectedIn(Op::Stat, folder_path, name)) return -1;
  return ::fstatat(dir, name.c_str(), info, flags);
}

int UnlinkAt(int dir, const std::string& name, int flags, std::string_view path) {
  if (Injected(Op::Unlink, path)) return -1;
  return ::unlinkat(dir, name.c_str(), flags);
}

int AccessAt(int dir, const std::string& name, int mode, std::string_view path) {
  if (Injected(Op::Stat, path)) return -1;
  return ::faccessat(dir, name.c_str(), mode, 0);
}

DIR* OpenDirAt(int dir, const std::string& name, std::string_view path) {
  if (Injected(Op::OpenDir, path)) return nullptr;
  const int fd = Retried(
      [&] { return ::openat(dir, name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC); });
  if (fd < 0) return nullptr;
  DIR* const listing = ::fdopendir(fd);
  if (listing == nullptr) {
    const int error = errno;
    ::close(fd);
    errno = error;
  }
  return listing;
}

int RenameNoReplace(const std::string& from, const std::string& to) {
  if (Injected(Op::Rename, to)) return -1;
  return ::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE);
}

int LinkOpenFile(int fd, int dir, const std::string& name, std::string_view path) {
  if (Injected(Op::Link, path)) return -1;
  // Linking by descriptor takes a capability on kernels before 6.10; the descriptor's entry in
  // /proc does the same for anyone. The way that works is remembered.
  static std::atomic<bool> by_descriptor{true};
  if (by_descriptor) {
    if (::linkat(fd, "", dir, name.c_str(), AT_EMPTY_PATH) == 0) return 0;
    if (errno != ENOENT) return -1;
    by_descriptor = false;
  }
  char entry[32];
  std::snprintf(entry, sizeof entry, "/proc/self/fd/%d", fd);
  return ::linkat(AT_FDCWD, entry, dir, name.c_str(), AT_SYMLINK_FOLLOW);
}

}  // namespace quorella::sys
