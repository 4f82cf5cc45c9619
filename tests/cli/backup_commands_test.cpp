#include <poll.h>
#include <pty.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>

#include "cli/cli_fixture.h"

namespace quorella::testing {
namespace {

using BackupCommands = CliTest;

constexpr const char* kAppKeyHeader = "[\\Software\\Tamsel Software\\Quorella]";

// A snapshot that sets the application key's BackupDir.
std::string BackupDirSnapshot(const std::string& backup_dir) {
  return std::string(kAppKeyHeader) + "\r\nBackupDirstr=" + backup_dir + "\r\n";
}

TEST_F(BackupCommands, BackUpLoseAndRestore) {
  Ok({"add", "FAQ"});
  Ok({"set", "FAQ", "Title", "Kept"});
  WriteFile(app_dir + "FAQ.dat", "[Question 0]\r\nWhy?\r\n\r\n####\r\n");
  EXPECT_EQ(Ok({"backup"}), "Finished Backup.\n");
  const std::string set = app_dir + "Backup/";  // the default backup directory
  EXPECT_EQ(ReadFile(set + "FAQ.dat"), "[Question 0]\r\nWhy?\r\n\r\n####\r\n");
  EXPECT_TRUE(std::filesystem::exists(set + "registry.cfg"));

  Ok({"set", "FAQ", "Title", "Lost"});
  Ok({"add", "Later"});
  WriteFile(app_dir + "FAQ.dat", "damaged");
  EXPECT_EQ(Ok({"restore", "--yes"}), "Configuration restored.\n");
  EXPECT_EQ(Ok({"get", "FAQ", "Title"}), "Title=Kept\n");
  EXPECT_EQ(Ok({"list"}), "FAQ\n");
  EXPECT_EQ(ReadFile(app_dir + "FAQ.dat"), "[Question 0]\r\nWhy?\r\n\r\n####\r\n");
  EXPECT_TRUE(std::filesystem::exists(app_dir + "Later.dat"));
}

// One text of every kind of script: Cyrillic, Greek, CJK, Arabic (right to left), combining marks
// and a character outside the Basic Multilingual Plane (four bytes in UTF-8).
constexpr const char* kEveryScript =
    "\u041F\u0440\u0438\u0432\u0435\u0442 \u039A\u03B1\u03BB\u03B7\u03BC\u03AD\u03C1\u03B1 "
    "\u65E5\u672C\u8A9E \u0645\u0631\u062D\u0628\u0627 e\u0301a\u0308 \U0001F642";

TEST_F(BackupCommands, TextInEveryScriptSurvivesTheDocumentTheStoreAndBackupAndRestore) {
  const std::string name = "\u0427\u0430\u0412\u043E";  // ЧаВо
  Ok({"add", name});
  Ok({"add-question", name, "Plain?"});
  const std::string windows1252 = ReadFile(app_dir + name + ".dat");
  EXPECT_EQ(windows1252.substr(0, 3), "\r\n[");  // no mark while every character fits
  Ok({"add-question", name, kEveryScript, "--answer", std::string("A: ") + kEveryScript});
  Ok({"set", name, "Title", kEveryScript});
  const std::string utf8 = ReadFile(app_dir + name + ".dat");
  EXPECT_EQ(utf8.substr(0, 3), "\xEF\xBB\xBF");  // rewritten once as UTF-8 with the mark
  EXPECT_NE(utf8.find(std::string("\r\n") + kEveryScript + "\r\n"), std::string::npos);
  const std::string listed = "1. Plain?\n2. " + std::string(kEveryScript) + "\n";
  EXPECT_EQ(Ok({"questions", name}), listed);
  EXPECT_EQ(Ok({"get", name, "Title"}), "Title=" + std::string(kEveryScript) + "\n");

  EXPECT_EQ(Ok({"backup"}), "Finished Backup.\n");
  const std::string snapshot = ReadFile(app_dir + "Backup/registry.cfg");
  EXPECT_EQ(snapshot.substr(0, 3), "\xEF\xBB\xBF");
  EXPECT_NE(snapshot.find(std::string("Titlestr=") + kEveryScript + "\r\n"), std::string::npos);
  Ok({"delete", name});
  EXPECT_EQ(Ok({"restore", "--yes"}), "Configuration restored.\n");
  EXPECT_EQ(Ok({"list"}), name + "\n");
  EXPECT_EQ(Ok({"questions", "\u0447\u0410\u0432\u041E"}), listed);  // any case
  EXPECT_EQ(Ok({"get", name, "Title"}), "Title=" + std::string(kEveryScript) + "\n");
  EXPECT_EQ(ReadFile(app_dir + name + ".dat"), utf8);
}

TEST_F(BackupCommands, AWindows1252SetIsWrittenAsBeforeAndAnOlderSetStillRestores) {
  Ok({"add", "Caf\u00E9"});
  Ok({"set", "Caf\u00E9", "Title", "\u20AC 5"});
  EXPECT_EQ(Ok({"backup"}), "Finished Backup.\n");
  const std::string snapshot = ReadFile(app_dir + "Backup/registry.cfg");
  EXPECT_NE(snapshot.find("[\\Software\\Tamsel Software\\Quorella\\FAQs\\Caf\xE9]\r\n"
                          "Directorystr=" +
                          app_dir + "Caf\xE9/\r\nTitlestr=\x80 5\r\n"),
            std::string::npos)
      << snapshot;
  Ok({"delete", "caf\u00C9"});
  EXPECT_EQ(Ok({"list"}), "");
  EXPECT_EQ(Ok({"restore", "--yes"}), "Configuration restored.\n");
  EXPECT_EQ(Ok({"list"}), "Caf\u00E9\n");
  EXPECT_EQ(Ok({"get", "CAF\u00C9", "Title"}), "Title=\u20AC 5\n");
}

TEST_F(BackupCommands, TheStoredDirectoryServesUnlessOneIsGiven) {
  const std::string stored = dir / "stored";
  const std::string given = dir / "given";
  WriteFile(dir / "setting.cfg", BackupDirSnapshot(stored));
  Ok({"snapshot-load", dir / "setting.cfg"});
  Ok({"add", "FAQ"});
  EXPECT_EQ(Ok({"backup"}), "Finished Backup.\n");
  EXPECT_TRUE(std::filesystem::exists(stored + "/FAQ.dat"));
  EXPECT_EQ(Ok({"backup", given}), "Finished Backup.\n");
  EXPECT_TRUE(std::filesystem::exists(given + "/registry.cfg"));
  // The directory given is not stored.
  Ok({"snapshot-save", dir / "after.cfg"});
  EXPECT_NE(ReadFile(dir / "after.cfg").find("BackupDirstr=" + stored + "\r\n"), std::string::npos);
  EXPECT_EQ(Ok({"restore", given, "--yes"}), "Configuration restored.\n");
}

TEST_F(BackupCommands, RefusalsChangeNothing) {
  Ok({"add", "FAQ"});
  Ok({"backup", dir / "set"});
  WriteFile(dir / "empty/notes.txt", "no snapshot here");
  Ok({"backup", dir / "damaged"});
  const std::string catalogue = ReadFile(dir / "damaged/registry.cfg");
  WriteFile(dir / "damaged/registry.cfg", catalogue.substr(0, catalogue.size() / 3));
  struct Case {
    std::vector<std::string> args;
    std::string message;
  };
  const std::vector<Case> cases = {
      {{"restore", dir / "set"},
       "A restore replaces the whole configuration: confirm it on a terminal, or add --yes.\n"},
      {{"restore", dir / "empty", "--yes"},
       "There is no backup in \"" + dir / "empty/" +
           "\": \"registry.cfg\" is missing. Nothing was restored.\n"},
      {{"backup", app_dir},
       "The backup directory \"" + app_dir +
           "\" is the application directory or holds it, where the FAQ documents are kept. "
           "Please choose another directory.\n"},
      {{"restore", dir.path(), "--yes"},
       "The backup directory \"" + dir.path() +
           "\" is the application directory or holds it, where the FAQ documents are kept. "
           "Please choose another directory.\n"},
      {{"--test", "restore", dir / "set", "--yes"},
       "\"" + dir / "set/registry.cfg" +
           "\" is not a backup of \"Software\\Tamsel Software\\QuorellaTest\". Nothing was "
           "restored.\n"},
      {{"restore", dir / "damaged", "--yes"},
       "The backup set in \"" + dir / "damaged/" +
           "\" is incomplete or damaged (registry.cfg); nothing was restored.\n"},
      // A file where the folder should be: the folder and the reason are named.
      {{"backup", dir / "empty/notes.txt"},
       "Unable to create directory \"" + dir / "empty/notes.txt/" + "\". Not a directory\n"},
      {{"snapshot-load", dir / "missing.cfg"},
       "Cannot open file \"" + dir / "missing.cfg" + "\". No such file or directory\n"},
  };
  Ok({"add", "Later"});
  for (const auto& c : cases) {
    const ProcessResult result = Run(c.args);
    EXPECT_EQ(result.exit_code, 1) << c.args[0];
    EXPECT_EQ(result.err, c.message);
    EXPECT_EQ(result.out, "");
  }
  EXPECT_EQ(Ok({"list"}), "FAQ\nLater\n");
  EXPECT_EQ(ReadFile(dir / "empty/notes.txt"), "no snapshot here");
}

TEST_F(BackupCommands, SnapshotsOfTheKeyInForceOrOfAnyKey) {
  Ok({"add", "FAQ"});
  Ok({"set", "FAQ", "FontSize", "-1"});
  Ok({"--test", "add", "T"});
  const std::string faq_folder = "Directorystr=" + app_dir + "FAQ/\r\n";
  Ok({"snapshot-save", dir / "app.cfg"});
  EXPECT_EQ(ReadFile(dir / "app.cfg"),
            std::string(kAppKeyHeader) +
                "\r\n\r\n[\\Software\\Tamsel Software\\Quorella\\FAQs]\r\n\r\n"
                "[\\Software\\Tamsel Software\\Quorella\\FAQs\\FAQ]\r\n" +
                faq_folder + "FontSizeint=-1\r\n\r\n");
  Ok({"--test", "snapshot-save", dir / "test.cfg"});
  EXPECT_EQ(ReadFile(dir / "test.cfg"),
            "[\\Software\\Tamsel Software\\QuorellaTest]\r\n\r\n"
            "[\\Software\\Tamsel Software\\QuorellaTest\\FAQs]\r\n\r\n"
            "[\\Software\\Tamsel Software\\QuorellaTest\\FAQs\\T]\r\nDirectorystr=" +
                app_dir + "T/\r\n\r\n");
  Ok({"snapshot-save", dir / "faq.cfg", "Software\\Tamsel Software\\Quorella\\FAQs\\FAQ"});
  Ok({"snapshot-save", dir / "faq.cfg", "Software\\Tamsel Software\\Quorella\\FAQs\\FAQ"});
  const std::string block = "[\\Software\\Tamsel Software\\Quorella\\FAQs\\FAQ]\r\n" + faq_folder +
                            "FontSizeint=-1\r\n\r\n";
  EXPECT_EQ(ReadFile(dir / "faq.cfg"), block + block);  // appended

  Ok({"delete", "FAQ"});
  Ok({"snapshot-load", dir / "app.cfg"});
  EXPECT_EQ(Ok({"get", "FAQ", "FontSize"}), "FontSize=-1\n");
}

// Runs quorella-cli on a terminal of its own, typing `typed`; returns everything it showed.
ProcessResult RunOnTerminal(CliTest& test, const std::vector<std::string>& args,
                            const std::string& typed,
                            const std::map<std::string, std::string>& env) {
  int master = -1;
  const pid_t pid = ::forkpty(&master, nullptr, nullptr, nullptr);
  if (pid == 0) {
    for (const auto& [name, value] : env) ::setenv(name.c_str(), value.c_str(), 1);
    std::vector<char*> argv{const_cast<char*>(QUORELLA_CLI_PATH)};
    for (const auto& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    ::execv(QUORELLA_CLI_PATH, argv.data());
    ::_exit(127);
  }
  (void)test;
  ProcessResult result;
  bool answered = false;
  char buffer[4096];
  for (;;) {
    pollfd fd{master, POLLIN, 0};
    if (::poll(&fd, 1, 10000) <= 0) break;
    const ssize_t n = ::read(master, buffer, sizeof buffer);
    if (n <= 0) break;
    result.out.append(buffer, static_cast<size_t>(n));
    if (!answered && result.out.find("[y/N] ") != std::string::npos) {
      (void)!::write(master, typed.data(), typed.size());
      answered = true;
    }
  }
  ::close(master);
  int status = 0;
  ::waitpid(pid, &status, 0);
  result.exit_code = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  return result;
}

TEST_F(BackupCommands, OnATerminalTheRestoreAsksFirst) {
  const std::map<std::string, std::string> env = {
      {"QUORELLA_HOME", app_dir}, {"XDG_CONFIG_HOME", config_dir}, {"HOME", dir / "home"}};
  Ok({"add", "FAQ"});
  Ok({"backup", dir / "set"});
  Ok({"add", "Later"});
  const std::string question =
      "Restore Configuration: You are about to do a restore. Are you sure you want to continue? "
      "[y/N] ";

  const ProcessResult declined = RunOnTerminal(*this, {"restore", dir / "set"}, "n\n", env);
  EXPECT_EQ(declined.exit_code, 1);
  EXPECT_NE(declined.out.find(question), std::string::npos) << declined.out;
  EXPECT_NE(declined.out.find("Restore cancelled."), std::string::npos) << declined.out;
  EXPECT_EQ(Ok({"list"}), "FAQ\nLater\n");

  const ProcessResult accepted = RunOnTerminal(*this, {"restore", dir / "set"}, "y\n", env);
  EXPECT_EQ(accepted.exit_code, 0);
  EXPECT_NE(accepted.out.find("Configuration restored."), std::string::npos) << accepted.out;
  EXPECT_EQ(Ok({"list"}), "FAQ\n");
}

}  // namespace
}  // namespace quorella::testing
