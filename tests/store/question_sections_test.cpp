#include "store/question_sections.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <random>

#include "store/document.h"
#include "store/faq.h"
#include "support/faults.h"
#include "support/temp_dir.h"
#include "util/errors.h"
#include "util/file_io.h"
#include "util/text_lines.h"

namespace quorella {
namespace {

using Lines = std::vector<std::string>;
using testing::ReadFile;
using testing::WriteFile;

// The list written section by section, each write rewriting the whole text.
std::optional<std::string> BySectionWrites(std::optional<std::string> content,
                                           const Lines& questions, const Lines& answers) {
  for (std::size_t n = 0; n < questions.size(); ++n) {
    content = WriteSectionInText(content, QuestionSectionName(n), SplitLines(questions[n]));
    content = WriteSectionInText(content, AnswerSectionName(n), SplitLines(answers[n]));
  }
  return content;
}

struct QuestionList {
  Lines questions, answers;
};

const std::vector<std::optional<std::string>>& Documents() {
  static const std::vector<std::optional<std::string>> documents = {
      std::nullopt,
      "",
      // As the program writes it.
      "[AnswerHeader]\r\n<p>\r\n\r\n####\r\n\r\n[Question 0]\r\nOld?\r\n\r\n####\r\n\r\n"
      "[Answer 0]\r\n0\r\nold\r\n\r\n####\r\n",
      // Unusual order, answers first, numbers descending.
      "[Answer 2]\r\n1\r\nc\r\n\r\n####\r\n\r\n[Answer 1]\r\nb\r\n####\r\n[Question 2]\r\nQ2\r\n"
      "####\r\n[Answer 0]\r\na\r\n####\r\n[Question 0]\r\nQ0\r\n####\r\n",
      // Missing sections.
      "[Question 1]\r\nonly one\r\n\r\n####\r\n\r\n[Answer 0]\r\n3\r\n<b>x</b>\r\n\r\n####\r\n",
      // Duplicate headers in several spellings; the first one is written.
      "[Question 0]\r\nfirst\r\n####\r\n[QUESTION 0]\r\nsecond\r\n####\r\n[question 0]x\r\n"
      "third\r\n####\r\n[Answer 0]\r\na\r\n####\r\n[answer 0]\r\nb\r\n####\r\n",
      // Lines outside sections and stray terminators.
      "title line\r\n####\r\n[Question 0]\r\nq\r\n####\r\nbetween\r\n\r\n####\r\nmore\r\n"
      "[Answer 0]\r\na\r\n####\r\ntail",
      // Other line ends.
      "[Question 0]\nunix\n\n####\n\n[Answer 0]\n0\nlf\n\n####\n",
      "[Question 0]\rmac\r\r####\r\r[Answer 1]\r0\rcr\r\r####\r",
      "[Question 1]\r\nmixed\n\r####\r\n[Answer 1]\n0\r\n####",
      // No line break at the end, outside or inside a section.
      "loose text",
      "[Custom]\r\nc\r\n####",
      // Sections without terminator: the write runs to the next numbered or fixed header or to
      // the end, and a section appended after an unterminated one stays a section of its own.
      "[Answer 0]\r\nold answer",
      "[Question 1]\r\nq1\r\n[Answer 1]\r\na1\r\n",
      "[X]\r\nx\r\n",
      // A header inside another section's body, a header with text after it, longer numbers.
      "[X]\r\n[Question 1]\r\ninside X\r\n####\r\n[answer 1]extra\r\nold\r\n####\r\n",
      "[Question 10]\r\nten\r\n####\r\n[Question 1]\r\none\r\n####\r\n[Answer 10]\r\nx\r\n####\r\n",
      // Names that only look like the numbered ones.
      "[Question 01]\r\nlead\r\n####\r\n[Answer 00]\r\nx\r\n####\r\n[Question 1 ]\r\ny\r\n"
      "####\r\n[Answer +1]\r\nz\r\n####\r\n[Question0]\r\nw\r\n####\r\n",
      // More sections than questions; custom names that change how body lines are stored.
      "[Question 5]\r\nstale\r\n\r\n####\r\n\r\n[Custom]\r\nc\r\n\r\n####\r\n\r\n[Notes]\r\n"
      "[Question 0]\r\n####\r\n",
      // Only separators and terminators.
      "\r\n\r\n####\r\n####\r\n\r\n",
      "\r",
  };
  return documents;
}

const std::vector<QuestionList>& Lists() {
  static const std::vector<QuestionList> lists = {
      {{}, {}},
      {{"What?"}, {"0"}},
      {{"  padded  ", "two\r\nlines", "Q3"}, {"0\r\nA1\r\n", "", "3\r\n<b>\r\n\r\nend\r\n"}},
      {{"[Question 1]", "####", "[Custom]"},
       {"0\r\n####\r\n[Answer 0]\r\n", "Yes\r\n[custom]\r\n[Notes]x\r\n", "0\r\n[other]\r\n"}},
      {{"a", "b", "c", "d", "e", "f", "g", "h", "i", "j", "k", "l"},
       {"0", "1\r\nb", "2", "3", "0", "0", "0", "0", "0", "0", "0", "0\r\nlast\r\n"}},
      {{"", "\r\n", "x\r\n"}, {"0\r\n\r\n", "0", "1\r\n\r\n\r\n"}},
  };
  return lists;
}

TEST(QuestionListInText, GivesTheBytesOfTheSectionBySectionWrites) {
  for (std::size_t d = 0; d < Documents().size(); ++d)
    for (std::size_t l = 0; l < Lists().size(); ++l) {
      const auto& list = Lists()[l];
      EXPECT_EQ(QuestionListInText(Documents()[d], list.questions, list.answers),
                BySectionWrites(Documents()[d], list.questions, list.answers))
          << "document " << d << ", list " << l;
    }
}

// Documents and lists drawn from pieces that meet each other in every way: headers of the names
// being written in any spelling, with and without terminators, custom sections, stray lines.
std::string RandomDocument(std::mt19937& random) {
  static const Lines pieces = {"[Question 01]",
                               "[answer 00]",
                               "[Question 0]",
                               "[question 1]",
                               "[QUESTION 2]x",
                               "[Answer 0]",
                               "[answer 1]",
                               "[Answer 2]",
                               "[Question 10]",
                               "[Answer 11]",
                               "####",
                               "####",
                               "####",
                               "",
                               "",
                               "text",
                               "[Custom]",
                               "[AnswerFooter]",
                               "[x",
                               "more text",
                               " [Question 0]",
                               "#### ",
                               "[Question ]",
                               "[Answer ]"};
  static const std::vector<std::string> breaks = {"\r\n", "\r\n", "\n", "\r"};
  std::string text;
  const int lines = static_cast<int>(random() % 25);
  for (int i = 0; i < lines; ++i) {
    text += pieces[random() % pieces.size()];
    if (i + 1 < lines || random() % 3 != 0) text += breaks[random() % breaks.size()];
  }
  return text;
}

QuestionList RandomList(std::mt19937& random) {
  static const Lines texts = {"q",
                              "",
                              "two\r\nlines",
                              "[Question 1]",
                              "####",
                              "[Custom]",
                              "0\r\nanswer",
                              "3\r\n<i>x</i>\r\n",
                              "Yes\r\nno\r\n",
                              "\r\n"};
  QuestionList list;
  const int count = static_cast<int>(random() % 13);
  for (int i = 0; i < count; ++i) {
    list.questions.push_back(texts[random() % texts.size()]);
    list.answers.push_back(texts[random() % texts.size()]);
  }
  return list;
}

TEST(QuestionListInText, AgreesWithTheSectionBySectionWritesOnRandomDocuments) {
  std::mt19937 random(20240605);
  for (int round = 0; round < 3000; ++round) {
    std::optional<std::string> document;
    if (random() % 10 != 0) document = RandomDocument(random);
    const QuestionList list = RandomList(random);
    ASSERT_EQ(QuestionListInText(document, list.questions, list.answers),
              BySectionWrites(document, list.questions, list.answers))
        << "round " << round << ": [" << document.value_or("(missing)") << "]";
    // Saved again after a question is added or changed: most bodies are already in place, among
    // whatever other lines and line ends the document has.
    const std::optional<std::string> saved =
        BySectionWrites(document, list.questions, list.answers);
    QuestionList next = list;
    if (next.questions.empty() || random() % 2 == 0) {
      next.questions.push_back("added");
      next.answers.push_back("0\r\nnew");
    } else {
      next.answers[random() % next.answers.size()] += "\r\nchanged";
    }
    ASSERT_EQ(QuestionListInText(saved, next.questions, next.answers),
              BySectionWrites(saved, next.questions, next.answers))
        << "round " << round << " saved again: [" << saved.value_or("(missing)") << "]";
  }
}

class SaveQuestionListTest : public ::testing::Test {
 protected:
  testing::TempDir dir;
  std::string doc = dir / "FAQ.dat";
};

TEST_F(SaveQuestionListTest, RewritesTheFileOnce) {
  WriteFile(doc, *Documents()[3]);
  const auto& list = Lists()[2];
  testing::CountCalls calls;
  SaveQuestionList(doc, list.questions, list.answers);
  EXPECT_EQ(calls.count(sys::Op::Rename), 1);
  EXPECT_EQ(ReadFile(doc), BySectionWrites(Documents()[3], list.questions, list.answers));
}

TEST_F(SaveQuestionListTest, WritesNothingWhenNothingChanges) {
  const auto& list = Lists()[2];
  SaveQuestionList(doc, list.questions, list.answers);
  const std::string written = ReadFile(doc);
  testing::CountCalls calls;
  SaveQuestionList(doc, list.questions, list.answers);
  EXPECT_EQ(calls.count(sys::Op::Rename), 0);
  EXPECT_EQ(calls.count(sys::Op::Write), 0);
  EXPECT_EQ(ReadFile(doc), written);
}

TEST_F(SaveQuestionListTest, AnEmptyListCreatesNoFile) {
  SaveQuestionList(doc, {}, {});
  EXPECT_FALSE(FileExists(doc));
  SaveQuestionList(doc, {"Q"}, {"0"});
  EXPECT_EQ(ReadFile(doc), "[Question 0]\r\nQ\r\n\r\n####\r\n\r\n[Answer 0]\r\n0\r\n\r\n####\r\n");
}

TEST_F(SaveQuestionListTest, AFailedRewriteLeavesTheOldDocument) {
  WriteFile(doc, *Documents()[2]);
  for (sys::Op op :
       {sys::Op::Open, sys::Op::Read, sys::Op::Write, sys::Op::Fsync, sys::Op::Rename}) {
    testing::FailNth fault(op, 1, EIO);
    EXPECT_THROW(SaveQuestionList(doc, {"New?"}, {"0\r\nnew\r\n"}), Error) << int(op);
    EXPECT_EQ(ReadFile(doc), *Documents()[2]) << int(op);
    EXPECT_EQ(ListDirectory(dir.path()), Lines{"FAQ.dat"}) << int(op);
  }
}

// Deleting the last number's sections, then writing the rest, by separate steps.
std::optional<std::string> ByDeletesThenWrites(std::optional<std::string> content,
                                               std::size_t old_count, const Lines& questions,
                                               const Lines& answers) {
  if (content)
    for (const std::string& name :
         {QuestionSectionName(old_count - 1), AnswerSectionName(old_count - 1)})
      if (auto removed = DeleteSectionFromText(*content, name)) content = std::move(*removed);
  return BySectionWrites(content, questions, answers);
}

TEST_F(SaveQuestionListTest, DeletingTheLastNumberThenSavingIsOneRewriteOfTheSameBytes) {
  for (std::size_t d = 0; d < Documents().size(); ++d)
    for (std::size_t l = 0; l < Lists().size(); ++l) {
      const auto& list = Lists()[l];
      const std::size_t old_count = list.questions.size() + 1;
      RemoveFile(doc);
      if (Documents()[d]) WriteFile(doc, *Documents()[d]);
      testing::CountCalls calls;
      DeleteLastAndSaveQuestionList(doc, old_count, list.questions, list.answers);
      EXPECT_LE(calls.count(sys::Op::Rename), 1);
      const auto expected =
          ByDeletesThenWrites(Documents()[d], old_count, list.questions, list.answers);
      EXPECT_EQ(FileExists(doc), expected.has_value()) << d << " " << l;
      if (expected) {
        EXPECT_EQ(ReadFile(doc), *expected) << "document " << d << ", list " << l;
      }
    }
}

}  // namespace
}  // namespace quorella
