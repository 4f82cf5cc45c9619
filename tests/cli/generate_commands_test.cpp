#include <fcntl.h>
#include <sys/stat.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <thread>

#include "cli/cli_fixture.h"
#include "html/banner.h"

namespace quorella::testing {
namespace {

class Generate : public CliTest {
 protected:
  // A FAQ named FAQ whose document holds `questions`, each answered "0" / "Answer N".
  void AddFaq(int questions) {
    Ok({"add", "FAQ"});
    std::string document;
    for (int i = 0; i < questions; ++i) {
      const std::string n = std::to_string(i);
      document += "[Question " + n + "]\r\nQuestion " + n + "?\r\n\r\n####\r\n\r\n";
      document += "[Answer " + n + "]\r\n0\r\nAnswer " + n + "\r\n\r\n####\r\n\r\n";
    }
    WriteFile(app_dir + "FAQ.dat", document);
    Ok({"set", "FAQ", "TotalQuestions", std::to_string(questions)});
  }

  // Runs `program` in this test's home, with `extra_env` added.
  ProcessResult RunProgram(const std::string& program, const std::vector<std::string>& args,
                           std::map<std::string, std::string> extra_env) {
    extra_env.insert({{"QUORELLA_HOME", app_dir},
                      {"XDG_CONFIG_HOME", config_dir},
                      {"HOME", dir / "home"},
                      {"QUORELLA_SITE", ""}});
    return RunProcess(program, args, extra_env);
  }
  ProcessResult RunWith(const std::vector<std::string>& args,
                        std::map<std::string, std::string> extra_env) {
    return RunProgram(QUORELLA_CLI_PATH, args, std::move(extra_env));
  }

  // The output folder of a FAQ named FAQ made by add: its own, in the application directory.
  std::string Site() const { return app_dir + "FAQ/"; }

  // Waits for a file that another process writes; only whether it comes is checked, not when.
  static bool Appears(const std::string& path) {
    for (int i = 0; i < 600 && !std::filesystem::exists(path); ++i)
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
    return std::filesystem::exists(path);
  }
};

TEST_F(Generate, PrintsEveryPathInTheOrderWritten) {
  AddFaq(2);
  Ok({"set", "FAQ", "Layout", "1"});
  Ok({"set", "FAQ", "AnswersPage", "0"});
  Ok({"set", "FAQ", "Directory", dir / "site/faq"});
  const std::string site = dir / "site/faq/";
  EXPECT_EQ(Ok({"generate", "faq"}), site + "faq.html\n" + site + "question.html\n" + site +
                                         "ans1.html\n" + site + "ans2.html\n" + site +
                                         "ans0.html\n");
  EXPECT_NE(ReadFile(site + "ans2.html").find("<b>2. \r\nQuestion 1?</b>\r\n"), std::string::npos);
  EXPECT_NE(ReadFile(site + "ans2.html").find("\r\nAnswer 1\r\n"), std::string::npos);
}

TEST_F(Generate, ModernStylePrintsOnlyTheFilesWhoseBytesChanged) {
  AddFaq(2);
  Ok({"set", "FAQ", "PageStyle", "1"});
  Ok({"set", "FAQ", "AnswersPage", "0"});
  Ok({"set", "FAQ", "SiteAddress", "https://faq.example"});
  Ok({"set", "FAQ", "Directory", dir / "site"});
  EXPECT_EQ(Ok({"get", "FAQ", "PageStyle", "Language", "SiteAddress", "StructuredData"}),
            "PageStyle=1\nLanguage=en\nSiteAddress=https://faq.example\nStructuredData=0\n");
  const std::string site = dir / "site/";
  EXPECT_EQ(Ok({"generate", "FAQ"}), site + "quorella.css\n" + site + "quorella.js\n" + site +
                                         "quorella-icon.svg\n" + site + "ans-question-0.html\n" +
                                         site + "ans-question-1.html\n" + site + "faq.search.js\n" +
                                         site + "faq.html\n" + site + "sitemap.xml\n");
  EXPECT_EQ(Ok({"generate", "FAQ"}), "");
  Ok({"set", "FAQ", "Title", "Help"});
  EXPECT_EQ(Ok({"generate", "FAQ"}),
            site + "ans-question-0.html\n" + site + "ans-question-1.html\n" + site + "faq.html\n");
}

// A second generate decides from the stored values and the document's bytes alone whether it has
// anything to make; whatever it makes, the set is the one a generate into an empty folder makes.
TEST_F(Generate, ASecondGenerateMakesWhatTheStoredFaqChanged) {
  const std::string site = dir / "site/";
  struct Case {
    std::string name;
    std::function<void()> change;
    std::vector<std::string> written;  // empty: nothing
    bool everything = false;
  };
  const std::string document = app_dir + "FAQ.dat";
  auto replace_in_document = [&](const std::string& from, const std::string& to) {
    std::string bytes = ReadFile(document);
    bytes.replace(bytes.find(from), from.size(), to);
    return bytes;
  };
  // Written in place: the same file, size and time stamp.
  auto change_in_place = [&] {
    struct stat before {};
    ::stat(document.c_str(), &before);
    const std::string bytes = replace_in_document("Answer 1\r\n", "Answer X\r\n");
    WriteFile(document, bytes);
    const timespec times[2] = {before.st_atim, before.st_mtim};
    ::utimensat(AT_FDCWD, document.c_str(), times, 0);
  };
  for (const Case& c : std::vector<Case>{
           {"nothing", [] {}, {}},
           // The questions are the document's first TotalQuestions: fewer of them change the
           // start page and the neighbours of the last.
           {"fewer questions, the same document",
            [&] {
              Ok({"set", "FAQ", "TotalQuestions", "2"});
            },
            {"ans2.html", "faq.html"}},
           {"the document changed in place", change_in_place, {"ans2.html"}},
           // Once the document was last changed two seconds back (more than a tick of any file
           // system's clock), a generate with nothing to make records the document in the list,
           // and the next one takes its fingerprint from there; a write in place after that, with
           // the size and time stamp kept, still shows.
           {"the document recorded, then changed in place",
            [&] {
              std::this_thread::sleep_for(std::chrono::milliseconds(2100));
              EXPECT_EQ(Ok({"generate", "FAQ"}), "");
              EXPECT_NE(ReadFile(site + ".faq.html.pages.quorella").find("\n# document "),
                        std::string::npos);
              EXPECT_EQ(Ok({"generate", "FAQ"}), "");
              change_in_place();
            },
            {"ans2.html"}},
           {"a page removed by hand",
            [&] { std::filesystem::remove(site + "ans1.html"); },
            {"ans1.html"}},
           {"a page edited by hand",
            [&] { WriteFile(site + "ans3.html", ReadFile(site + "ans3.html") + "<!-- -->"); },
            {"ans3.html"}},
           // The pages are looked at while the changed document is read.
           {"an answer changed, a page edited and one removed by hand",
            [&] {
              WriteFile(document, replace_in_document("Answer 1\r\n", "Answer X\r\n"));
              WriteFile(site + "ans3.html", ReadFile(site + "ans3.html") + "<!-- -->");
              std::filesystem::remove(site + "ans1.html");
            },
            {"ans1.html", "ans2.html", "ans3.html"}},
           {"a title",
            [&] {
              Ok({"set", "FAQ", "Title", "Help"});
            },
            {},
            true},
       }) {
    SCOPED_TRACE(c.name);
    std::filesystem::remove_all(dir / "site");
    std::filesystem::remove_all(dir / "fresh");
    Run({"delete", "FAQ"});
    Run({"delete", "Fresh"});
    AddFaq(3);
    Ok({"set", "FAQ", "AnswersPage", "0"});
    Ok({"set", "FAQ", "Directory", site});
    const std::string first = Ok({"generate", "FAQ"});
    c.change();
    std::string expected;
    for (const std::string& name : c.written) expected += site + name + "\n";
    const std::string written = Ok({"generate", "FAQ"});
    EXPECT_EQ(written, c.everything ? first : expected);
    Ok({"duplicate", "FAQ", "Fresh"});
    Ok({"set", "Fresh", "Directory", dir / "fresh/"});
    Ok({"generate", "Fresh"});
    for (const auto& entry : std::filesystem::directory_iterator(dir / "fresh")) {
      const std::string name = entry.path().filename();
      if (name.front() != '.') {
        EXPECT_EQ(ReadFile(site + name), ReadFile(entry.path())) << name;
      }
    }
  }
}

TEST_F(Generate, WritesIntoAFolderOfItsOwnInTheApplicationDirectoryByDefault) {
  AddFaq(1);
  EXPECT_EQ(Ok({"generate", "FAQ"}), Site() + "faq.html\n");
  EXPECT_NE(ReadFile(Site() + "faq.html")
                .find("\r\n" + html::BuildBanner("http://www.tamsel.example/") + "\r\n</body>\r\n"),
            std::string::npos);
}

TEST_F(Generate, TheBannerLinksToTheSiteInForce) {
  AddFaq(0);
  const ProcessResult result =
      RunWith({"generate", "FAQ"}, {{"QUORELLA_SITE", "http://mirror.example"}});
  EXPECT_EQ(result.exit_code, 0) << result.err;
  EXPECT_NE(ReadFile(Site() + "faq.html").find(html::BuildBanner("http://mirror.example/")),
            std::string::npos);
}

TEST_F(Generate, FailuresUseTheProgramsMessages) {
  AddFaq(1);
  WriteFile(dir / "plain", "not a folder");
  struct Case {
    std::string directory, out, err;
  };
  for (const Case& c : std::vector<Case>{
           {"", "", "Unable to create directory\n"},
           {dir / "plain/site", "",
            "Cannot create file \"" + dir / "plain/site/faq.html" + "\". Not a directory\n"},
       }) {
    Ok({"set", "FAQ", "Directory", c.directory});
    const ProcessResult result = Run({"generate", "FAQ"});
    EXPECT_EQ(result.exit_code, 1) << c.directory;
    EXPECT_EQ(result.out, c.out);
    EXPECT_EQ(result.err, c.err);
  }
  const ProcessResult unknown = Run({"generate", "nope"});
  EXPECT_EQ(unknown.exit_code, 1);
  EXPECT_EQ(unknown.err, "There is no FAQ named \"nope\".\n");
  EXPECT_EQ(Run({"generate"}).exit_code, 2);
}

TEST_F(Generate, AFailedFileStopsTheRunAfterPrintingWhatWasWritten) {
  AddFaq(2);
  Ok({"set", "FAQ", "AnswersPage", "0"});
  std::filesystem::create_directories(Site() + "ans2.html");  // a folder where a page goes
  const ProcessResult result = Run({"generate", "FAQ"});
  EXPECT_EQ(result.exit_code, 1);
  EXPECT_EQ(result.out, Site() + "ans1.html\n");
  EXPECT_EQ(result.err, "Cannot create file \"" + Site() + "ans2.html\". Is a directory\n");
  EXPECT_FALSE(std::filesystem::exists(Site() + "faq.html"));
}

TEST_F(Generate, TheTestKeyHasItsOwnFaqs) {
  Ok({"--test", "add", "FAQ"});
  Ok({"--test", "set", "FAQ", "Title", "Test run"});
  EXPECT_EQ(Ok({"--test", "generate", "FAQ"}), Site() + "faq.html\n");
  EXPECT_NE(ReadFile(Site() + "faq.html").find("<TITLE>Test run</TITLE>"), std::string::npos);
  EXPECT_EQ(Run({"generate", "FAQ"}).err, "There is no FAQ named \"FAQ\".\n");
}

TEST_F(Generate, ProgressShowsOnlyOnATerminal) {
  AddFaq(2);
  Ok({"set", "FAQ", "AnswersPage", "0"});
  EXPECT_EQ(Run({"generate", "FAQ"}).err, "");  // a pipe: nothing
  if (!std::filesystem::exists("/usr/bin/script")) GTEST_SKIP() << "no script(1) for a terminal";
  // Into a fresh folder, so that every page is made and shows its status again.
  Ok({"set", "FAQ", "Directory", dir / "terminal/"});
  // script(1) gives the command a terminal; its standard output is thrown away.
  const ProcessResult terminal = RunProgram(
      "/usr/bin/script",
      {"-q", "-c", std::string(QUORELLA_CLI_PATH) + " generate FAQ 2>&1 >/dev/null", "/dev/null"},
      {});
  EXPECT_EQ(terminal.out,
            "\r\033[K(0/3)\r\033[KWriting Start Page (0/3)\r\033[KWriting ans1.html (0/3)"
            "\r\033[KWriting ans1.html (1/3)\r\033[KWriting ans2.html (1/3)"
            "\r\033[KWriting ans2.html (2/3)\r\033[KWriting ans2.html (3/3)\r\033[K");
}

// The opener stands in for xdg-open: it records what it was asked to open, then stays until it
// is released. The command must have returned while the opener still runs.
TEST_F(Generate, OpenStartsTheOpenerOnTheStartPageWithoutWaiting) {
  AddFaq(1);
  Ok({"set", "FAQ", "StartPage", "index.htm"});
  const std::string bin = dir / "bin/";
  WriteFile(bin + "xdg-open",
            "#!/bin/sh\n"
            "printf '%s' \"$1\" > \"" +
                dir / "opened.tmp" +
                "\"\n"
                "mv \"" +
                dir / "opened.tmp" + "\" \"" + dir / "opened" +
                "\"\n"
                "echo noise; echo noise >&2\n"
                "i=0; while [ ! -e \"" +
                dir / "release" +
                "\" ] && [ $i -lt 600 ]; do sleep 0.05; "
                "i=$((i+1)); done\n"
                "touch \"" +
                dir / "finished" + "\"\n");
  ::chmod((bin + "xdg-open").c_str(), 0755);
  const ProcessResult result =
      RunWith({"generate", "FAQ", "--open"}, {{"PATH", bin + ":/usr/bin:/bin"}});
  EXPECT_FALSE(std::filesystem::exists(dir / "finished"));
  EXPECT_EQ(result.exit_code, 0) << result.err;
  EXPECT_EQ(result.out, Site() + "index.htm\n");
  EXPECT_EQ(result.err, "");
  ASSERT_TRUE(Appears(dir / "opened"));
  EXPECT_EQ(ReadFile(dir / "opened"), Site() + "index.htm");
  WriteFile(dir / "release", "");
  EXPECT_TRUE(Appears(dir / "finished"));
}

}  // namespace
}  // namespace quorella::testing
