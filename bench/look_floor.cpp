// The floors the second Gos of scripts/bench-go.sh are measured against, each a process of its
// own doing the least such a Go must do.
//
//   look_floor LIST
//     A Go with nothing changed: reads a page list and looks once at each file it names (one
//     fstatat each), as a check that notices pages edited or removed by hand must.
//   look_floor LIST DOCUMENT [FILE...]
//     A Go with one answer changed: the same, then reads the document whole and writes each FILE
//     (the pages that changed, names in the list's folder) and the list again, each into a scratch
//     file renamed over it, with the bytes it holds.
#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <string>
#include <string_view>

namespace {

// The file's bytes, read with one read into a string of its size.
std::string ReadWhole(const std::string& path) {
  std::string bytes;
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  struct stat info {};
  if (fd < 0 || ::fstat(fd, &info) != 0) return bytes;
  bytes.resize(static_cast<std::size_t>(info.st_size));
  std::size_t got = 0;
  while (got < bytes.size()) {
    const ssize_t n = ::read(fd, bytes.data() + got, bytes.size() - got);
    if (n <= 0) break;
    got += static_cast<std::size_t>(n);
  }
  bytes.resize(got);
  ::close(fd);
  return bytes;
}

// The file written again with the bytes it holds, copied file to file into a scratch file that is
// renamed over it.
bool Rewrite(const std::string& path) {
  const std::string scratch = path + ".floor-scratch";
  const int from = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  const int to = ::open(scratch.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  struct stat info {};
  bool copied = from >= 0 && to >= 0 && ::fstat(from, &info) == 0;
  for (off_t left = info.st_size; copied && left > 0;) {
    const ssize_t n =
        ::copy_file_range(from, nullptr, to, nullptr, static_cast<std::size_t>(left), 0);
    copied = n > 0;
    left -= n;
  }
  if (from >= 0) ::close(from);
  return to >= 0 && ::close(to) == 0 && copied && ::rename(scratch.c_str(), path.c_str()) == 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: look_floor LIST [DOCUMENT [FILE...]]\n");
    return 2;
  }
  const std::string list = argv[1];
  const std::size_t slash = list.rfind('/');
  const std::string folder = slash == std::string::npos ? "" : list.substr(0, slash + 1);
  const int dir = ::open(folder.empty() ? "." : folder.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
  const std::string text = ReadWhole(list);
  if (dir < 0 || text.empty()) return 1;
  std::size_t found = 0;
  std::string name;
  for (std::size_t at = 0; at < text.size();) {
    std::size_t end = text.find('\n', at);
    if (end == std::string::npos) end = text.size();
    const std::string_view line(text.data() + at, end - at);
    at = end + 1;
    if (line.empty() || line.front() == '#') continue;
    // "fingerprint size inode modified changed name": the name is what follows the fifth space.
    std::size_t field = std::string_view::npos;
    for (int spaces = 0; spaces < 5; ++spaces) {
      field = line.find(' ', field + 1);
      if (field == std::string_view::npos) break;
    }
    if (field == std::string_view::npos) continue;
    name.assign(line.substr(field + 1));
    struct stat info {};
    if (::fstatat(dir, name.c_str(), &info, AT_SYMLINK_NOFOLLOW) == 0) ++found;
  }
  if (argc >= 3) {
    if (ReadWhole(argv[2]).empty()) return 1;
    for (int i = 3; i < argc; ++i)
      if (!Rewrite(folder + argv[i])) return 1;
    if (!Rewrite(list)) return 1;
  }
  std::printf("%zu\n", found);
  return 0;
}
