// Hostile and bad input through quorella-cli, a test per row: each checks the exit status, the
// message and that the store (as snapshot-save writes it) and the files are what they should be.
// Failures of the file system itself (read-only, full) come through the fault seam, in-process.
#include <filesystem>
#include <map>
#include <random>

#include "cli/cli_fixture.h"
#include "html/generator.h"
#include "import/convert.h"
#include "import/working_text.h"
#include "store/faq.h"
#include "support/error_text.h"
#include "support/faults.h"
#include "util/cp1252.h"
#include "util/errors.h"

namespace quorella::testing {
namespace {

namespace fs = std::filesystem;
using Image = std::map<std::string, std::string>;

class Hostile : public CliTest {
 protected:
  // The store as snapshot-save writes it, and every file and folder of the application directory.
  Image Snapshot() {
    const std::string file = dir / "image.cfg";
    fs::remove(file);
    Ok({"snapshot-save", file});
    Image image{{"store", ReadFile(file)}};
    for (const auto& entry : fs::recursive_directory_iterator(app_dir))
      image[fs::relative(entry.path(), app_dir).string()] =
          entry.is_directory() ? "(folder)" : ReadFile(entry.path().string());
    return image;
  }

  // The command fails with exit status 1 and exactly `message`, and changes nothing.
  void ExpectRefused(const std::vector<std::string>& args, const std::string& message) {
    const Image before = Snapshot();
    const ProcessResult result = Run(args);
    EXPECT_EQ(result.exit_code, 1) << args[0];
    EXPECT_EQ(result.err, message + "\n") << args[0];
    EXPECT_EQ(result.out, "") << args[0];
    EXPECT_EQ(Snapshot(), before) << args[0];
  }

  // The command succeeds, says nothing on standard error and changes neither store nor
  // document; returns what it printed.
  std::string ExpectUnchanged(const std::vector<std::string>& args) {
    const Image before = Snapshot();
    const std::string out = Ok(args);
    Image after = Snapshot();
    std::erase_if(after, [](const auto& item) { return item.first.starts_with("site"); });
    EXPECT_EQ(after, before) << args[0];
    return out;
  }

  // The FAQ "FAQ" with `document`, `questions` counted and its pages going to app_dir + "site/".
  void MakeFaq(const std::string& document, int questions) {
    Ok({"add", "FAQ"});
    WriteFile(app_dir + "FAQ.dat", document);
    Ok({"set", "FAQ", "TotalQuestions", std::to_string(questions)});
    Ok({"set", "FAQ", "Directory", app_dir + "site/"});
  }

  AppContext InProcess() {
    return AppContext(config_dir + "/quorella/settings.db", app_dir, false);
  }
};

std::string Section(const std::string& name, const std::string& body) {
  return "[" + name + "]\r\n" + body + "\r\n\r\n####\r\n\r\n";
}

// ----- import -----

TEST_F(Hostile, ABinaryFileIsRefusedAndTouchesNoFaq) {
  MakeFaq(Section("Question 0", "Kept?"), 1);
  std::string bytes(65536, '\0');
  std::mt19937 random(7);
  for (char& c : bytes) c = static_cast<char>(random() & 0xFF);
  bytes[100] = '\0';
  WriteFile(dir / "binary.bin", bytes);
  ExpectRefused(
      {"import", dir / "binary.bin", "Binary"},
      "\"" + dir / "binary.bin" + "\" is not a text file (it holds NUL bytes); nothing was read.");
}

TEST_F(Hostile, A100MiBFileIsRefusedWhole) {
  MakeFaq(Section("Question 0", "Kept?"), 1);
  WriteFile(dir / "huge.txt", "");
  fs::resize_file(dir / "huge.txt", 100u << 20);  // 100 MiB of NUL bytes, without the disk
  ExpectRefused({"import", dir / "huge.txt", "Huge"}, "Text exceeds memo capacity");
}

// ----- documents -----

TEST_F(Hostile, ADocumentHoldingNulBytesReadsAndGeneratesWhole) {
  const std::string question("a\0b?", 4);
  MakeFaq(Section("Question 0", question) + Section("Answer 0", std::string("3\r\nx\0y", 6)), 1);
  EXPECT_EQ(ExpectUnchanged({"questions", "FAQ"}), "1. " + question + "\n");
  ExpectUnchanged({"generate", "FAQ"});
  const std::string page = ReadFile(app_dir + "site/faq.html");
  EXPECT_NE(page.find(question), std::string::npos);
  EXPECT_NE(page.find(std::string("x\0y", 3)), std::string::npos);
}

TEST_F(Hostile, ADocumentWithLoneCrLineEndsReadsLineByLine) {
  MakeFaq("[Question 0]\rFirst\rline\r\r####\r[Question 1]\rSecond\r####\r", 2);
  EXPECT_EQ(ExpectUnchanged({"questions", "FAQ"}), "1. First\\nline\n2. Second\n");
  ExpectUnchanged({"generate", "FAQ"});
}

TEST_F(Hostile, OneMiBLinesReadAndGenerateWhole) {
  const std::string long_line(1u << 20, 'q');
  MakeFaq(Section("Question 0", long_line) + Section("Answer 0", "3\r\n" + long_line), 1);
  EXPECT_EQ(ExpectUnchanged({"questions", "FAQ"}), "1. " + long_line + "\n");
  ExpectUnchanged({"generate", "FAQ"});
  EXPECT_GT(ReadFile(app_dir + "site/faq.html").size(), 2u << 20);
}

TEST_F(Hostile, TenThousandSectionsAllRead) {
  std::string document, expected;
  for (int i = 0; i < 5000; ++i) {
    document += Section("Question " + std::to_string(i), "Q" + std::to_string(i) + "?");
    document += Section("Answer " + std::to_string(i), "0\r\nA" + std::to_string(i));
    expected += std::to_string(i + 1) + ". Q" + std::to_string(i) + "?\n";
  }
  MakeFaq(document, 5000);
  EXPECT_EQ(ExpectUnchanged({"questions", "FAQ"}), expected);
  EXPECT_EQ(ExpectUnchanged({"generate", "FAQ"}), app_dir + "site/faq.html\n");
  EXPECT_NE(ReadFile(app_dir + "site/faq.html").find("A4999"), std::string::npos);
}

// Sections without terminators end at the next question or answer header: what the commands
// print and write grows with the document, as for the same document with terminators (before,
// each body ran to the end: 90 MB listed, a 259 MB page, a 188 MB document from 87 KB).
TEST_F(Hostile, TwoThousandUnterminatedSectionsStayLinear) {
  std::string unterminated, terminated, expected;
  for (int i = 0; i < 1000; ++i) {
    const std::string n = std::to_string(i);
    unterminated +=
        "[Question " + n + "]\r\nQ" + n + "?\r\n[Answer " + n + "]\r\n0\r\nA" + n + "\r\n";
    terminated += Section("Question " + n, "Q" + n + "?") + Section("Answer " + n, "0\r\nA" + n);
    expected += std::to_string(i + 1) + ". Q" + n + "?\n";
  }
  MakeFaq(terminated, 1000);
  Ok({"generate", "FAQ"});
  const std::size_t terminated_page = ReadFile(app_dir + "site/faq.html").size();
  fs::remove_all(app_dir + "site");
  WriteFile(app_dir + "FAQ.dat", unterminated);
  EXPECT_EQ(ExpectUnchanged({"questions", "FAQ"}), expected);
  Ok({"generate", "FAQ"});
  EXPECT_EQ(ReadFile(app_dir + "site/faq.html").size(), terminated_page);
  Ok({"add-question", "FAQ", "New?"});
  EXPECT_EQ(Ok({"questions", "FAQ"}), expected + "1001. New?\n");
  // Rewritten with terminators: the size of the terminated document plus the new question.
  EXPECT_LT(ReadFile(app_dir + "FAQ.dat").size(), terminated.size() + 100);
}

TEST_F(Hostile, AHostileQuestionCountLoadsNoMoreThanTheDocumentCanHold) {
  MakeFaq(Section("Question 0", "Only?"), 2'000'000'000);
  const std::string listed = ExpectUnchanged({"questions", "FAQ"});
  // Five lines of document: the one question it holds and 1,004 empty ones.
  EXPECT_EQ(std::count(listed.begin(), listed.end(), '\n'), 5 + kQuestionsBeyondDocument);
  EXPECT_TRUE(listed.starts_with("1. Only?\n2. \n"));
  ExpectUnchanged({"generate", "FAQ"});
  EXPECT_EQ(Ok({"get", "FAQ", "TotalQuestions"}), "TotalQuestions=2000000000\n");
}

// ----- snapshots -----

TEST_F(Hostile, ASnapshotOfMalformedLinesChangesNothing) {
  MakeFaq(Section("Question 0", "Kept?"), 1);
  const std::string key = "[\\Software\\Tamsel Software\\Quorella\\FAQs\\FAQ]";
  struct Row {
    const char* kind;
    std::string lines;
  };
  const std::vector<Row> rows = {
      {"value line before the first header", "Titlestr=Before\r\n" + key + "\r\n"},
      {"line without =", key + "\r\nTitlestr\r\n"},
      {"no tag before =", key + "\r\nst=x\r\n=x\r\n"},
      {"int with hexadecimal", key + "\r\nTotalQuestionsint=$10\r\nFontSizeint=0x10\r\n"},
      {"int with blanks or trailing text", key + "\r\nTotalQuestionsint= 5\r\nFontSizeint=12x\r\n"},
      {"int beyond 32 bits", key + "\r\nTotalQuestionsint=99999999999\r\n"},
      {"binary with non-hexadecimal text", key + "\r\nBlobbin=0G\r\nOtherbin=12 34\r\n"},
      {"values under an unknown root", "[HKEY_FOO\\Software]\r\nTitlestr=Foo\r\n"},
      {"a root without a key path", "[HKEY_NOPE]\r\nTitlestr=x\r\n"},
      {"blank lines of blanks and controls", " \t\r\n\x01\x02\r\n\r\n"},
  };
  for (const Row& row : rows) {
    const std::string file = dir / "bad.cfg";
    WriteFile(file, row.lines);
    const Image before = Snapshot();
    const ProcessResult result = Run({"snapshot-load", file});
    EXPECT_EQ(result.exit_code, 0) << row.kind << ": " << result.err;
    EXPECT_EQ(result.err, "") << row.kind;
    EXPECT_EQ(Snapshot(), before) << row.kind;
  }
}

TEST_F(Hostile, AMissingSnapshotFileIsAnError) {
  ExpectRefused({"snapshot-load", dir / "missing.cfg"},
                "Cannot open file \"" + dir / "missing.cfg" + "\". No such file or directory");
}

// ----- FAQ names -----

TEST_F(Hostile, NamesThatCannotNameAFileAreRefusedEverywhere) {
  MakeFaq(Section("Question 0", "Kept?"), 1);
  WriteFile(dir / "in.txt", "How?\r\nSo.\r\n\r\n");
  const std::string not_a_file_name(messages::kNameNotAFileName);
  struct Row {
    std::string name, message;
  };
  for (const Row& row : {Row{"a/b", not_a_file_name}, Row{"a\\b", not_a_file_name},
                         Row{"two\nlines", not_a_file_name}, Row{"cr\rhere", not_a_file_name},
                         Row{"..", not_a_file_name}, Row{"del\x7F", not_a_file_name},
                         Row{"next\xC2\x85line", not_a_file_name},
                         Row{"Report\xE2\x80\xAE\x65xe.txt", not_a_file_name},
                         Row{std::string(10000, 'n'), std::string(messages::kNameTooLong)}}) {
    ExpectRefused({"add", row.name}, row.message);
    ExpectRefused({"duplicate", "FAQ", row.name}, row.message);
    ExpectRefused({"import", dir / "in.txt", row.name}, row.message);
  }
}

// A FIFO or a link to a device as the document fails at once with a clear message, in every
// command that reads it, instead of blocking or reading until memory runs out.
TEST_F(Hostile, ADocumentThatIsNoRegularFileIsRefusedAtOnce) {
  MakeFaq(Section("Question 0", "Kept?"), 1);
  fs::remove(app_dir + "FAQ.dat");
  const std::string refused =
      "Cannot open file \"" + app_dir + "FAQ.dat\". It is not a regular file.\n";
  for (const bool fifo : {true, false}) {
    if (fifo)
      ASSERT_EQ(::mkfifo((app_dir + "FAQ.dat").c_str(), 0600), 0);
    else
      fs::create_symlink("/dev/zero", app_dir + "FAQ.dat");
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"questions", "FAQ"},
          std::vector<std::string>{"add-question", "FAQ", "New?"},
          std::vector<std::string>{"generate", "FAQ"}}) {
      const ProcessResult result = Run(args);
      EXPECT_EQ(result.exit_code, 1) << args[0];
      EXPECT_EQ(result.err, refused) << args[0];
    }
    const ProcessResult backup = Run({"backup", dir / "set"});
    EXPECT_EQ(backup.exit_code, 1);
    EXPECT_NE(backup.err.find("It is not a regular file."), std::string::npos) << backup.err;
    fs::remove(app_dir + "FAQ.dat");
  }
}

// A FIFO in place of any other file the program reads is never waited for: the list of a Go's
// pages is passed by (and replaced by the new one), a snapshot, a file to import, a backup
// manifest and the settings store fail at once.
TEST_F(Hostile, AFifoInPlaceOfAFileReadIsNeverWaitedFor) {
  MakeFaq(Section("Question 0", "Kept?"), 1);
  const std::string site = dir / "site/";
  Ok({"set", "FAQ", "Directory", site});
  fs::create_directories(site);
  const std::string list = site + ".faq.html.pages.quorella";
  ASSERT_EQ(::mkfifo(list.c_str(), 0600), 0);
  const ProcessResult go = Run({"generate", "FAQ"});
  EXPECT_EQ(go.exit_code, 0) << go.err;
  EXPECT_TRUE(fs::is_regular_file(site + "faq.html"));
  EXPECT_TRUE(fs::is_regular_file(list));

  Ok({"backup", dir / "set"});
  ASSERT_TRUE(fs::remove(dir / "set/manifest.sha256"));
  for (const std::string& fifo : {dir / "fifo.cfg", dir / "fifo.txt", dir / "set/manifest.sha256"})
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"snapshot-load", dir / "fifo.cfg"},
        std::vector<std::string>{"import", dir / "fifo.txt", "New"},
        std::vector<std::string>{"restore", dir / "set", "--yes"}}) {
    const ProcessResult result = Run(args);
    EXPECT_EQ(result.exit_code, 1) << args[0];
    EXPECT_NE(result.err.find("It is not a regular file."), std::string::npos) << result.err;
  }
  EXPECT_EQ(Ok({"list"}), "FAQ\n");

  const std::string store = config_dir + "/quorella/settings.db";
  ASSERT_TRUE(fs::remove(store));
  ASSERT_EQ(::mkfifo(store.c_str(), 0600), 0);
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"list"}, std::vector<std::string>{"add", "New"}}) {
    const ProcessResult result = Run(args);
    EXPECT_EQ(result.exit_code, 1) << args[0];
    EXPECT_EQ(result.err,
              "Cannot read the settings store \"" + store + "\". It is not a regular file.\n");
  }
}

// A FAQ key named like a path, loaded from a snapshot, never reaches the store or a path.
TEST_F(Hostile, ASnapshotFaqNameThatIsNoFileNameIsSkipped) {
  WriteFile(dir / "victim/important.dat", "precious");
  WriteFile(dir / "evil.cfg",
            "[\\Software\\Tamsel Software\\Quorella\\FAQs\\../victim/important]\r\n"
            "TotalQuestionsint=1\r\n\r\n[\\Software\\Tamsel Software\\Quorella\\FAQs\\Fine]\r\n"
            "Titlestr=ok\r\n");
  const ProcessResult load = Run({"snapshot-load", dir / "evil.cfg"});
  EXPECT_EQ(load.exit_code, 1);
  EXPECT_EQ(load.err,
            "The FAQ \"../victim/important\" was skipped: its name cannot name a document file.\n");
  EXPECT_EQ(Ok({"list"}), "Fine\n");
  EXPECT_EQ(Run({"questions", "../victim/important"}).exit_code, 1);
  EXPECT_EQ(Run({"delete", "../victim/important"}).exit_code, 1);
  EXPECT_EQ(ReadFile(dir / "victim/important.dat"), "precious");
}

// ----- output directories -----

TEST_F(Hostile, AnOutputDirectoryThatIsAFileFailsWithTheSystemsReason) {
  MakeFaq(Section("Question 0", "Kept?"), 1);
  WriteFile(app_dir + "site", "a file");
  ExpectRefused({"generate", "FAQ"},
                "Cannot create file \"" + app_dir + "site/faq.html\". Not a directory");
}

// A page set pointed at a folder of the user's own (a restored set with Directory = home): a
// hidden name is refused like one with "/", and a file of that name that is no page stops the Go
// before anything is written; a page that is there already, or a file of the set, is replaced.
TEST_F(Hostile, AGoNeverTurnsAFileOfTheUsersIntoAPage) {
  MakeFaq(Section("Question 0", "Kept?"), 1);
  const std::string home = app_dir + "site/";
  fs::create_directories(home);
  WriteFile(home + ".profile", "export PATH\n");
  WriteFile(home + "notes.txt", "my notes\n");
  for (const std::string style : {"0", "1"}) {
    SCOPED_TRACE(style);
    Ok({"set", "FAQ", "PageStyle", style});
    Ok({"set", "FAQ", "StartPage", ".profile"});
    ExpectRefused({"generate", "FAQ"}, messages::PageNameRefused(".profile"));
    Ok({"set", "FAQ", "StartPage", "notes.txt"});
    ExpectRefused({"generate", "FAQ"},
                  messages::CannotCreateFile(home + "notes.txt", messages::kNotAPage));
  }
  EXPECT_EQ(ReadFile(home + ".profile"), "export PATH\n");
  EXPECT_EQ(ReadFile(home + "notes.txt"), "my notes\n");
  // A page, or the set's own style sheet of another version, is there under the set's names.
  WriteFile(home + "index.html", "\xEF\xBB\xBF\n  <!doctype html><p>an older page</p>");
  WriteFile(home + "quorella.css", ":root{color-scheme:light dark;--bg:#000}");
  Ok({"set", "FAQ", "StartPage", "index.html"});
  Ok({"generate", "FAQ"});
  EXPECT_NE(ReadFile(home + "index.html").find("Kept?"), std::string::npos);
  EXPECT_NE(ReadFile(home + "quorella.css"), ":root{color-scheme:light dark;--bg:#000}");
}

// A read-only or full file system, through the seam: the run stops at the first page with the
// system's reason, and the pages of the earlier run stay whole.
TEST_F(Hostile, AReadOnlyOrFullOutputDirectoryKeepsTheEarlierPages) {
  MakeFaq(Section("Question 0", "Old?"), 1);
  Ok({"set", "FAQ", "Layout", "1"});
  Ok({"generate", "FAQ"});
  const std::string old_page = ReadFile(app_dir + "site/question.html");
  WriteFile(app_dir + "FAQ.dat", Section("Question 0", "New?"));
  Ok({"set", "FAQ", "Title", "New"});  // every page changes, the frameset page first
  struct Row {
    sys::Op op;
    std::string under;
    int error;
  };
  AppContext context = InProcess();
  const Faq faq = LoadFaq(context, "FAQ");
  for (const Row& row :
       {Row{sys::Op::Open, app_dir + "site/", EACCES}, Row{sys::Op::Open, app_dir + "site/", EROFS},
        Row{sys::Op::Write, "", ENOSPC}}) {
    const Image before = Snapshot();
    std::string error;
    {
      FailUnder fault(row.op, row.under, row.error);
      error = ErrorOf([&] { html::Go(faq, "<banner>"); });
    }
    EXPECT_EQ(error, "Cannot create file \"" + app_dir + "site/faq.html\". " +
                         messages::SystemReason(row.error));
    EXPECT_EQ(Snapshot(), before);
    EXPECT_EQ(ReadFile(app_dir + "site/question.html"), old_page);
  }
}

// ----- backup directories -----

TEST_F(Hostile, TheApplicationDirectoryIsNeverABackupDirectory) {
  MakeFaq(Section("Question 0", "Kept?"), 1);
  const std::string message = messages::BackupDirectoryHoldsApplication(app_dir);
  ExpectRefused({"backup", app_dir}, message);
  ExpectRefused({"restore", app_dir, "--yes"}, message);
  const std::string parent = fs::path(app_dir).parent_path().parent_path().string() + "/";
  ExpectRefused({"backup", parent}, messages::BackupDirectoryHoldsApplication(parent));
}

}  // namespace
}  // namespace quorella::testing
