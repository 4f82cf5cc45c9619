#include "backup/staged_set.h"

#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <vector>

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

// Deletes a scratch folder with the files directly in it (a backup set has no folders).
void RemoveScratch(const std::string& folder, BackupUi& ui) {
  for (const auto& name : ListDirectory(folder))
    if (!RemoveFile(folder + name)) ui.ShowMessage(messages::ErrorDeletingFile(folder + name));
  if (sys::Rmdir(folder) != 0 && errno != ENOENT)
    ui.ShowMessage(messages::ErrorDeletingFile(folder));
}

std::string ScratchName(const std::string& dir, std::string_view role) {
  static std::atomic<unsigned> counter{0};
  return dir + std::string(kBackupScratchPrefix) + std::string(role) + "-" +
         std::to_string(::getpid()) + "-" + std::to_string(counter.fetch_add(1)) + "/";
}

}  // namespace

bool IsBackupSetFile(const std::string& dir, const std::string& name) {
  return (name == snapshot::kFileName || name.ends_with(".dat")) && FileExists(dir + name);
}

StagedSet::StagedSet(const std::string& dir, BackupUi& ui)
    : dir_(dir), staging_(ScratchName(dir, "new")), aside_(ScratchName(dir, "old")), ui_(ui) {
  if (sys::Mkdir(staging_) != 0) throw Error(std::string(messages::kUnableToCreateDirectory));
}

StagedSet::~StagedSet() {
  RemoveScratch(staging_, ui_);
  if (DirectoryExists(aside_)) RemoveScratch(aside_, ui_);
}

bool StagedSet::Commit() {
  std::vector<Move> earlier, staged;
  for (const auto& name : ListDirectory(dir_))
    if (IsBackupSetFile(dir_, name)) earlier.push_back({dir_ + name, aside_ + name});
  for (const auto& name : ListDirectory(staging_)) staged.push_back({staging_ + name, dir_ + name});

  if (!earlier.empty() && sys::Mkdir(aside_) != 0) {
    ui_.ShowMessage(messages::ErrorDeletingFile(earlier.front().from));
    return false;
  }
  if (const Move* failed = MoveAll(earlier)) {
    ui_.ShowMessage(messages::ErrorDeletingFile(failed->from));
    return false;
  }
  if (const Move* failed = MoveAll(staged)) {
    ui_.ShowMessage(messages::CannotReplaceFile(failed->to, messages::SystemReason(errno)));
    MoveAll(Undone(earlier));  // the earlier set goes back where it was
    return false;
  }
  return true;
}

void RemoveLeftoverScratch(const std::string& dir, BackupUi& ui) {
  for (const auto& name : ListDirectory(dir))
    if (name.starts_with(kBackupScratchPrefix) && DirectoryExists(dir + name) &&
        !IsSymbolicLink(dir + name))
      RemoveScratch(dir + name + "/", ui);
}

}  // namespace quorella
