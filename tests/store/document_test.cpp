#include "store/document.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>

#include <cerrno>
#include <functional>

#include "store/answer.h"
#include "store/document_file.h"
#include "store/faq.h"
#include "store/question_sections.h"
#include "support/error_text.h"
#include "support/faults.h"
#include "support/temp_dir.h"
#include "util/cp1252.h"
#include "util/errors.h"
#include "util/file_io.h"
#include "util/folder_lock.h"
#include "util/marked_text.h"
#include "util/paths.h"
#include "util/sys_io.h"

namespace quorella {
namespace {

using testing::ReadFile;
using testing::WriteFile;
using Lines = std::vector<std::string>;

class DocumentTest : public ::testing::Test {
 protected:
  testing::TempDir dir;
  std::string doc = dir / "FAQ.dat";
};

TEST_F(DocumentTest, NewFileHoldsTheSectionWithItsEmptyLastLine) {
  WriteSection(doc, "Question 0", {"What?"});
  EXPECT_EQ(ReadFile(doc), "[Question 0]\r\nWhat?\r\n\r\n####\r\n");
  EXPECT_EQ(ReadSection(doc, "Question 0"), "What?\r\n");
}

TEST_F(DocumentTest, AppendedSectionFollowsOneEmptyLine) {
  WriteSection(doc, "AnswerHeader", {"<p>", "head"});
  WriteSection(doc, "Question 0", {"Q"});
  EXPECT_EQ(ReadFile(doc),
            "[AnswerHeader]\r\n<p>\r\nhead\r\n\r\n####\r\n"
            "\r\n[Question 0]\r\nQ\r\n\r\n####\r\n");
}

TEST_F(DocumentTest, WritingIntoAnEmptyFileStartsWithAnEmptyLine) {
  ASSERT_TRUE(CreateEmptyFile(doc));
  WriteSection(doc, "HeaderCode", {});
  EXPECT_EQ(ReadFile(doc), "\r\n[HeaderCode]\r\n\r\n####\r\n");
}

TEST_F(DocumentTest, ReplacesOnlyTheExactNumber) {
  WriteFile(doc,
            "[Question 10]\r\nten\r\n\r\n####\r\n\r\n[Question "
            "1]\r\none\r\n\r\n####\r\n\r\n[X]\r\nx\r\n\r\n####\r\n");
  WriteSection(doc, "Question 1", {"uno", "dos"});
  EXPECT_EQ(ReadFile(doc),
            "[Question 10]\r\nten\r\n\r\n####\r\n\r\n[Question "
            "1]\r\nuno\r\ndos\r\n\r\n####\r\n\r\n[X]\r\nx\r\n\r\n####\r\n");
  EXPECT_EQ(ReadSection(doc, "Question 10"), "ten\r\n");
}

TEST_F(DocumentTest, HeaderMatchIsACaseInsensitivePrefixKeepingItsSpelling) {
  WriteFile(doc, "[answer 2]extra\r\nold\r\n####\r\n");
  WriteSection(doc, "Answer 2", {"new"});
  EXPECT_EQ(ReadFile(doc), "[answer 2]extra\r\nnew\r\n\r\n####\r\n");
  EXPECT_TRUE(IsHeaderOf("[ANSWER 2]", "Answer 2"));
  EXPECT_FALSE(IsHeaderOf("[Answer 20]", "Answer 2"));
  EXPECT_FALSE(IsHeaderOf(" [Answer 2]", "Answer 2"));
}

TEST_F(DocumentTest, WritingTheSameLinesTwiceChangesNothing) {
  WriteSection(doc, "Question 0", {"Q"});
  WriteSection(doc, "Answer 0", {"0", "A", "", "B"});
  const std::string first = ReadFile(doc);
  WriteSection(doc, "Answer 0", {"0", "A", "", "B"});
  EXPECT_EQ(ReadFile(doc), first);
}

TEST_F(DocumentTest, EmptyAndOneEmptyLineSections) {
  WriteSection(doc, "Empty", {});
  WriteSection(doc, "OneEmpty", {""});
  EXPECT_EQ(ReadSection(doc, "Empty"), "");
  EXPECT_EQ(ReadSection(doc, "OneEmpty"), "\r\n");
  EXPECT_EQ(ReadSection(doc, "Missing"), "");
  EXPECT_EQ(ReadSection(dir / "no-such-file.dat", "Empty"), "");
}

TEST_F(DocumentTest, LinesOutsideSectionsAreKept) {
  WriteFile(doc, "title line\r\n[A]\r\na\r\n####\r\nbetween\r\nmore\r\n[B]\r\nb\r\n####\r\ntail");
  WriteSection(doc, "A", {"a2"});
  EXPECT_EQ(
      ReadFile(doc),
      "title line\r\n[A]\r\na2\r\n\r\n####\r\nbetween\r\nmore\r\n[B]\r\nb\r\n####\r\ntail\r\n");
}

TEST_F(DocumentTest, ReaderAcceptsEveryLineEnd) {
  WriteFile(doc, "[A]\nline 1\rline 2\r\n\n####\n");
  EXPECT_EQ(ReadSection(doc, "A"), "line 1\r\nline 2\r\n");
}

TEST_F(DocumentTest, SectionWithoutTerminatorRunsToTheEnd) {
  WriteFile(doc, "[A]\r\nx\r\ny");
  EXPECT_EQ(ReadSection(doc, "A"), "x\r\ny");
  WriteSection(doc, "A", {"z"});
  EXPECT_EQ(ReadFile(doc), "[A]\r\nz\r\n\r\n####\r\n");
}

// Without a terminator a section also ends at the next numbered or fixed header, which every
// document may hold (other bracketed lines stay in the body, "[Question ]" without a number too).
TEST_F(DocumentTest, AnUnterminatedSectionEndsAtTheNextProgramHeader) {
  const std::string content =
      "[Question 0]\r\nQ0\r\n[Other]\r\n[Question ]\r\n[Answer "
      "0]\r\n0\r\nA0\r\n[AnswerFooter]\r\nF\r\n";
  WriteFile(doc, content);
  EXPECT_EQ(ReadSection(doc, "Question 0"), "Q0\r\n[Other]\r\n[Question ]");
  EXPECT_EQ(ReadSection(doc, "Answer 0"), "0\r\nA0");
  EXPECT_EQ(ReadSection(doc, "AnswerFooter"), "F");
  EXPECT_EQ(SectionNamesIn(content), (Lines{"Question 0", "Answer 0", "AnswerFooter"}));
  WriteSection(doc, "Answer 0", {"1", "A"});
  EXPECT_EQ(ReadFile(doc),
            "[Question 0]\r\nQ0\r\n[Other]\r\n[Question ]\r\n[Answer 0]\r\n1\r\nA\r\n\r\n####\r\n"
            "[AnswerFooter]\r\nF\r\n");
  DeleteSection(doc, "Question 0");
  EXPECT_EQ(ReadFile(doc), "[Answer 0]\r\n1\r\nA\r\n\r\n####\r\n[AnswerFooter]\r\nF\r\n");
}

TEST_F(DocumentTest, DeleteDropsTheSectionAndOneLineAfterIt) {
  WriteSection(doc, "A", {"a"});
  WriteSection(doc, "B", {"b"});
  WriteSection(doc, "C", {"c"});
  DeleteSection(doc, "B");
  EXPECT_EQ(ReadFile(doc), "[A]\r\na\r\n\r\n####\r\n\r\n[C]\r\nc\r\n\r\n####\r\n");
}

TEST_F(DocumentTest, DeletingTheLastSectionKeepsTheOthers) {
  WriteFile(doc, "[A]\r\na\r\n\r\n####\r\n\r\n[B]\r\nb\r\n\r\n####");
  DeleteSection(doc, "B");
  EXPECT_EQ(ReadFile(doc), "[A]\r\na\r\n\r\n####\r\n\r\n");
  EXPECT_EQ(ReadSection(doc, "A"), "a\r\n");
}

TEST_F(DocumentTest, DeletingAMissingSectionOrFileChangesNothing) {
  const std::string content = "[A]\na\n####\n";
  WriteFile(doc, content);
  DeleteSection(doc, "B");
  EXPECT_EQ(ReadFile(doc), content);
  DeleteSection(dir / "none.dat", "A");
  EXPECT_FALSE(FileExists(dir / "none.dat"));
}

TEST_F(DocumentTest, TerminatorInsideABodyIsStoredHarmlessly) {
  WriteSection(doc, "Answer 0", {"0", "before", "####", "after"});
  WriteSection(doc, "Answer 1", {"0", "next"});
  EXPECT_EQ(ReadSection(doc, "Answer 0"), "0\r\nbefore\r\n#### \r\nafter\r\n");
  // Rewriting the section must not lose what follows the line.
  WriteSection(doc, "Answer 0", {"0", "before", "####", "after"});
  EXPECT_EQ(ReadSection(doc, "Answer 1"), "0\r\nnext\r\n");
  EXPECT_EQ(ReadSection(doc, "Answer 0"), "0\r\nbefore\r\n#### \r\nafter\r\n");
}

TEST_F(DocumentTest, HeaderLookalikesInsideABodyGetOneBlank) {
  WriteSection(doc, "Question 0", {"Q0"});
  WriteSection(doc, "Answer 0",
               {"0", "[Question 0] is me", "[question 7]", "[AnswerFooter]", "[Other]",
                "[not a header", "[Question ]", "[Answer ]"});
  WriteSection(doc, "Custom", {"c"});
  WriteSection(doc, "Answer 1", {"0", "[custom]"});
  EXPECT_EQ(ReadSection(doc, "Answer 0"),
            "0\r\n [Question 0] is me\r\n [question 7]\r\n [AnswerFooter]\r\n[Other]\r\n[not a "
            "header\r\n[Question ]\r\n[Answer ]\r\n");
  EXPECT_EQ(ReadSection(doc, "Answer 1"), "0\r\n [custom]\r\n");
  WriteSection(doc, "Question 7", {"Q7"});
  EXPECT_EQ(ReadSection(doc, "Question 7"), "Q7\r\n");
  EXPECT_EQ(ReadSection(doc, "Question 0"), "Q0\r\n");
}

TEST_F(DocumentTest, LineBreaksInsideALineBecomeLines) {
  WriteSection(doc, "A", {"one\r\ntwo\n####", "x\r\n"});
  EXPECT_EQ(ReadSection(doc, "A"), "one\r\ntwo\r\n#### \r\nx\r\n\r\n");
}

TEST_F(DocumentTest, AWindows1252DocumentStaysSoUntilACharacterDoesNotFit) {
  // Every byte from 0x80 up, as a document of the earlier build may hold them.
  std::string high;
  for (int b = 0x80; b <= 0xFF; ++b) high += static_cast<char>(b);
  const std::string earlier = "[Question 0]\r\nCaf\xE9 " + high + "\r\n\r\n####\r\n";
  WriteFile(doc, earlier);
  EXPECT_EQ(ReadSection(doc, "Question 0"), "Caf\u00E9 " + Cp1252ToUtf8(high) + "\r\n");
  WriteSection(doc, "Question 0", {"Caf\u00E9 " + Cp1252ToUtf8(high)});
  EXPECT_EQ(ReadFile(doc), earlier);  // the same text: not even rewritten
  WriteSection(doc, "Answer 0", {"0", "\u20AC \u00FF"});
  const std::string windows1252 = earlier + "\r\n[Answer 0]\r\n0\r\n\x80 \xFF\r\n\r\n####\r\n";
  EXPECT_EQ(ReadFile(doc), windows1252);

  // The first character Windows-1252 cannot hold turns the whole document into UTF-8, once.
  WriteSection(doc, "Answer 1", {"0", "\u041F\u0440\u0438\u0432\u0435\u0442 \U0001F642"});
  const std::string utf8 =
      std::string(kUtf8Mark) + Cp1252ToUtf8(windows1252) +
      "\r\n[Answer 1]\r\n0\r\n\u041F\u0440\u0438\u0432\u0435\u0442 \U0001F642\r\n\r\n####\r\n";
  EXPECT_EQ(ReadFile(doc), utf8);
  EXPECT_EQ(ReadSection(doc, "Question 0"), "Caf\u00E9 " + Cp1252ToUtf8(high) + "\r\n");
  // ... and it stays UTF-8 when the characters that needed it are gone again.
  DeleteSection(doc, "Answer 1");
  EXPECT_EQ(ReadFile(doc), std::string(kUtf8Mark) + Cp1252ToUtf8(windows1252) + "\r\n");
  SaveQuestionList(doc, {"Caf\u00E9"}, {"0\r\nx"});
  EXPECT_EQ(ReadFile(doc).substr(0, 3), kUtf8Mark);
  EXPECT_EQ(ReadSection(doc, "Question 0"), "Caf\u00E9\r\n");

  // A new document starts in Windows-1252 when it can, and in UTF-8 when it cannot.
  const std::string other = dir / "Other.dat";
  SaveQuestionList(other, {"\u65E5\u672C?"}, {"0\r\n\u0645\u0631\u062D\u0628\u0627"});
  EXPECT_EQ(ReadFile(other),
            "\xEF\xBB\xBF[Question 0]\r\n\u65E5\u672C?\r\n\r\n####\r\n"
            "\r\n[Answer 0]\r\n0\r\n\u0645\u0631\u062D\u0628\u0627\r\n\r\n####\r\n");
  // Bytes that are not UTF-8 in a marked document come back as they were.
  WriteFile(other, "\xEF\xBB\xBF[A]\r\nbad \xFF\r\n\r\n####\r\n");
  WriteSection(other, "B", {"b"});
  EXPECT_EQ(ReadFile(other),
            "\xEF\xBB\xBF[A]\r\nbad \xFF\r\n\r\n####\r\n\r\n[B]\r\nb\r\n\r\n####\r\n");
}

// A Windows-1252 document whose first line comes to begin with "ï»¿" (in Windows-1252 the bytes of
// the mark) is written as UTF-8: written as it was, it would read back as UTF-8 without those
// three characters and with its other characters broken. Both ways a document is rewritten.
TEST_F(DocumentTest, AWindows1252DocumentThatComesToBeginLikeTheMarkKeepsItsText) {
  const std::string note = "\xEF\xBB\xBF note\r\n";  // the bytes of "ï»¿ note"
  const std::string question0 = "[Question 0]\r\nCaf\xE9?\r\n\r\n####\r\n";
  const std::string answer0 = "\r\n[Answer 0]\r\n0\r\nx\r\n\r\n####\r\n";
  struct Row {
    const char* edit;
    std::string before;
    std::function<void()> run;
  };
  for (const Row& row : {
           Row{"DeleteSection", "[Note]\r\n\r\n####\r\n\r\n" + note + question0 + answer0,
               [&] { DeleteSection(doc, "Note"); }},
           Row{"DeleteLastAndSaveQuestionList",
               "[Question 1]\r\nB?\r\n\r\n####\r\n\r\n" + note + question0 + answer0 +
                   "\r\n[Answer 1]\r\n0\r\ny\r\n\r\n####\r\n",
               [&] { DeleteLastAndSaveQuestionList(doc, 2, {"Caf\u00E9?"}, {"0\r\nx"}); }},
       }) {
    WriteFile(doc, row.before);
    row.run();
    const auto after = ReadDocumentFile(doc);
    ASSERT_TRUE(after.has_value()) << row.edit;
    EXPECT_TRUE(after->text.starts_with("\u00EF\u00BB\u00BF note\r\n")) << row.edit;
    EXPECT_EQ(ReadSection(doc, "Question 0"), "Caf\u00E9?\r\n") << row.edit;
    EXPECT_EQ(ReadSection(doc, "Answer 0"), "0\r\nx\r\n") << row.edit;
  }
}

TEST_F(DocumentTest, InjectedFailuresLeaveTheOldOrTheNewDocumentAndNoScratch) {
  // A Windows-1252 byte, so that one of the writes below turns the document into UTF-8.
  WriteSection(doc, "Question 0", {"Caf\u00E9"});
  WriteSection(doc, "Answer 0", {"0", "A"});
  const std::string before = ReadFile(doc);
  const std::vector<std::function<void(const std::string&)>> actions = {
      [](const std::string& path) {
        WriteSection(path, "Answer 0", {"0", "changed"});
      },
      [](const std::string& path) {
        WriteSection(path, "Answer 9", {"0", "appended"});
      },
      [](const std::string& path) { DeleteSection(path, "Question 0"); },
      [](const std::string& path) {
        WriteSection(path, "Answer 0", {"0", "\u041F\u0440\u0438\u0432\u0435\u0442"});
      },
      [](const std::string& path) {
        SaveQuestionList(path, {"\u65E5\u672C?"}, {"0\r\n\U0001F642"});
      },
  };
  for (std::size_t a = 0; a < actions.size(); ++a) {
    testing::TempDir reference;
    WriteFile(reference / "FAQ.dat", before);
    actions[a](reference / "FAQ.dat");
    const std::string after_success = ReadFile(reference / "FAQ.dat");
    for (sys::Op op : {sys::Op::Open, sys::Op::Read, sys::Op::Write, sys::Op::Fsync,
                       sys::Op::Rename, sys::Op::Chmod}) {
      for (int nth : {1, 2}) {
        WriteFile(doc, before);
        bool failed = false;
        {
          testing::FailNth fault(op, nth, EIO);
          try {
            actions[a](doc);
          } catch (const Error&) {
            failed = true;
          }
          // A failed flush of the folder after the rename is not an error: the new version is in
          // place.
          if (!fault.fired()) {
            EXPECT_FALSE(failed) << a << " " << int(op) << " " << nth;
          }
        }
        EXPECT_EQ(ReadFile(doc), failed ? before : after_success)
            << a << " " << int(op) << " " << nth;
        EXPECT_EQ(ListDirectory(dir.path()), Lines{"FAQ.dat"}) << a << " " << int(op) << " " << nth;
      }
    }
  }
}

TEST_F(DocumentTest, AFailedRewriteReportsTheDocument) {
  WriteSection(doc, "A", {"a"});
  testing::FailNth fault(sys::Op::Rename, 1, EACCES);
  try {
    WriteSection(doc, "A", {"b"});
    FAIL() << "no error";
  } catch (const Error& e) {
    EXPECT_EQ(std::string(e.what()), "Cannot replace file \"" + doc + "\". Permission denied");
  }
  EXPECT_EQ(ReadSection(doc, "A"), "a\r\n");
}

TEST_F(DocumentTest, NothingIsWrittenToTheWorkingDirectory) {
  testing::TempDir cwd;
  char old[4096];
  ASSERT_NE(::getcwd(old, sizeof old), nullptr);
  ASSERT_EQ(::chdir(cwd.path().c_str()), 0);
  WriteSection(doc, "A", {"a"});
  WriteSection(doc, "A", {"b"});
  DeleteSection(doc, "A");
  ASSERT_EQ(::chdir(old), 0);
  EXPECT_TRUE(ListDirectory(cwd.path()).empty());
}

TEST(SectionIndex, AnswersLikeTheLinearReader) {
  const std::vector<std::string> documents = {
      "",
      "[A]\r\na\r\n####\r\n[A]\r\nsecond\r\n####\r\n",
      "[Question 10]\r\nten\r\n\r\n####\r\n[question 1]x\r\none\r\n####",
      "noise\n[B]\n\n####\n[C]\r\n[A]\r\nin C\r\n####\r\n[A]\r\n",
      "[Answer 0]\r\n2\r\n  text  \r\n\r\n\r\n####\r\n\r\n[Answer 1]\r\n",
      "[]\r\nempty name\r\n####\r\n[A]]\r\nbracket\r\n####\r\n",
      "[Question 1]\r\none\r\n[A]\r\n[answer 0]\r\nzero\r\n[Question 10]x\r\n",
      // Other spellings of a number, numbers beyond any table, mixed line ends in a body.
      "[Answer 01]\r\nleading zero\r\n####\r\n[ANSWER 1]\r\ncapitals\nlf\rcr\r\n####\r\n"
      "[Answer 99999999999]\r\nhuge\r\n####\r\n[Answer 4000]\r\nfar\r\n####\r\n"
      "[Answer 1]\r\nsecond one\r\n####\r\n[Answer 1 ]\r\nblank\r\n####\r\n",
      // Bodies ended by each kind of line, or by none, or empty; lines that look like an end.
      "[Answer 2]\r\n#### \r\n#x\r\n[B]\r\nstill two\r\n[AnswerHeader]\r\nhead\r\n####\r\n"
      "[Answer 3]\r\n####\r\n[Answer 2]\r\nagain\r\n[Question 3]\r\n[Question 2]\n\nends at the "
      "end",
  };
  const std::vector<std::string> names = {"A",           "B",
                                          "C",           "Question 1",
                                          "Question 10", "Answer 0",
                                          "Answer 1",    "",
                                          "A]",          "Z",
                                          "answer 1",    "Answer 01",
                                          "Answer 001",  "Answer 99999999999",
                                          "Answer 4000", "Answer 1 ",
                                          "Question 0",  "Answer -1",
                                          "Answer",      "Answer 2",
                                          "Answer 3",    "Question 2",
                                          "Question 3",  "AnswerHeader"};
  for (const auto& content : documents) {
    const SectionIndex index(content);
    // One scratch for every name, as a reader of many answers keeps it.
    std::string scratch = "left from before";
    for (const auto& name : names) {
      EXPECT_EQ(index.Read(name), ReadSectionFromText(content, name))
          << "[" << content << "] " << name;
      EXPECT_EQ(index.Read(name, scratch), ReadSectionFromText(content, name))
          << "[" << content << "] " << name << " (view)";
    }
    // Numbered sections read by number, numbers beyond the table included.
    for (const std::size_t n : {0, 1, 2, 3, 4, 10, 4000, 99999999}) {
      EXPECT_EQ(index.ReadQuestion(n), ReadSectionFromText(content, QuestionSectionName(n)))
          << "[" << content << "] " << n;
      EXPECT_EQ(index.ReadAnswer(n, scratch), ReadSectionFromText(content, AnswerSectionName(n)))
          << "[" << content << "] " << n;
    }
  }
}

TEST(StoredAnswer, FormatLine) {
  StoredAnswer two = ParseStoredAnswer("2\r\nline\r\n");
  EXPECT_EQ(two.format, 2);
  EXPECT_EQ(two.lines, Lines{"line"});
  StoredAnswer yes = ParseStoredAnswer("Yes\r\nmore");
  EXPECT_EQ(yes.format, 0);
  EXPECT_EQ(yes.lines, (Lines{"Yes", "more"}));
  EXPECT_EQ(AnswerText(yes), "Yes\r\nmore\r\n");
  EXPECT_EQ(ParseStoredAnswer("").format, 0);
  EXPECT_EQ(StoredAnswerText(3, {"<b>x</b>"}), "3\r\n<b>x</b>\r\n");
  EXPECT_EQ(ParseStoredAnswer("0").lines, Lines{});
}

// Another process holds the folder's lock (a writer stopped while it held it): the lock is
// exclusive, and a writer of a section waits only as long as the store would, then fails with the
// folder's "busy" message and leaves the document as it was. Once the holder is gone it writes.
TEST_F(DocumentTest, AWriterWaitsABoundedTimeForAnotherProcesssLock) {
  WriteSection(doc, "Question 0", {"Before?"});
  const std::string before = ReadFile(doc);
  int ready[2];
  ASSERT_EQ(::pipe(ready), 0);
  const pid_t holder = ::fork();
  ASSERT_GE(holder, 0);
  if (holder == 0) {
    const FolderLock lock(dir.path());
    (void)!::write(ready[1], "x", 1);
    ::pause();
    ::_exit(0);
  }
  char byte = 0;
  ASSERT_EQ(::read(ready[0], &byte, 1), 1);
  const sys::Fd folder(::open(dir.path().c_str(), O_RDONLY | O_DIRECTORY));
  EXPECT_NE(::flock(folder.get(), LOCK_SH | LOCK_NB), 0) << "the lock is not exclusive";
  SetFolderLockWait(std::chrono::milliseconds(200));
  EXPECT_EQ(testing::ErrorOf([&] { WriteSection(doc, "Question 0", {"After?"}); }),
            messages::FolderBusy(IncludeTrailingSlash(dir.path())));
  EXPECT_EQ(ReadFile(doc), before);
  ::kill(holder, SIGKILL);
  ::waitpid(holder, nullptr, 0);
  WriteSection(doc, "Question 0", {"After?"});
  EXPECT_EQ(ReadSection(doc, "Question 0"), "After?\r\n");
  SetFolderLockWait(std::chrono::milliseconds(5000));
  ::close(ready[0]);
  ::close(ready[1]);
}

}  // namespace
}  // namespace quorella
