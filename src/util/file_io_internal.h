#pragma once
// What the parts of util/file_io share and nobody else uses: the wording of a failed call, reading
// a file whole, scratch files and their sweep, stamps from stat.
#include <sys/stat.h>
#include <sys/types.h>

#include <cerrno>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "util/errors.h"
#include "util/file_io.h"
#include "util/sys_io.h"

namespace quorella::file_io_detail {

// The error of the call that just failed, worded by `message` and keeping its errno.
template <typename... Texts>
Error Failure(std::string (*message)(Texts...), const std::string& path) {
  const int error = errno;
  return Error(message(path, messages::SystemReason(error)), error);
}

// A file opened for reading and its size (0 for a folder).
struct FileForReading {
  sys::Fd fd;
  std::uint64_t size = 0;
};

// Faults in the pages of memory the `size` bytes from `data` on lie in, for writing, where the
// system can do that in one call; nothing otherwise.
void MakePresent(char* data, std::size_t size);
// Reads from an open descriptor to its end, or until `out` holds more than `limit` bytes; the
// file's size, when known (`known_size`, 0 when not), is reserved first.
bool ReadAll(int fd, std::string& out, std::size_t limit, std::uint64_t known_size);
// A regular file or a folder opened for reading (a link is followed); nullopt (errno ENOENT or
// ENOTDIR) when the file does not exist; a FIFO, a device or a file over `limit` throws.
std::optional<FileForReading> OpenRegularForReading(const std::string& path, std::size_t limit);
// The file a path finally names; a path that cannot be looked at throws, worded by `message`.
std::string ResolvedTarget(const std::string& path,
                           std::string (*message)(std::string_view, std::string_view));
// Removes a folder a page writer built aside, with the regular files and folders in it.
void RemoveScratchFolder(int parent, const std::string& name, const std::string& path);
// Removes, once per folder and run, what killed writers left in `folder`.
void RemoveOrphanedScratch(const std::string& folder);
// A new scratch name for `base` in `folder`, which the sweep recognises.
std::string ScratchName(const std::string& folder, const std::string& base);
// Opens a new, uniquely named scratch file beside `name` in the open folder `dir` (AT_FDCWD: a
// path of its own), whose path is `prefix`; `scratch` is its name there.
sys::Fd OpenScratchBeside(int dir, std::string_view prefix, const std::string& name,
                          std::string& scratch);
sys::Fd OpenScratchBeside(const std::string& target, std::string& scratch_path);
FileStamp StampFrom(const struct stat& info);
// The permission bits a newly created file gets.
mode_t CreatedFileMode();
// Flushes the folder of `path`, after a rename into it.
void SyncDirectoryOf(const std::string& path);
// The entry at `path` as `look` (sys::Stat, or sys::Lstat for the entry itself) sees it, nullopt
// when there is none; any other failure throws.
std::optional<struct stat> StatIfExists(const std::string& path,
                                        int (*look)(const std::string&, struct stat*) = sys::Stat);
std::optional<struct stat> LstatIfExists(const std::string& path);

}  // namespace quorella::file_io_detail
