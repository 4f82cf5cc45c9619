#pragma once
// A new backup set is built in a scratch folder inside the backup directory and takes the earlier
// set's place only once it is complete, so that a backup that fails leaves the earlier set whole.
#include <string>
#include <string_view>

#include "backup/backup_ui.h"

namespace quorella {

// Scratch folders of backups start with this; they are never part of a set.
inline constexpr std::string_view kBackupScratchPrefix = ".quorella-backup-";

// The files of the set in `dir` (with its '/'): "registry.cfg" and the .dat files directly in it.
bool IsBackupSetFile(const std::string& dir, const std::string& name);

class StagedSet {
 public:
  // Creates the scratch folder in `dir` (with its '/'); "Unable to create directory" when it
  // cannot be made. `ui` is shown what cannot be deleted or moved.
  StagedSet(const std::string& dir, BackupUi& ui);
  // Removes the scratch folder with what is left in it; what cannot be removed is shown.
  ~StagedSet();
  StagedSet(const StagedSet&) = delete;
  StagedSet& operator=(const StagedSet&) = delete;

  // The scratch folder, with its '/'.
  const std::string& path() const { return staging_; }

  // Writes the manifest, renames the scratch folder to mark the set complete, moves the earlier
  // set's files aside and the staged files into the directory (the manifest last), then deletes
  // the earlier files. When a move fails, every move made is undone, the reason is shown and the
  // result is false: the directory holds the earlier set as it was. When the process is killed
  // on the way, RecoverInterruptedCommits finishes the commit.
  bool Commit();

 private:
  std::string dir_;
  std::string suffix_;
  std::string staging_;
  std::string committing_;
  std::string aside_;
  BackupUi& ui_;
};

// Finishes the commits that killed backups left in `dir`: a complete new set still (partly) in its
// marked folder is moved into place, the earlier files it replaces set aside and deleted. Runs
// before anything else reads or replaces the set. Links named like scratch folders are passed by.
void RecoverInterruptedCommits(const std::string& dir, BackupUi& ui);

// Removes the scratch folders that earlier backups left in `dir` (a folder that could not be
// deleted), showing what still cannot be removed.
void RemoveLeftoverScratch(const std::string& dir, BackupUi& ui);

}  // namespace quorella
