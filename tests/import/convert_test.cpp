#include "import/convert.h"

#include <gtest/gtest.h>

#include "import/working_text.h"
#include "store/document.h"
#include "support/temp_dir.h"
#include "util/cp1252.h"
#include "util/errors.h"

namespace quorella {
namespace {

std::string Golden(std::string_view name) {
  return testing::ReadFile(testing::SourceDir() + "tests/import/golden/" + std::string(name));
}

std::string Section(std::string_view name, std::string_view body) {
  return "[" + std::string(name) + "]\r\n" + std::string(body) + "\r\n\r\n####\r\n\r\n";
}

// Question n and its answer as Convert writes them.
std::string Pair(int n, std::string_view question, std::string_view answer) {
  return Section("Question " + std::to_string(n), question) +
         Section("Answer " + std::to_string(n), answer);
}

ConvertOptions Options(std::string qa, std::string aq, bool manual, bool remove_numbers) {
  ConvertOptions options;
  options.qa_separator = std::move(qa);
  options.aq_separator = std::move(aq);
  options.manual_separators = manual;
  options.remove_numbers = remove_numbers;
  return options;
}

const ConvertOptions kDefaults;
const ConvertOptions kKeepNumbers = Options("?\r\n", "\r\n\r\n", false, false);

TEST(Convert, WorkedExampleByteForByte) {
  const ConvertResult result = Convert(Golden("worked-example.txt"), kDefaults);
  EXPECT_EQ(result.count, 2);
  EXPECT_EQ(result.text, Golden("worked-example.dat"));
}

TEST(Convert, SampleFaq) {
  const ConvertResult result =
      Convert(ReadWorkingText(testing::SourceDir() + "data/quorella-faq.txt"), kDefaults);
  EXPECT_EQ(result.count, 10);
  // The kept document is in Windows-1252, as the program stores it; the text in memory is UTF-8.
  EXPECT_EQ(result.text, Cp1252ToUtf8(Golden("quorella-faq.dat")));
}

TEST(Convert, EdgeCases) {
  struct Case {
    const char* what;
    std::string text;
    ConvertOptions options;
    std::string expected;
    std::int32_t count;
  };
  const std::string long_answer(100000, 'x');
  const Case cases[] = {
      {"numbers go from questions and answers", "12) What is it?\r\n3 files are made.\r\n\r\n",
       kDefaults, Pair(0, "What is it?", "files are made."), 1},
      {"numbers kept", "1. How?\r\n2 ways.\r\n\r\n", kKeepNumbers, Pair(0, "1. How?", "2 ways."),
       1},
      {"question over two lines", "Q1?\r\nA1.\r\n\r\nHow do I\r\nstart?\r\nA2.\r\n\r\n", kDefaults,
       Pair(0, "Q1?", "A1.") + Pair(1, "How do I start?", "A2."), 2},
      {"first question over two lines", "How do I\r\nstart?\r\nPress Go.\r\n\r\n", kDefaults,
       Pair(0, "How do I start?", "Press Go."), 1},
      {"two-paragraph answer", "Q?\r\nOne.\r\n\r\nTwo.\r\n\r\nNext?\r\nB.\r\n\r\n", kDefaults,
       Pair(0, "Q?", "One.\r\n\r\nTwo.") + Pair(1, "Next?", "B."), 2},
      {"last answer without final empty line", "Q?\r\nA.\r\n", kDefaults, Pair(0, "Q?", ""), 1},
      {"an answer without its empty line runs into the next question", "Q?\r\nA.\r\nR?\r\nB.\r\n",
       kDefaults, Pair(0, "Q?", "") + Pair(1, "A. R?", ""), 2},
      {"last answer without any final line break", "Q?\r\nA.\r\n\r\nR?\r\nB.", kDefaults,
       Pair(0, "Q?", "A.") + Pair(1, "R?", ""), 2},
      {"title before the first question", "My FAQ\r\n\r\n1. Q?\r\nA.\r\n\r\n", kDefaults,
       Pair(0, "Q?", "A."), 1},
      {"text after the last answer", "Q?\r\nA.\r\n\r\nTrailing note\r\n", kDefaults,
       Pair(0, "Q?", "A."), 1},
      {"manual separators on lines of their own",
       "Question one\r\n---\r\nAnswer one\r\n===\r\nQuestion two\r\n---\r\nAnswer two\r\n===\r\n",
       Options("---\r\n", "===\r\n", true, true),
       Pair(0, "Question one", "Answer one") + Pair(1, "Question two", "Answer two"), 2},
      {"separator typed without Enter matches inside a line",
       "Q: a --- A: b ===", Options("---", "===", true, false), Pair(0, "Q: a", " A: b "), 1},
      {"no question separator", "Just a title\r\n\r\nand text\r\n", kDefaults, "", 0},
      {"empty text", "", kDefaults, "", 0},
      {"empty answer separator occurs nowhere", "Q1?\r\nA1.\r\n\r\nQ2?\r\nA2.\r\n",
       Options("?\r\n", "", false, true), Pair(0, "Q1?", "") + Pair(1, "A1. Q2?", ""), 2},
      // Occurrences count left to right without overlap: in "===" the last "==" starts first.
      {"last answer separator without overlap", "Q?\r\nans===Next?\r\nB",
       Options("?\r\n", "==", false, false), Pair(0, "Q?", "ans==") + Pair(1, "=Next?", "=="), 2},
      {"tabs and runs of blanks in a question", "Why\tis  it\r\n   so?\r\nA.\r\n\r\n", kDefaults,
       Pair(0, "Why is it so?", "A."), 1},
      {"leading and trailing line breaks of an answer", "Q?\r\n\r\n\r\nA.\r\n\r\n\r\n\r\n",
       kDefaults, Pair(0, "Q?", "A."), 1},
      {"texts beyond 16-bit lengths", "Q?\r\n" + long_answer + "\r\n\r\nR?\r\nB.\r\n\r\n",
       kDefaults, Pair(0, "Q?", long_answer) + Pair(1, "R?", "B."), 2},
      {"a NUL is an ordinary character", std::string("Q\0?\r\nA\0.\r\n\r\nR?\r\nB.\r\n\r\n", 22),
       kDefaults, Pair(0, std::string("Q\0?", 3), std::string("A\0.", 3)) + Pair(1, "R?", "B."), 2},
      {"body lines that would read as section lines are shifted",
       "Q?\r\nBefore\r\n####\r\n[Answer 5]\r\nAfter\r\n\r\n", kDefaults,
       Pair(0, "Q?", "Before\r\n#### \r\n [Answer 5]\r\nAfter"), 1},
      {"an answer starting with an integer line gets a format line", "Q?\r\n$10\r\n\r\n", kDefaults,
       Pair(0, "Q?", "0\r\n$10"), 1},
      {"an integer answer kept with its number", "Q?\r\n42\r\nor so.\r\n\r\n", kKeepNumbers,
       Pair(0, "Q?", "0\r\n42\r\nor so."), 1},
      {"numbers removed to nothing", "1.?\r\n2.\r\n\r\n", kDefaults, Pair(0, "", ""), 1},
  };
  for (const Case& c : cases) {
    const ConvertResult result = Convert(c.text, c.options);
    EXPECT_EQ(result.text, c.expected) << c.what;
    EXPECT_EQ(result.count, c.count) << c.what;
  }
}

TEST(Convert, PressedTwiceTakesTheFirstSectionLineIntoTheFirstQuestion) {
  const std::string once = Convert(Golden("worked-example.txt"), kDefaults).text;
  const ConvertResult twice = Convert(once, kDefaults);
  EXPECT_EQ(twice.count, 2);
  // The section lines of the first pass land in the bodies, shifted by one blank so that the
  // document still reads back as two questions with their answers.
  EXPECT_EQ(twice.text,
            Pair(0, " [Question 0] How?", "#### \r\n\r\n [Answer 0]\r\nLike this.\r\n\r\n#### ") +
                Pair(1, " [Question 1] Why?", "#### \r\n\r\n [Answer 1]\r\nBecause.\r\n\r\n#### "));
  SectionIndex index(twice.text);
  EXPECT_EQ(index.Read("Answer 1"), "#### \r\n\r\n [Answer 1]\r\nBecause.\r\n\r\n#### \r\n");
}

TEST(Convert, EmptyQuestionSeparatorIsRefused) {
  try {
    Convert("Q?\r\nA.\r\n\r\n", Options("", "\r\n\r\n", false, true));
    ADD_FAILURE() << "no error";
  } catch (const Error& e) {
    EXPECT_EQ(std::string(e.what()),
              "The question - answer separator is empty. Please enter the text that ends a "
              "question.");
  }
}

TEST(Convert, SectionsReadBackAsQuestionsAndAnswers) {
  const std::string text =
      Convert("1. How?\r\nFirst\r\n####\r\nlast.\r\n\r\n2. Why?\r\n$10\r\n\r\n", kDefaults).text;
  SectionIndex index(text);
  EXPECT_EQ(index.Read("Question 0"), "How?\r\n");
  EXPECT_EQ(index.Read("Answer 0"), "First\r\n#### \r\nlast.\r\n");
  EXPECT_EQ(index.Read("Question 1"), "Why?\r\n");
  EXPECT_EQ(index.Read("Answer 1"), "0\r\n$10\r\n");
}

}  // namespace
}  // namespace quorella
