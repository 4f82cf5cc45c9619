#include "backup/staged_set.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <vector>

#include "backup/manifest.h"
#include "backup/snapshot_format.h"
#include "util/errors.h"
#include "util/file_io.h"
#include "util/sys_io.h"

namespace quorella {

namespace {

struct Move {
  std::string from, to;
};

// Renames each pair in order. When one fails, the renames done are undone in reverse order and
// the failed pair is returned, with errno as the rename left it.
const Move* MoveAll(const std::vector<Move>& moves) {
  for (std::size_t i = 0; i < moves.size(); ++i) {
    if (sys::Rename(moves[i].from, moves[i].to) == 0) continue;
    const int saved = errno;
    for (std::size_t j = i; j-- > 0;) sys::Rename(moves[j].to, moves[j].from);
    errno = saved;
    return &moves[i];
  }
  return nullptr;
}

// The moves that put back what `moves` moved.
std::vector<Move> Undone(const std::vector<Move>& moves) {
  std::vector<Move> back;
  for (const auto& move : moves) back.push_back({move.to, move.from});
  return back;
}

// Deletes a scratch folder with the files directly in it (a backup set has no folders). It runs
// while cleaning up, also from a destructor, so what fails is shown, never thrown: a folder that
// cannot be examined is one that could not be deleted.
void RemoveScratch(const std::string& folder, BackupUi& ui) {
  try {
    for (const auto& name : ListDirectory(folder))
      if (!RemoveFile(folder + name)) ui.ShowMessage(messages::ErrorDeletingFile(folder + name));
  } catch (const Error&) {
    ui.ShowMessage(messages::ErrorDeletingFile(folder));
    return;
  }
  if (sys::Rmdir(folder) != 0 && errno != ENOENT)
    ui.ShowMessage(messages::ErrorDeletingFile(folder));
}

void RemoveScratchIfPresent(const std::string& folder, BackupUi& ui) {
  try {
    if (!DirectoryExists(folder)) return;
  } catch (const Error&) {
    ui.ShowMessage(messages::ErrorDeletingFile(folder));
    return;
  }
  RemoveScratch(folder, ui);
}

std::string ScratchSuffix() {
  static std::atomic<unsigned> counter{0};
  return std::to_string(::getpid()) + "-" + std::to_string(counter.fetch_add(1));
}

std::string ScratchFolder(const std::string& dir, std::string_view role,
                          const std::string& suffix) {
  return dir + std::string(kBackupScratchPrefix) + std::string(role) + "-" + suffix + "/";
}

// The files of a staged set in the order they are moved in: the manifest last.
std::vector<std::string> StagedNames(const std::string& folder) {
  std::vector<std::string> names = ListDirectory(folder);
  std::stable_partition(names.begin(), names.end(),
                        [](const std::string& name) { return name != kManifestFileName; });
  return names;
}

void SyncFolder(const std::string& folder) {
  sys::Fd fd(sys::Open(folder, O_RDONLY | O_DIRECTORY));
  if (fd.valid()) sys::Fsync(fd.get());
}

}  // namespace

bool IsBackupSetFile(const std::string& dir, const std::string& name) {
  return (name == snapshot::kFileName || name == kManifestFileName || name.ends_with(".dat")) &&
         FileExists(dir + name) && !IsSymbolicLink(dir + name);
}

StagedSet::StagedSet(const std::string& dir, BackupUi& ui)
    : dir_(dir),
      suffix_(ScratchSuffix()),
      staging_(ScratchFolder(dir, "new", suffix_)),
      committing_(ScratchFolder(dir, "commit", suffix_)),
      aside_(ScratchFolder(dir, "old", suffix_)),
      ui_(ui) {
  // The folder exists: the reason (a read-only folder, a full disk) is what the user needs.
  if (sys::Mkdir(staging_) != 0)
    throw Error(messages::UnableToCreateDirectory(staging_, messages::SystemReason(errno)), errno);
}

StagedSet::~StagedSet() {
  RemoveScratch(staging_, ui_);
  RemoveScratchIfPresent(committing_, ui_);
  RemoveScratchIfPresent(aside_, ui_);
}

bool StagedSet::Commit() {
  try {
    WriteManifest(staging_);
  } catch (const Error& e) {
    ui_.ShowMessage(e.what());
    return false;
  }
  // From this rename on the new set is complete in a folder of its own, and a run that is killed
  // is finished by the next backup or restore (RecoverInterruptedCommits).
  if (sys::Rename(staging_, committing_) != 0) {
    ui_.ShowMessage(messages::CannotReplaceFile(committing_, messages::SystemReason(errno)));
    return false;
  }
  std::vector<Move> earlier, staged;
  for (const auto& name : ListDirectory(dir_))
    if (IsBackupSetFile(dir_, name)) earlier.push_back({dir_ + name, aside_ + name});
  for (const auto& name : StagedNames(committing_))
    staged.push_back({committing_ + name, dir_ + name});

  auto give_up = [&] {
    MoveAll(Undone(earlier));  // the earlier set goes back where it was
    sys::Rename(committing_, staging_);
    return false;
  };
  if (!earlier.empty() && sys::Mkdir(aside_) != 0) {
    ui_.ShowMessage(messages::ErrorDeletingFile(earlier.front().from));
    return give_up();
  }
  if (const Move* failed = MoveAll(earlier)) {
    ui_.ShowMessage(messages::ErrorDeletingFile(failed->from));
    earlier.clear();  // MoveAll put them back
    return give_up();
  }
  if (const Move* failed = MoveAll(staged)) {
    ui_.ShowMessage(messages::CannotReplaceFile(failed->to, messages::SystemReason(errno)));
    return give_up();
  }
  SyncFolder(dir_);
  sys::Rmdir(committing_);
  return true;
}

void RecoverInterruptedCommits(const std::string& dir, BackupUi& ui) {
  const std::string prefix = std::string(kBackupScratchPrefix) + "commit-";
  for (const auto& name : ListDirectory(dir)) {
    const std::string committing = dir + name + "/";
    if (!name.starts_with(prefix) || !DirectoryExists(committing) || IsSymbolicLink(dir + name))
      continue;
    const std::string aside =
        dir + std::string(kBackupScratchPrefix) + "old-" + name.substr(prefix.size()) + "/";
    // The manifest is the last file moved in: while it is still here, every file of the new set is
    // either here or already in place, and every file of the earlier set still in place (not
    // named by the manifest, or about to be replaced) goes aside.
    const auto remaining = StagedNames(committing);
    if (std::find(remaining.begin(), remaining.end(), kManifestFileName) != remaining.end()) {
      std::vector<std::string> named;
      try {
        if (const auto entries = ReadManifest(committing))
          for (const auto& entry : *entries) named.push_back(entry.name);
      } catch (const Error& e) {
        ui.ShowMessage(e.what());
        continue;
      }
      if (!DirectoryExists(aside)) sys::Mkdir(aside);
      for (const auto& file : ListDirectory(dir)) {
        if (!IsBackupSetFile(dir, file)) continue;
        const bool replaced =
            std::find(remaining.begin(), remaining.end(), file) != remaining.end();
        const bool unnamed = std::find(named.begin(), named.end(), file) == named.end();
        if ((replaced || unnamed) && sys::Rename(dir + file, aside + file) != 0)
          ui.ShowMessage(messages::ErrorDeletingFile(dir + file));
      }
      for (const auto& file : remaining)
        if (sys::Rename(committing + file, dir + file) != 0)
          ui.ShowMessage(messages::CannotReplaceFile(dir + file, messages::SystemReason(errno)));
      SyncFolder(dir);
    }
    RemoveScratch(committing, ui);
    RemoveScratchIfPresent(aside, ui);
  }
}

void RemoveLeftoverScratch(const std::string& dir, BackupUi& ui) {
  for (const auto& name : ListDirectory(dir))
    if (name.starts_with(kBackupScratchPrefix) && DirectoryExists(dir + name) &&
        !IsSymbolicLink(dir + name))
      RemoveScratch(dir + name + "/", ui);
}

}  // namespace quorella
