#pragma once
// Whether the files an earlier Go listed are still there as it wrote them. A Go that has its
// document to read and decode first has them looked at meanwhile, on a thread of its own, from
// the last backwards; the Go looks itself at any the thread has not reached. The thread then
// sweeps the folder for scratch files that killed writers left (RemoveOrphanedScratchIn), which
// the Go's first write would otherwise do while the Go waits.
#include <atomic>
#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "html/manifest.h"
#include "util/file_io.h"
#include "util/sys_io.h"

namespace quorella::html {

// Is the file `name` in the folder the one with this stamp, untouched since it was written?
bool IntactIn(const OpenFolder& folder, const std::string& name, const FileStamp& stamp);

class IntactFiles {
 public:
  // Starts looking at the files `entries` names in the folder `directory`. The entries must stay
  // where they are in memory until the object goes (moving their vector keeps them there).
  IntactFiles(const std::string& directory, const std::vector<ManifestEntry>& entries);
  ~IntactFiles();
  IntactFiles(const IntactFiles&) = delete;
  IntactFiles& operator=(const IntactFiles&) = delete;

  // Is entries[i] intact? Looked at now in `folder` unless the thread already did.
  bool Intact(const OpenFolder& folder, std::size_t i);
  // What the thread found at entries[i]'s name, if it looked and found something: a page made
  // again is written without a look of its own (WritePageFileStamped).
  std::optional<FileStamp> Seen(std::size_t i) const;
  // Waits until the thread has looked at every file it is to: those the Go has not asked for.
  void Finish();
  // Has the thread look at no more files and waits until it is done with the entries, which may
  // then go; the Go still looks itself at any file it asks for.
  void StopLooking();

 private:
  enum : unsigned char { kUnknown, kIntact, kChanged, kMissing };
  void Run();

  const ManifestEntry* entries_;
  std::size_t size_;
  std::unique_ptr<std::atomic<unsigned char>[]> found_;
  std::unique_ptr<FileStamp[]> seen_;  // seen_[i] is the thread's once found_[i] is not kUnknown
  // The thread looks at no entry below this one: the Go has come that far itself.
  std::atomic<std::size_t> reached_{0};
  std::atomic<bool> entries_done_{true};  // the thread reads no entry any more
  std::string directory_;                 // with its trailing "/", as writes into it name it
  bool sweep_ = false;
  // The folder held for looking up names only: OpenFolder would also read it to learn whether it
  // is empty, which the thread need not know.
  sys::Fd folder_;
  std::thread looker_;
};

}  // namespace quorella::html
