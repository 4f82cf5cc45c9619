#pragma once
// An exclusive advisory lock on a folder (flock), so that read-modify-write cycles of two processes
// on the files in it never interleave. The kernel drops the lock when its holder dies, so a killed
// writer never blocks the next one. Within one process the lock is re-entrant: a command that
// holds it may call functions that take it again.
#include <chrono>
#include <string>

namespace quorella {

// How long FolderLock waits for another process's lock: 5 s unless set (the settings store waits
// as long; a window or a terminal, which a user watches, waits longer).
void SetFolderLockWait(std::chrono::milliseconds wait);

class FolderLock {
 public:
  // Waits for the lock on `folder`, creating the folder when it is missing. Throws
  // quorella::Error when the folder cannot be created or opened, or when another process holds
  // the lock longer than the wait (SetFolderLockWait): a writer stopped while it holds it never
  // keeps the others waiting for good.
  explicit FolderLock(const std::string& folder);
  ~FolderLock();
  FolderLock(const FolderLock&) = delete;
  FolderLock& operator=(const FolderLock&) = delete;

 private:
  std::string key_;
};

}  // namespace quorella
