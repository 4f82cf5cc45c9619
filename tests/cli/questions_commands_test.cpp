#include <filesystem>

#include "cli/cli_fixture.h"

namespace quorella::testing {
namespace {

using Questions = CliTest;

TEST_F(Questions, AFreshFaqHasNoneAndReadingCreatesNothing) {
  Ok({"add", "FAQ"});
  std::filesystem::remove(app_dir + "FAQ.dat");
  EXPECT_EQ(Ok({"questions", "faq"}), "");
  EXPECT_FALSE(std::filesystem::exists(app_dir + "FAQ.dat"));
}

TEST_F(Questions, AddedQuestionsAreListedInOrderOnOneLineEach) {
  Ok({"add", "FAQ"});
  Ok({"add-question", "FAQ", "What is it?"});
  Ok({"add-question", "FAQ", "Two\nlines\r\nthree"});
  Ok({"add-question", "faq", "  \u00C9t\u00E9 ?  "});
  EXPECT_EQ(Ok({"questions", "FAQ"}),
            "1. What is it?\n2. Two\\nlines\\nthree\n3.   \u00C9t\u00E9 ?  \n");
  EXPECT_EQ(Ok({"get", "FAQ", "TotalQuestions"}), "TotalQuestions=3\n");
  // Every character fits Windows-1252, so the document is written in it as before.
  EXPECT_NE(ReadFile(app_dir + "FAQ.dat").find("\r\n  \xC9t\xE9 ?  \r\n"), std::string::npos);
}

TEST_F(Questions, TheAnswerIsStoredWithItsFormat) {
  Ok({"add", "FAQ"});
  Ok({"add-question", "FAQ", "Plain?"});
  Ok({"add-question", "FAQ", "Answered?", "--answer", "Line one\nLine two"});
  Ok({"add-question", "FAQ", "Bold?", "--answer", "<b>yes</b>", "--format", "3"});
  Ok({"add-question", "FAQ", "Format only?", "--format", "1"});
  EXPECT_EQ(ReadFile(app_dir + "FAQ.dat"),
            "\r\n[Question 0]\r\nPlain?\r\n\r\n####\r\n"
            "\r\n[Answer 0]\r\n0\r\n\r\n####\r\n"
            "\r\n[Question 1]\r\nAnswered?\r\n\r\n####\r\n"
            "\r\n[Answer 1]\r\n0\r\nLine one\r\nLine two\r\n\r\n####\r\n"
            "\r\n[Question 2]\r\nBold?\r\n\r\n####\r\n"
            "\r\n[Answer 2]\r\n3\r\n<b>yes</b>\r\n\r\n####\r\n"
            "\r\n[Question 3]\r\nFormat only?\r\n\r\n####\r\n"
            "\r\n[Answer 3]\r\n1\r\n\r\n####\r\n");
}

TEST_F(Questions, AnAnswerGoesToTheNewQuestionEvenBesideAnEqualOne) {
  Ok({"add", "FAQ"});
  Ok({"add-question", "FAQ", "Same?", "--answer", "first"});
  Ok({"add-question", "FAQ", "SAME?", "--answer", "second"});
  const std::string document = ReadFile(app_dir + "FAQ.dat");
  EXPECT_NE(document.find("[Answer 0]\r\n0\r\nfirst\r\n"), std::string::npos) << document;
  EXPECT_NE(document.find("[Answer 1]\r\n0\r\nsecond\r\n"), std::string::npos) << document;
}

TEST_F(Questions, OnlyTheCountedQuestionsAreListed) {
  Ok({"add", "FAQ"});
  WriteFile(app_dir + "FAQ.dat",
            "[Question 0]\r\nKept?\r\n####\r\n[Question 1]\r\nNot counted\r\n####\r\n");
  Ok({"set", "FAQ", "TotalQuestions", "2"});
  EXPECT_EQ(Ok({"questions", "FAQ"}), "1. Kept?\n2. Not counted\n");
  Ok({"set", "FAQ", "TotalQuestions", "1"});
  EXPECT_EQ(Ok({"questions", "FAQ"}), "1. Kept?\n");
}

TEST_F(Questions, RefusalsFailWithTheProgramsMessages) {
  Ok({"add", "FAQ"});
  Ok({"add-question", "FAQ", "Kept?"});
  const std::string before = ReadFile(app_dir + "FAQ.dat");
  struct Case {
    std::vector<std::string> args;
    int exit_code;
    std::string message;
  };
  const std::vector<Case> cases = {
      {{"add-question", "FAQ", " \t "}, 1, "A question cannot be empty or blank.\n"},
      {{"add-question", "FAQ", ""}, 1, "A question cannot be empty or blank.\n"},
      {{"add-question", "nope", "Q?"}, 1, "There is no FAQ named \"nope\".\n"},
      {{"questions", "nope"}, 1, "There is no FAQ named \"nope\".\n"},
  };
  for (const auto& c : cases) {
    const ProcessResult result = Run(c.args);
    EXPECT_EQ(result.exit_code, c.exit_code) << c.args[2];
    EXPECT_EQ(result.err, c.message) << c.args[2];
    EXPECT_EQ(result.out, "");
  }
  for (const std::vector<std::string>& args :
       std::vector<std::vector<std::string>>{{"add-question", "FAQ", "Q?", "--format", "5"},
                                             {"add-question", "FAQ", "Q?", "--format", "-1"},
                                             {"add-question", "FAQ", "Q?", "--format", "x"},
                                             {"add-question", "FAQ"},
                                             {"questions"}}) {
    const ProcessResult result = Run(args);
    EXPECT_EQ(result.exit_code, 2) << args.size();
    EXPECT_NE(result.err, "");
  }
  EXPECT_EQ(ReadFile(app_dir + "FAQ.dat"), before);
  EXPECT_EQ(Ok({"get", "FAQ", "TotalQuestions"}), "TotalQuestions=1\n");
}

// The commands for scripts do what the window's commands do on the question selected by number.
TEST_F(Questions, ScriptsEditAnswerDeleteAndMoveByNumber) {
  Ok({"add", "FAQ"});
  for (const char* question : {"One?", "Two?", "Three?", "Four?"})
    Ok({"add-question", "FAQ", question, "--answer", std::string("A ") + question});
  Ok({"set-answer", "FAQ", "2", "**Bold**\nsecond line", "--format", "4"});
  Ok({"set-answer", "FAQ", "3", "kept format"});
  Ok({"edit-question", "FAQ", "1", "First?"});
  Ok({"move-question", "FAQ", "4", "1"});
  EXPECT_EQ(Ok({"questions", "FAQ"}), "1. Four?\n2. First?\n3. Two?\n4. Three?\n");
  Ok({"delete-question", "FAQ", "2"});
  EXPECT_EQ(Ok({"questions", "FAQ"}), "1. Four?\n2. Two?\n3. Three?\n");
  EXPECT_EQ(Ok({"get", "FAQ", "TotalQuestions"}), "TotalQuestions=3\n");
  EXPECT_EQ(ReadFile(app_dir + "FAQ.dat"),
            "\r\n[Question 0]\r\nFour?\r\n\r\n####\r\n"
            "\r\n[Answer 0]\r\n0\r\nA Four?\r\n\r\n####\r\n"
            "\r\n[Question 1]\r\nTwo?\r\n\r\n####\r\n"
            "\r\n[Answer 1]\r\n4\r\n**Bold**\r\nsecond line\r\n\r\n####\r\n"
            "\r\n[Question 2]\r\nThree?\r\n\r\n####\r\n"
            "\r\n[Answer 2]\r\n0\r\nkept format\r\n\r\n####\r\n\r\n");
  const std::string before = ReadFile(app_dir + "FAQ.dat");
  struct Case {
    std::vector<std::string> args;
    std::string message;
  };
  for (const Case& c : std::vector<Case>{
           {{"set-answer", "FAQ", "4", "x"}, "There is no question 4: the FAQ has 3 questions.\n"},
           {{"edit-question", "FAQ", "0", "x"},
            "There is no question 0: the FAQ has 3 questions.\n"},
           {{"edit-question", "FAQ", "1", "  "}, "A question cannot be empty or blank.\n"},
           {{"move-question", "FAQ", "1", "9"},
            "There is no question 9: the FAQ has 3 questions.\n"},
           {{"delete-question", "nope", "1"}, "There is no FAQ named \"nope\".\n"},
       }) {
    const ProcessResult result = Run(c.args);
    EXPECT_EQ(result.exit_code, 1) << c.args[0];
    EXPECT_EQ(result.err, c.message) << c.args[0];
  }
  EXPECT_EQ(Run({"set-answer", "FAQ", "1", "x", "--format", "5"}).exit_code, 2);
  // Moving a question to where it is writes nothing.
  Ok({"move-question", "FAQ", "2", "2"});
  EXPECT_EQ(ReadFile(app_dir + "FAQ.dat"), before);
}

TEST_F(Questions, HelpListsBothCommands) {
  const std::string help = Ok({"--help"});
  EXPECT_NE(help.find("  questions NAME "), std::string::npos) << help;
  EXPECT_NE(help.find("  add-question NAME QUESTION [--answer TEXT] [--format N]"),
            std::string::npos)
      << help;
}

}  // namespace
}  // namespace quorella::testing
