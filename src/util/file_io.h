#pragma once
// Whole-file operations of the core, all built on the sys:: seam. Failures that the user must see
// throw quorella::Error with the program's own message texts.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "util/sys_io.h"

namespace quorella {

// Whether an entry exists; a failure that does not say (a folder that may not be searched, an
// I/O error) throws rather than answering "no".
bool FileExists(const std::string& path);       // exists and is not a directory
bool DirectoryExists(const std::string& path);  // exists and is a directory
bool IsSymbolicLink(const std::string& path);   // the path itself, not its target
// Do both paths name one file (links followed)? false when either is missing.
bool SameFile(const std::string& a, const std::string& b);

// Every read below opens regular files only (a link is followed): a FIFO, a device or a folder
// fails with "... it is not a regular file" instead of blocking or reading without end.
// The largest file read whole: far above any document, snapshot or page the program makes.
inline constexpr std::size_t kLargestFileRead = std::size_t{1} << 30;

// The whole file; nullopt when it does not exist. Other failures throw, a file larger than
// kLargestFileRead among them.
std::optional<std::string> ReadFileIfExists(const std::string& path);
// The whole file; a missing file throws as well.
std::string ReadWholeFile(const std::string& path);

// The whole file when it holds at most `limit` bytes, else nullopt; reading stops soon after the
// limit, so a huge file is never loaded whole. A missing or unreadable file throws.
std::optional<std::string> ReadWholeFileAtMost(const std::string& path, std::size_t limit);

// The file opened for reading as the reads above open it, for reading only part of it; nullopt
// when it does not exist. Other failures throw, "it is not a regular file" among them.
std::optional<sys::Fd> OpenFileForReading(const std::string& path);

// Creates or truncates `path` and writes `data` (generated pages, working texts).
void WriteWholeFile(const std::string& path, std::string_view data);

// Replaces the file's content so that, whatever fails, the file is either the old or the new
// version: a uniquely named scratch file in the same folder is written completely, flushed to disk
// and renamed over the file (its permission bits kept; a symbolic link is replaced at its target).
// A missing file is created the same way, and a missing folder first. On failure the scratch file
// is removed.
// `Flush::No` leaves out the flush to disk, for files that can be made again (generated pages):
// a failed write still never leaves a half file, but a power cut may.
// `Links::ReplaceLink` replaces a symbolic link at `path` itself instead of its target (pages,
// which must never be written through a link to somewhere else).
enum class Flush { Yes, No };
enum class Links { FollowToTarget, ReplaceLink };
void ReplaceFileAtomically(const std::string& path, std::string_view data, Flush flush = Flush::Yes,
                           Links links = Links::FollowToTarget);

// What tells one version of a file from another without reading it: an edit in place changes the
// time stamp, a replacement the inode as well.
struct FileStamp {
  std::uint64_t size = 0;
  std::uint64_t inode = 0;
  std::int64_t modified_ns = 0;
  // The change time, which only the system sets: an edit in place that puts size and modification
  // time back (touch -r) still moves it. 0 in a stamp that did not record it (a list of an
  // earlier version), which is then no version of anything.
  std::int64_t changed_ns = 0;
  std::uint32_t mode = 0;  // type and permission bits; not part of the comparison
  bool SameVersion(const FileStamp& other) const {
    return size == other.size && inode == other.inode && modified_ns == other.modified_ns &&
           changed_ns == other.changed_ns && changed_ns != 0;
  }
};

// The stamp of the path itself (a symbolic link is not followed); nullopt when there is nothing.
// Like FileExists, a failure that does not say (an I/O error) throws rather than answering
// "nothing there".
std::optional<FileStamp> EntryStampOf(const std::string& path);
// A folder held open, so that the files in it are found and written by their names, sparing the
// system the lookup of the folder's path each time; invalid (-1) when it cannot be opened.
class OpenFolder {
 public:
  explicit OpenFolder(const std::string& path);
  // Takes over `fd`, the scratch folder of a FolderBuiltAside, as the folder `path` it becomes.
  struct BuiltAside {};
  OpenFolder(BuiltAside, const std::string& path, int fd);
  ~OpenFolder();
  OpenFolder(const OpenFolder&) = delete;
  OpenFolder& operator=(const OpenFolder&) = delete;
  int fd() const { return fd_; }
  // The folder's path with a trailing "/" (empty: the working folder).
  const std::string& path() const { return path_; }
  // Did the folder hold nothing when it was opened (false when that is not known)?
  bool empty_when_opened() const { return empty_when_opened_; }
  // Is it a folder no reader sees before it is complete (FolderBuiltAside)?
  bool built_aside() const { return built_aside_; }

 private:
  std::string path_;
  int fd_ = -1;
  bool empty_when_opened_ = false;
  bool built_aside_ = false;
};

// A folder that does not exist yet, built under a scratch name beside it (in the same parent, so on
// the same file system) and renamed into place once complete: readers find no folder or the whole
// of it. Its files are written in place, without scratch files or links of their own.
class FolderBuiltAside {
 public:
  // Starts building the folder `path`, making its missing parents first; nullptr when something has
  // that name, when that cannot be told, or when no scratch folder can be made: the caller then
  // writes into the folder itself. Sweeps the parent for the scratch of writers that are gone.
  static std::unique_ptr<FolderBuiltAside> Begin(const std::string& path);
  // Removes the scratch folder with what it holds, unless it was put in place.
  ~FolderBuiltAside();
  FolderBuiltAside(const FolderBuiltAside&) = delete;
  FolderBuiltAside& operator=(const FolderBuiltAside&) = delete;
  // The scratch folder, held open under the path of the folder it becomes.
  const OpenFolder& folder() const { return folder_; }
  // Renames the scratch folder to the folder's path, never over anything that took that name
  // meanwhile: false then, or when the file system cannot promise that, and the caller writes into
  // the folder itself. Other failures throw "Unable to create directory "PATH". REASON".
  bool PutInPlace();

 private:
  FolderBuiltAside(std::string path, std::string scratch, int fd);
  std::string path_;  // no trailing '/'
  std::string scratch_;
  OpenFolder folder_;
  bool in_place_ = false;
};

// EntryStampOf for `name` inside an open folder whose path (with its trailing '/') is
// `folder_path`, which names the entry in a failure and to the test seam; with `folder` -1 the
// entry is looked at by that path (an empty one: `name` is a path of its own).
std::optional<FileStamp> EntryStampIn(int folder, const std::string& name,
                                      std::string_view folder_path = {});

// Does `name` in the open folder (-1: `name` is a path) hold exactly `bytes`? Reads at most one
// byte more than `bytes`; a link, a folder, or anything that cannot be opened or read holds
// nothing. `path` names the file to the test seam.
bool FileHolds(int folder, const std::string& name, std::string_view bytes, std::string_view path);
// The first bytes of the file `name` in `folder` (-1: `name` is a path), up to `size`; a link is
// not followed. Throws when it cannot be read; `path` names it in the message.
std::string FileHead(int folder, const std::string& name, std::size_t size, std::string_view path);

bool IsRegularFile(const FileStamp& stamp);

// ReplaceFileAtomically for files that can be made again (generated pages), with as few calls as
// it takes: `existing` is what EntryStampOf found at `path` (nullopt: nothing there), a symbolic
// link is replaced itself, never written through (as Links::ReplaceLink), and nothing is flushed.
// Returns the stamp of the new file.
FileStamp ReplaceGeneratedFile(const std::string& path, std::string_view data,
                               const std::optional<FileStamp>& existing);
// The same for `name` in an open folder.
FileStamp ReplaceGeneratedFileIn(const OpenFolder& folder, const std::string& name,
                                 std::string_view data, const std::optional<FileStamp>& existing);

// The bytes of a file as they are written: `made` in memory, with stretches of the open file `from`
// between them, which the system copies file to file (sys::CopyAll) instead of their passing
// through memory. Each stretch goes before byte `at` of `made`; they come in that order.
struct SplicedBytes {
  struct Stretch {
    std::size_t at = 0;
    std::uint64_t offset = 0;  // in `from`
    std::uint64_t size = 0;
  };
  std::string_view made;
  int from = -1;
  std::vector<Stretch> stretches;

  std::uint64_t size() const;
  // The bytes whole, read into memory; nullopt when `from` cannot be read as far.
  std::optional<std::string> Whole() const;
};
// ReplaceGeneratedFileIn for such bytes.
FileStamp ReplaceGeneratedFileIn(const OpenFolder& folder, const std::string& name,
                                 const SplicedBytes& bytes,
                                 const std::optional<FileStamp>& existing);

// Creates the generated file `name` in an open folder where nothing has that name: the data goes
// into an unnamed file of the folder, which is linked under the name once it is complete, so the
// file appears whole or not at all and a crash leaves nothing behind (no scratch file). In a folder
// built aside, which nobody sees yet, the file is simply created and written, with the folders its
// name holds. Returns its stamp; nullopt, with nothing written, when the name is taken or the
// folder's file system makes no unnamed files, for ReplaceGeneratedFileIn to do the work. Failures
// throw like it.
std::optional<FileStamp> CreateGeneratedFileIn(const OpenFolder& folder, const std::string& name,
                                               std::string_view data);

// Removes from `folder` (a path with its trailing '/', or "" for the working folder) the scratch
// files and the folders built aside that writers which no longer run left there: names of the
// shape this program makes (".NAME.tmp-PID-N-R", PID the writer's) whose process is gone. A
// folder goes with the regular files and folders in it, a link never followed. Housekeeping: a
// folder that cannot be listed keeps what it holds. Writes sweep each folder once per run.
void RemoveOrphanedScratchIn(const std::string& folder);
// Takes this run's sweep of `folder` (as above) on the caller, who is then to sweep it: true the
// first time for a folder, and writes into it no longer sweep it themselves.
bool TakeScratchSweep(const std::string& folder);

// Appends `data`, creating the file when it is missing.
void AppendToFile(const std::string& path, std::string_view data);

// Appends `line` followed by CR LF; failures are not raised, only reported by the result.
bool AppendLineToFile(const std::string& path, std::string_view line);

// Flushes a file written by appends to disk; false (errno set) when that fails.
bool FlushToDisk(const std::string& path);

// Creates the file empty, truncating an existing one, and a missing folder first; false when that
// is not possible.
bool CreateEmptyFile(const std::string& path);

// Copies a file, replacing the target atomically. Throws on failure.
void CopyFileReplacing(const std::string& from, const std::string& to);

// Removes a file; false (errno set) when it could not be removed.
bool RemoveFile(const std::string& path);
// Puts the file back to `bytes`, or removes it when there were none, after a command that changed
// it failed: through a scratch file, flushed. Never throws: the command's own failure is the one
// to report.
void PutFileBack(const std::string& path, const std::optional<std::string>& bytes) noexcept;

// The version of a file before a command replaces it (through a scratch file and a rename, as every
// document is), kept under a second name of its own (a hard link: no copy), so that the command
// can put it back should what goes with it fail to be stored. A file that did not exist is
// removed again. Where the file system makes no hard links, the bytes are read instead.
class KeptVersion {
 public:
  explicit KeptVersion(std::string path);
  // Lets the kept version go.
  ~KeptVersion();
  KeptVersion(const KeptVersion&) = delete;
  KeptVersion& operator=(const KeptVersion&) = delete;
  // Puts the kept version back in the file's place. Never throws, as PutFileBack.
  void PutBack() noexcept;

 private:
  std::string path_;
  std::string kept_;                  // the second name; empty when there is none
  bool existed_ = false;              // the file was there
  std::optional<std::string> bytes_;  // the version read, where no second name could be made
};

// Creates a directory with every missing parent. An empty path throws "Unable to create
// directory"; other failures return false (errno set) and leave the reporting to the caller.
bool CreateDirectories(const std::string& path);

// Creates the folder `path` lies in, with every missing parent, when it is missing; a failure is
// left to the file operation that follows to report.
void CreateFolderOf(const std::string& path);

// Names of the entries directly in a directory, "." and ".." left out, sorted by byte value.
std::vector<std::string> ListDirectory(const std::string& path);

}  // namespace quorella
