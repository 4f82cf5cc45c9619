#include "util/file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <optional>
#include <string>

#include "util/errors.h"
#include "util/file_io_internal.h"
#include "util/paths.h"
#include "util/sys_io.h"

namespace quorella {

using namespace file_io_detail;

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

}  // namespace

namespace {

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

}  // namespace

namespace {

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

}  // namespace quorella
