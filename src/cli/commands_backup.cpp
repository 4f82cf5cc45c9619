// backup, restore, snapshot-save, snapshot-load: the backup set and registry snapshots.
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <iostream>
#include <vector>

#include "backup/backup.h"
#include "backup/restore.h"
#include "backup/snapshot_reader.h"
#include "backup/snapshot_writer.h"
#include "cli/cli_app.h"
#include "store/catalogue.h"
#include "store/values.h"
#include "util/errors.h"
#include "util/file_io.h"
#include "util/strings.h"

namespace quorella::cli {

namespace {

// backup and restore.
struct SetArgs {
  std::string dir;
  CLI::Option* dir_given = nullptr;
  bool yes = false;
};

// snapshot-save and snapshot-load.
struct SnapshotArgs {
  std::string file, key_path;
  CLI::Option* key_path_given = nullptr;
};

// The terminal as the front end of a backup or restore. Messages are kept and reported together
// when the command ends, as the reason it failed.
class TerminalUi : public BackupUi {
 public:
  explicit TerminalUi(bool confirmed) : confirmed_(confirmed) {}

  void ShowMessage(const std::string& text) override { problems_.push_back(text); }
  // The work is done: the progress line goes.
  void Beep() override { Progress(""); }
  bool ConfirmRestore() override {
    if (confirmed_) return true;
    if (::isatty(STDIN_FILENO) != 1) throw Error(std::string(messages::kRestoreNeedsConfirmation));
    std::fprintf(stderr, "%s: %s [y/N] ", messages::kRestoreCaption.data(),
                 messages::kRestoreQuestion.data());
    std::fflush(stderr);
    std::string answer;
    std::getline(std::cin, answer);
    return EqualsNoCase(Trim(answer), "y") || EqualsNoCase(Trim(answer), "yes");
  }
  void CopyProgress(std::size_t number, std::size_t total, const std::string& path) override {
    Progress("Copying " + path + " (" + std::to_string(number) + "/" + std::to_string(total) + ")");
  }

  // Fails the command with every message shown and every entry skipped, one a line.
  void FailOnProblems(const CopyReport& copies) {
    problems_.insert(problems_.end(), copies.failures.begin(), copies.failures.end());
    if (problems_.empty()) return;
    std::string text = problems_.front();
    for (std::size_t i = 1; i < problems_.size(); ++i) text += "\n" + problems_[i];
    throw Error(text);
  }

 private:
  bool confirmed_;
  std::vector<std::string> problems_;
};

// A directory given on the command line serves this run only; it is not stored.
std::string BackupDirFor(AppContext& context, const SetArgs& args) {
  if (args.dir_given->count() > 0) return args.dir;
  return ReadAppString(context.settings(), context.app_key(), AppValue::BackupDir,
                       context.app_dir());
}

void Backup(RunState& state, const SetArgs& args) {
  AppContext& context = state.context();
  TerminalUi ui(false);
  const BackupReport report = DoBackup(context, BackupDirFor(context, args), ui);
  ui.FailOnProblems(report.documents);
  PrintLine(messages::kFinishedBackup);
}

void Restore(RunState& state, const SetArgs& args) {
  AppContext& context = state.context();
  TerminalUi ui(args.yes);
  const RestoreReport report = DoRestore(context, BackupDirFor(context, args), ui);
  if (report.outcome == RestoreOutcome::Cancelled)
    throw Error(std::string(messages::kRestoreCancelled));
  ui.FailOnProblems(report.files);
  PrintLine(messages::kRestoreDone);
}

void SnapshotSave(RunState& state, const SnapshotArgs& args) {
  AppContext& context = state.context();
  const std::string key = args.key_path_given->count() > 0 ? args.key_path : context.app_key();
  SaveKeySnapshot(context.settings().registry(), args.file, key);
}

void SnapshotLoad(RunState& state, const SnapshotArgs& args) {
  // A mistyped file name must not pass for an empty snapshot.
  if (!FileExists(args.file))
    throw Error(messages::CannotOpenFile(args.file, messages::SystemReason(ENOENT)));
  const auto skipped = LoadKeySnapshot(state.context().settings().registry(), args.file);
  if (skipped.empty()) return;
  std::string text;
  for (const auto& name : skipped)
    text += (text.empty() ? "" : "\n") + messages::FaqNameSkipped(name);
  throw Error(text);
}

void RegisterBackupCommands(CLI::App& app, RunState& state) {
  auto backup_args = std::make_shared<SetArgs>();
  auto* backup = AddCommand(app, "backup", "back up the configuration and the FAQ documents",
                            [&state, backup_args] { Backup(state, *backup_args); });
  backup_args->dir_given = backup->add_option("DIR", backup_args->dir);

  auto restore_args = std::make_shared<SetArgs>();
  auto* restore = AddCommand(app, "restore", "restore the configuration from a backup",
                             [&state, restore_args] { Restore(state, *restore_args); });
  restore_args->dir_given = restore->add_option("DIR", restore_args->dir);
  restore->add_flag("--yes", restore_args->yes, "restore without asking");

  auto snapshot_args = std::make_shared<SnapshotArgs>();
  auto* save = AddCommand(app, "snapshot-save", "append the text snapshot of a key to FILE",
                          [&state, snapshot_args] { SnapshotSave(state, *snapshot_args); });
  save->add_option("FILE", snapshot_args->file)->required();
  snapshot_args->key_path_given = save->add_option("KEYPATH", snapshot_args->key_path);
  AddCommand(app, "snapshot-load", "read a snapshot file back into the settings store",
             [&state, snapshot_args] { SnapshotLoad(state, *snapshot_args); })
      ->add_option("FILE", snapshot_args->file)
      ->required();
}

const bool kRegistered = RegisterCommandGroup(70, &RegisterBackupCommands);

}  // namespace

}  // namespace quorella::cli
