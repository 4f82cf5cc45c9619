#pragma once
// The backup directory: where a backup set lives, and which directories may never be one.
#include <string>
#include <string_view>

namespace quorella {

// The directory of the backup set: the text typed for it, with '/' appended when it lacks one.
std::string BackupSetDirectory(std::string_view typed);

// True when `outer` is `inner` or one of its ancestors, symbolic links and "." and ".." resolved
// (relative paths from the working directory).
bool DirectoryHolds(const std::string& outer, const std::string& inner);

// A backup set in the application directory, or in a directory above it, would put the documents
// at risk: an Error refuses it.
void RefuseApplicationDirectory(const std::string& backup_dir, const std::string& app_dir);

}  // namespace quorella
