#include "html/generator.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <set>
#include <thread>

#include "html/answer_formats.h"
#include "html/banner.h"
#include "html/faq_fixture.h"
#include "html/intact_files.h"
#include "html/manifest.h"
#include "html/page.h"
#include "html/page_fingerprints.h"
#include "html/page_parts.h"
#include "store/document.h"
#include "support/faults.h"
#include "util/errors.h"
#include "util/file_io.h"
#include "util/fingerprint.h"
#include "util/text_lines.h"

namespace quorella::html {
namespace {

using testing::FaqBuilder;
using testing::PageLines;
using testing::ReadFile;
using testing::SampleQuestions;
using Names = std::vector<std::string>;

const std::string kBanner = BuildBanner("http://www.tamsel.example/");

class GeneratorTest : public ::testing::Test {
 protected:
  FaqBuilder Builder(std::int32_t layout, std::int32_t answers_page, std::size_t questions) {
    FaqBuilder builder(dir);
    builder.Set(FaqValue::Layout, layout).Set(FaqValue::AnswersPage, answers_page);
    for (auto& entry : SampleQuestions(questions)) builder.Add(std::move(entry));
    return builder;
  }
  std::string Out(const std::string& name) const { return dir / "out/" + name; }
  Names Paths(const Names& names) const {
    Names paths;
    for (const auto& name : names) paths.push_back(Out(name));
    return paths;
  }

  testing::TempDir dir;
};

TEST_F(GeneratorTest, WorkedExampleStartPageLineByLine) {
  FaqBuilder builder(dir);
  builder.Add({"Q1?", {"0", "A1"}});
  const Names written = Go(builder.Build(), kBanner);
  ASSERT_EQ(written, Paths({"faq.html"}));
  const std::string bytes = ReadFile(Out("faq.html"));
  ASSERT_TRUE(bytes.ends_with("\r\n"));
  Names expected = {
      "<HTML>",
      "<HEAD>",
      "<TITLE>FAQ</TITLE>",
      "",
      "</HEAD>",
      "<BODY BGCOLOR=#C0C0C0 TEXT=#000000 LINK=#0000FF VLINK=#800080 ALINK=#FF0000 topmargin=0 "
      "marginheight=0>",
      "<A NAME=\"Top\"></A>",
      "",
      "<TABLE width=\"100%\" align=\"center\"><TR><TD><OL>",
      "<FONT STYLE=' font-size: 12px;'>",
      "<LI>",
      "<A HREF=\"#Answer1\">",
      "Q1?",
      "</A>",
      "<BR><BR>",
      "<BR><BR><A HREF=\"#Top\">Go to top</A>",
      "</FONT>",
      "</OL></TD></TR></TABLE>",
      "<A NAME=\"Answer1\"></A>",
      "<TABLE width=\"90%\" align=\"center\">",
      "<TR><TD BGCOLOR=\"#C0C0C0\">",
      "<FONT STYLE=' font-size: 12px; color: #000000;'>",
      "<b>1. ",
      "Q1?</b>",
      "</FONT>",
      "</TD></TR>",
      "</TABLE>",
      "<TABLE width=\"85%\" align=\"center\">",
      "<TR><TD>",
      "<FONT STYLE=' font-size: 12px;'>",
      "A1",
      "<BR><BR><A HREF=\"#Top\">Go to top</A>",
      "</FONT>",
      "</TD></TR>",
      "</TABLE>",
      "",
  };
  for (const auto& line : PageLines(kBanner + "\r\n")) expected.push_back(line);
  expected.push_back("</body>");
  expected.push_back("</HTML>");
  EXPECT_EQ(PageLines(bytes), expected);
}

TEST_F(GeneratorTest, EachLayoutWritesItsFilesInItsOrder) {
  struct Case {
    std::int32_t layout, answers_page;
    std::size_t questions;
    Names files;
  };
  for (const Case& c : std::vector<Case>{
           {kLayoutSimple, kOnePerPage, 3, {"ans1.html", "ans2.html", "ans3.html", "faq.html"}},
           {kLayoutSimple, kOnePerPage, 0, {"faq.html"}},
           {kLayoutSimple, kAllOnSamePage, 3, {"faq.html"}},
           {kLayoutFrames,
            kOnePerPage,
            3,
            {"faq.html", "question.html", "ans1.html", "ans2.html", "ans3.html", "ans0.html"}},
           {kLayoutFrames, kOnePerPage, 0, {"faq.html", "question.html", "ans0.html"}},
           {kLayoutFrames, kAllOnSamePage, 3, {"faq.html", "question.html", "answer.html"}},
           {kLayoutFrames, kAllOnSamePage, 0, {"faq.html", "question.html", "answer.html"}},
       }) {
    std::filesystem::remove_all(Out(""));
    const Names written = Go(Builder(c.layout, c.answers_page, c.questions).Build(), kBanner);
    EXPECT_EQ(written, Paths(c.files)) << c.layout << c.answers_page << c.questions;
    // The pages and the list of what they were made from.
    EXPECT_EQ(ListDirectory(Out("")).size(), c.files.size() + 1);
  }
}

// Holds the first page one writing thread opens until another writing thread has opened one, so
// that a later batch of pages is written before an earlier one.
class WriterHeldBack : public sys::FaultInjector {
 public:
  WriterHeldBack() { sys::SetFaultInjector(this); }
  ~WriterHeldBack() override { sys::SetFaultInjector(nullptr); }
  int Check(sys::Op op, std::string_view) override {
    const std::thread::id me = std::this_thread::get_id();
    if (op != sys::Op::Open || me == maker_) return 0;
    std::unique_lock lock(mutex_);
    if (held_ == std::thread::id()) {
      held_ = me;
      // The limit only keeps a fault from hanging the suite.
      changed_.wait_for(lock, std::chrono::seconds(20), [&] { return passed_; });
    } else if (me != held_ && !passed_) {
      passed_ = true;
      changed_.notify_all();
    }
    return 0;
  }
  // Other threads' calls must reach Check while one waits in it.
  bool ThreadSafe() const override { return true; }
  bool passed() {
    const std::lock_guard lock(mutex_);
    return passed_;
  }

 private:
  const std::thread::id maker_ = std::this_thread::get_id();
  std::mutex mutex_;
  std::condition_variable changed_;
  std::thread::id held_;
  bool passed_ = false;
};

// Status and progress follow the pages as they are made. A file is reported written once a reader
// can find it: into a folder that exists, as it is written, in the order of the set; into one that
// did not, once the whole set is in place. Larger sets are written by a thread of their own.
TEST_F(GeneratorTest, StatusAndProgressFollowThePagesAndFilesAreReportedOnceThere) {
  for (const std::size_t questions : {std::size_t{2}, std::size_t{300}})
    for (const bool folder_there : {true, false}) {
      SCOPED_TRACE(std::to_string(questions) +
                   (folder_there ? " into an existing folder" : " into a missing folder"));
      std::filesystem::remove_all(dir / "out");
      if (folder_there) std::filesystem::create_directory(dir / "out");
      const std::string total = std::to_string(questions + 3);
      Names made;
      GenerationObserver observer;
      observer.status = [&](const std::string& text) { made.push_back("status " + text); };
      observer.progress = [&](std::size_t done, std::size_t all) {
        made.push_back("progress " + std::to_string(done) + "/" + std::to_string(all));
      };
      Names written;
      bool whole_set_there = true;
      observer.written = [&](const std::string& path) {
        EXPECT_TRUE(FileExists(path)) << path;
        whole_set_there = whole_set_there && FileExists(Out("ans0.htm"));
        written.push_back(path.substr(dir.path().size()));
      };
      const Faq faq =
          Builder(kLayoutFrames, kOnePerPage, questions).Set(FaqValue::DocumentExt, "htm").Build();
      if (questions > 100 && !folder_there) {
        // Pages written out of order are still reported in the order of the set.
        WriterHeldBack held;
        Go(faq, kBanner, observer);
        EXPECT_TRUE(held.passed());
      } else {
        Go(faq, kBanner, observer);
      }
      Names expected_made{"progress 0/" + total, "progress 1/" + total, "status Writing Start Page",
                          "progress 2/" + total};
      Names expected_written{"out/faq.html", "out/question.html"};
      for (std::size_t i = 1; i <= questions; ++i) {
        const std::string page = "ans" + std::to_string(i) + ".htm";
        expected_made.push_back("status Writing " + page);
        expected_made.push_back("progress " + std::to_string(i + 2) + "/" + total);
        expected_written.push_back("out/" + page);
      }
      expected_made.push_back("progress " + total + "/" + total);
      expected_written.push_back("out/ans0.htm");
      EXPECT_EQ(made, expected_made);
      EXPECT_EQ(written, expected_written);
      // A large set into an existing folder reports its first pages before the last is made.
      EXPECT_EQ(whole_set_there, !folder_there || questions < 100);
    }
}

// A missing output folder is built aside and renamed into place; a folder that takes its name
// meanwhile is never replaced, nor is the set lost on a file system that cannot rename without
// replacing: the set is then made into the folder as into any other.
TEST_F(GeneratorTest, AFolderThatAppearsWhileTheSetIsBuiltIsKept) {
  class AtTheRename : public sys::FaultInjector {
   public:
    AtTheRename(std::string site, int error) : site_(std::move(site)), error_(error) {
      sys::SetFaultInjector(this);
    }
    ~AtTheRename() override { sys::SetFaultInjector(nullptr); }
    int Check(sys::Op op, std::string_view path) override {
      if (op != sys::Op::Rename || path != site_) return 0;
      if (error_ == EEXIST) testing::WriteFile(site_ + "/mine.txt", "someone else's");
      return error_;
    }

   private:
    std::string site_;
    int error_;
  };
  for (const std::int32_t style : {kPageStyleClassic, kPageStyleModern}) {
    FaqBuilder builder = Builder(kLayoutSimple, kOnePerPage, 3);
    builder.Set(FaqValue::PageStyle, style);
    const Faq faq = builder.Build();
    std::filesystem::remove_all(Out(""));
    const Names fresh = Go(faq, kBanner);
    std::map<std::string, std::string> expected;
    for (const std::string& name : ListDirectory(Out(""))) expected[name] = ReadFile(Out(name));
    for (const int error : {EEXIST, EINVAL}) {
      SCOPED_TRACE(std::to_string(style) + ", " + std::to_string(error));
      std::filesystem::remove_all(Out(""));
      Names reported;
      GenerationObserver observer;
      observer.written = [&](const std::string& path) { reported.push_back(path); };
      Names written;
      {
        AtTheRename rename(dir / "out", error);
        written = Go(faq, kBanner, observer);
      }
      EXPECT_EQ(written, fresh);
      EXPECT_EQ(reported, fresh);
      std::map<std::string, std::string> now;
      for (const std::string& name : ListDirectory(Out("")))
        if (name != "mine.txt") now[name] = ReadFile(Out(name));
      for (auto* files : {&expected, &now})
        for (auto& [name, bytes] : *files)
          if (name.ends_with(".quorella")) bytes = "";  // stamps differ from run to run
      EXPECT_EQ(now, expected);
      EXPECT_EQ(FileExists(Out("mine.txt")), error == EEXIST);
      for (const std::string& name : ListDirectory(dir.path()))
        EXPECT_EQ(name.find(".tmp-"), std::string::npos) << name;
    }
  }
}

TEST_F(GeneratorTest, DirectoryWithOrWithoutTrailingSlashGivesTheSamePaths) {
  for (const std::string& directory : {dir / "site", dir / "site/"}) {
    std::filesystem::remove_all(dir / "site");  // else the second Go finds nothing to change
    const Faq faq =
        Builder(kLayoutSimple, kOnePerPage, 1).Set(FaqValue::Directory, directory).Build();
    EXPECT_EQ(Go(faq, kBanner), (Names{dir / "site/ans1.html", dir / "site/faq.html"}));
    EXPECT_EQ(StartPagePath(faq.values), dir / "site/faq.html");
  }
}

TEST_F(GeneratorTest, StartPageKeepsItsOwnExtension) {
  const Faq faq = Builder(kLayoutSimple, kOnePerPage, 2)
                      .Set(FaqValue::StartPage, "index.php")
                      .Set(FaqValue::DocumentExt, "shtml")
                      .Set(FaqValue::AnswerSubPagePrefix, "a-")
                      .Build();
  EXPECT_EQ(Go(faq, kBanner), Paths({"a-1.shtml", "a-2.shtml", "index.php"}));
  EXPECT_NE(ReadFile(Out("a-1.shtml")).find("<A HREF=\"index.php\">Questions</A> | \r\n"),
            std::string::npos);
  EXPECT_NE(ReadFile(Out("index.php")).find("<A HREF=\"a-2.shtml\">\r\n"), std::string::npos);
}

TEST_F(GeneratorTest, ASecondRunWithFewerQuestionsLeavesOldSubPages) {
  Go(Builder(kLayoutSimple, kOnePerPage, 3).Build(), kBanner);
  const std::string old_third = ReadFile(Out("ans3.html"));
  testing::TempDir other;
  FaqBuilder smaller(other);
  smaller.Set(FaqValue::Directory, Out("")).Set(FaqValue::AnswersPage, kOnePerPage);
  for (auto& entry : SampleQuestions(1)) smaller.Add(std::move(entry));
  EXPECT_EQ(Go(smaller.Build(), kBanner), Paths({"ans1.html", "faq.html"}));
  EXPECT_EQ(ListDirectory(Out("")),
            (Names{".faq.html.pages.quorella", "ans1.html", "ans2.html", "ans3.html", "faq.html"}));
  EXPECT_EQ(ReadFile(Out("ans3.html")), old_third);
  // The rewritten first page no longer links to a next one.
  EXPECT_EQ(ReadFile(Out("ans1.html")).find("Next"), std::string::npos);
}

TEST_F(GeneratorTest, EmptyDirectoryFailsBeforeAnythingIsWritten) {
  const Faq faq = Builder(kLayoutFrames, kOnePerPage, 1).Set(FaqValue::Directory, "").Build();
  testing::CountCalls calls;
  try {
    Go(faq, kBanner);
    FAIL() << "no error";
  } catch (const Error& e) {
    EXPECT_EQ(std::string(e.what()), "Unable to create directory");
  }
  EXPECT_EQ(calls.count(sys::Op::Open), 0);
  EXPECT_EQ(StartPagePath(faq.values), "faq.html");  // "View in browser" uses the bare name
}

// Page names are plain file names, a link in the output folder is replaced by the page itself, and
// no page replaces a FAQ document; a refused set writes nothing.
TEST_F(GeneratorTest, PagesNeverLandOutsideTheOutputFolder) {
  struct Row {
    FaqValue value;
    std::string name;
    std::int32_t layout;
  };
  for (const Row& row :
       {Row{FaqValue::StartPage, "../escape.html", kLayoutSimple},
        Row{FaqValue::StartPage, "sub/page.html", kLayoutSimple},
        Row{FaqValue::StartPage, "..", kLayoutSimple}, Row{FaqValue::StartPage, "", kLayoutSimple},
        Row{FaqValue::QuestionPageName, "../q.html", kLayoutFrames},
        Row{FaqValue::AnswerSubPagePrefix, "../a", kLayoutSimple}}) {
    const Faq faq =
        Builder(row.layout,
                row.value == FaqValue::AnswerSubPagePrefix ? kOnePerPage : kAllOnSamePage, 1)
            .Set(row.value, row.name)
            .Build();
    try {
      Go(faq, kBanner);
      ADD_FAILURE() << row.name;
    } catch (const Error& e) {
      EXPECT_NE(std::string(e.what()).find("cannot be used"), std::string::npos) << e.what();
    }
    EXPECT_FALSE(std::filesystem::exists(dir / "escape.html"));
    EXPECT_FALSE(std::filesystem::exists(Out("")));
  }

  // The FAQ's own document as the start page, in the application folder.
  const Faq own = Builder(kLayoutSimple, kAllOnSamePage, 1)
                      .Set(FaqValue::Directory, dir.path())
                      .Set(FaqValue::StartPage, "FAQ.dat")
                      .Build();
  const std::string document = ReadFile(own.document_path);
  EXPECT_THROW(Go(own, kBanner), Error);
  EXPECT_EQ(ReadFile(own.document_path), document);

  // A link in the output folder: the page takes its place, the target stays.
  std::filesystem::create_directories(Out(""));
  WriteWholeFile(dir / "victim.txt", "keep me");
  std::filesystem::create_symlink(dir / "victim.txt", Out("faq.html"));
  Go(Builder(kLayoutSimple, kAllOnSamePage, 1).Build(), kBanner);
  EXPECT_EQ(ReadFile(dir / "victim.txt"), "keep me");
  EXPECT_FALSE(std::filesystem::is_symlink(Out("faq.html")));
  EXPECT_NE(ReadFile(Out("faq.html")).find("<HTML>"), std::string::npos);
}

TEST_F(GeneratorTest, GoCreatesTheDirectoryWithItsParents) {
  const std::string deep = dir / "a/b/c";
  EXPECT_EQ(
      Go(Builder(kLayoutSimple, kAllOnSamePage, 1).Set(FaqValue::Directory, deep).Build(), kBanner),
      (Names{deep + "/faq.html"}));
}

// The pages before the one that fails stay, reported; none after it is written. Larger sets are
// written by a thread of their own. A failure in the first batch is tried a number of times: the
// thread once let the failure show before the pages it had written in that batch, now and then.
TEST_F(GeneratorTest, AFileThatCannotBeCreatedStopsTheRun) {
  std::vector<std::size_t> rows(20, 1);
  rows.push_back(250);
  for (const std::size_t failing : rows) {
    SCOPED_TRACE(failing);
    std::filesystem::remove_all(Out(""));
    const Faq faq = Builder(kLayoutFrames, kOnePerPage, 300).Build();
    std::filesystem::create_directories(Out(""));
    // The document, the previous run's list and the output folder are opened first, then the
    // start page and the question page.
    testing::FailNth fault(sys::Op::Open, static_cast<int>(5 + failing), EACCES);
    Names written;
    GenerationObserver observer;
    observer.written = [&](const std::string& path) { written.push_back(path); };
    try {
      GeneratePages(faq, kBanner, observer);
      FAIL() << "no error";
    } catch (const Error& e) {
      EXPECT_EQ(std::string(e.what()), "Cannot create file \"" +
                                           Out("ans" + std::to_string(failing) + ".html") +
                                           "\". Permission denied");
    }
    Names expected = Paths({"faq.html", "question.html"});
    for (std::size_t i = 1; i < failing; ++i)
      expected.push_back(Out("ans" + std::to_string(i) + ".html"));
    EXPECT_EQ(written, expected);
    Names there;
    for (const std::string& path : expected) there.push_back(path.substr(Out("").size()));
    std::sort(there.begin(), there.end());
    EXPECT_EQ(ListDirectory(Out("")), there);
  }
}

TEST_F(GeneratorTest, AFileThatCannotBeWrittenStopsTheRun) {
  const Faq faq = Builder(kLayoutSimple, kOnePerPage, 2).Build();
  std::filesystem::create_directories(Out(""));
  testing::FailNth fault(sys::Op::Write, 2, ENOSPC);
  try {
    GeneratePages(faq, kBanner);
    FAIL() << "no error";
  } catch (const Error& e) {
    EXPECT_EQ(std::string(e.what()),
              "Cannot create file \"" + Out("ans2.html") + "\". No space left on device");
  }
  EXPECT_FALSE(FileExists(Out("faq.html")));
}

TEST_F(GeneratorTest, ADirectoryThatCannotBeMadeShowsAtTheFirstFile) {
  testing::WriteFile(dir / "plain", "a file, not a folder");
  const Faq faq =
      Builder(kLayoutSimple, kAllOnSamePage, 1).Set(FaqValue::Directory, dir / "plain/out").Build();
  try {
    Go(faq, kBanner);
    FAIL() << "no error";
  } catch (const Error& e) {
    EXPECT_EQ(std::string(e.what()),
              "Cannot create file \"" + dir / "plain/out/faq.html" + "\". Not a directory");
  }
}

// A document the FAQ keeps from its loading serves a Go while the file is still that version; once
// the file changed, the Go reads it again.
TEST_F(GeneratorTest, AKeptDocumentServesOnlyWhileTheFileIsThatVersion) {
  FaqBuilder builder(dir);
  builder.Set(FaqValue::AnswersPage, kAllOnSamePage);
  builder.Add({"one", {"0", "as the file says"}});
  Faq faq = builder.Build();
  const std::string as_read =
      "[Question 0]\r\none\r\n####\r\n[Answer 0]\r\n0\r\nas it was read\r\n####\r\n";
  faq.document = std::make_shared<const DocumentAsRead>(
      DocumentAsRead{as_read, std::make_shared<const SectionIndex>(as_read)});
  faq.document_stamp = DocumentStampOf(faq);
  Go(faq, kBanner);
  EXPECT_NE(ReadFile(Out("faq.html")).find("as it was read"), std::string::npos);
  WriteSection(faq.document_path, "Answer 0", {"0", "as written since"});
  Go(faq, kBanner);
  EXPECT_NE(ReadFile(Out("faq.html")).find("as written since"), std::string::npos);
}

// The window's question list can be older than a document another process wrote: a Go from it
// makes a set of its own, which the next Go from the document's questions makes again.
TEST_F(GeneratorTest, AGoFromQuestionsTheDocumentDoesNotHoldIsMadeAgainFromTheDocument) {
  FaqBuilder builder(Builder(kLayoutSimple, kOnePerPage, 3));
  const Faq stored = builder.Build();
  Faq older = stored;
  older.questions[1] = "An older second question?";
  Go(older, kBanner);
  EXPECT_NE(ReadFile(Out("faq.html")).find("An older second question?"), std::string::npos);
  EXPECT_EQ(Go(stored, kBanner), Paths({"ans2.html", "faq.html"}));
  EXPECT_EQ(ReadFile(Out("faq.html")).find("An older second question?"), std::string::npos);
  EXPECT_EQ(Go(stored, kBanner), Names{});
}

// Answers come from one read of the document, giving what a section-by-section read gives even
// for odd documents: repeated headers (the first wins), other spellings, text after the bracket.
TEST_F(GeneratorTest, TheDocumentIsReadOnceAndAnswersMatchSectionReads) {
  FaqBuilder builder(dir);
  builder.Set(FaqValue::AnswersPage, kOnePerPage);
  builder.Add({"one", {"0", "first"}});
  builder.RawSection("[Answer 0]", {"2", "a later copy"});
  builder.RawSection("[answer 1]extra", {"1", "second"});
  builder.Add({"two", {"0", "hidden by the header above"}});
  builder.Add({"three", {}});
  builder.RawSection("[Answer 10]", {"3", "<not answer 1>"});
  builder.Add({"four", {"3"}});
  const Faq faq = builder.Build();
  std::filesystem::create_directories(Out(""));
  {
    testing::CountCalls calls;
    EXPECT_EQ(GeneratePages(faq, kBanner).size(), 5u);
    // The document once, the previous run's list, the output folder, five pages and the new list.
    EXPECT_EQ(calls.count(sys::Op::Open), 9);
  }
  for (std::size_t i = 1; i <= 4; ++i) {
    const std::string page = ReadFile(Out("ans" + std::to_string(i) + ".html"));
    const auto rendered =
        RenderStoredAnswer(ReadSection(faq.document_path, AnswerSectionName(i - 1)));
    ASSERT_TRUE(rendered.has_value());
    EXPECT_NE(
        page.find("<TR><TD>\r\n<FONT STYLE=' font-size: 12px;'>\r\n" + *rendered + "\r\n</FONT>"),
        std::string::npos)
        << i;
  }
  EXPECT_NE(ReadFile(Out("ans2.html")).find("second<br>"), std::string::npos);
}

TEST_F(GeneratorTest, AMissingDocumentGivesEmptyAnswersAndSections) {
  FaqBuilder builder(dir);
  Faq faq = builder.Build();
  faq.questions = {"Q?"};
  faq.document_path = dir / "missing.dat";
  Go(faq, kBanner);
  EXPECT_NE(ReadFile(Out("faq.html"))
                .find("<TR><TD>\r\n<FONT STYLE=' font-size: 12px;'>\r\n\r\n<BR><BR>"),
            std::string::npos);
  EXPECT_FALSE(FileExists(dir / "missing.dat"));
}

}  // namespace
}  // namespace quorella::html

namespace quorella::html {
namespace {

std::int64_t ModifiedNanoseconds(const std::string& path) {
  struct stat info {};
  EXPECT_EQ(::stat(path.c_str(), &info), 0) << path;
  return static_cast<std::int64_t>(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec;
}

// Makes every file of the folder look a day old, so that a rewrite shows in its time stamp.
void AgeFiles(const std::string& folder) {
  for (const auto& entry : std::filesystem::directory_iterator(folder))
    std::filesystem::last_write_time(
        entry.path(), std::filesystem::last_write_time(entry.path()) - std::chrono::hours(24));
}

// A page is written over what the Go saw at its name a moment ago, without looking again: whatever
// happened to the file since, the page ends up there whole, as a file of its own, and a file that
// already holds its bytes is left as it is.
TEST(WritePageFileStamped, WhatWasSeenBeforeTheFileChangedNeverKeepsThePageOut) {
  testing::TempDir dir;
  const OpenFolder folder(dir.path() + "/");
  const std::string page = "<p>the page</p>", path = dir / "page.html";
  struct Case {
    const char* since;  // what happened to the file after it was seen
    std::function<void()> change;
    bool seen_of_page_size;  // seen as a file of the page's size, which is read to compare
    bool written;
  };
  for (const Case& c : std::vector<Case>{
           {"nothing", [] {}, false, true},
           {"removed", [&] { RemoveFile(path); }, false, true},
           {"removed, seen of the page's size", [&] { RemoveFile(path); }, true, true},
           {"edited to the page", [&] { WriteWholeFile(path, page); }, true, false},
           {"edited to other bytes of the page's size",
            [&] { WriteWholeFile(path, "<p>the gape</p>"); }, true, true},
           {"replaced by a link to the page",
            [&] {
              RemoveFile(path);
              WriteWholeFile(dir / "target", page);
              ASSERT_EQ(::symlink((dir / "target").c_str(), path.c_str()), 0);
            },
            true, true},
       }) {
    SCOPED_TRACE(c.since);
    WriteWholeFile(path, "<p>the page as it was</p>");
    const FileStamp seen = *EntryStampOf(path);
    c.change();
    const FileStamp of_page_size = {page.size(), seen.inode, seen.modified_ns, seen.changed_ns,
                                    seen.mode};
    const PageFileResult result = WritePageFileStamped(folder, "page.html", page,
                                                       c.seen_of_page_size ? &of_page_size : &seen);
    EXPECT_EQ(result.written, c.written);
    EXPECT_EQ(ReadFile(path), page);
    EXPECT_TRUE(IsRegularFile(*EntryStampOf(path)));
    if (c.written) {
      EXPECT_EQ(result.stamp.inode, EntryStampOf(path)->inode);
    }
  }
  EXPECT_EQ(ReadFile(dir / "target"), page);
}

TEST_F(GeneratorTest, ASecondGoWritesOnlyWhatChangedInEveryStyle) {
  struct Case {
    std::int32_t style, layout, answers_page;
    std::string changed_page;  // the one page that the changed second answer rewrites
  };
  for (const Case& c : std::vector<Case>{
           {kPageStyleClassic, kLayoutSimple, kOnePerPage, "ans2.html"},
           {kPageStyleClassic, kLayoutFrames, kAllOnSamePage, "answer.html"},
           {kPageStyleModern, kLayoutSimple, kOnePerPage, "ans-how-do-bold-quotes-look.html"},
           {kPageStyleModern, kLayoutSimple, kAllOnSamePage, "faq.html"},
       }) {
    SCOPED_TRACE(c.changed_page);
    testing::TempDir run_dir;
    FaqBuilder builder(run_dir);
    builder.Set(FaqValue::PageStyle, c.style)
        .Set(FaqValue::Layout, c.layout)
        .Set(FaqValue::AnswersPage, c.answers_page);
    auto questions = SampleQuestions(3);
    for (const auto& entry : questions) builder.Add(entry);
    const Faq faq = builder.Build();
    // The progress counts every file written, and the set is that many files.
    std::pair<std::size_t, std::size_t> last{};
    GenerationObserver counting;
    counting.progress = [&](std::size_t done, std::size_t total) { last = {done, total}; };
    EXPECT_FALSE(Go(faq, kBanner, counting).empty());
    std::size_t files = 0;
    for (const std::string& name : ListDirectory(builder.output_dir()))
      files += name.front() != '.';
    EXPECT_EQ(last, std::make_pair(files, files));
    // A page made again keeps the mode its owner gave it.
    ASSERT_EQ(::chmod((builder.output_dir() + c.changed_page).c_str(), 0604), 0);
    AgeFiles(builder.output_dir());
    std::map<std::string, std::int64_t> before;
    for (const std::string& name : ListDirectory(builder.output_dir()))
      before[name] = ModifiedNanoseconds(builder.output_dir() + name);

    EXPECT_EQ(Go(faq, kBanner), Names{});  // the same bytes: nothing written
    for (const auto& [name, time] : before) {
      if (name.front() != '.') {  // the list records the pages' new time stamps
        EXPECT_EQ(ModifiedNanoseconds(builder.output_dir() + name), time) << name;
      }
    }

    testing::TempDir changed_dir;
    FaqBuilder changed(changed_dir);
    changed.Set(FaqValue::Directory, builder.output_dir())
        .Set(FaqValue::PageStyle, c.style)
        .Set(FaqValue::Layout, c.layout)
        .Set(FaqValue::AnswersPage, c.answers_page);
    questions[1].answer_section.push_back("One line more.");
    for (const auto& entry : questions) changed.Add(entry);
    const Names written = Go(changed.Build(), kBanner);
    // A Modern set with pages of their own also rewrites the answers' search text.
    Names expected = {builder.output_dir() + c.changed_page};
    if (c.style == kPageStyleModern && c.answers_page == kOnePerPage)
      expected.push_back(builder.output_dir() + "faq.search.js");
    EXPECT_EQ(written, expected);
    EXPECT_EQ(EntryStampOf(builder.output_dir() + c.changed_page)->mode & 07777, 0604u);
  }
}

// Every per-FAQ value goes into the fingerprint of a Go's inputs: a value left out would let a Go
// after a change of it find nothing to make.
TEST(GoInputs, EveryPerFaqValueChangesTheFingerprint) {
  const FaqValues defaults("/out/");
  const std::uint64_t base = InputsFingerprint(defaults, kBanner, {}, 1);
  for (std::size_t i = 0; i < kFaqValueCount; ++i) {
    const auto value = static_cast<FaqValue>(i);
    FaqValues changed = defaults;
    if (Definition(value).kind == ValueKind::String)
      changed.SetText(value, changed.Text(value) + "x");
    else
      changed.SetInteger(value, changed.Integer(value) == 0 ? 1 : 0);
    EXPECT_NE(InputsFingerprint(changed, kBanner, {}, 1), base) << Definition(value).name;
  }
}

// The line a list holds for the file `name` in the folder `out` as it is now, as if a Go had
// written it.
std::string ListedLine(const std::string& out, const std::string& name) {
  const FileStamp stamp = *EntryStampOf(out + name);
  return "00000000000000aa " + std::to_string(stamp.size) + " " + std::to_string(stamp.inode) +
         " " + std::to_string(stamp.modified_ns) + " " + std::to_string(stamp.changed_ns) + " " +
         name + "\n";
}

// Changes a byte of the file in place and puts its modification time back, as an edit followed
// by `touch -r` would: only its change time tells.
void EditInPlaceKeepingTime(const std::string& path) {
  struct stat before {};
  ASSERT_EQ(::stat(path.c_str(), &before), 0);
  std::string text = ReadFile(path);
  text[text.size() / 2] = text[text.size() / 2] == 'x' ? 'y' : 'x';
  sys::Fd file(::open(path.c_str(), O_WRONLY));
  ASSERT_TRUE(sys::WriteAll(file.get(), text));
  const timespec times[2] = {before.st_atim, before.st_mtim};
  ASSERT_EQ(::futimens(file.get(), times), 0);
}

// The pages a Go opens, to compare them or to write them through their scratch files: the pages it
// makes again. A page whose inputs and file are those of the previous Go is not opened at all.
class OpenedPages : public sys::FaultInjector {
 public:
  explicit OpenedPages(std::string folder) : folder_(std::move(folder)) {
    sys::SetFaultInjector(this);
  }
  ~OpenedPages() override { sys::SetFaultInjector(nullptr); }
  int Check(sys::Op op, std::string_view path) override {
    if (op != sys::Op::Open || !path.starts_with(folder_)) return 0;
    std::string name(path.substr(folder_.size()));
    if (name.empty()) return 0;  // the folder itself, held open for the Go
    if (const std::size_t scratch = name.find(".tmp-"); name.front() == '.' && scratch != 0)
      name = name.substr(1, scratch - 1);
    if (!name.ends_with(".quorella")) pages.insert(name);
    return 0;
  }
  std::set<std::string> pages;

 private:
  std::string folder_;
};

// Parts of the previous file are copied into their places as the page is written, neighbours in
// the file at once: whatever the order of the copies and what is made between them, each lands in
// its own place; a file that no longer holds what its list says gives no page.
TEST(PreviousParts, SplicedPartsLandInTheirPlaces) {
  testing::TempDir dir;
  const std::string path = dir / "page.html";
  const std::vector<FilePart> listed = {{0, 2}, {11, 3}, {12, 4}, {13, 1}};
  struct Case {
    std::string name;
    std::vector<std::uint64_t> copies;  // 0: two bytes made here
    std::string expected;               // empty: the page cannot be had
    std::size_t stretches = 0;          // neighbours in the file are one stretch
    bool shortened = false;
  };
  for (const Case& c : std::vector<Case>{
           {"in order", {11, 12, 13}, "bbbccccd", 1},
           {"made between", {11, 0, 13}, "bbbxxd", 2},
           {"moved", {13, 12, 11}, "dccccbbb", 3},
           {"one missing", {12, 99, 11}, "ccccbbb", 2},
           {"file shortened since", {11, 12, 13}, "", 1, true},
       }) {
    SCOPED_TRACE(c.name);
    WriteWholeFile(path, "hhbbbccccd");
    PreviousParts before(sys::Fd(::open(path.c_str(), O_RDONLY)), listed);
    if (c.shortened) {
      ASSERT_EQ(::truncate(path.c_str(), 5), 0);
    }
    std::string made = "<";
    std::size_t at = 1;
    for (const std::uint64_t fingerprint : c.copies) {
      if (fingerprint == 0 || before.Splice(made.size(), at, fingerprint) == 0) {
        if (fingerprint == 0) made += "xx";
      }
      ++at;
    }
    const PageBytes page = before.TakeSpliced(made);
    EXPECT_EQ(page.stretches.size(), c.stretches);
    const std::optional<std::string> whole =
        SplicedBytes{page.made, page.from.get(), page.stretches}.Whole();
    if (c.expected.empty()) {
      EXPECT_FALSE(whole.has_value());
      continue;
    }
    ASSERT_TRUE(whole.has_value());
    EXPECT_EQ(*whole, "<" + c.expected);
  }
  // Parts that do not add up to the file's size copy nothing.
  WriteWholeFile(path, "hhbbbccccdEXTRA");
  PreviousParts longer(sys::Fd(::open(path.c_str(), O_RDONLY)), listed);
  EXPECT_EQ(longer.Splice(1, 1, 11), 0u);
}

// A list gives back what was written into it: fingerprints and records of every size (written
// as sixteen hexadecimal digits), stamps and parts; and a line edited by hand with fewer digits,
// capitals or a stray character is read as any number is, or not at all.
TEST(ManifestText, ReadsBackWhatItWrote) {
  testing::TempDir dir;
  const std::string path = dir / "list";
  const std::vector<ManifestEntry> written = {
      {"a.html", 1, {10, 2, 3, 7}, {}},
      {"b c.html", 0xFEDCBA9876543210ull, {0, 18446744073709551615ull, -5, 9}, {}},
      {"all.html", 0xFFFFFFFFFFFFFFFFull, {30, 4, 5, 11}, {{0x0123456789ABCDEFull, 10}, {0, 20}}},
  };
  WriteWholeFile(path, ManifestText("faq.html", written, 0x8000000000000001ull,
                                    {0x00000000000000FFull, 0xABCDEF0123456789ull},
                                    {0xFEDCBA9876543210ull, 0x1ull}));
  const Manifest read = ReadManifestFile(path);
  EXPECT_EQ(read.inputs, 0x8000000000000001ull);
  EXPECT_EQ(read.document, (DocumentRecord{0xFFull, 0xABCDEF0123456789ull}));
  EXPECT_EQ(read.names, (NamesRecord{0xFEDCBA9876543210ull, 0x1ull}));
  ASSERT_EQ(read.entries.size(), written.size());
  for (std::size_t i = 0; i < written.size(); ++i) {
    SCOPED_TRACE(written[i].name);
    EXPECT_EQ(read.entries[i].name, written[i].name);
    EXPECT_EQ(read.entries[i].fingerprint, written[i].fingerprint);
    EXPECT_TRUE(read.entries[i].stamp.SameVersion(written[i].stamp));
    ASSERT_EQ(read.entries[i].parts.size(), written[i].parts.size());
    for (std::size_t k = 0; k < written[i].parts.size(); ++k) {
      EXPECT_EQ(read.entries[i].parts[k].fingerprint, written[i].parts[k].fingerprint);
      EXPECT_EQ(read.entries[i].parts[k].size, written[i].parts[k].size);
    }
  }
  struct Edited {
    std::string line;
    std::uint64_t fingerprint;  // 0: the line names no file
  };
  for (const Edited& e : std::vector<Edited>{
           {"ab 10 2 3 a.html", 0xAB},
           {"00000000000000AB 10 2 3 a.html", 0xAB},
           {"000000000000000000ab 10 2 3 a.html", 0xAB},
           {"00000000000000ag 10 2 3 a.html", 0},
           {"0000000000000 0ab 10 2 3 a.html", 0},
       }) {
    SCOPED_TRACE(e.line);
    WriteWholeFile(path,
                   "# Files written by Quorella for faq.html\n"
                   "# fingerprint size inode modified name\n" +
                       e.line + "\n");
    const Manifest edited = ReadManifestFile(path);
    const bool named = !edited.entries.empty() && edited.entries[0].name == "a.html";
    EXPECT_EQ(named ? edited.entries[0].fingerprint : 0, e.fingerprint);
  }
}

// The check before a Go reads the list line by line as the Go reads it whole: it finds nothing to
// make exactly when the whole list names the inputs and every file it lists, with a fingerprint,
// is still as listed (here: the files named a.html and b.html).
TEST(ManifestCheck, FindsTheSetIntactExactlyWhenTheWholeListDoes) {
  testing::TempDir dir;
  const std::string path = dir / "list";
  const std::string head = "# Files written by Quorella for faq.html\n";
  const std::string fields = "# fingerprint size inode modified name\n";
  const std::string a = "00000000000000aa 10 1 5 a.html\n", b = "00000000000000bb 20 2 6 b.html\n";
  const std::string c_line = "00000000000000cc 20 2 6 c.html\n";
  std::string many;
  for (int i = 0; i < 10000; ++i) many += i % 2 == 0 ? a : b;
  struct Case {
    std::string name, text;
    bool intact;
  };
  for (const Case& c : std::vector<Case>{
           {"as written", head + "# inputs 0000000000000007\n" + fields + a + b, true},
           {"with parts and a document",
            head + "# inputs 0000000000000007\n# document 0000000000000001 0000000000000002\n" +
                fields + a + "# parts 1 0000000000000003\n# part 00000000000000aa 10\n" + b,
            true},
           {"other inputs", head + "# inputs 0000000000000008\n" + fields + a + b, false},
           {"inputs only after an entry", head + fields + a + "# inputs 0000000000000007\n" + b,
            false},
           {"no inputs", head + fields + a + b, false},
           {"an entry before the fields", head + "# inputs 0000000000000007\n" + a + fields + b,
            false},
           {"names alone", head + "# inputs 0000000000000007\na.html\nb.html\n", false},
           {"no fingerprint",
            head + "# inputs 0000000000000007\n" + fields + "0000000000000000 10 1 5 a.html\n",
            false},
           {"a file not as listed",
            head + "# inputs 0000000000000007\n" + fields + a + "00000000000000cc 20 2 6 c.html\n",
            false},
           {"no files", head + "# inputs 0000000000000007\n" + fields, true},
           // Long lists, at either end.
           {"long, as written", head + "# inputs 0000000000000007\n" + fields + many, true},
           {"long, a file not as listed first",
            head + "# inputs 0000000000000007\n" + fields + c_line + many, false},
           {"long, a file not as listed last",
            head + "# inputs 0000000000000007\n" + fields + many + c_line, false},
       }) {
    SCOPED_TRACE(c.name);
    WriteWholeFile(path, c.text);
    auto intact = [](std::string_view name, const FileStamp&) {
      return name == "a.html" || name == "b.html";
    };
    std::size_t count = 99;
    const std::optional<Manifest> previous = ManifestUnlessIntact(path, 7, intact, count);
    EXPECT_EQ(!previous, c.intact);
    const Manifest whole = ReadManifestFile(path);
    bool whole_intact = whole.inputs == 7;
    for (const ManifestEntry& entry : whole.entries)
      whole_intact = whole_intact && entry.fingerprint != 0 && intact(entry.name, entry.stamp);
    EXPECT_EQ(whole_intact, c.intact);
    if (previous) {
      EXPECT_EQ(previous->entries.size(), whole.entries.size());
      EXPECT_EQ(previous->inputs, whole.inputs);
    } else {
      EXPECT_EQ(count, whole.entries.size());
    }
  }
}

// The files of a list looked at on a thread of its own give what looking at them at that time
// gives: a file edited, removed or replaced by a folder since it was listed is no longer intact.
// The thread also takes the folder's sweep for the scratch of killed writers off the Go.
TEST(IntactFiles, TheThreadFindsWhatALookFinds) {
  testing::TempDir dir;
  const pid_t gone = ::fork();
  if (gone == 0) ::_exit(0);
  ASSERT_EQ(::waitpid(gone, nullptr, 0), gone);
  const std::string scratch = dir / (".a.html.tmp-" + std::to_string(gone) + "-0-1");
  WriteWholeFile(scratch, "left by a killed Go");
  const std::vector<std::string> names = {"a.html", "b.html", "c.html", "d.html", "e.html"};
  std::vector<ManifestEntry> entries;
  for (const std::string& name : names) {
    WriteWholeFile(dir / name, "page " + name);
    entries.push_back({name, 1, *EntryStampOf(dir / name), {}});
  }
  AppendToFile(dir / "b.html", "<!-- an edit -->");
  RemoveFile(dir / "c.html");
  RemoveFile(dir / "d.html");
  std::filesystem::create_directory(dir / "d.html");
  const std::vector<bool> expected = {true, false, false, false, true};
  const OpenFolder folder(dir.path() + "/");
  for (const bool thread_done : {false, true}) {
    SCOPED_TRACE(thread_done);
    IntactFiles looked(dir.path() + "/", entries);
    if (thread_done) {
      looked.Finish();
      // What the thread found stands: the files are not looked at again.
      RemoveFile(dir / "e.html");
    }
    for (std::size_t i = 0; i < names.size(); ++i)
      EXPECT_EQ(looked.Intact(folder, i), expected[i]) << names[i];
    if (thread_done) {
      // What it found is what a page made again is written over: the file as it is, not as
      // listed; nothing where nothing is.
      EXPECT_EQ(looked.Seen(0)->inode, entries[0].stamp.inode);
      EXPECT_EQ(looked.Seen(1)->size, EntryStampOf(dir / "b.html")->size);
      EXPECT_EQ(looked.Seen(2), std::nullopt);
      EXPECT_TRUE(S_ISDIR(looked.Seen(3)->mode));
    }
  }
  EXPECT_FALSE(FileExists(scratch));

  // Stopped at once, the thread reads no entry once StopLooking returns (the list may go then:
  // the sanitizer build would see a read of it), and it still sweeps the folder.
  testing::TempDir other;
  const std::string other_scratch = other / (".a.html.tmp-" + std::to_string(gone) + "-0-1");
  WriteWholeFile(other_scratch, "left by a killed Go");
  std::vector<ManifestEntry> many;
  for (int i = 0; i < 5000; ++i) many.push_back({"ans" + std::to_string(i) + ".html", 1, {}, {}});
  IntactFiles stopped(other.path() + "/", many);
  // Stopped while it looks, most likely: 5,000 lookups take longer than this.
  std::this_thread::sleep_for(std::chrono::microseconds(500));
  stopped.StopLooking();
  std::vector<ManifestEntry>().swap(many);
  stopped.Finish();
  EXPECT_FALSE(FileExists(other_scratch));
}

TEST_F(GeneratorTest, ASecondGoMakesAgainOnlyThePagesWhoseInputsChanged) {
  using Pages = std::set<std::string>;
  const Pages modern_fixed = {"quorella.css", "quorella.js", "quorella-icon.svg"};
  const std::string first = "ans-what-is-quorella.html",
                    second = "ans-how-do-bold-quotes-look.html", third = "ans-last-one.html";
  struct Case {
    std::string name;
    std::int32_t style, layout, answers_page;
    std::function<void(std::vector<testing::QuestionAndAnswer>&, FaqBuilder&, const std::string&)>
        edit;
    Pages made;  // empty: nothing
    bool everything = false;
    // Applied to the questions of both Gos.
    std::function<void(std::vector<testing::QuestionAndAnswer>&)> prepare = {};
  };
  auto answer = [](std::size_t i) {
    return [i](auto& questions, FaqBuilder&, const std::string&) {
      questions[i].answer_section.push_back("One line more.");
    };
  };
  auto question_first = [](auto& questions, FaqBuilder&, const std::string&) {
    questions.insert(questions.begin(), {"A new first question?", {"0", "A new answer."}});
  };
  auto question_removed = [](auto& questions, FaqBuilder&, const std::string&) {
    questions.erase(questions.begin() + 1);
  };
  auto questions_moved = [](auto& questions, FaqBuilder&, const std::string&) {
    std::swap(questions[1], questions[2]);
  };
  // A list edited by hand: the parts of the first and the last answer's blocks swap their sizes,
  // and the last answer changes.
  auto parts_swapped = [](const std::string& list) {
    return [list](auto& questions, FaqBuilder&, const std::string& out) {
      questions[2].answer_section.push_back("One line more.");
      std::vector<std::string> lines = SplitLines(ReadFile(out + list));
      std::vector<std::size_t> parts;
      for (std::size_t k = 0; k < lines.size(); ++k)
        if (lines[k].starts_with("# part ")) parts.push_back(k);
      ASSERT_GE(parts.size(), 4u);
      const std::size_t a = parts[1], b = parts[3];
      const std::string size_a = lines[a].substr(lines[a].rfind(' '));
      lines[a] = lines[a].substr(0, lines[a].rfind(' ')) + lines[b].substr(lines[b].rfind(' '));
      lines[b] = lines[b].substr(0, lines[b].rfind(' ')) + size_a;
      std::string text;
      for (const std::string& line : lines) text += line + "\n";
      WriteWholeFile(out + list, text);
    };
  };
  // A list of the version before inputs and parts were kept.
  auto earlier_list = [](const std::string& list) {
    return [list](auto&, FaqBuilder&, const std::string& out) {
      std::string text;
      for (const std::string& line : SplitLines(ReadFile(out + list)))
        if (!line.starts_with("# inputs ") && !line.starts_with("# part")) text += line + "\n";
      WriteWholeFile(out + list, text);
    };
  };
  // A stale list: a later Go with another answer rewrote the page, and the list of the Go before it
  // was put back. Its inputs are those of the next Go again, its stamps no longer the page's.
  auto stale_list = [](const std::string& list) {
    return [list](auto& questions, FaqBuilder& faq, const std::string& out) {
      const std::string earlier = ReadFile(out + list);
      FaqBuilder later = faq;
      auto changed = questions;
      changed[1].answer_section.push_back("One line more.");
      for (const auto& entry : changed) later.Add(entry);
      Go(later.Build(), kBanner);
      WriteWholeFile(out + list, earlier);
    };
  };
  // An answer that opens a script and leaves it open: the blocks after it are written in the
  // script's escapes, and one of them holds a character that is escaped.
  auto open_script = [](std::vector<testing::QuestionAndAnswer>& questions) {
    questions[0].answer_section = {"3", "<script>var a = 1;"};
    questions[2].answer_section.push_back("caf\xC3\xA9");
  };
  // Answers whose lines end in LF alone are put together, not read where they stand in the
  // document; a short one fits in the string itself.
  auto lf_lines = [](std::vector<testing::QuestionAndAnswer>& questions) {
    questions[0].answer_section = {"1", "ab\ncd"};
    questions[1].answer_section = {"1", "first line\nsecond line\nthird line"};
  };
  auto close_script = [](auto& questions, FaqBuilder&, const std::string&) {
    questions[0].answer_section.push_back("</script>");
  };
  auto answer_two = [](auto& questions, FaqBuilder&, const std::string&) {
    questions[1].answer_section.push_back("One line more.");
  };
  auto question_two = [](auto& questions, FaqBuilder&, const std::string&) {
    questions[1].question = "A new second question?";
  };
  // The name of the first answer's page edited in the list, which still records the names.
  auto page_name_edited = [first](auto& questions, FaqBuilder&, const std::string& out) {
    questions[1].answer_section.push_back("One line more.");
    std::string list = ReadFile(out + ".faq.html.quorella");
    const std::size_t at = list.find(" " + first + "\n");
    ASSERT_NE(at, std::string::npos);
    list.replace(at + 1, first.size(), "ans-edited.html");
    WriteWholeFile(out + ".faq.html.quorella", list);
  };
  auto nothing = [](auto&, FaqBuilder&, const std::string&) {};
  auto title = [](auto&, FaqBuilder& faq, const std::string&) {
    faq.Set(FaqValue::Title, "Another title");
  };
  auto footer = [](auto&, FaqBuilder& faq, const std::string&) {
    faq.Section(FixedSection::AnswerFooter, {"<p>another footer</p>"});
  };
  auto edited_by_hand = [](const std::string& page) {
    return [page](auto&, FaqBuilder&, const std::string& out) {
      AppendToFile(out + page, "<!-- an edit -->");
    };
  };
  auto edited_in_place = [](const std::string& page) {
    return
        [page](auto&, FaqBuilder&, const std::string& out) { EditInPlaceKeepingTime(out + page); };
  };
  auto removed = [](const std::string& page) {
    return [page](auto&, FaqBuilder&, const std::string& out) { RemoveFile(out + page); };
  };
  const std::int32_t classic = kPageStyleClassic, modern = kPageStyleModern;
  for (const Case& c : std::vector<Case>{
           {"classic: nothing", classic, kLayoutSimple, kOnePerPage, nothing, {}},
           {"classic: answer", classic, kLayoutSimple, kOnePerPage, answer_two, {"ans2.html"}},
           {"classic: question",
            classic,
            kLayoutSimple,
            kOnePerPage,
            question_two,
            {"ans2.html", "faq.html"}},
           {"classic: title", classic, kLayoutSimple, kOnePerPage, title, {}, true},
           {"classic: footer", classic, kLayoutSimple, kOnePerPage, footer, {}, true},
           {"classic: edited",
            classic,
            kLayoutSimple,
            kOnePerPage,
            edited_by_hand("ans3.html"),
            {"ans3.html"}},
           {"classic: removed",
            classic,
            kLayoutSimple,
            kOnePerPage,
            removed("ans1.html"),
            {"ans1.html"}},
           {"frames: answer", classic, kLayoutFrames, kAllOnSamePage, answer_two, {"answer.html"}},
           {"frames: question",
            classic,
            kLayoutFrames,
            kAllOnSamePage,
            question_two,
            {"question.html", "answer.html"}},
           {"frames, one per page: question",
            classic,
            kLayoutFrames,
            kOnePerPage,
            question_two,
            {"question.html", "ans2.html", "ans0.html"}},
           {"modern: nothing", modern, kLayoutSimple, kOnePerPage, nothing, {}},
           {"modern: answer",
            modern,
            kLayoutSimple,
            kOnePerPage,
            answer_two,
            {second, "faq.search.js"}},
           // The previous search text is copied around the lines of the two answers changed: before
           // the first, between them and after the last.
           {"modern: first and last answers",
            modern,
            kLayoutSimple,
            kOnePerPage,
            [](auto&questions, FaqBuilder&, const std::string&) {
              questions[0].answer_section.push_back("One line more, \"quoted\".");
              questions[2].answer_section = {"1", "Shorter."};
            },
            {first, third, "faq.search.js"}},
           {"modern: answer in lines ended by LF alone",
            modern,
            kLayoutSimple,
            kOnePerPage,
            answer_two,
            {second, "faq.search.js"},
            false,
            lf_lines},
           // A new question makes a new page name, which its neighbours link to.
           {"modern: question",
            modern,
            kLayoutSimple,
            kOnePerPage,
            question_two,
            {first, "ans-a-new-second-question.html", third, "faq.html"}},
           // The names listed no longer check: every page is named again.
           {"modern: a page's name edited in the list",
            modern,
            kLayoutSimple,
            kOnePerPage,
            page_name_edited,
            {first, second, "faq.search.js"}},
           {"modern: questions swapped",
            modern,
            kLayoutSimple,
            kOnePerPage,
            [](auto&questions, FaqBuilder&, const std::string&) {
              std::swap(questions[0], questions[2]);
            },
            // The description comes from the first answer, now another: every page shows it.
            {},
            true},
           {"modern: title", modern, kLayoutSimple, kOnePerPage, title, {}, true},
           {"modern: edited",
            modern,
            kLayoutSimple,
            kOnePerPage,
            edited_by_hand("quorella.css"),
            {"quorella.css"}},
           {"modern, all on one page: answer",
            modern,
            kLayoutSimple,
            kAllOnSamePage,
            answer_two,
            {"faq.html"}},
           // The page of every answer copies the blocks of unchanged answers from its previous
           // file; whatever changed, it is the page a Go into an empty folder makes.
           {"all on one page: first answer",
            classic,
            kLayoutSimple,
            kAllOnSamePage,
            answer(0),
            {"faq.html"}},
           {"all on one page: last answer",
            classic,
            kLayoutSimple,
            kAllOnSamePage,
            answer(2),
            {"faq.html"}},
           {"all on one page: a question added first",
            classic,
            kLayoutSimple,
            kAllOnSamePage,
            question_first,
            {"faq.html"}},
           {"all on one page: a question removed",
            classic,
            kLayoutSimple,
            kAllOnSamePage,
            question_removed,
            {"faq.html"}},
           {"all on one page: questions moved",
            classic,
            kLayoutSimple,
            kAllOnSamePage,
            questions_moved,
            {"faq.html"}},
           {"all on one page: title", classic, kLayoutSimple, kAllOnSamePage, title, {}, true},
           {"all on one page: edited",
            classic,
            kLayoutSimple,
            kAllOnSamePage,
            edited_by_hand("faq.html"),
            {"faq.html"}},
           {"all on one page: parts in the list edited",
            classic,
            kLayoutSimple,
            kAllOnSamePage,
            parts_swapped(".faq.html.pages.quorella"),
            {"faq.html"}},
           {"all on one page: stale list",
            classic,
            kLayoutSimple,
            kAllOnSamePage,
            stale_list(".faq.html.pages.quorella"),
            {"faq.html"}},
           {"modern, all on one page: stale list",
            modern,
            kLayoutSimple,
            kAllOnSamePage,
            stale_list(".faq.html.quorella"),
            {"faq.html"}},
           {"all on one page: list of the earlier version",
            classic,
            kLayoutSimple,
            kAllOnSamePage,
            earlier_list(".faq.html.pages.quorella"),
            {}},
           {"all on one page: an open script, another answer",
            classic,
            kLayoutSimple,
            kAllOnSamePage,
            answer(1),
            {"faq.html"},
            false,
            open_script},
           {"all on one page: an open script closed",
            classic,
            kLayoutSimple,
            kAllOnSamePage,
            close_script,
            {"faq.html"},
            false,
            open_script},
           {"all on one page: answer in lines ended by LF alone",
            classic,
            kLayoutSimple,
            kAllOnSamePage,
            answer(1),
            {"faq.html"},
            false,
            lf_lines},
           {"modern, all on one page: answer in lines ended by LF alone",
            modern,
            kLayoutSimple,
            kAllOnSamePage,
            answer(1),
            {"faq.html"},
            false,
            lf_lines},
           {"frames, all on one page: first answer",
            classic,
            kLayoutFrames,
            kAllOnSamePage,
            answer(0),
            {"answer.html"}},
           {"frames, all on one page: removed",
            classic,
            kLayoutFrames,
            kAllOnSamePage,
            removed("answer.html"),
            {"answer.html"}},
           {"modern, all on one page: last answer",
            modern,
            kLayoutSimple,
            kAllOnSamePage,
            answer(2),
            {"faq.html"}},
           {"modern, all on one page: a question added first",
            modern,
            kLayoutSimple,
            kAllOnSamePage,
            question_first,
            {},
            true},
           {"modern, all on one page: a question removed",
            modern,
            kLayoutSimple,
            kAllOnSamePage,
            question_removed,
            {"faq.html"}},
           {"modern, all on one page: questions moved",
            modern,
            kLayoutSimple,
            kAllOnSamePage,
            questions_moved,
            {"faq.html"}},
           {"modern, all on one page: edited",
            modern,
            kLayoutSimple,
            kAllOnSamePage,
            edited_by_hand("faq.html"),
            {"faq.html"}},
           {"modern, all on one page: edited in place, size and time kept",
            modern,
            kLayoutSimple,
            kAllOnSamePage,
            edited_in_place("faq.html"),
            {"faq.html"}},
           {"modern, all on one page: parts in the list edited",
            modern,
            kLayoutSimple,
            kAllOnSamePage,
            parts_swapped(".faq.html.quorella"),
            {"faq.html"}},
           // A list far larger than the set could need is not read: every page is made again.
           {"modern: a list far larger than the set needs",
            modern,
            kLayoutSimple,
            kOnePerPage,
            [](auto&, FaqBuilder&, const std::string&out) {
              AppendToFile(out + ".faq.html.quorella", "#" + std::string(200000, ' ') + "\n");
            },
            {},
            true},
           // The files written are those listed, but for one more at the end, which goes: a file
           // an earlier Go could not remove, listed again without a fingerprint.
           {"modern: a file listed last no longer made",
            modern,
            kLayoutSimple,
            kOnePerPage,
            [](auto&, FaqBuilder&, const std::string&out) {
              WriteWholeFile(out + "ans-gone.html", "<p>an earlier page</p>");
              std::string line = ListedLine(out, "ans-gone.html");
              line.replace(0, 16, std::string(16, '0'));
              AppendToFile(out + ".faq.html.quorella", line);
            },
            {}},
           {"modern: list of the earlier version",
            modern,
            kLayoutSimple,
            kOnePerPage,
            earlier_list(".faq.html.quorella"),
            {}},
       }) {
    SCOPED_TRACE(c.name);
    testing::TempDir run_dir;
    auto settings = [&](FaqBuilder& builder) -> FaqBuilder& {
      return builder.Set(FaqValue::PageStyle, c.style)
          .Set(FaqValue::Layout, c.layout)
          .Set(FaqValue::AnswersPage, c.answers_page);
    };
    FaqBuilder builder(run_dir);
    auto questions = SampleQuestions(3);
    if (c.prepare) c.prepare(questions);
    for (const auto& entry : questions) settings(builder).Add(entry);
    const std::string out = builder.output_dir();
    Go(builder.Build(), kBanner);
    Pages all;
    for (const std::string& name : ListDirectory(out))
      if (name.front() != '.') all.insert(name);

    testing::TempDir changed_dir;
    FaqBuilder changed(changed_dir);
    settings(changed).Set(FaqValue::Directory, out);
    c.edit(questions, changed, out);
    for (const auto& entry : questions) changed.Add(entry);
    const Faq faq = changed.Build();
    OpenedPages opened(out);
    Go(faq, kBanner);
    Pages expected = c.made;
    if (c.everything) {
      expected = all;
      if (c.style == modern) expected.insert(modern_fixed.begin(), modern_fixed.end());
    }
    EXPECT_EQ(opened.pages, expected);
    // Whatever was skipped or reused, the set is the one a Go into an empty folder makes.
    testing::TempDir fresh_dir;
    Faq fresh = faq;
    fresh.values.SetText(FaqValue::Directory, fresh_dir / "out/");
    Go(fresh, kBanner);
    for (const std::string& name : ListDirectory(fresh_dir / "out/")) {
      if (name.front() != '.') {
        EXPECT_EQ(ReadFile(out + name), ReadFile(fresh_dir / "out/" + name)) << name;
      }
    }
    EXPECT_EQ(ListDirectory(out), ListDirectory(fresh_dir / "out/"));
  }
}

// A list whose page names were forged, their record made to match: a name that no question could
// have made (a path out of the folder) is not taken, and every page is named afresh.
TEST_F(GeneratorTest, AListedPageNameNoQuestionCouldMakeIsNotTaken) {
  FaqBuilder builder(dir);
  builder.Set(FaqValue::PageStyle, kPageStyleModern).Set(FaqValue::AnswersPage, kOnePerPage);
  for (auto& entry : SampleQuestions(3)) builder.Add(std::move(entry));
  const Faq faq = builder.Build();
  Go(faq, kBanner);
  const std::string out = builder.output_dir(), list = out + ManifestName("faq.html");
  std::string text = ReadFile(list);
  const std::string page = "ans-what-is-quorella.html", forged = "../outside.html";
  const std::size_t at = text.find(" " + page + "\n");
  ASSERT_NE(at, std::string::npos);
  text.replace(at + 1, page.size(), forged);
  Fingerprint names;
  for (const std::string& name :
       {forged, std::string("ans-how-do-bold-quotes-look.html"), std::string("ans-last-one.html")})
    names.Add(name);
  const std::size_t record = text.find("# names ");
  ASSERT_NE(record, std::string::npos);
  char digits[17];
  std::snprintf(digits, sizeof digits, "%016llx",
                static_cast<unsigned long long>(FileFingerprint(names)));
  text.replace(record + 8 + 17, 16, digits);
  WriteWholeFile(list, text);
  Go(faq, kBanner);
  EXPECT_FALSE(FileExists(dir / "outside.html"));
  EXPECT_TRUE(FileExists(out + page));
}

// A Modern Go removes a file its previous Go listed and it no longer makes only while the file is
// the one that Go wrote, under a name the set takes, and never one of the program's own files: a
// list edited by hand, a file the user put in a page's place or edited, a link or another FAQ's
// page stays, whatever the list says. What it removes it reports.
TEST_F(GeneratorTest, AModernGoRemovesOnlyThePagesItsPreviousGoWroteAndListed) {
  FaqBuilder builder(dir);
  builder.Set(FaqValue::PageStyle, kPageStyleModern).Set(FaqValue::AnswersPage, kOnePerPage);
  for (auto& entry : SampleQuestions(3)) builder.Add(std::move(entry));
  builder.Add({"Is this the fourth?", {"0", "Yes."}});
  Go(builder.Build(), kBanner);
  const std::string out = builder.output_dir();
  const Names made = ListDirectory(out);
  const std::string list = out + ManifestName("faq.html");
  // Files that are not the set's, added to the list with their true stamps.
  CreateDirectories(dir / "elsewhere");
  WriteWholeFile(dir / "elsewhere/page.html", "not ours");
  const std::vector<std::string> users = {"notes.txt", "g.html", "Victim.dat", "temp.txt",
                                          "mine.html"};
  for (const std::string& name : users) WriteWholeFile(out + name, "the user's own");
  WriteWholeFile(out + "ans-g-sibling.html", "<p>a page of another FAQ with the same prefix</p>");
  ASSERT_EQ(::symlink("notes.txt", (out + "ans-link.html").c_str()), 0);
  std::string added = "../elsewhere/page.html\nmine.html\n" + ListedLine(out, "ans-link.html");
  for (const std::string& name : {users[0], users[1], users[2], users[3]})
    added += ListedLine(out, name);
  // Another FAQ's page: listed, but not by its true stamp.
  added += "00000000000000aa 49 1 2 3 ans-g-sibling.html\n";
  AppendToFile(list, added);
  // Pages of the set the user took over: one replaced by a file of their own, one edited in place
  // with its size and time put back.
  const std::string replaced = "ans-how-do-bold-quotes-look.html", edited = "ans-last-one.html";
  ASSERT_NE(std::find(made.begin(), made.end(), replaced), made.end());
  ASSERT_NE(std::find(made.begin(), made.end(), edited), made.end());
  RemoveFile(out + replaced);
  WriteWholeFile(out + replaced, "<p>the user's own page</p>");
  EditInPlaceKeepingTime(out + edited);

  testing::TempDir other;
  FaqBuilder fewer(other);
  fewer.Set(FaqValue::Directory, out)
      .Set(FaqValue::PageStyle, kPageStyleModern)
      .Set(FaqValue::AnswersPage, kOnePerPage);
  for (auto& entry : SampleQuestions(1)) fewer.Add(std::move(entry));
  std::vector<std::string> removed;
  GenerationObserver observer;
  observer.removed = [&](const std::string& path) { removed.push_back(path); };
  Go(fewer.Build(), kBanner, observer);
  Names gone;
  for (const std::string& name : made)
    if (!FileExists(out + name) && !IsSymbolicLink(out + name)) gone.push_back(name);
  EXPECT_EQ(gone, Names{"ans-is-this-the-fourth.html"});
  EXPECT_EQ(removed, std::vector<std::string>{out + "ans-is-this-the-fourth.html"});
  std::vector<std::string> kept = users;
  kept.insert(kept.end(), {"ans-g-sibling.html", replaced, edited});
  for (const std::string& name : kept) EXPECT_TRUE(FileExists(out + name)) << name;
  EXPECT_TRUE(IsSymbolicLink(out + "ans-link.html"));
  EXPECT_TRUE(FileExists(dir / "elsewhere/page.html"));
  EXPECT_EQ(ReadManifest(list), (Names{"quorella.css", "quorella.js", "quorella-icon.svg",
                                       "ans-what-is-quorella.html", "faq.search.js", "faq.html"}));
}

}  // namespace
}  // namespace quorella::html
