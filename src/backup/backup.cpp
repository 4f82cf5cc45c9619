#include "backup/backup.h"

#include "backup/backup_directory.h"
#include "backup/snapshot_format.h"
#include "backup/snapshot_writer.h"
#include "util/errors.h"
#include "util/file_io.h"

namespace quorella {

namespace {

// The backup directory may hold the user's own files too; only an earlier set's files are ours.
bool IsEarlierSetFile(const std::string& dir, const std::string& name) {
  return (name == snapshot::kFileName || name.ends_with(".dat")) && FileExists(dir + name);
}

void RemoveEarlierSet(const std::string& dir, BackupUi& ui) {
  for (const auto& name : ListDirectory(dir))
    if (IsEarlierSetFile(dir, name) && !RemoveFile(dir + name))
      ui.ShowMessage(messages::ErrorDeletingFile(dir + name));
}

bool WriteSnapshot(const AppContext& context, const std::string& dir, BackupUi& ui) {
  const std::string file = dir + std::string(snapshot::kFileName);
  // The writer appends: an earlier snapshot still in place would be mixed into the new one, and
  // through a dangling link it would write outside the backup directory.
  bool written = !FileExists(file) && !DirectoryExists(file) && !IsSymbolicLink(file);
  if (written) {
    try {
      SaveKeySnapshot(context.settings().registry(), file, context.app_key());
    } catch (const Error&) {
      RemoveFile(file);
      written = false;
    }
  }
  if (!written) ui.ShowMessage(std::string(messages::kErrorBackingUpRegistry));
  return written;
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
  if (DirectoryExists(dir))
    RemoveEarlierSet(dir, ui);
  else if (!CreateDirectories(dir))
    throw Error(std::string(messages::kUnableToCreateDirectory));
  BackupReport report;
  report.snapshot_written = WriteSnapshot(context, dir, ui);
  report.documents = CopyEntriesInto(files, dir, ui);
  ui.Beep();
  return report;
}

}  // namespace quorella
