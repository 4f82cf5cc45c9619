// The floor a Go with nothing changed is measured against: a process of its own that reads a
// page list and looks once at each file it names (one fstatat each), as the least a check of
// every page can do to notice a page edited or removed by hand. Prints how many files it found.
//
//   look_floor LIST
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: look_floor LIST\n");
    return 2;
  }
  const std::string list = argv[1];
  const std::size_t slash = list.rfind('/');
  const std::string folder = slash == std::string::npos ? "." : list.substr(0, slash + 1);
  const int dir = ::open(folder.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
  std::ifstream in(list, std::ios::binary);
  const std::string text(std::istreambuf_iterator<char>(in), {});
  if (dir < 0 || text.empty()) return 1;
  std::size_t found = 0;
  std::string name;
  for (std::size_t at = 0; at < text.size();) {
    std::size_t end = text.find('\n', at);
    if (end == std::string::npos) end = text.size();
    const std::string_view line(text.data() + at, end - at);
    at = end + 1;
    if (line.empty() || line.front() == '#') continue;
    // "fingerprint size inode modified name": the name is what follows the fourth space.
    std::size_t field = 0;
    for (int spaces = 0; spaces < 4 && field != std::string_view::npos; ++spaces)
      field = line.find(' ', field == 0 && spaces == 0 ? 0 : field + 1);
    if (field == std::string_view::npos) continue;
    name.assign(line.substr(field + 1));
    struct stat info {};
    if (::fstatat(dir, name.c_str(), &info, AT_SYMLINK_NOFOLLOW) == 0) ++found;
  }
  std::printf("%zu\n", found);
  return 0;
}
