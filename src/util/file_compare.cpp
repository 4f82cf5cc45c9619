#include "util/file_compare.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <cstring>

#include "util/sys_io.h"

namespace quorella {

bool FileHoldsExactly(const std::string& path, std::string_view bytes) {
  // O_NONBLOCK keeps a FIFO put in the file's place from blocking; its type then answers false.
  const sys::Fd fd(sys::Open(path, O_RDONLY | O_NONBLOCK));
  if (!fd.valid()) return false;
  struct stat info {};
  if (sys::Fstat(fd.get(), &info, path) != 0 || !S_ISREG(info.st_mode) ||
      static_cast<unsigned long long>(info.st_size) != bytes.size())
    return false;
  char block[65536];
  std::size_t compared = 0;
  for (;;) {
    const ssize_t n = sys::Read(fd.get(), block, sizeof block);
    if (n < 0) return false;
    if (n == 0) return compared == bytes.size();
    const auto size = static_cast<std::size_t>(n);
    if (size > bytes.size() - compared || std::memcmp(block, bytes.data() + compared, size) != 0)
      return false;
    compared += size;
  }
}

}  // namespace quorella
