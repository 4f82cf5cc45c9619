#include "backup/backup_directory.h"

#include <filesystem>
#include <optional>

#include "util/errors.h"
#include "util/paths.h"

namespace quorella {

namespace {

// Symbolic links resolved as far as the path exists, "." and ".." resolved in the rest, so that a
// directory yet to be created is judged by the place it will have.
std::optional<std::string> CanonicalPath(const std::string& path) {
  if (path.empty()) return std::nullopt;
  std::error_code error;
  const auto absolute = std::filesystem::absolute(path, error);
  if (error) return std::nullopt;
  const auto resolved = std::filesystem::weakly_canonical(absolute, error);
  if (error) return std::nullopt;
  return resolved.string();
}

}  // namespace

std::string BackupSetDirectory(std::string_view typed) {
  return IncludeTrailingSlash(typed);
}

bool DirectoryHolds(const std::string& outer, const std::string& inner) {
  const auto outer_path = CanonicalPath(outer);
  const auto inner_path = CanonicalPath(inner);
  if (!outer_path || !inner_path) return false;
  return IncludeTrailingSlash(*inner_path).starts_with(IncludeTrailingSlash(*outer_path));
}

void RefuseApplicationDirectory(const std::string& backup_dir, const std::string& app_dir) {
  if (DirectoryHolds(backup_dir, app_dir))
    throw Error(messages::BackupDirectoryHoldsApplication(backup_dir));
}

}  // namespace quorella
