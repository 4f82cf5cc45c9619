#include "util/folder_lock.h"

#include <fcntl.h>
#include <sys/file.h>

#include <cerrno>
#include <map>
#include <mutex>

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

}  // namespace

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
  while (::flock(fd.get(), LOCK_EX) != 0)
    if (errno != EINTR) throw Error(messages::CannotOpenFile(key_, messages::SystemReason(errno)));
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
