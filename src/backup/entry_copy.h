#pragma once
// Copies files and folders into a directory, one entry at a time, telling the front end how far it
// has got. What cannot be copied is skipped; the report says what it was.
#include <cstddef>
#include <string>
#include <vector>

#include "backup/backup_ui.h"

namespace quorella {

struct CopyReport {
  std::size_t files_copied = 0;
  std::vector<std::string> failures;  // one message for each entry that was skipped
};

// Copies each of `paths` to `to_dir` + its name: a file replacing a file of that name, a folder
// with everything below it. A symbolic link to a folder is not followed (it could lead back into
// the folder being copied).
CopyReport CopyEntriesInto(const std::vector<std::string>& paths, const std::string& to_dir,
                           BackupUi& ui);

}  // namespace quorella
