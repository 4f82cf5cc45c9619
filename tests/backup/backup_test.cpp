#include "backup/backup.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>

#include "backup/backup_directory.h"
#include "backup/backup_fixture.h"
#include "support/error_text.h"
#include "support/faults.h"
#include "util/errors.h"

namespace quorella::testing {
namespace {

using Names = std::vector<std::string>;

TEST_F(BackupTest, WithNoFaqsTheSetIsTheSnapshotAlone) {
  context.settings().WriteSettingString(kAppKey, "BackupDir", backup_dir);
  const BackupReport report = DoBackup(context, backup_dir, ui);
  EXPECT_EQ(ListDirectory(backup_dir), (Names{"manifest.sha256", "registry.cfg"}));
  EXPECT_EQ(ReadFile(backup_dir + "registry.cfg"),
            "[\\Software\\Tamsel Software\\Quorella]\r\nBackupDirstr=" + backup_dir + "\r\n\r\n");
  EXPECT_TRUE(report.snapshot_written);
  EXPECT_EQ(report.documents.files_copied, 0u);
  EXPECT_TRUE(ui.messages.empty());
  EXPECT_EQ(ui.beeps, 1);
}

TEST_F(BackupTest, WithoutAStoreTheSnapshotIsOneEmptyLine) {
  DoBackup(context, backup_dir, ui);
  EXPECT_EQ(ReadFile(backup_dir + "registry.cfg"), "\r\n");
  EXPECT_FALSE(DirectoryExists(dir / "config"));
}

// The set holds exactly the documents its snapshot names, which a restore asks for: a FAQ without
// a document yet gets an empty one, as loading it would make; a document of no FAQ stays out.
TEST_F(BackupTest, TheSetHoldsADocumentForEveryFaqItsSnapshotNames) {
  MakeFaq("A", "[Question 0]\r\nWhy?\r\n\r\n####\r\n");
  MakeFaq("B", std::nullopt);
  MakeFaq("C", "c");
  WriteFile(app_dir + "Orphan.dat", "of no FAQ");
  const BackupReport report = DoBackup(context, backup_dir, ui);
  EXPECT_EQ(ListDirectory(backup_dir),
            (Names{"A.dat", "B.dat", "C.dat", "manifest.sha256", "registry.cfg"}));
  EXPECT_EQ(ReadFile(backup_dir + "B.dat"), "");
  EXPECT_EQ(ReadFile(backup_dir + "A.dat"), "[Question 0]\r\nWhy?\r\n\r\n####\r\n");
  EXPECT_NE(ReadFile(backup_dir + "registry.cfg")
                .find("[\\Software\\Tamsel Software\\Quorella\\FAQs\\B]\r\nTitlestr=B title\r\n"),
            std::string::npos);
  EXPECT_EQ(report.documents.files_copied, 2u);
  EXPECT_EQ(ui.progress,
            (std::vector<ProgressCall>{{1, 2, app_dir + "A.dat"}, {2, 2, app_dir + "C.dat"}}));
}

TEST_F(BackupTest, TheSecondBackupReplacesTheFirst) {
  MakeFaq("A", "a");
  MakeFaq("B", "b");
  DoBackup(context, backup_dir, ui);
  DeleteFaq(context, "B");
  DoBackup(context, backup_dir, ui);
  EXPECT_EQ(ListDirectory(backup_dir), (Names{"A.dat", "manifest.sha256", "registry.cfg"}));
  const std::string snapshot = ReadFile(backup_dir + "registry.cfg");
  EXPECT_EQ(snapshot.find("\\B]"), std::string::npos);
  EXPECT_EQ(snapshot.find("[\\Software\\Tamsel Software\\Quorella]"),
            snapshot.rfind("[\\Software\\Tamsel Software\\Quorella]"));  // not appended twice
  EXPECT_EQ(ui.beeps, 2);
}

TEST_F(BackupTest, ADirectoryTypedWithOrWithoutItsSlashIsTheSame) {
  MakeFaq("A", "a");
  for (const std::string& typed : {dir / "one", dir / "two/"}) {
    DoBackup(context, typed, ui);
    EXPECT_EQ(ListDirectory(BackupSetDirectory(typed)),
              (Names{"A.dat", "manifest.sha256", "registry.cfg"}))
        << typed;
  }
  EXPECT_EQ(BackupSetDirectory(dir / "one"), dir / "one/");
  EXPECT_EQ(BackupSetDirectory(""), "");
}

TEST_F(BackupTest, OnlyWhatEarlierBackupsWroteIsRemoved) {
  MakeFaq("A", "new a");
  WriteFile(backup_dir + "registry.cfg", "old snapshot");
  WriteFile(backup_dir + "A.dat", "old a");
  WriteFile(backup_dir + "Gone.dat", "old gone");
  WriteFile(backup_dir + "notes.txt", "mine");
  WriteFile(backup_dir + "Upper.DAT", "mine");
  WriteFile(backup_dir + "sub/inner.dat", "mine");
  std::filesystem::create_directories(backup_dir + "folder.dat");
  DoBackup(context, backup_dir, ui);
  EXPECT_EQ(ListDirectory(backup_dir), (Names{"A.dat", "Upper.DAT", "folder.dat", "manifest.sha256",
                                              "notes.txt", "registry.cfg", "sub"}));
  EXPECT_EQ(ReadFile(backup_dir + "A.dat"), "new a");
  EXPECT_EQ(ReadFile(backup_dir + "notes.txt"), "mine");
  EXPECT_EQ(ReadFile(backup_dir + "sub/inner.dat"), "mine");
  EXPECT_NE(ReadFile(backup_dir + "registry.cfg"), "old snapshot");
  EXPECT_TRUE(ui.messages.empty());
}

TEST_F(BackupTest, TheApplicationDirectoryAndItsAncestorsAreRefused) {
  MakeFaq("A", "a");
  std::filesystem::create_symlink(app_dir, dir / "link");
  const std::string app_without_slash = app_dir.substr(0, app_dir.size() - 1);
  for (const std::string& typed : {app_dir, app_without_slash, app_dir + "sub/..", dir.path(),
                                   std::string("/"), dir / "link"}) {
    EXPECT_EQ(ErrorOf([&] { DoBackup(context, typed, ui); }),
              "The backup directory \"" + BackupSetDirectory(typed) +
                  "\" is the application directory or holds it, where the FAQ documents are "
                  "kept. Please choose another directory.")
        << typed;
  }
  EXPECT_EQ(ListDirectory(app_dir), Names{"A.dat"});
  EXPECT_EQ(ReadFile(app_dir + "A.dat"), "a");
  EXPECT_EQ(ui.beeps, 0);
  // The default, a folder inside the application directory, is fine.
  DoBackup(context, app_dir + "Backup", ui);
  EXPECT_EQ(ListDirectory(app_dir + "Backup"), (Names{"A.dat", "manifest.sha256", "registry.cfg"}));
}

// An earlier set to be replaced: its snapshot and a document of a FAQ that is gone.
void WriteEarlierSet(const std::string& backup_dir) {
  WriteFile(backup_dir + "Old.dat", "old");
  WriteFile(backup_dir + "registry.cfg", "old snapshot\r\n");
}

const std::string kKept(messages::kEarlierBackupKept);

TEST_F(BackupTest, AnEarlierFileThatCannotBeMovedAsideKeepsTheEarlierSet) {
  MakeFaq("A", "a");
  WriteEarlierSet(backup_dir);
  // Old.dat has been moved aside when registry.cfg fails: Old.dat goes back.
  FailAt fault(sys::Op::Rename, "/registry.cfg", EACCES);
  const BackupReport report = DoBackup(context, backup_dir, ui);
  EXPECT_TRUE(fault.fired());
  EXPECT_EQ(ui.messages, (Names{"Error deleting file \"" + backup_dir + "registry.cfg\".", kKept}));
  EXPECT_FALSE(report.replaced);
  EXPECT_EQ(ListDirectory(backup_dir), (Names{"Old.dat", "registry.cfg"}));
  EXPECT_EQ(ReadFile(backup_dir + "Old.dat"), "old");
  EXPECT_EQ(ReadFile(backup_dir + "registry.cfg"), "old snapshot\r\n");
  EXPECT_EQ(ui.beeps, 1);
}

TEST_F(BackupTest, ANewFileThatCannotBeMovedInPutsTheEarlierSetBack) {
  MakeFaq("A", "a");
  WriteEarlierSet(backup_dir);
  FailAt fault(sys::Op::Rename, backup_dir + "registry.cfg", EACCES);
  const BackupReport report = DoBackup(context, backup_dir, ui);
  EXPECT_TRUE(fault.fired());
  EXPECT_EQ(
      ui.messages,
      (Names{"Cannot replace file \"" + backup_dir + "registry.cfg\". Permission denied", kKept}));
  EXPECT_FALSE(report.replaced);
  EXPECT_EQ(ListDirectory(backup_dir), (Names{"Old.dat", "registry.cfg"}));
  EXPECT_EQ(ReadFile(backup_dir + "registry.cfg"), "old snapshot\r\n");
}

TEST_F(BackupTest, ALinkLeftWhereTheSnapshotGoesIsReplacedNotFollowed) {
  std::filesystem::create_directories(backup_dir);
  std::filesystem::create_symlink(dir / "elsewhere.cfg", backup_dir + "registry.cfg");
  const BackupReport report = DoBackup(context, backup_dir, ui);
  EXPECT_TRUE(ui.messages.empty());
  EXPECT_TRUE(report.replaced);
  EXPECT_FALSE(std::filesystem::exists(dir / "elsewhere.cfg"));
  EXPECT_FALSE(IsSymbolicLink(backup_dir + "registry.cfg"));
}

TEST_F(BackupTest, ASnapshotCutShortKeepsTheEarlierSet) {
  MakeFaq("A", "a");
  WriteEarlierSet(backup_dir);
  FailNth fault(sys::Op::Write, 2, ENOSPC);
  const BackupReport report = DoBackup(context, backup_dir, ui);
  EXPECT_TRUE(fault.fired());
  EXPECT_EQ(ui.messages, (Names{"Error backing up registry entries", kKept}));
  EXPECT_FALSE(report.snapshot_written);
  EXPECT_EQ(ListDirectory(backup_dir), (Names{"Old.dat", "registry.cfg"}));
  EXPECT_EQ(ReadFile(backup_dir + "registry.cfg"), "old snapshot\r\n");
  EXPECT_EQ(ui.beeps, 1);
}

TEST_F(BackupTest, ADirectoryThatCannotBeCreatedStopsTheBackup) {
  MakeFaq("A", "a");
  {
    FailNth fault(sys::Op::Mkdir, 1, EACCES);
    EXPECT_EQ(ErrorOf([&] { DoBackup(context, backup_dir, ui); }),
              "Unable to create directory \"" + backup_dir + "\". Permission denied");
  }
  EXPECT_EQ(ErrorOf([&] { DoBackup(context, "", ui); }), "Unable to create directory");
  EXPECT_FALSE(DirectoryExists(backup_dir));
  EXPECT_EQ(ui.beeps, 0);
}

TEST_F(BackupTest, ADocumentThatCannotBeCopiedKeepsTheEarlierSet) {
  MakeFaq("A", "a");
  MakeFaq("B", "b");
  WriteEarlierSet(backup_dir);
  FailNth fault(sys::Op::Read, 1, EIO);
  const BackupReport report = DoBackup(context, backup_dir, ui);
  EXPECT_EQ(ui.messages, Names{kKept});
  EXPECT_EQ(ListDirectory(backup_dir), (Names{"Old.dat", "registry.cfg"}));
  EXPECT_EQ(report.documents.files_copied, 1u);
  EXPECT_EQ(report.documents.failures, Names{"Cannot copy file \"" + app_dir + "A.dat\" to \"" +
                                             backup_dir + "A.dat\". Input/output error"});
}

TEST_F(BackupTest, ScratchThatAnEarlierBackupCouldNotDeleteGoesWithTheNext) {
  WriteFile(backup_dir + ".quorella-backup-old-1-1/A.dat", "left behind");
  std::filesystem::create_directories(backup_dir + ".quorella-backup-new-1-2");
  DoBackup(context, backup_dir, ui);
  EXPECT_TRUE(ui.messages.empty());
  EXPECT_EQ(ListDirectory(backup_dir), (Names{"manifest.sha256", "registry.cfg"}));

  // Links named like scratch folders are passed by: what they point at is no scratch.
  WriteFile(dir / "elsewhere/keep.dat", "not ours");
  WriteFile(dir / "elsewhere/manifest.sha256", "not ours");
  for (const char* name : {".quorella-backup-old-1-3", ".quorella-backup-commit-1-3"})
    std::filesystem::create_symlink(dir / "elsewhere", backup_dir + name);
  DoBackup(context, backup_dir, ui);
  EXPECT_EQ(ReadFile(dir / "elsewhere/keep.dat"), "not ours");
  EXPECT_EQ(ReadFile(dir / "elsewhere/manifest.sha256"), "not ours");
}

}  // namespace
}  // namespace quorella::testing
