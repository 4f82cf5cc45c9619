// The floor a Go is measured against: the same bytes written from memory into a fresh folder by a
// process of its own. Reads every file under FROM into memory, then creates TO and writes each
// file there with one open, write and close. Writes the wall and CPU seconds spent reading to
// READ_TIMES ("WALL CPU"), which the caller subtracts from the process's own (what remains:
// process start, writing and exit).
//
//   write_floor FROM TO READ_TIMES
//   write_floor FROM TO READ_TIMES --replace
//     TO already holds the files (an earlier set): each is written into a scratch file beside it,
//     with one open, write and close, and renamed over it. The least a Go that never lets a page
//     be seen half written does in a folder that holds pages.
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

struct File {
  std::filesystem::path relative;
  std::string bytes;
  bool folder = false;
};

bool WriteFile(const std::string& path, const std::string& bytes) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  if (fd < 0) return false;
  const ssize_t n = ::write(fd, bytes.data(), bytes.size());
  return ::close(fd) == 0 && n == static_cast<ssize_t>(bytes.size());
}

bool ReplaceFile(const std::filesystem::path& path, const std::string& bytes) {
  const std::filesystem::path scratch =
      path.parent_path() / ("." + path.filename().string() + ".tmp");
  return WriteFile(scratch.string(), bytes) && ::rename(scratch.c_str(), path.c_str()) == 0;
}

}  // namespace

int main(int argc, char** argv) {
  const bool replace = argc == 5 && std::string(argv[4]) == "--replace";
  if (argc != 4 && !replace) {
    std::fprintf(stderr, "usage: write_floor FROM TO READ_TIMES [--replace]\n");
    return 2;
  }
  const std::filesystem::path from = argv[1], to = argv[2];
  const auto start = std::chrono::steady_clock::now();
  std::vector<File> files;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(from)) {
    File file{std::filesystem::relative(entry.path(), from), {}, entry.is_directory()};
    if (!file.folder) {
      std::ifstream in(entry.path(), std::ios::binary);
      file.bytes.assign(std::istreambuf_iterator<char>(in), {});
    }
    files.push_back(std::move(file));
  }
  const std::chrono::duration<double> read = std::chrono::steady_clock::now() - start;
  rusage usage{};
  ::getrusage(RUSAGE_SELF, &usage);
  auto seconds = [](const timeval& t) { return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6; };

  if (replace) {
    for (const File& file : files)
      if (!file.folder && !ReplaceFile(to / file.relative, file.bytes)) return 1;
  } else {
    if (::mkdir(to.c_str(), 0777) != 0) return 1;
    for (const File& file : files) {
      const std::string path = (to / file.relative).string();
      if (file.folder ? ::mkdir(path.c_str(), 0777) != 0 : !WriteFile(path, file.bytes)) return 1;
    }
  }
  std::FILE* times = std::fopen(argv[3], "w");
  if (times == nullptr) return 1;
  std::fprintf(times, "%.6f %.6f\n", read.count(),
               seconds(usage.ru_utime) + seconds(usage.ru_stime));
  return std::fclose(times) == 0 ? 0 : 1;
}
