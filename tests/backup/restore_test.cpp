#include "backup/restore.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>

#include "backup/backup.h"
#include "backup/backup_fixture.h"
#include "support/database_trap.h"
#include "support/error_text.h"
#include "util/errors.h"

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
    DoBackup(context, backup_dir, Documents(), ui);
    backed_up = Dump(kAppKey);
    context.settings().WriteSettingString(context.FaqKey("A"), "Title", "changed");
    context.settings().WriteSettingInteger(kAppKey, "Top", 7);
    WriteFile(app_dir + "B.dat", "b changed");
    AddFaq(context, "New", ListFaqs(context));
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
    DoBackup(context, backup_dir, Documents(), ui);
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
  DoBackup(context, backup_dir, Documents(), ui);
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
  DoBackup(test_run, test_backup, {}, ui);
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
  DoBackup(context, backup_dir, Documents(), ui);
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

}  // namespace
}  // namespace quorella::testing
