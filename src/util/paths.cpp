#include "util/paths.h"

#include <unistd.h>

#include <climits>
#include <cstdlib>

namespace quorella {

std::string IncludeTrailingSlash(std::string_view path) {
  std::string result(path);
  if (!result.empty() && result.back() != '/') result += '/';
  return result;
}

std::string DirectoryOf(std::string_view path) {
  const auto slash = path.find_last_of('/');
  return slash == std::string_view::npos ? std::string() : std::string(path.substr(0, slash + 1));
}

std::string FileNameOf(std::string_view path) {
  const auto slash = path.find_last_of('/');
  return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

std::string ProgramFile() {
  char buffer[PATH_MAX];
  const ssize_t n = ::readlink("/proc/self/exe", buffer, sizeof buffer - 1);
  return n > 0 ? std::string(buffer, static_cast<size_t>(n)) : std::string();
}

std::string ApplicationDirectory() {
  const char* home = std::getenv("QUORELLA_HOME");
  if (home != nullptr && *home != '\0') return IncludeTrailingSlash(home);
  return DirectoryOf(ProgramFile());
}

std::string SettingsDatabasePath() {
  std::string config;
  if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg != nullptr && *xdg != '\0') {
    config = xdg;
  } else {
    const char* home = std::getenv("HOME");
    config = std::string(home != nullptr ? home : "") + "/.config";
  }
  return IncludeTrailingSlash(config) + "quorella/settings.db";
}

}  // namespace quorella
