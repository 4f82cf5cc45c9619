#include "backup/restore.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>

#include "backup/backup.h"
#include "backup/backup_fixture.h"
#include "backup/manifest.h"
#include "support/database_trap.h"
#include "support/error_text.h"
#include "util/errors.h"
#include "util/sys_io.h"

namespace quorella::testing {
namespace {

using Names = std::vector<std::string>;

class RestoreTest : public BackupTest {
 public:
  // Two FAQs, backed up; afterwards the configuration drifts away from the backup.
  void SetUp() override {
    context.settings().WriteSettingString(kAppKey, "BackupDir", backup_dir);
    context.settings().WriteSettingInteger(kAppKey, "Left", -1);
    context.settings().WriteSettingString(kAppKey, "CustomColors", "ColorA=ff\r\nColorB=ffffffff");
    MakeFaq("A", "a document");
    MakeFaq("B", "b document");
    DoBackup(context, backup_dir, ui);
    backed_up = Dump(kAppKey);
    context.settings().WriteSettingString(context.FaqKey("A"), "Title", "changed");
    context.settings().WriteSettingInteger(kAppKey, "Top", 7);
    WriteFile(app_dir + "B.dat", "b changed");
    AddFaq(context, "New");
    WriteFile(app_dir + "New.dat", "new document");
    drifted = Dump(kAppKey);
    ui = ScriptedUi();
  }

  std::string RestoreError(const std::string& typed) {
    return ErrorOf([&] { DoRestore(context, typed, ui); });
  }

  // Nothing of the configuration was touched.
  void ExpectDrifted() {
    EXPECT_EQ(Dump(kAppKey), drifted);
    EXPECT_EQ(ReadFile(app_dir + "B.dat"), "b changed");
    EXPECT_EQ(ui.beeps, 0);
  }

  // Enough pages in the store and in the backup that a failure can land inside the rebuild.
  void PadAndBackUp() {
    std::vector<NamedValue> padding;
    for (int i = 0; i < 300; ++i)
      padding.push_back({"Pad" + std::to_string(i), RawValue::String(std::string(200, 'x'))});
    context.settings().WriteValues(context.FaqKey("B"), padding);
    WriteFile(app_dir + "B.dat", "b document");
    DoBackup(context, backup_dir, ui);
    WriteFile(app_dir + "B.dat", "b changed");
    context.settings().WriteSettingString(context.FaqKey("A"), "Title", "after the backup");
    drifted = Dump(kAppKey);
    ui = ScriptedUi();
  }

  std::string backed_up;
  std::string drifted;
};

TEST_F(RestoreTest, TheConfigurationComesBackWhole) {
  ASSERT_NE(backed_up, drifted);
  const RestoreReport report = DoRestore(context, backup_dir, ui);
  EXPECT_EQ(report.outcome, RestoreOutcome::Restored);
  EXPECT_EQ(Dump(kAppKey), backed_up);
  EXPECT_EQ(ListFaqs(context), (Names{"A", "B"}));  // New is gone from the catalogue
  EXPECT_EQ(ReadFile(app_dir + "A.dat"), "a document");
  EXPECT_EQ(ReadFile(app_dir + "B.dat"), "b document");
  EXPECT_EQ(ReadFile(app_dir + "New.dat"), "new document");  // its document stays
  EXPECT_EQ(report.files.files_copied, 2u);
  EXPECT_TRUE(report.files.failures.empty());
  EXPECT_EQ(ui.confirmations, 1);
  EXPECT_EQ(ui.beeps, 1);
  EXPECT_TRUE(ui.messages.empty());
  EXPECT_EQ(ui.progress, (std::vector<ProgressCall>{{1, 2, backup_dir + "A.dat"},
                                                    {2, 2, backup_dir + "B.dat"}}));
}

TEST_F(RestoreTest, KeysWithoutValuesComeBackToo) {
  context.settings().CreateKey(context.FaqKey("Empty"));
  context.settings().CreateKey(context.FaqKey("A") + "\\Sub");
  DoBackup(context, backup_dir, ui);
  const std::string with_empty_keys = Dump(kAppKey);
  DeleteFaq(context, "Empty");
  context.settings().DeleteKeyTree(context.FaqKey("A") + "\\Sub");
  DoRestore(context, backup_dir, ui);
  EXPECT_EQ(Dump(kAppKey), with_empty_keys);
  EXPECT_EQ(ListFaqs(context), (Names{"A", "B", "Empty", "New"}));
}

TEST_F(RestoreTest, CancelChangesNothing) {
  ui.answer_ok = false;
  EXPECT_EQ(DoRestore(context, backup_dir, ui).outcome, RestoreOutcome::Cancelled);
  EXPECT_EQ(ui.confirmations, 1);
  ExpectDrifted();
}

TEST_F(RestoreTest, WithoutASnapshotNothingIsDeleted) {
  const std::string no_snapshot = dir / "no-snapshot/";
  WriteFile(no_snapshot + "A.dat", "other");
  struct Case {
    std::string typed;
    std::string shown_dir;
  };
  for (const Case& c : std::vector<Case>{
           {no_snapshot, no_snapshot}, {dir / "missing", dir / "missing/"}, {"", ""}}) {
    EXPECT_EQ(RestoreError(c.typed), "There is no backup in \"" + c.shown_dir +
                                         "\": \"registry.cfg\" is missing. Nothing was restored.")
        << c.typed;
  }
  ExpectDrifted();
  EXPECT_EQ(ReadFile(app_dir + "A.dat"), "a document");
}

TEST_F(RestoreTest, TheApplicationDirectoryAndItsAncestorsAreRefused) {
  std::filesystem::copy_file(backup_dir + "registry.cfg", app_dir + "registry.cfg");
  for (const std::string& typed : {app_dir, dir.path()})
    EXPECT_EQ(RestoreError(typed), "The backup directory \"" + typed +
                                       "\" is the application directory or holds it, where the "
                                       "FAQ documents are kept. Please choose another directory.");
  ExpectDrifted();
}

TEST_F(RestoreTest, ASnapshotOfAnotherKeyIsRefused) {
  const std::string snapshot = backup_dir + "registry.cfg";
  const std::string original = ReadFile(snapshot);
  const std::string refusal = "\"" + snapshot +
                              "\" is not a backup of \"Software\\Tamsel Software\\Quorella\". "
                              "Nothing was restored.";
  const std::vector<std::string> foreign = {
      "[\\Software\\Tamsel Software\\QuorellaTest]\r\nLeftint=1\r\n\r\n",
      "[\\Software\\Tamsel Software\\Quorella\\FAQs]\r\n\r\n",
      "[\\Software\\Tamsel Software]\r\nxint=1\r\n",
      "[HKEY_LOCAL_MACHINE\\Software\\Tamsel Software\\Quorella]\r\nLeftint=1\r\n",
      "[HKEY_FOO\\Software\\Tamsel Software\\Quorella]\r\nLeftint=1\r\n",
      original + "[HKEY_LOCAL_MACHINE\\Software\\Other]\r\nxint=1\r\n",
      original + "[\\Software\\Other]\r\nxint=1\r\n",
      "this is not a snapshot\r\n",
  };
  for (const auto& text : foreign) {
    WriteFile(snapshot, text);
    EXPECT_EQ(RestoreError(backup_dir), refusal) << text;
  }
  ExpectDrifted();
}

TEST_F(RestoreTest, ABackupMadeWithTheTestKeyIsRefusedOutsideIt) {
  AppContext test_run(dir / "config/settings.db", app_dir, true);
  test_run.settings().WriteSettingInteger(test_run.app_key(), "Left", 3);
  const std::string test_backup = dir / "test-backup/";
  DoBackup(test_run, test_backup, ui);
  ui = ScriptedUi();
  EXPECT_EQ(RestoreError(test_backup), "\"" + test_backup +
                                           "registry.cfg\" is not a backup of \"Software\\Tamsel "
                                           "Software\\Quorella\". Nothing was restored.");
  ExpectDrifted();
  ui.beeps = 0;
  EXPECT_EQ(DoRestore(test_run, test_backup, ui).outcome, RestoreOutcome::Restored);
  EXPECT_EQ(Dump(test_run.app_key()),
            "Software\\Tamsel Software\\QuorellaTest | Left | 4 | 03000000\n");
}

TEST_F(RestoreTest, TheSnapshotOfAMissingKeyLeavesNoKey) {
  RemoveFile(backup_dir + "manifest.sha256");  // a set written before manifests
  WriteFile(backup_dir + "registry.cfg", "\r\n");
  EXPECT_EQ(DoRestore(context, backup_dir, ui).outcome, RestoreOutcome::Restored);
  EXPECT_FALSE(KeyExists(kAppKey));
}

TEST_F(RestoreTest, OnlyTheDocumentsOfTheSetAreCopiedBack) {
  // A user's own files beside the set stay where they are, whatever their names.
  WriteFile(backup_dir + "REGISTRY.CFG", "not copied");
  WriteFile(backup_dir + "notes.txt", "notes");
  WriteFile(backup_dir + "sub/deep/x.txt", "deep");
  WriteFile(backup_dir + "folder.dat/y.dat", "a folder is no document");
  std::filesystem::create_symlink(backup_dir, backup_dir + "loop");
  std::filesystem::create_symlink(backup_dir, backup_dir + "loop.dat");
  const RestoreReport report = DoRestore(context, backup_dir, ui);
  EXPECT_EQ(ListDirectory(app_dir), (Names{"A.dat", "B.dat", "New.dat"}));
  EXPECT_EQ(ReadFile(app_dir + "B.dat"), "b document");
  EXPECT_EQ(report.files.files_copied, 2u);
  EXPECT_TRUE(report.files.failures.empty());
  EXPECT_EQ(ui.progress, (std::vector<ProgressCall>{{1, 2, backup_dir + "A.dat"},
                                                    {2, 2, backup_dir + "B.dat"}}));
  EXPECT_EQ(ReadFile(backup_dir + "notes.txt"), "notes");
  EXPECT_EQ(ReadFile(backup_dir + "sub/deep/x.txt"), "deep");
}

TEST_F(RestoreTest, ScratchABackupLeftBehindIsNotCopied) {
  DoBackup(context, backup_dir, ui);
  WriteFile(backup_dir + ".quorella-backup-old-1-1/A.dat", "an earlier set's document");
  const Names before = ListDirectory(app_dir);
  const RestoreReport report = DoRestore(context, backup_dir, ui);
  EXPECT_EQ(report.outcome, RestoreOutcome::Restored);
  EXPECT_TRUE(report.files.failures.empty());
  EXPECT_EQ(ListDirectory(app_dir), before);
}

TEST_F(RestoreTest, AStoreFailureOnTheWayLeavesTheOldConfigurationWhole) {
  PadAndBackUp();
  for (int nth : {1, 5, 10}) {
    DatabaseTrap trap(DatabaseTrap::Call::Write, nth);
    EXPECT_NE(RestoreError(backup_dir).find("Cannot write the settings store"), std::string::npos);
    EXPECT_TRUE(trap.fired());
  }
  ExpectDrifted();
  EXPECT_EQ(ListFaqs(context), (Names{"A", "B", "New"}));
}

// The restore runs in a child process that is killed at the nth page it writes into the store.
TEST_F(RestoreTest, ACrashInTheMiddleLeavesTheOldConfigurationWhole) {
  PadAndBackUp();
  for (int nth : {1, 5, 10}) {
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      DatabaseTrap trap(DatabaseTrap::Call::Write, nth, DatabaseTrap::Action::Kill);
      ScriptedUi child_ui;
      try {
        DoRestore(context, backup_dir, child_ui);
      } catch (...) {
      }
      ::_exit(0);  // reached only when the restore wrote fewer pages than nth
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    ASSERT_TRUE(WIFSIGNALED(status)) << nth;
    EXPECT_EQ(WTERMSIG(status), SIGKILL);
    ExpectDrifted();
  }
  DoRestore(context, backup_dir, ui);  // the store still works and the backup still restores
  EXPECT_EQ(Get(context.FaqKey("A"), "Title"), RawValue::String("changed"));
  EXPECT_EQ(ReadFile(app_dir + "B.dat"), "b document");
}

// A set that is cut, altered or missing a file is refused before anything changes; an older set
// without a manifest is refused when a document its catalogue names is missing.
TEST_F(RestoreTest, ADamagedSetIsRefusedBeforeAnythingChanges) {
  const std::string snapshot = ReadFile(backup_dir + "registry.cfg");
  const std::string manifest = ReadFile(backup_dir + "manifest.sha256");
  const std::string a = ReadFile(backup_dir + "A.dat");
  struct Row {
    std::string file, content;
    std::string damaged;  // the file the refusal names
  };
  for (const Row& row : {
           Row{"registry.cfg", snapshot.substr(0, snapshot.size() / 3), "registry.cfg"},
           Row{"A.dat", "a documenT", "A.dat"},
           Row{"A.dat", "", "A.dat"},
           Row{"manifest.sha256", manifest.substr(0, manifest.size() - 8), "manifest.sha256"},
       }) {
    WriteFile(backup_dir + row.file, row.content);
    EXPECT_EQ(RestoreError(backup_dir), "The backup set in \"" + backup_dir +
                                            "\" is incomplete or damaged (" + row.damaged +
                                            "); nothing was restored.")
        << row.file;
    ExpectDrifted();
    WriteFile(backup_dir + "registry.cfg", snapshot);
    WriteFile(backup_dir + "manifest.sha256", manifest);
    WriteFile(backup_dir + "A.dat", a);
  }
  // A manifest that lists, with true digests, a file that is no document of the catalogue: the
  // set would replace that file in the application folder.
  for (const std::string extra :
       {"notes.txt", "temp.txt", ".faq.html.quorella", "quorella", "Stray.dat"}) {
    WriteFile(backup_dir + extra, "brought along");
    WriteManifest(backup_dir);
    EXPECT_EQ(RestoreError(backup_dir), messages::DamagedBackup(backup_dir, extra)) << extra;
    ExpectDrifted();
    RemoveFile(backup_dir + extra);
  }
  // A set that lacks a document its catalogue names, with or without a manifest that agrees.
  RemoveFile(backup_dir + "B.dat");
  EXPECT_NE(RestoreError(backup_dir).find("(B.dat)"), std::string::npos);
  WriteManifest(backup_dir);
  EXPECT_EQ(RestoreError(backup_dir), messages::DamagedBackup(backup_dir, "B.dat"));
  RemoveFile(backup_dir + "manifest.sha256");  // an older set: its catalogue is checked
  EXPECT_NE(RestoreError(backup_dir).find("(B.dat)"), std::string::npos);
  ExpectDrifted();
}

// A FIFO or a device in the set is refused while it is checked, before the store is replaced.
TEST_F(RestoreTest, SpecialFilesInTheSetAreRefusedWithoutBlocking) {
  RemoveFile(backup_dir + "B.dat");
  ASSERT_EQ(::mkfifo((backup_dir + "B.dat").c_str(), 0600), 0);
  EXPECT_EQ(RestoreError(backup_dir),
            "Cannot open file \"" + backup_dir + "B.dat\". It is not a regular file.");
  RemoveFile(backup_dir + "B.dat");
  std::filesystem::create_symlink("/dev/zero", backup_dir + "B.dat");
  EXPECT_EQ(RestoreError(backup_dir),
            "Cannot open file \"" + backup_dir + "B.dat\". It is not a regular file.");
  ExpectDrifted();
}

// A FAQ key whose name is not a plain file name never reaches the store, so no command can turn
// it into a path outside the application folder.
TEST_F(RestoreTest, AFaqNameThatIsNoFileNameIsSkippedWithAMessage) {
  RemoveFile(backup_dir + "manifest.sha256");
  WriteFile(backup_dir + "registry.cfg",
            ReadFile(backup_dir + "registry.cfg") +
                "[\\Software\\Tamsel Software\\Quorella\\FAQs\\../victim/important]\r\n"
                "Titlestr=x\r\n\r\n");
  ASSERT_EQ(DoRestore(context, backup_dir, ui).outcome, RestoreOutcome::Restored);
  EXPECT_EQ(ListFaqs(context), (Names{"A", "B"}));
  EXPECT_FALSE(KeyExists(std::string(kAppKey) + "\\FAQs\\../victim/important"));
  EXPECT_EQ(ui.messages, Names{"The FAQ \"../victim/important\" was skipped: its name cannot "
                               "name a document file."});
}

// A backup killed at any rename of its commit leaves, for the next backup or restore, the earlier
// set whole or the new one whole.
TEST_F(RestoreTest, ABackupKilledDuringItsCommitIsFinishedByTheNextRun) {
  class ExitAtRename : public sys::FaultInjector {
   public:
    explicit ExitAtRename(int at) : left_(at) {}
    int Check(sys::Op op, std::string_view) override {
      if (op == sys::Op::Rename && left_-- == 0) ::_exit(9);
      return 0;
    }

   private:
    int left_;
  };
  WriteFile(app_dir + "B.dat", "b newer");
  for (int kill_at = 0;; ++kill_at) {
    DoBackup(context, backup_dir, ui);  // the earlier set, complete again
    const pid_t child = ::fork();
    if (child == 0) {
      ExitAtRename injector(kill_at);
      sys::SetFaultInjector(&injector);
      context.settings().WriteSettingString(kAppKey, "Marker", "new set");
      DoBackup(context, backup_dir, ui);
      ::_exit(0);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    ScriptedUi next;
    const RestoreReport report = DoRestore(context, backup_dir, next);
    EXPECT_EQ(report.outcome, RestoreOutcome::Restored) << kill_at;
    EXPECT_EQ(next.messages, Names{}) << kill_at;
    const bool new_set = ReadFile(backup_dir + "registry.cfg").find("new set") != std::string::npos;
    EXPECT_EQ(context.settings().ReadSettingString(kAppKey, "Marker", "") == "new set", new_set)
        << kill_at;
    EXPECT_EQ(ReadFile(app_dir + "A.dat"), "a document") << kill_at;
    EXPECT_EQ(ReadFile(app_dir + "B.dat"), "b newer") << kill_at;
    for (const auto& name : ListDirectory(backup_dir))
      EXPECT_FALSE(name.starts_with(".quorella-backup-")) << kill_at << " " << name;
    context.settings().WriteSettingString(kAppKey, "Marker", "");
    if (WEXITSTATUS(status) == 0) {
      EXPECT_GT(kill_at, 4);
      break;
    }
  }
}

}  // namespace
}  // namespace quorella::testing
