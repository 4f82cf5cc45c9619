#include "store/question_model.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <functional>

#include "store/catalogue.h"
#include "store/document.h"
#include "support/database_trap.h"
#include "support/faults.h"
#include "support/temp_dir.h"
#include "util/errors.h"
#include "util/file_io.h"

namespace quorella {
namespace {

using Lines = std::vector<std::string>;
using testing::ReadFile;

class QuestionModelTest : public ::testing::Test {
 protected:
  testing::TempDir dir;
  AppContext context{dir / "config/settings.db", dir / "app", false};
  std::string doc = dir / "app/FAQ.dat";
  Faq faq = Created();
  QuestionModel model{context.settings(), faq};

  Faq Created() {
    CreateDirectories(dir / "app");
    AddFaq(context, "FAQ");
    return LoadFaq(context, "FAQ");
  }
  int StoredCount() {
    return context.settings().ReadSettingInteger(context.FaqKey("FAQ"), "TotalQuestions", -1);
  }
  // Adds questions "Q0" ... with answers "answer 0" ... in format 0.
  void AddAnswered(int count) {
    for (int i = 0; i < count; ++i) {
      ASSERT_TRUE(model.AddQuestion("Q" + std::to_string(i)));
      model.StoreAnswer("answer " + std::to_string(i) + "\r\n");
    }
  }
  std::string Golden(const std::string& name) {
    return ReadFile(testing::SourceDir() + "tests/store/golden/" + name);
  }
};

QuestionPage Shown(std::size_t position, std::string text, int format) {
  return QuestionPage{position, true, true, AnswerEditor{std::move(text), format}, true};
}
const QuestionPage kNothingSelected{std::nullopt, false, false, AnswerEditor{}, false};

// A command whose count cannot be stored (a settings folder that became read-only, a store that
// fails) leaves the document as it was: the document is written in the count's transaction.
TEST_F(QuestionModelTest, ACommandWhoseCountCannotBeStoredLeavesTheDocument) {
  AddAnswered(2);
  const std::string before = ReadFile(doc);
  struct Row {
    const char* command;
    std::function<void()> run;
  };
  for (const Row& row : std::vector<Row>{
           {"add", [&] { model.AddQuestion("New?"); }},
           {"add another", [&] { model.AddAnotherQuestion("Another?"); }},
           {"delete",
            [&] {
              model.Select(0);
              model.DeleteQuestion();
            }},
       }) {
    for (const auto call :
         {testing::DatabaseTrap::Call::Write, testing::DatabaseTrap::Call::Sync}) {
      {
        testing::DatabaseTrap trap(call, 1);
        EXPECT_THROW(row.run(), Error) << row.command;
        EXPECT_TRUE(trap.fired()) << row.command;
      }
      EXPECT_EQ(ReadFile(doc), before) << row.command;
      EXPECT_EQ(StoredCount(), 2) << row.command;
      model.Refresh();  // a failed command leaves the lists to be read again
      EXPECT_EQ(model.question_count(), 2u) << row.command;
    }
  }
}

TEST_F(QuestionModelTest, AtFirstNothingIsSelected) {
  EXPECT_EQ(model.Page(), kNothingSelected);
  EXPECT_EQ(model.Select(0), kNothingSelected);
}

TEST_F(QuestionModelTest, AddStoresTheTextUntrimmedAndSelectsIt) {
  const auto page = model.AddQuestion("  Why?  ");
  ASSERT_TRUE(page);
  EXPECT_EQ(*page, Shown(0, "", 0));
  EXPECT_EQ(model.questions(), Lines{"  Why?  "});
  EXPECT_EQ(model.answers(), Lines{"0"});
  EXPECT_EQ(StoredCount(), 1);
  EXPECT_EQ(faq.values.Integer(FaqValue::TotalQuestions), 1);
  EXPECT_EQ(ReadFile(doc),
            "\r\n[Question 0]\r\n  Why?  \r\n\r\n####\r\n\r\n[Answer 0]\r\n0\r\n\r\n####\r\n");
}

TEST_F(QuestionModelTest, BlankTextsAreRefusedAndChangeNothing) {
  AddAnswered(1);
  const std::string before = ReadFile(doc);
  for (const std::string blank : {"", " ", "\t\r\n  ", "\x01 \n", "\r"}) {
    EXPECT_FALSE(model.AddQuestion(blank)) << blank;
    EXPECT_FALSE(model.AddAnotherQuestion(blank)) << blank;
    model.Select(0);
    EXPECT_FALSE(model.EditQuestion(blank)) << blank;
  }
  EXPECT_EQ(model.questions(), Lines{"Q0"});
  EXPECT_EQ(StoredCount(), 1);
  EXPECT_EQ(ReadFile(doc), before);
}

TEST_F(QuestionModelTest, TypedLineBreaksAreKeptAsCrLf) {
  ASSERT_TRUE(model.AddQuestion("two\nlines\rand more\r\n"));
  EXPECT_EQ(model.questions(), Lines{"two\r\nlines\r\nand more\r\n"});
  EXPECT_EQ(ReadSection(doc, "Question 0"), "two\r\nlines\r\nand more\r\n");
}

TEST_F(QuestionModelTest, AddAnotherThreeTimesThenCancel) {
  AddAnswered(1);
  for (const char* text : {"First?", "Second?", " Third? "})
    EXPECT_TRUE(model.AddAnotherQuestion(text));
  EXPECT_EQ(model.questions(), (Lines{"Q0", "First?", "Second?", " Third? "}));
  EXPECT_EQ(model.answers(), (Lines{"0\r\nanswer 0\r\n", "0", "0", "0"}));
  EXPECT_EQ(model.selected(), 0u);
  EXPECT_EQ(StoredCount(), 4);
  EXPECT_EQ(ReadFile(doc), Golden("add_another_three_times.dat"));
  // Reopened, the new questions are there with empty answers in format 0.
  Faq reloaded = LoadFaq(context, "FAQ");
  EXPECT_EQ(reloaded.questions, model.questions());
  QuestionModel again(context.settings(), reloaded);
  EXPECT_EQ(again.Select(3), Shown(3, "", 0));
}

TEST_F(QuestionModelTest, DeletingTheThirdOfFiveRenumbersTheRest) {
  AddAnswered(5);
  model.Select(2);
  const auto page = model.DeleteQuestion();
  ASSERT_TRUE(page);
  EXPECT_EQ(*page, Shown(2, "answer 3\r\n", 0));
  EXPECT_EQ(model.questions(), (Lines{"Q0", "Q1", "Q3", "Q4"}));
  EXPECT_EQ(StoredCount(), 4);
  EXPECT_EQ(ReadFile(doc), Golden("delete_third_of_five.dat"));
  EXPECT_EQ(ReadSection(doc, "Question 4"), "");
  EXPECT_EQ(ReadSection(doc, "Answer 4"), "");
}

TEST_F(QuestionModelTest, DeletingTheLastSelectsTheOneBefore) {
  AddAnswered(3);
  model.Select(2);
  EXPECT_EQ(model.DeleteQuestion(), Shown(1, "answer 1\r\n", 0));
}

TEST_F(QuestionModelTest, DeletingTheOnlyQuestionDisablesTheAnswer) {
  AddAnswered(1);
  model.Select(0);
  EXPECT_EQ(model.DeleteQuestion(), kNothingSelected);
  EXPECT_TRUE(model.questions().empty());
  EXPECT_TRUE(model.answers().empty());
  EXPECT_EQ(StoredCount(), 0);
  EXPECT_EQ(ReadFile(doc), "\r\n");
  // Nothing selected: the commands that need a question do nothing.
  EXPECT_FALSE(model.DeleteQuestion());
  EXPECT_FALSE(model.EditQuestion("text"));
  model.StoreAnswer("lost");
  EXPECT_EQ(ReadFile(doc), "\r\n");
}

TEST_F(QuestionModelTest, MovesAtTheEndsOrWithoutSelectionWriteNothing) {
  AddAnswered(3);
  const std::string before = ReadFile(doc);
  struct Case {
    std::optional<std::size_t> selected;
    bool up;
  };
  for (const Case& c :
       {Case{0, true}, Case{2, false}, Case{std::nullopt, true}, Case{std::nullopt, false}}) {
    model.Select(c.selected);
    testing::CountCalls calls;
    EXPECT_FALSE(c.up ? model.MoveUp() : model.MoveDown());
    EXPECT_EQ(calls.count(sys::Op::Open), 0);
    EXPECT_EQ(calls.count(sys::Op::Rename), 0);
  }
  EXPECT_EQ(ReadFile(doc), before);
  EXPECT_EQ(model.questions(), (Lines{"Q0", "Q1", "Q2"}));
}

TEST_F(QuestionModelTest, MovesSwapQuestionsWithTheirAnswersAndKeepTheEditor) {
  AddAnswered(3);
  model.Select(1);
  QuestionPage kept{0u, true, true, std::nullopt, false};
  EXPECT_EQ(model.MoveUp(), kept);
  EXPECT_EQ(model.questions(), (Lines{"Q1", "Q0", "Q2"}));
  EXPECT_EQ(ReadSection(doc, "Question 0"), "Q1\r\n");
  EXPECT_EQ(ReadSection(doc, "Answer 0"), "0\r\nanswer 1\r\n");
  kept.selected = 1;
  EXPECT_EQ(model.MoveDown(), kept);
  kept.selected = 2;
  EXPECT_EQ(model.MoveDown(), kept);
  EXPECT_EQ(model.questions(), (Lines{"Q0", "Q2", "Q1"}));
  EXPECT_EQ(ReadSection(doc, "Answer 2"), "0\r\nanswer 1\r\n");
  // The moved answer is still the one the editor stores into.
  model.StoreAnswer("changed");
  EXPECT_EQ(ReadSection(doc, "Answer 2"), "0\r\nchanged\r\n");
}

TEST_F(QuestionModelTest, AsIsSurvivesReselection) {
  AddAnswered(2);
  model.Select(0);
  model.ChangeFormat(3, "<b>bold</b>\r\n");
  EXPECT_EQ(model.answers()[0], "3\r\n<b>bold</b>\r\n");
  EXPECT_EQ(ReadSection(doc, "Answer 0"), "3\r\n<b>bold</b>\r\n");
  model.Select(1);
  EXPECT_EQ(model.Select(0), Shown(0, "<b>bold</b>\r\n", 3));
}

TEST_F(QuestionModelTest, AnAnswerStartingWithANumberKeepsItsFormatLine) {
  AddAnswered(1);
  model.Select(0);
  model.StoreAnswer("42\r\na line of words");
  EXPECT_EQ(ReadSection(doc, "Answer 0"), "0\r\n42\r\na line of words\r\n");
  EXPECT_EQ(model.Select(0), Shown(0, "42\r\na line of words\r\n", 0));
}

TEST_F(QuestionModelTest, TheEditorsFinalLineBreakMakesNoLine) {
  AddAnswered(1);
  model.Select(0);
  for (const auto& [typed, stored] : std::vector<std::pair<std::string, std::string>>{
           {"", "0\r\n"},
           {"\r\n", "0\r\n\r\n"},
           {"a\r\n\r\n", "0\r\na\r\n\r\n"},
           {"a\nb", "0\r\na\r\nb\r\n"},
           {"####\r\n[Question 0]", "0\r\n####\r\n[Question 0]\r\n"}}) {
    model.StoreAnswer(typed);
    EXPECT_EQ(model.answers()[0], stored) << typed;
  }
  // The document keeps such lines harmless and the question intact.
  EXPECT_EQ(ReadSection(doc, "Answer 0"), "0\r\n#### \r\n [Question 0]\r\n");
  EXPECT_EQ(ReadSection(doc, "Question 0"), "Q0\r\n");
}

TEST_F(QuestionModelTest, OkSelectsTheFirstEntryEqualWithoutRegardToCase) {
  AddAnswered(2);
  EXPECT_EQ(model.AddQuestion("q1"), Shown(1, "answer 1\r\n", 0));
  EXPECT_EQ(model.questions(), (Lines{"Q0", "Q1", "q1"}));
  // Editing the second of two equal questions selects the first.
  model.Select(2);
  EXPECT_EQ(model.EditQuestion("Q1"), Shown(1, "answer 1\r\n", 0));
  EXPECT_EQ(model.questions(), (Lines{"Q0", "Q1", "Q1"}));
}

TEST_F(QuestionModelTest, EditReplacesTheQuestionSelectedAtTheMomentOfOk) {
  AddAnswered(3);
  model.Select(0);  // the dialog opens on question 0 ...
  model.Select(2);  // ... and the user selects question 2 before OK
  EXPECT_EQ(model.EditQuestion("New text"), Shown(2, "answer 2\r\n", 0));
  EXPECT_EQ(model.questions(), (Lines{"Q0", "Q1", "New text"}));
  EXPECT_EQ(ReadSection(doc, "Question 2"), "New text\r\n");
  EXPECT_EQ(ReadSection(doc, "Answer 2"), "0\r\nanswer 2\r\n");
  EXPECT_EQ(StoredCount(), 3);
}

TEST_F(QuestionModelTest, AFormatOutsideTheListIsKeptUntilAnotherIsChosen) {
  // The import stores answers without a format line, so a leading number reads as the format.
  WriteSection(doc, "Question 0", {"Imported?"});
  WriteSection(doc, "Answer 0", {"42", "words"});
  context.settings().WriteSettingInteger(context.FaqKey("FAQ"), "TotalQuestions", 1);
  Faq imported = LoadFaq(context, "FAQ");
  QuestionModel on_import(context.settings(), imported);
  EXPECT_EQ(on_import.Select(0), Shown(0, "words\r\n", 42));
  on_import.StoreAnswer("words\r\n");
  EXPECT_EQ(ReadSection(doc, "Answer 0"), "42\r\nwords\r\n");
  on_import.ChangeFormat(1, "words\r\n");
  EXPECT_EQ(ReadSection(doc, "Answer 0"), "1\r\nwords\r\n");
}

// Commands read the count again only when the store's file changed; another program's count, with
// the document left as it was, is seen however soon after the last command it comes.
TEST_F(QuestionModelTest, ACountStoredByAnotherProgramIsSeenByTheNextCommand) {
  AddAnswered(3);
  Settings other(dir / "config/settings.db");
  for (int count : {1, 2, 3, 2}) {
    other.WriteSettingInteger(context.FaqKey("FAQ"), "TotalQuestions", count);
    EXPECT_TRUE(model.Refresh()) << count;
    EXPECT_EQ(model.question_count(), static_cast<std::size_t>(count));
    EXPECT_FALSE(model.Refresh()) << count;
  }
}

TEST_F(QuestionModelTest, SelectingPastTheEndSelectsNothing) {
  AddAnswered(2);
  EXPECT_EQ(model.Select(2), kNothingSelected);
  EXPECT_EQ(model.Select(std::nullopt), kNothingSelected);
  EXPECT_EQ(model.Select(1), Shown(1, "answer 1\r\n", 0));
}

TEST_F(QuestionModelTest, AReopenedFaqShowsWhatTheCommandsLeft) {
  AddAnswered(4);
  model.Select(3);
  model.MoveUp();
  model.Select(0);
  model.DeleteQuestion();
  model.AddAnotherQuestion("Extra\r\nline");
  model.Select(1);
  model.ChangeFormat(2, "  indented\r\n\r\ntext");
  const Faq reloaded = LoadFaq(context, "FAQ");
  EXPECT_EQ(reloaded.questions, model.questions());
  ASSERT_EQ(reloaded.answers.size(), 4u);
  for (std::size_t i = 0; i < 3; ++i) EXPECT_EQ(reloaded.answers[i], model.answers()[i]) << i;
  EXPECT_EQ(reloaded.answers[3], "");  // "Add another" writes the question only
  EXPECT_EQ(ReadFile(doc), Golden("reopened_after_commands.dat"));
}

TEST_F(QuestionModelTest, AFailedRewriteIsReportedAndLeavesTheDocument) {
  AddAnswered(1);
  const std::string before = ReadFile(doc);
  testing::FailNth fault(sys::Op::Rename, 1, EACCES);
  try {
    model.AddQuestion("Another?");
    FAIL() << "no error";
  } catch (const Error& e) {
    EXPECT_EQ(std::string(e.what()), "Cannot replace file \"" + doc + "\". Permission denied");
  }
  EXPECT_EQ(ReadFile(doc), before);
  EXPECT_EQ(StoredCount(), 1);  // the count follows the document, so it was not written ahead
}

TEST_F(QuestionModelTest, AFailedAddAnotherLeavesTheCountAsItWas) {
  AddAnswered(2);
  {
    testing::FailNth fault(sys::Op::Rename, 1, EIO);
    EXPECT_THROW(model.AddAnotherQuestion("Third?"), Error);
  }
  EXPECT_EQ(StoredCount(), 2);
  EXPECT_EQ(LoadFaq(context, "FAQ").questions, (std::vector<std::string>{"Q0", "Q1"}));
}

}  // namespace
}  // namespace quorella
