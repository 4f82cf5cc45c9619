#include "util/folder_lock.h"

#include <fcntl.h>
#include <sys/file.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <map>
#include <mutex>
#include <thread>

#include "util/errors.h"
#include "util/file_io.h"
#include "util/paths.h"
#include "util/sys_io.h"

namespace quorella {

namespace {

struct Held {
  int fd = -1;
  int depth = 0;
};

// flock conflicts between two descriptors of one process as well, so a nested lock reuses the
// descriptor of the outer one.
std::mutex g_mutex;
std::map<std::string, Held>& HeldLocks() {
  static std::map<std::string, Held> held;
  return held;
}

std::atomic<std::chrono::milliseconds::rep> g_wait_ms{5000};

// Takes the exclusive lock of `fd`, trying again at growing intervals until the wait is over;
// false (errno EWOULDBLOCK) when it is.
bool LockWithin(int fd) {
  const auto deadline =
      std::chrono::steady_clock::now() + std::chrono::milliseconds(g_wait_ms.load());
  auto pause = std::chrono::milliseconds(1);
  for (;;) {
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0) return true;
    if (errno != EWOULDBLOCK && errno != EINTR) return false;
    const auto now = std::chrono::steady_clock::now();
    if (now >= deadline) {
      errno = EWOULDBLOCK;
      return false;
    }
    std::this_thread::sleep_for(
        std::min<std::chrono::steady_clock::duration>(pause, deadline - now));
    pause = std::min(pause * 2, std::chrono::milliseconds(50));
  }
}

}  // namespace

void SetFolderLockWait(std::chrono::milliseconds wait) {
  g_wait_ms = wait.count();
}

FolderLock::FolderLock(const std::string& folder) : key_(IncludeTrailingSlash(folder)) {
  if (key_.empty()) key_ = "./";
  std::lock_guard guard(g_mutex);
  Held& held = HeldLocks()[key_];
  if (held.depth > 0) {
    ++held.depth;
    return;
  }
  HeldLocks().erase(key_);
  if (!CreateDirectories(key_))
    throw Error(messages::CannotOpenFile(key_, messages::SystemReason(errno)));
  sys::Fd fd(sys::Open(key_, O_RDONLY | O_DIRECTORY));
  if (!fd.valid()) throw Error(messages::CannotOpenFile(key_, messages::SystemReason(errno)));
  if (!LockWithin(fd.get())) {
    if (errno == EWOULDBLOCK) throw Error(messages::FolderBusy(key_), EWOULDBLOCK);
    throw Error(messages::CannotOpenFile(key_, messages::SystemReason(errno)));
  }
  HeldLocks()[key_] = Held{fd.release(), 1};
}

FolderLock::~FolderLock() {
  std::lock_guard guard(g_mutex);
  const auto found = HeldLocks().find(key_);
  if (found == HeldLocks().end() || --found->second.depth > 0) return;
  sys::Close(found->second.fd);  // closing the only descriptor drops the lock
  HeldLocks().erase(found);
}

}  // namespace quorella
