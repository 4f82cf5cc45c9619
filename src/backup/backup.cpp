#include "backup/backup.h"

#include <algorithm>

#include "backup/backup_directory.h"
#include "backup/snapshot_format.h"
#include "backup/snapshot_writer.h"
#include "backup/staged_set.h"
#include "store/catalogue.h"
#include "store/values.h"
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

std::vector<std::string> DocumentsNamedBy(const ParsedSnapshot& snapshot, std::string_view key) {
  const auto faqs = SplitKeyPath(FaqsKey(key));
  std::vector<std::string> documents;
  for (const auto& named : snapshot.keys) {
    // A key whose name cannot name a document was left out of the snapshot's keys (no root).
    if (!named.root || *named.root != Root::CurrentUser) continue;
    const auto parts = SplitKeyPath(named.path);
    if (parts.size() != faqs.size() + 1 ||
        !std::equal(faqs.begin(), faqs.end(), parts.begin(),
                    [](const std::string& a, const std::string& b) { return EqualsNoCase(a, b); }))
      continue;
    const std::string document = parts.back() + ".dat";
    if (std::find(documents.begin(), documents.end(), document) == documents.end())
      documents.push_back(document);
  }
  return documents;
}

namespace {

// Copies the document of every FAQ of the catalogue into the set, and an empty one for a FAQ that
// has none. The caller holds the documents' folder lock, under which every change to the
// catalogue is made: the catalogue is the one the snapshot holds.
CopyReport CopyNamedDocuments(const AppContext& context, const std::string& staged, BackupUi& ui) {
  std::vector<std::string> present;
  std::vector<std::string> missing;
  for (const std::string& name : ListFaqs(context)) {
    const std::string document = context.DocumentPath(name);
    (FileExists(document) ? present : missing).push_back(document);
  }
  CopyReport report = CopyEntriesInto(present, staged, ui);
  for (const std::string& path : missing) {
    try {
      WriteWholeFile(staged + path.substr(context.app_dir().size()), "");
    } catch (const Error& e) {
      report.failures.push_back(e.what());
    }
  }
  return report;
}

}  // namespace

BackupReport DoBackup(const AppContext& context, std::string_view typed_dir, BackupUi& ui) {
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
    // The catalogue and the documents stay as they are while the set takes them.
    const FolderLock documents(context.app_dir());
    StagedSet staged(dir, ui);
    report.snapshot_written = WriteSnapshot(context, staged.path(), ui);
    if (report.snapshot_written) report.documents = CopyNamedDocuments(context, staged.path(), ui);
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
