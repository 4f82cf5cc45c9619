#include "backup/backup.h"

#include "backup/backup_directory.h"
#include "backup/snapshot_format.h"
#include "backup/snapshot_writer.h"
#include "backup/staged_set.h"
#include "util/errors.h"
#include "util/file_io.h"
#include "util/folder_lock.h"
#include "util/strings.h"

namespace quorella {

namespace {

// The snapshot goes into the new set's own scratch folder, so the writer, which appends, always
// starts from a file that does not exist. It is on disk before it can replace the earlier one.
bool WriteSnapshot(const AppContext& context, const std::string& folder, BackupUi& ui) {
  const std::string file = folder + std::string(snapshot::kFileName);
  try {
    SaveKeySnapshot(context.settings().registry(), file, context.app_key());
    if (FlushToDisk(file)) return true;
  } catch (const Error&) {
  }
  ui.ShowMessage(std::string(messages::kErrorBackingUpRegistry));
  return false;
}

}  // namespace

std::vector<std::string> DocumentsToBackUp(const AppContext& context,
                                           const std::vector<std::string>& faq_names) {
  std::vector<std::string> files;
  for (const auto& name : faq_names)
    if (const std::string path = context.DocumentPath(name); FileExists(path))
      files.push_back(path);
  return files;
}

BackupReport DoBackup(const AppContext& context, std::string_view typed_dir,
                      const std::vector<std::string>& files, BackupUi& ui) {
  const std::string dir = BackupSetDirectory(typed_dir);
  RefuseApplicationDirectory(dir, context.app_dir());
  // An empty folder name is refused by CreateDirectories with the bare text.
  if (!DirectoryExists(dir) && !CreateDirectories(dir))
    throw Error(messages::UnableToCreateDirectory(dir, messages::SystemReason(errno)), errno);
  const FolderLock lock(dir);  // one backup or restore at a time in a folder
  RecoverInterruptedCommits(dir, ui);
  RemoveLeftoverScratch(dir, ui);
  BackupReport report;
  {
    StagedSet staged(dir, ui);
    report.snapshot_written = WriteSnapshot(context, staged.path(), ui);
    report.documents = CopyEntriesInto(files, staged.path(), ui);
    // The user knows the files by the place the set gives them, not by the scratch folder.
    for (auto& failure : report.documents.failures)
      failure = ReplaceAll(failure, staged.path(), dir);
    report.replaced =
        report.snapshot_written && report.documents.failures.empty() && staged.Commit();
  }
  if (!report.replaced) ui.ShowMessage(std::string(messages::kEarlierBackupKept));
  ui.Beep();
  return report;
}

}  // namespace quorella
