#include <fcntl.h>
#include <gtest/gtest.h>
#include <pthread.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <filesystem>
#include <functional>
#include <thread>

#include "support/error_text.h"
#include "support/faults.h"
#include "support/temp_dir.h"
#include "util/errors.h"
#include "util/file_io.h"
#include "util/folder_lock.h"
#include "util/paths.h"
#include "util/text_lines.h"

namespace quorella {
namespace {

using testing::ReadFile;
using testing::TempDir;
using testing::WriteFile;

TEST(SplitLines, EveryKindOfLineEnd) {
  using Lines = std::vector<std::string>;
  EXPECT_EQ(SplitLines("a\r\nb\nc\rd"), (Lines{"a", "b", "c", "d"}));
  EXPECT_EQ(SplitLines("a\r\n"), (Lines{"a"}));
  EXPECT_EQ(SplitLines("a\r\n\r\n"), (Lines{"a", ""}));
  EXPECT_EQ(SplitLines(""), (Lines{}));
  EXPECT_EQ(SplitLines("\n\r"), (Lines{"", ""}));  // LF then a lone CR: two empty lines
  EXPECT_EQ(SplitLines("\r\r\n"), (Lines{"", ""}));
}

TEST(FindLineBreak, FirstCrOrLfAtOrAfterTheStart) {
  struct Case {
    std::string text;
    std::size_t from, found;
  };
  const std::string long_line(37, 'x');
  const std::vector<Case> cases = {
      {"", 0, 0},
      {"abc", 0, 3},
      {"a\r\nb", 0, 1},
      {"a\r\nb", 2, 2},
      {"a\r\nb", 3, 4},
      {long_line + "\n", 0, 37},
      {long_line + "\r", 5, 37},
      {"\t\t\t\t\t\t\t\t\x0b\x0c\x0e\x01 \xff\x8d\x8a\n", 0, 16},  // other low bytes
      {"\x8d\x8a\x8d\x8a\x8d\x8a\x8d\x8a\x8d\x8a", 0, 10},         // high bytes
      {std::string(16, 'y') + "\r" + long_line, 3, 16},
      {"abcdefgh\n", 8, 8},
  };
  for (const Case& c : cases) EXPECT_EQ(FindLineBreak(c.text, c.from), c.found) << c.text;
  // Texts are searched in blocks: a break found at every place of the first blocks, from every
  // start before it, beside a byte that is neither.
  for (std::size_t size = 1; size <= 40; ++size)
    for (std::size_t at = 0; at < size; ++at)
      for (const char line_break : {'\r', '\n'}) {
        std::string text(size, '\x0e');
        text[at] = line_break;
        for (std::size_t from = 0; from <= at; from += 7)
          EXPECT_EQ(FindLineBreak(text, from), at) << size << " " << at << " " << from;
        EXPECT_EQ(FindLineBreak(text, at + 1), size) << size << " " << at;
      }
}

TEST(ReplaceLineBreaks, EveryKindOfLineBreak) {
  EXPECT_EQ(ReplaceLineBreaks("a\r\nb\nc\rd", "\\n"), "a\\nb\\nc\\nd");
  EXPECT_EQ(ReplaceLineBreaks("\n\r\r\n\r", "\r\n"), "\r\n\r\n\r\n\r\n");
  EXPECT_EQ(ReplaceLineBreaks("\n\n", ""), "");
  EXPECT_EQ(ReplaceLineBreaks("no break", "|"), "no break");
}

TEST(IncludeTrailingSlash, Table) {
  EXPECT_EQ(IncludeTrailingSlash("/out"), "/out/");
  EXPECT_EQ(IncludeTrailingSlash("/out/"), "/out/");
  EXPECT_EQ(IncludeTrailingSlash(""), "");
  EXPECT_EQ(IncludeTrailingSlash("rel"), "rel/");
}

TEST(Paths, DirectoryAndName) {
  EXPECT_EQ(DirectoryOf("/a/b/c.dat"), "/a/b/");
  EXPECT_EQ(DirectoryOf("c.dat"), "");
  EXPECT_EQ(FileNameOf("/a/b/c.dat"), "c.dat");
}

TEST(Paths, EnvironmentChoosesTheDirectories) {
  testing::ScopedEnv home("QUORELLA_HOME", "/somewhere/app");
  testing::ScopedEnv data("XDG_DATA_HOME", "/data");
  EXPECT_EQ(ApplicationDirectory(), "/somewhere/app/");
  EXPECT_EQ(DefaultOutputDirectory(), "/somewhere/app/");
  testing::ScopedEnv config("XDG_CONFIG_HOME", "/cfg");
  EXPECT_EQ(SettingsDatabasePath(), "/cfg/quorella/settings.db");
  ::unsetenv("XDG_CONFIG_HOME");
  testing::ScopedEnv user_home("HOME", "/home/u");
  EXPECT_EQ(SettingsDatabasePath(), "/home/u/.config/quorella/settings.db");
  // Without QUORELLA_HOME (empty counts as unset) the data folder holds the documents and the
  // pages go to a folder the user can see.
  ::setenv("QUORELLA_HOME", "", 1);
  EXPECT_EQ(ApplicationDirectory(), "/data/quorella/");
  ::unsetenv("XDG_DATA_HOME");
  EXPECT_EQ(ApplicationDirectory(), "/home/u/.local/share/quorella/");
  EXPECT_EQ(DefaultOutputDirectory(), "/home/u/Quorella/");
}

TEST(Paths, TheDocumentsFolderOfUserDirsHoldsThePages) {
  TempDir dir;
  testing::ScopedEnv no_home("QUORELLA_HOME", "");
  testing::ScopedEnv user_home("HOME", dir / "home");
  testing::ScopedEnv config("XDG_CONFIG_HOME", dir / "config");
  std::filesystem::create_directories(dir / "home/Dokumente");
  std::filesystem::create_directories(dir / "elsewhere/My \"Docs\"");
  const std::string fallback = dir / "home/Quorella/";
  const struct {
    const char* user_dirs;  // nullptr: no user-dirs.dirs at all
    std::string expected;
  } cases[] = {
      {nullptr, fallback},
      {"XDG_DESKTOP_DIR=\"$HOME/Desktop\"\nXDG_DOCUMENTS_DIR=\"$HOME/Dokumente\"\n",
       dir / "home/Dokumente/Quorella/"},
      {"XDG_DOCUMENTS_DIR=\"$HOME/Dokumente/\"", dir / "home/Dokumente/Quorella/"},
      {"XDG_DOCUMENTS_DIR=\"$HOME/Missing\"\n", fallback},
      {"XDG_DOCUMENTS_DIR=\"$HOME/\"\n", fallback},  // xdg-user-dirs' way of saying "none"
      {"# XDG_DOCUMENTS_DIR=\"$HOME/Dokumente\"\n", fallback},
      {"XDG_DOCUMENTS_DIR=$HOME/Dokumente\n", fallback},  // not the file's format
  };
  for (const auto& c : cases) {
    std::filesystem::remove(dir / "config/user-dirs.dirs");
    if (c.user_dirs != nullptr) WriteFile(dir / "config/user-dirs.dirs", c.user_dirs);
    EXPECT_EQ(DefaultOutputDirectory(), c.expected) << (c.user_dirs ? c.user_dirs : "no file");
  }
  WriteFile(dir / "config/user-dirs.dirs",
            "XDG_DOCUMENTS_DIR=\"" + dir / "elsewhere/My \\\"Docs\\\"" + "\"\r\n");
  EXPECT_EQ(DefaultOutputDirectory(), dir / "elsewhere/My \"Docs\"/Quorella/");
}

TEST(Paths, InstalledFilesAUserCopyFirstThenThePrefixThenBesideTheProgram) {
  TempDir dir;
  const std::string app = dir / "app/", program = dir / "usr/bin/";
  const std::string mine = app + "quorel.hlp", installed = dir / "usr/share/quorella/quorel.hlp",
                    beside = program + "quorel.hlp";
  for (const auto& file : {mine, installed, beside}) WriteFile(file, "help");
  for (const auto& expected : {mine, installed, beside}) {
    EXPECT_TRUE(
        std::filesystem::equivalent(FindInstalledFile(app, program, "quorel.hlp"), expected));
    std::filesystem::remove(expected);
  }
  EXPECT_EQ(FindInstalledFile(app, program, "quorel.hlp"), "");
}

TEST(AppendLineToFile, CreatesThenAppendsWithCrLf) {
  TempDir dir;
  const std::string file = dir / "registry.cfg";
  EXPECT_TRUE(AppendLineToFile(file, "[\\Software]"));
  EXPECT_TRUE(AppendLineToFile(file, ""));
  EXPECT_TRUE(AppendLineToFile(file, "two\r\nlines"));
  EXPECT_EQ(ReadFile(file), "[\\Software]\r\n\r\ntwo\r\nlines\r\n");
}

TEST(AppendLineToFile, MissingFolderReturnsQuietlyAndCreatesNothing) {
  TempDir dir;
  EXPECT_FALSE(AppendLineToFile(dir / "nope/file.txt", "x"));
  EXPECT_FALSE(DirectoryExists(dir / "nope"));
}

TEST(ReplaceFileAtomically, KeepsModeReplacesLinkTargetAndMakesTheFolder) {
  TempDir dir;
  const std::string target = dir / "real.dat";
  WriteFile(target, "old");
  ASSERT_EQ(::chmod(target.c_str(), 0640), 0);
  ASSERT_EQ(::symlink(target.c_str(), (dir / "link.dat").c_str()), 0);
  ReplaceFileAtomically(dir / "link.dat", "new");
  EXPECT_EQ(ReadFile(target), "new");
  struct stat info {};
  ASSERT_EQ(::lstat((dir / "link.dat").c_str(), &info), 0);
  EXPECT_TRUE(S_ISLNK(info.st_mode));
  ASSERT_EQ(::stat(target.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0640u);
  // The first document of a fresh application directory makes the directory.
  ReplaceFileAtomically(dir / "fresh/home/FAQ.dat", "first");
  EXPECT_EQ(ReadFile(dir / "fresh/home/FAQ.dat"), "first");
}

TEST(ReplaceFileAtomically, AnyFailureLeavesTheOldFileAndNoScratch) {
  for (sys::Op op :
       {sys::Op::Open, sys::Op::Write, sys::Op::Fsync, sys::Op::Rename, sys::Op::Chmod}) {
    TempDir dir;
    const std::string file = dir / "doc.dat";
    WriteFile(file, "old content\r\n");
    {
      testing::FailNth fault(op, 1, EIO);
      EXPECT_THROW(ReplaceFileAtomically(file, "new content\r\n"), Error);
      EXPECT_TRUE(fault.fired());
    }
    EXPECT_EQ(ReadFile(file), "old content\r\n") << static_cast<int>(op);
    EXPECT_EQ(ListDirectory(dir.path()), std::vector<std::string>{"doc.dat"})
        << static_cast<int>(op);
  }
}

TEST(ReplaceFileAtomically, ErrorNamesTheFileAndTheReason) {
  TempDir dir;
  const std::string file = dir / "doc.dat";
  WriteFile(file, "x");
  testing::FailNth fault(sys::Op::Write, 1, ENOSPC);
  try {
    ReplaceFileAtomically(file, "y");
    FAIL() << "no error";
  } catch (const Error& e) {
    EXPECT_EQ(std::string(e.what()), "Cannot write file \"" + file + "\". No space left on device");
    // The errno travels with the error: a handler that words it again does not read errno after
    // the scratch file's clean-up has changed it.
    EXPECT_EQ(e.error_number(), ENOSPC);
  }
}

TEST(CreateDirectories, NestedEmptyAndBlocked) {
  TempDir dir;
  EXPECT_TRUE(CreateDirectories(dir / "a/b/c/"));
  EXPECT_TRUE(DirectoryExists(dir / "a/b/c"));
  EXPECT_TRUE(CreateDirectories(dir / "a/b/c"));
  try {
    CreateDirectories("");
    FAIL() << "no error";
  } catch (const Error& e) {
    EXPECT_STREQ(e.what(), "Unable to create directory");
  }
  WriteFile(dir / "file", "x");
  EXPECT_FALSE(CreateDirectories(dir / "file/sub"));
}

TEST(ReadFileIfExists, MissingIsNotAnError) {
  TempDir dir;
  EXPECT_FALSE(ReadFileIfExists(dir / "none").has_value());
  WriteFile(dir / "some", std::string("a\0b", 3));
  EXPECT_EQ(*ReadFileIfExists(dir / "some"), std::string("a\0b", 3));
}

// Files larger than one read of the small-file path come back whole, byte for byte, and one a
// byte over a reader's limit is refused while one at it is read; so does one of megabytes, whose
// buffer asks for huge pages.
TEST(ReadFileIfExists, LargeFilesComeBackWholeUpToTheLimit) {
  TempDir dir;
  for (const std::size_t size : {65536u + 1, 300000u, 1u << 20, (5u << 20) + 3}) {
    std::string bytes(size, '\0');
    for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>(i * 7 + i / 251);
    WriteFile(dir / "large", bytes);
    EXPECT_EQ(*ReadFileIfExists(dir / "large"), bytes) << size;
    EXPECT_EQ(ReadWholeFileAtMost(dir / "large", size), bytes) << size;
    EXPECT_EQ(ReadWholeFileAtMost(dir / "large", size - 1), std::nullopt) << size;
  }
}

// A page is left alone only when its file holds exactly its bytes: compared block by block, a
// difference anywhere, a byte more or less, or anything but a regular file makes it written.
TEST(FileHolds, ExactlyTheBytesOfARegularFile) {
  TempDir dir;
  const int folder = ::open(dir.path().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  ASSERT_GE(folder, 0);
  std::string large(200000, '\0');
  for (std::size_t i = 0; i < large.size(); ++i) large[i] = static_cast<char>(i * 13 + i / 97);
  std::string late = large;
  late[65536 + 5] ^= 1;  // in the second block
  struct Case {
    std::string held, page;
    bool holds;
  };
  for (const Case& c : std::vector<Case>{
           {"<p>page</p>", "<p>page</p>", true},
           {"<p>page</p>!", "<p>page</p>", false},
           {"<p>page</p", "<p>page</p>", false},
           {"<p>page</q>", "<p>page</p>", false},
           {"", "", true},
           {large, large, true},
           {late, large, false},
           {large + "x", large, false},
           {large.substr(0, 65536), large.substr(0, 65536), true},
       }) {
    SCOPED_TRACE(c.held.size());
    WriteFile(dir / "page.html", c.held);
    EXPECT_EQ(FileHolds(folder, "page.html", c.page, dir / "page.html"), c.holds);
    EXPECT_EQ(FileHolds(-1, dir / "page.html", c.page, dir / "page.html"), c.holds);
  }
  // Only the file itself holds a page: not a link to one that holds it, a folder or a FIFO (which
  // must not keep the comparison waiting), nor a file missing or that cannot be read.
  WriteFile(dir / "target", "<p>page</p>");
  ASSERT_EQ(::symlink((dir / "target").c_str(), (dir / "link").c_str()), 0);
  std::filesystem::create_directory(dir / "folder");
  ASSERT_EQ(::mkfifo((dir / "fifo").c_str(), 0600), 0);
  for (const char* name : {"link", "folder", "fifo", "missing"})
    EXPECT_FALSE(FileHolds(folder, name, "<p>page</p>", dir / name)) << name;
  {
    testing::FailNth fail(sys::Op::Read, 1, EIO);
    EXPECT_FALSE(FileHolds(folder, "target", "<p>page</p>", dir / "target"));
    EXPECT_TRUE(fail.fired());
  }
  ::close(folder);
}

// Whether a folder held anything when it was opened decides whether pages are looked for before
// they are created: only a folder with no entry but "." and ".." is empty, however many entries
// the first read of it brings.
TEST(OpenFolder, TellsWhetherTheFolderHeldAnything) {
  struct Case {
    const char* what;
    std::vector<std::string> names;
    bool empty;
  };
  std::vector<std::string> many;
  for (int i = 0; i < 300; ++i) many.push_back("a-page-with-a-long-name-" + std::to_string(i));
  for (const Case& c : std::vector<Case>{
           {"nothing", {}, true},
           {"one file", {"faq.html"}, false},
           {"a hidden file", {".faq.html.pages.quorella"}, false},
           {"three hundred files", many, false},
       }) {
    SCOPED_TRACE(c.what);
    TempDir dir;
    for (const std::string& name : c.names) WriteFile(dir / name, "x");
    EXPECT_EQ(OpenFolder(dir.path()).empty_when_opened(), c.empty);
  }
  TempDir dir;
  EXPECT_FALSE(OpenFolder(dir / "missing").empty_when_opened());
}

TEST(CreateEmptyFile, TruncatesAndReportsFailure) {
  TempDir dir;
  WriteFile(dir / "f", "content");
  EXPECT_TRUE(CreateEmptyFile(dir / "f"));
  EXPECT_EQ(ReadFile(dir / "f"), "");
  EXPECT_TRUE(CreateEmptyFile(dir / "missing/folders/f"));  // the first write makes the folders
  EXPECT_EQ(ReadFile(dir / "missing/folders/f"), "");
  EXPECT_FALSE(CreateEmptyFile(dir / "f/g"));  // a file where the folder belongs
}

// Scratch files and folders built aside by a killed writer go with the next write to their folder;
// those of a process that still runs, and other dot files, stay. A folder goes with its files and
// folders; a link in it is neither followed nor removed, and keeps the folder.
TEST(ReplaceFileAtomically, RemovesTheScratchOfWritersThatAreGone) {
  TempDir dir;
  const pid_t gone = ::fork();
  if (gone == 0) ::_exit(0);
  ASSERT_EQ(::waitpid(gone, nullptr, 0), gone);
  const std::string dead = dir / (".FAQ.dat.tmp-" + std::to_string(gone) + "-0-1");
  const std::string alive = dir / (".FAQ.dat.tmp-" + std::to_string(::getppid()) + "-0-1");
  const std::string other = dir / ".notes.tmp-x";
  for (const auto& path : {dead, alive, other}) WriteWholeFile(path, "left over");
  const std::string dead_folder = dir / (".site.tmp-" + std::to_string(gone) + "-1-2");
  const std::string linked_folder = dir / (".site.tmp-" + std::to_string(gone) + "-2-3");
  const std::string alive_folder = dir / (".site.tmp-" + std::to_string(::getppid()) + "-1-2");
  // A dead writer's number in a name of another shape: not a name this program makes.
  const std::string other_folder = dir / (".site.tmp-" + std::to_string(gone) + "-old");
  const std::string other_file = dir / (".FAQ.dat.tmp-" + std::to_string(gone) + "-0-1-2");
  WriteWholeFile(other_file, "not ours");
  for (const auto& folder : {dead_folder, linked_folder, alive_folder, other_folder})
    WriteFile(folder + "/assets/quorella.css", "page");
  WriteFile(dir / "outside.txt", "kept");
  ASSERT_EQ(::symlink((dir / "outside.txt").c_str(), (linked_folder + "/assets/link").c_str()), 0);
  ReplaceFileAtomically(dir / "FAQ.dat", "new");
  EXPECT_FALSE(FileExists(dead));
  EXPECT_TRUE(FileExists(alive));
  EXPECT_TRUE(FileExists(other));
  EXPECT_FALSE(std::filesystem::exists(dead_folder));
  EXPECT_TRUE(FileExists(alive_folder + "/assets/quorella.css"));
  EXPECT_TRUE(FileExists(other_folder + "/assets/quorella.css"));
  EXPECT_TRUE(FileExists(other_file));
  EXPECT_FALSE(FileExists(linked_folder + "/assets/quorella.css"));
  EXPECT_TRUE(IsSymbolicLink(linked_folder + "/assets/link"));
  EXPECT_EQ(ReadFile(dir / "outside.txt"), "kept");
}

// A folder built aside is seen by nobody until it is put in place whole; it never replaces what
// took its name meanwhile, and is gone when it is not put in place.
TEST(FolderBuiltAside, AppearsWholeOrNotAtAll) {
  TempDir dir;
  auto scratch_left = [&] {
    for (const auto& entry : std::filesystem::directory_iterator(dir / "parent"))
      if (entry.path().filename().string().starts_with(".site.tmp-")) return true;
    return false;
  };
  enum class End { PutInPlace, FolderTakesTheName, Abandoned };
  for (const End end : {End::PutInPlace, End::FolderTakesTheName, End::Abandoned}) {
    SCOPED_TRACE(static_cast<int>(end));
    std::filesystem::remove_all(dir / "parent");
    const std::string site = dir / "parent/site";  // the parent is made as well
    {
      const auto aside = FolderBuiltAside::Begin(site + "/");
      ASSERT_TRUE(aside);
      EXPECT_EQ(aside->folder().path(), site + "/");
      for (const std::string name : {"faq.html", "assets/quorella.css"})
        ASSERT_TRUE(CreateGeneratedFileIn(aside->folder(), name, "bytes of " + name));
      EXPECT_FALSE(CreateGeneratedFileIn(aside->folder(), "faq.html", "again"));  // taken
      EXPECT_FALSE(std::filesystem::exists(site));
      if (end == End::FolderTakesTheName) WriteFile(site + "/mine.txt", "someone else's");
      if (end != End::Abandoned) {
        EXPECT_EQ(aside->PutInPlace(), end == End::PutInPlace);
      }
    }
    EXPECT_FALSE(scratch_left());
    if (end == End::PutInPlace) {
      EXPECT_EQ(ReadFile(site + "/faq.html"), "bytes of faq.html");
      EXPECT_EQ(ReadFile(site + "/assets/quorella.css"), "bytes of assets/quorella.css");
    }
    EXPECT_EQ(std::filesystem::exists(site), end != End::Abandoned);
    if (end == End::FolderTakesTheName) {
      EXPECT_EQ(ListDirectory(site), std::vector<std::string>{"mine.txt"});
    }
  }
  // Something with the name, or a failure that does not say "no such entry": the folder is
  // written in place.
  WriteFile(dir / "file", "x");
  EXPECT_FALSE(FolderBuiltAside::Begin(dir / "file"));
  EXPECT_FALSE(FolderBuiltAside::Begin(dir / "parent"));
  EXPECT_FALSE(FolderBuiltAside::Begin(dir / "file/site"));
  testing::FailNth fault(sys::Op::Stat, 1, EIO);
  EXPECT_FALSE(FolderBuiltAside::Begin(dir / "other"));
}

// stat, opendir and close go through the seam, so a test can fail each of them.
TEST(FileSeam, StatOpendirAndCloseCanBeFailed) {
  TempDir dir;
  WriteFile(dir / "a.txt", "x");
  // Only "not there" answers "no": any other failure must not pass for a missing entry, or pages
  // go elsewhere and a backup looks absent.
  {
    testing::FailNth fault(sys::Op::Stat, 1, ENOENT);
    EXPECT_FALSE(FileExists(dir / "a.txt"));
  }
  {
    testing::FailNth fault(sys::Op::Stat, 1, EIO);
    EXPECT_EQ(testing::ErrorOf([&] { FileExists(dir / "a.txt"); }),
              "Cannot open file \"" + dir / "a.txt" + "\". Input/output error");
  }
  {
    testing::FailNth fault(sys::Op::Stat, 1, EACCES);
    EXPECT_EQ(testing::ErrorOf([&] { DirectoryExists(dir.path()); }),
              "Cannot open file \"" + dir.path() + "\". Permission denied");
  }
  // Nor may an entry that cannot be looked at pass for none, or for no link: a page would be
  // written as new, a link replaced by a file instead of its target written.
  std::filesystem::create_symlink(dir / "a.txt", dir / "link");
  for (const std::function<void()>& look : std::initializer_list<std::function<void()>>{
           [&] { EntryStampOf(dir / "link"); }, [&] { IsSymbolicLink(dir / "link"); },
           [&] { ReplaceFileAtomically(dir / "link", "y"); }}) {
    testing::FailNth fault(sys::Op::Stat, 1, EIO);
    const std::string error = testing::ErrorOf(look);
    EXPECT_TRUE(error.ends_with("\"" + dir / "link" + "\". Input/output error")) << error;
  }
  EXPECT_TRUE(std::filesystem::is_symlink(dir / "link"));
  EXPECT_EQ(ReadFile(dir / "a.txt"), "x");
  {
    testing::FailNth fault(sys::Op::OpenDir, 1, ENOENT);
    EXPECT_TRUE(ListDirectory(dir.path()).empty());
  }
  {
    // A listing cut short would pass for the whole folder: a backup's manifest then named nothing.
    testing::FailNth fault(sys::Op::ReadDir, 1, EIO);
    EXPECT_EQ(testing::ErrorOf([&] { ListDirectory(dir.path()); }),
              "Cannot read file \"" + dir.path() + "\". Input/output error");
  }
  {
    testing::FailNth fault(sys::Op::OpenDir, 1, EACCES);
    EXPECT_EQ(testing::ErrorOf([&] { ListDirectory(dir.path()); }),
              "Cannot open file \"" + dir.path() + "\". Permission denied");
  }
  testing::FailNth fault(sys::Op::Close, 1, EIO);
  try {
    WriteWholeFile(dir / "b.txt", "y");
    FAIL() << "no error";
  } catch (const Error& e) {
    EXPECT_EQ(std::string(e.what()),
              "Cannot write file \"" + dir / "b.txt" + "\". Input/output error");
    EXPECT_EQ(e.error_number(), EIO);
  }
}

// A program the application starts (the browser showing a page) must not inherit its files.
TEST(FileSeam, EveryDescriptorIsClosedOnExec) {
  TempDir dir;
  WriteFile(dir / "a.txt", "x");
  for (const int flags : {O_RDONLY | O_NONBLOCK, O_WRONLY | O_APPEND | O_CREAT,
                          O_WRONLY | O_CREAT | O_TRUNC, O_RDONLY | O_DIRECTORY}) {
    const sys::Fd fd(sys::Open(flags & O_DIRECTORY ? dir.path() : dir / "a.txt", flags));
    ASSERT_TRUE(fd.valid()) << flags;
    EXPECT_TRUE(::fcntl(fd.get(), F_GETFD) & FD_CLOEXEC) << flags;
  }
  // The lock a command holds while it runs, found among the process's open files.
  const FolderLock lock(dir.path());
  int seen = 0;
  for (const auto& entry : std::filesystem::directory_iterator("/proc/self/fd")) {
    std::error_code error;
    if (std::filesystem::read_symlink(entry.path(), error) !=
        std::filesystem::canonical(dir.path()))
      continue;
    ++seen;
    EXPECT_TRUE(::fcntl(std::stoi(entry.path().filename().string()), F_GETFD) & FD_CLOEXEC);
  }
  EXPECT_EQ(seen, 1);
}

std::atomic<int> g_interruptions{0};

// A signal that arrives while a read waits (a handler installed without SA_RESTART) does not end
// the read: it is retried and returns the data that comes later.
TEST(FileSeam, AReadInterruptedByASignalIsRetried) {
  struct sigaction action {};
  action.sa_handler = [](int) { ++g_interruptions; };
  sigemptyset(&action.sa_mask);
  struct sigaction previous {};
  ASSERT_EQ(::sigaction(SIGUSR1, &action, &previous), 0);
  int ends[2];
  ASSERT_EQ(::pipe(ends), 0);
  const sys::Fd reading(ends[0]), writing(ends[1]);
  const pthread_t reader = ::pthread_self();
  std::thread other([&] {
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    ::pthread_kill(reader, SIGUSR1);
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    ASSERT_TRUE(sys::WriteAll(writing.get(), "data"));
  });
  char buffer[8] = {};
  const ssize_t n = sys::Read(reading.get(), buffer, sizeof buffer);
  other.join();
  ::sigaction(SIGUSR1, &previous, nullptr);
  EXPECT_EQ(g_interruptions.load(), 1);
  EXPECT_EQ(n, 4);
  EXPECT_EQ(std::string(buffer, 4), "data");
}

}  // namespace
}  // namespace quorella
