#include "util/paths.h"

#include <unistd.h>

#include <climits>
#include <cstdlib>
#include <optional>

#include "util/errors.h"
#include "util/file_io.h"
#include "util/strings.h"
#include "util/text_lines.h"

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

namespace {

// An environment variable; an empty one counts as unset.
std::optional<std::string> Environment(const char* name) {
  const char* value = std::getenv(name);
  if (value == nullptr || *value == '\0') return std::nullopt;
  return std::string(value);
}

std::string HomeDirectory() {
  return IncludeTrailingSlash(Environment("HOME").value_or("/"));
}

// $NAME when set, else the home folder + `fallback`; with a trailing '/'.
std::string XdgBaseDirectory(const char* name, std::string_view fallback) {
  if (auto set = Environment(name)) return IncludeTrailingSlash(*set);
  return HomeDirectory() + std::string(fallback);
}

std::string ConfigDirectory() {
  return XdgBaseDirectory("XDG_CONFIG_HOME", ".config/");
}

// The value of KEY="VALUE" in user-dirs.dirs: "$HOME" at its start names the home folder and a
// backslash takes the next character as it is.
std::optional<std::string> UserDirsValue(std::string_view line, std::string_view key) {
  const std::string trimmed = Trim(line);
  std::string_view rest = trimmed;
  if (!rest.starts_with(key) || !rest.substr(key.size()).starts_with("=\"")) return std::nullopt;
  rest.remove_prefix(key.size() + 2);
  if (rest.empty() || rest.back() != '"') return std::nullopt;
  rest.remove_suffix(1);
  std::string value;
  if (rest.starts_with("$HOME")) {
    value = Environment("HOME").value_or("");
    rest.remove_prefix(5);
  }
  for (std::size_t i = 0; i < rest.size(); ++i) {
    if (rest[i] == '\\' && i + 1 < rest.size()) ++i;
    value += rest[i];
  }
  return value;
}

std::string WithoutTrailingSlashes(std::string path) {
  while (path.size() > 1 && path.back() == '/') path.pop_back();
  return path;
}

// A place the program only looks in for a default: one it cannot even examine is passed over.
bool UsableCandidate(const std::string& path, bool (*exists)(const std::string&)) {
  try {
    return exists(path);
  } catch (const Error&) {
    return false;
  }
}

}  // namespace

std::string ApplicationDirectory() {
  if (auto home = Environment("QUORELLA_HOME")) return IncludeTrailingSlash(*home);
  return XdgBaseDirectory("XDG_DATA_HOME", ".local/share/") + "quorella/";
}

std::string UserDocumentsDirectory() {
  std::optional<std::string> content;
  try {
    content = ReadFileIfExists(ConfigDirectory() + "user-dirs.dirs");
  } catch (const Error&) {
    return {};  // an unreadable file records nothing
  }
  if (!content) return {};
  std::string documents;
  ForEachLine(*content, [&](std::string_view line) {
    if (auto value = UserDirsValue(line, "XDG_DOCUMENTS_DIR")) documents = *value;
  });
  if (documents.empty() ||
      WithoutTrailingSlashes(documents) == WithoutTrailingSlashes(HomeDirectory()) ||
      !UsableCandidate(documents, DirectoryExists))
    return {};
  return IncludeTrailingSlash(documents);
}

std::string DefaultOutputDirectory() {
  if (Environment("QUORELLA_HOME")) return ApplicationDirectory();
  const std::string documents = UserDocumentsDirectory();
  return (documents.empty() ? HomeDirectory() : documents) + "Quorella/";
}

std::string FindInstalledFile(std::string_view app_dir, std::string_view program_dir,
                              std::string_view name) {
  const std::string folder(program_dir);
  for (const std::string& candidate :
       {std::string(app_dir) + std::string(name), folder + "../share/quorella/" + std::string(name),
        folder + std::string(name)})
    if (UsableCandidate(candidate, FileExists)) return candidate;
  return {};
}

std::string SettingsDatabasePath() {
  return ConfigDirectory() + "quorella/settings.db";
}

}  // namespace quorella
