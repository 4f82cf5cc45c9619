#pragma once
// The backup: one backup set of the whole configuration, the snapshot of the application key as
// "registry.cfg" and a copy of every FAQ document, in the backup directory.
#include <string>
#include <string_view>
#include <vector>

#include "backup/backup_ui.h"
#include "backup/entry_copy.h"
#include "store/app_context.h"

namespace quorella {

// The document files of `faq_names` (the FAQ selector's list) that exist, in list order.
std::vector<std::string> DocumentsToBackUp(const AppContext& context,
                                           const std::vector<std::string>& faq_names);

struct BackupReport {
  bool snapshot_written = false;
  CopyReport documents;
};

// Replaces the backup set in `typed_dir` (a '/' is appended when missing) by a new one holding the
// snapshot of the application key and a copy of each of `files`.
// - Only what earlier backups wrote there goes first: "registry.cfg" and the .dat files directly
//   in the directory; everything else stays. A file that cannot be deleted is shown as
//   "Error deleting file ..." and the backup goes on.
// - A snapshot that cannot be written whole is shown as "Error backing up registry entries" and
//   removed, so that no restore ever rebuilds from half of it; the backup goes on.
// - The documents are copied, each one that cannot be copied skipped; then the beep.
// Throws, before anything is deleted, when the directory is the application directory or holds it,
// and "Unable to create directory" when it cannot be created.
BackupReport DoBackup(const AppContext& context, std::string_view typed_dir,
                      const std::vector<std::string>& files, BackupUi& ui);

}  // namespace quorella
