#include "util/file_io.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <string>

#include "util/errors.h"
#include "util/file_io_internal.h"
#include "util/sys_io.h"

namespace quorella {

using namespace file_io_detail;

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

}  // namespace quorella
