#include <filesystem>

#include "cli/cli_fixture.h"
#include "util/file_io.h"

namespace quorella::testing {
namespace {

using Catalogue = CliTest;

TEST_F(Catalogue, ListOfAFreshStoreIsEmptyAndCreatesNothing) {
  EXPECT_EQ(Ok({"list"}), "");
  EXPECT_FALSE(std::filesystem::exists(config_dir));
}

TEST_F(Catalogue, WithoutQuorellaHomeTheDataFolderComesWithTheFirstWrite) {
  const std::string data = dir / "data/quorella/", home = dir / "home";
  auto run = [&](const std::vector<std::string>& args) {
    return RunProcess(QUORELLA_CLI_PATH, args,
                      {{"QUORELLA_HOME", ""},  // empty counts as unset
                       {"XDG_DATA_HOME", dir / "data"},
                       {"XDG_CONFIG_HOME", config_dir},
                       {"HOME", home}});
  };
  EXPECT_EQ(run({"list"}).exit_code, 0);
  EXPECT_EQ(run({"get", "FAQ"}).exit_code, 1);
  EXPECT_FALSE(std::filesystem::exists(dir / "data"));
  EXPECT_EQ(run({"add", "FAQ"}).exit_code, 0);
  EXPECT_TRUE(std::filesystem::exists(data + "FAQ.dat"));
  // A new FAQ writes into a folder of its own in the default output folder.
  EXPECT_EQ(run({"get", "FAQ", "Directory"}).out, "Directory=" + home + "/Quorella/FAQ/\n");
  EXPECT_EQ(run({"add-question", "FAQ", "Why?", "--answer", "Because."}).exit_code, 0);
  EXPECT_EQ(run({"generate", "FAQ"}).out, home + "/Quorella/FAQ/faq.html\n");
  EXPECT_EQ(ListDirectory(data), std::vector<std::string>{"FAQ.dat"});
}

TEST_F(Catalogue, AddListDeleteRoundTrip) {
  Ok({"add", "beta"});
  Ok({"add", "Alpha"});
  Ok({"add", " FAQ"});
  EXPECT_EQ(Ok({"list"}), " FAQ\nAlpha\nbeta\n");
  EXPECT_TRUE(std::filesystem::exists(app_dir + "beta.dat"));
  Ok({"delete", "BETA"});  // names resolve without regard to case
  EXPECT_EQ(Ok({"list"}), " FAQ\nAlpha\n");
  EXPECT_FALSE(std::filesystem::exists(app_dir + "beta.dat"));
}

TEST_F(Catalogue, RefusalsUseTheProgramsMessages) {
  Ok({"add", "FAQ"});
  struct Case {
    std::vector<std::string> args;
    std::string message;
  };
  const std::vector<Case> cases = {
      {{"add", "faq"}, "The name already exists. Please select a new one.\n"},
      {{"add", ""}, "Please enter a name for FAQ.\n"},
      {{"duplicate", "FAQ", ""}, "Please enter a name for document\n"},
      {{"duplicate", "FAQ", "Faq"}, "The name already exists. Please select a new one.\n"},
      {{"add", "a/b"},
       "A FAQ name cannot contain \"/\", \"\\\" or control characters and cannot be \".\" or "
       "\"..\".\n"},
      {{"delete", "nope"}, "There is no FAQ named \"nope\".\n"},
      {{"get", "FAQ", "Colour"}, "Unknown value name \"Colour\".\n"},
      {{"set", "FAQ", "Layout", "one"}, "\"one\" is not a valid value for Layout.\n"},
  };
  for (const auto& c : cases) {
    const ProcessResult result = Run(c.args);
    EXPECT_EQ(result.exit_code, 1) << c.args[0];
    EXPECT_EQ(result.err, c.message);
    EXPECT_EQ(result.out, "");
  }
  EXPECT_EQ(Ok({"list"}), "FAQ\n");
}

TEST_F(Catalogue, WrongCommandLinesExitWithTwo) {
  for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
           {"bogus"}, {"add"}, {"set", "FAQ", "Layout"}, {"--nope"}, {}}) {
    const ProcessResult result = Run(args);
    EXPECT_EQ(result.exit_code, 2) << (args.empty() ? "" : args[0]);
    EXPECT_NE(result.err + result.out, "");
  }
}

TEST_F(Catalogue, AnArgumentThatIsNotUtf8IsAUsageErrorNamingIt) {
  Ok({"add", "FAQ"});
  struct Case {
    std::vector<std::string> args;
    const char* shown;
  } const cases[] = {
      {{"add", "Caf\xE9"}, "argument 2 \"Caf\\xE9\" is not valid UTF-8"},
      {{"set", "FAQ", "Title", "a\xC3(\xFF"}, "argument 4 \"a\\xC3(\\xFF\" is not valid UTF-8"},
      {{"add-question", "FAQ", "\xED\xA0\x80?"},
       "argument 3 \"\\xED\\xA0\\x80?\" is not valid UTF-8"},
  };
  for (const Case& c : cases) {
    const ProcessResult result = Run(c.args);
    EXPECT_EQ(result.exit_code, 2) << c.shown;
    EXPECT_EQ(result.err.substr(0, result.err.find('\n')), std::string("quorella-cli: ") + c.shown);
    EXPECT_EQ(result.out, "");
  }
  EXPECT_EQ(Ok({"list"}), "FAQ\n");
  EXPECT_EQ(Ok({"get", "FAQ", "Title"}), "Title=FAQ\n");
}

TEST_F(Catalogue, NamesAreOneWhateverTheirCaseInEveryScript) {
  for (const auto& [name, other_case] : std::vector<std::pair<std::string, std::string>>{
           {"Caf\u00E9", "CAF\u00C9"},
           {"\u041F\u0440\u0438\u0432\u0435\u0442", "\u041F\u0420\u0418\u0412\u0415\u0422"},
           {"\u0391\u03B8\u03AE\u03BD\u03B1", "\u0391\u0398\u0389\u039D\u0391"}}) {
    Ok({"add", name});
    const ProcessResult again = Run({"add", other_case});
    EXPECT_EQ(again.exit_code, 1) << other_case;
    EXPECT_EQ(again.err, "The name already exists. Please select a new one.\n");
    Ok({"set", other_case, "Title", other_case});
    EXPECT_EQ(Ok({"get", name, "Title"}), "Title=" + other_case + "\n");
    EXPECT_TRUE(std::filesystem::exists(app_dir + name + ".dat"));
  }
  EXPECT_EQ(Ok({"list"}),
            "Caf\u00E9\n\u0391\u03B8\u03AE\u03BD\u03B1\n\u041F\u0440\u0438\u0432\u0435\u0442\n");
}

// `get` reads only the values it is asked for: another of the wrong type does not fail it.
TEST_F(Catalogue, GetFailsOnlyForAValueAskedFor) {
  Ok({"add", "FAQ"});
  WriteFile(dir / "wrong.cfg",
            "[\\Software\\Tamsel Software\\Quorella\\FAQs\\FAQ]\r\nFontSizestr=big\r\n"
            "Titlestr=Kept\r\n");
  Ok({"snapshot-load", dir / "wrong.cfg"});
  EXPECT_EQ(Ok({"get", "FAQ", "Title", "Layout"}), "Title=Kept\nLayout=0\n");
  for (const std::vector<std::string>& args :
       std::vector<std::vector<std::string>>{{"get", "FAQ"}, {"get", "FAQ", "FontSize"}}) {
    const ProcessResult result = Run(args);
    EXPECT_EQ(result.exit_code, 1) << args.size();
    EXPECT_EQ(result.err, "Invalid data type for 'FontSize'\n") << args.size();
  }
}

TEST_F(Catalogue, GetShowsEveryValueInTableOrderWithDefaults) {
  Ok({"add", "FAQ"});
  const std::string all = Ok({"get", "FAQ"});
  EXPECT_EQ(all.substr(0, all.find("Frames=")),
            "TotalQuestions=0\nDirectory=" + app_dir +
                "FAQ/\nDocumentExt=html\nStartPage=faq.html\nAnswerPageName=answer."
                "html\nAnswerSubPagePrefix=ans\n"
                "QuestionPageName=question.html\nQuestionFrameSize=25%\nFrameIt=1\nDisableBanner="
                "0\nLayout=0\n");
  EXPECT_NE(all.find("\nAnswerPageColor=12632256\nAnswerTextColor=0\nAnswerLinkColor=16711680\n"),
            std::string::npos);
  EXPECT_TRUE(all.ends_with(
      "StaticClickOnQ=Click on a question for the answer\nBlankLineBetweenQuestions=1\n"
      "PageStyle=0\nLanguage=en\nDescription=\nSiteAddress=\nUseMyColors=0\nStructuredData=0\n"));
  EXPECT_EQ(Ok({"get", "FAQ", "title", "FontSize"}), "Title=FAQ\nFontSize=12\n");
}

TEST_F(Catalogue, SetTakesEachTypeInItsForms) {
  Ok({"add", "FAQ"});
  Ok({"set", "FAQ", "Title", "My \u00E9t\u00E9 FAQ"});
  Ok({"set", "FAQ", "FrameIt", "false"});
  Ok({"set", "FAQ", "DisableBanner", "TRUE"});
  Ok({"set", "FAQ", "AnswerPageColor", "#FF8000"});
  Ok({"set", "FAQ", "AnswerTextColor", "255"});
  Ok({"set", "FAQ", "FontSize", "-1"});
  Ok({"set", "FAQ", "StartPage", ""});
  EXPECT_EQ(Ok({"get", "FAQ", "Title", "FrameIt", "DisableBanner", "AnswerPageColor",
                "AnswerTextColor", "FontSize", "StartPage"}),
            "Title=My \u00E9t\u00E9 "
            "FAQ\nFrameIt=0\nDisableBanner=1\nAnswerPageColor=33023\nAnswerTextColor=255\n"
            "FontSize=-1\nStartPage=\n");
}

TEST_F(Catalogue, DuplicateCopiesValues) {
  Ok({"add", "FAQ"});
  Ok({"set", "FAQ", "Layout", "1"});
  Ok({"duplicate", "FAQ", "FAQ-1"});
  Ok({"set", "FAQ-1", "Layout", "0"});
  EXPECT_EQ(Ok({"get", "FAQ", "Layout"}), "Layout=1\n");
  EXPECT_EQ(Ok({"get", "FAQ-1", "Layout"}), "Layout=0\n");
}

TEST_F(Catalogue, TestKeyIsASeparateCatalogueOverTheSameDocuments) {
  Ok({"--test", "add", "Trial"});
  EXPECT_EQ(Ok({"list"}), "");
  EXPECT_EQ(Ok({"--test", "list"}), "Trial\n");
  EXPECT_TRUE(std::filesystem::exists(app_dir + "Trial.dat"));
}

TEST_F(Catalogue, HelpAndVersion) {
  EXPECT_EQ(Ok({"--version"}), "quorella-cli 1.3.1.323\n");
  const std::string help = Ok({"--help"});
  for (const char* command :
       {"list", "add NAME", "delete NAME", "duplicate NAME NEW", "get NAME", "set NAME VALUE TEXT"})
    EXPECT_NE(help.find(std::string("\n  ") + command), std::string::npos) << command;
}

}  // namespace
}  // namespace quorella::testing
