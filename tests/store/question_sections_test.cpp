#include "store/question_sections.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <random>

#include "store/document.h"
#include "store/faq.h"
#include "store/plain_layout.h"
#include "support/faults.h"
#include "support/temp_dir.h"
#include "util/errors.h"
#include "util/file_io.h"
#include "util/marked_text.h"
#include "util/sys_io.h"
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

// Deleting the last number's sections (none when old_count is 0), then writing the rest, by
// separate steps.
std::optional<std::string> ByDeletesThenWrites(std::optional<std::string> content,
                                               std::size_t old_count, const Lines& questions,
                                               const Lines& answers) {
  if (content && old_count > 0)
    for (const std::string& name :
         {QuestionSectionName(old_count - 1), AnswerSectionName(old_count - 1)})
      if (auto removed = DeleteSectionFromText(*content, name)) content = std::move(*removed);
  return BySectionWrites(content, questions, answers);
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

// The file's bytes after the deletion and the writes, played section by section on the decoded
// text and encoded as the file must then be; nullopt when the text stays as it is.
std::optional<std::string> ExpectedFile(const std::string& bytes, std::size_t deleted_count,
                                        const QuestionList& list) {
  const DecodedText before = DecodeMarkedText(bytes);
  const auto after = ByDeletesThenWrites(before.text, deleted_count, list.questions, list.answers);
  if (*after == before.text) return std::nullopt;
  return EncodeMarkedText(*after, EncodingToWrite(*after, before.encoding));
}

// A document in the program's own shape: sections of numbered, fixed and other names, each with
// its header and terminator, between loose lines; in Windows-1252 or UTF-8 with the mark, in
// either with characters beyond ASCII.
std::string RandomPlainDocument(std::mt19937& random) {
  static const Lines headers = {"[Question 0]",  "[Answer 0]",     "[question 1]",  "[ANSWER 1]x",
                                "[Question 2]",  "[Answer 2]",     "[Question 3]",  "[Answer 3]",
                                "[Question 10]", "[Answer 11]",    "[Question 01]", "[Custom]",
                                "[Notes]x",      "[AnswerHeader]", "[Caf\xE9]"};
  static const Lines body_lines = {"text",  "",         "",        "0",       "3", " [Question 0]",
                                   "#### ", "[Custom]", "[Other]", "caf\xE9", "[x"};
  static const Lines loose_lines = {"", "", "", "loose", "####", "\xEF\xBB\xBFmark-like"};
  std::string text = random() % 4 == 0 ? std::string(kUtf8Mark) : std::string();
  std::vector<char> used(headers.size(), 0);
  const int items = static_cast<int>(random() % 14);
  for (int i = 0; i < items; ++i) {
    if (random() % 3 == 0) {
      text += loose_lines[random() % loose_lines.size()] + "\r\n";
      continue;
    }
    const std::size_t header = random() % headers.size();
    // The numbered names occur once; the program writes each section the same way.
    if (header < 11 && std::exchange(used[header], 1) != 0) continue;
    text += headers[header] + "\r\n";
    for (int line = static_cast<int>(random() % 4); line > 0; --line)
      text += body_lines[random() % body_lines.size()] + "\r\n";
    text += "####\r\n";
  }
  return text;
}

QuestionList RandomPlainList(std::mt19937& random) {
  static const Lines texts = {"q",
                              "",
                              "two\r\nlines",
                              "[Question 1]",
                              "####",
                              "[Custom]",
                              "0\r\nanswer\r\n",
                              "3\r\n<i>x</i>\r\n",
                              "a\nb",
                              "\r\n",
                              "x\r\n",
                              "0\r\ntext\r\n\r\n",
                              "caf\xC3\xA9",
                              "0\r\n\xE2\x82\xAC 5\r\n",
                              "\xCE\xA9 not in Windows-1252"};
  QuestionList list;
  const int count = static_cast<int>(random() % 8);
  for (int i = 0; i < count; ++i) {
    list.questions.push_back(texts[random() % texts.size()]);
    list.answers.push_back(texts[random() % texts.size()]);
  }
  return list;
}

// Names of numbered, fixed and other sections in any spelling, and names the outline does not
// index.
std::string RandomSectionName(std::mt19937& random) {
  static const Lines names = {"Question 0", "Answer 1",     "answer 2",     "QUESTION 3",
                              "Answer 12",  "AnswerHeader", "answerfooter", "HeaderCode",
                              "Custom",     "Question 01",  "Answer 1]x",   "Caf\xC3\xA9"};
  return names[random() % names.size()];
}

Lines RandomLines(std::mt19937& random) {
  static const Lines pieces = {"line",     "",          "[Question 1]", "####",
                               "[Custom]", "a\nb\r\nc", "caf\xC3\xA9",  "\xCE\xA9",
                               "0",        "x\r"};
  Lines lines;
  for (int i = static_cast<int>(random() % 4); i > 0; --i)
    lines.push_back(pieces[random() % pieces.size()]);
  return lines;
}

// One command of the window on a list: add, edit, move or delete; the count before a deletion.
std::size_t NextCommand(std::mt19937& random, QuestionList& list) {
  const std::size_t count = list.questions.size();
  const std::size_t p = count > 0 ? random() % count : 0;
  switch (count > 0 ? random() % 4 : 0) {
    case 0:
      list.questions.push_back(random() % 2 ? "added" : "caf\xC3\xA9?");
      list.answers.emplace_back("0");
      return 0;
    case 1:
      list.questions[p] = random() % 2 ? "edited" : "[Question 0]\r\nedited";
      return 0;
    case 2:
      if (p + 1 < count) {
        std::swap(list.questions[p], list.questions[p + 1]);
        std::swap(list.answers[p], list.answers[p + 1]);
      }
      return 0;
    default:
      list.questions.erase(list.questions.begin() + static_cast<long>(p));
      list.answers.erase(list.answers.begin() + static_cast<long>(p));
      return count;
  }
}

// Documents whose bytes could be taken for the text of an entry, or whose splice must not stay in
// Windows-1252.
TEST(PlainLayout, GivesTheBytesOfTheSectionBySectionWritesWhereBytesMislead) {
  struct Case {
    std::string bytes;
    std::size_t deleted_count;
    QuestionList list;
  };
  const std::string cafe_1252 = "caf\xC3\xA9";  // two Windows-1252 characters, in UTF-8 "é"
  const std::vector<Case> cases = {
      // Windows-1252 bytes that equal the UTF-8 bytes of the question and the answer.
      {"[Question 0]\r\n" + cafe_1252 + "\r\n\r\n####\r\n\r\n[Answer 0]\r\n0\r\n" + cafe_1252 +
           "\r\n\r\n####\r\n",
       0,
       {{cafe_1252}, {"0\r\n" + cafe_1252 + "\r\n"}}},
      // The same once a question moved: the neighbour's bytes mislead.
      {"[Question 0]\r\nq\r\n\r\n####\r\n[Answer 0]\r\n0\r\n\r\n####\r\n[Question 1]\r\n" +
           cafe_1252 + "\r\n\r\n####\r\n[Answer 1]\r\n0\r\n\r\n####\r\n",
       0,
       {{cafe_1252, "q"}, {"0\r\n", "0\r\n"}}},
      // In UTF-8 the same bytes are the same text.
      {std::string(kUtf8Mark) + "[Question 0]\r\n" + cafe_1252 + "\r\n\r\n####\r\n",
       0,
       {{cafe_1252}, {"0"}}},
      // A deletion that leaves a Windows-1252 file beginning with the bytes of the mark.
      {"[Question 1]\r\nq\r\n\r\n####\r\n\r\n\xEF\xBB\xBFtext\r\n[Question 0]\r\nq\r\n\r\n####\r\n",
       2,
       {{"q"}, {"0"}}},
      // A character Windows-1252 cannot hold turns the file into UTF-8.
      {"[Question 0]\r\ncaf\xE9\r\n\r\n####\r\n", 0, {{"\xCE\xA9"}, {"0"}}},
  };
  for (std::size_t c = 0; c < cases.size(); ++c) {
    const Case& test = cases[c];
    auto layout = PlainLayout::Of(test.bytes);
    ASSERT_TRUE(layout) << c;
    std::string out;
    const auto changed = layout->SaveQuestionList(test.bytes, test.deleted_count,
                                                  test.list.questions, test.list.answers, out);
    if (!changed) continue;  // left to the general rewrite
    const auto expected = ExpectedFile(test.bytes, test.deleted_count, test.list);
    EXPECT_EQ(*changed, expected.has_value()) << c;
    if (*changed) {
      EXPECT_EQ(out, *expected) << c;
    }
  }
}

// The splice of a document in the program's own shape gives the bytes of the section-by-section
// writes, or of a single section's write, also for the next commands on the outline it keeps; a
// document that only resembles that shape is either refused or gives them too.
TEST(PlainLayout, AgreesWithTheSectionBySectionWrites) {
  std::mt19937 random(20261207);
  int spliced = 0, refused_plain = 0;
  for (int round = 0; round < 4000; ++round) {
    std::string bytes = RandomPlainDocument(random);
    const bool damaged = random() % 4 == 0 && !bytes.empty();
    if (damaged) {
      // One line end, terminator or header out of shape.
      const std::size_t at = random() % bytes.size();
      switch (random() % 3) {
        case 0:
          bytes.insert(at, "\n");
          break;
        case 1:
          bytes.insert(at, "[Answer 0]\r\n");
          break;
        default:
          bytes.erase(at, 1);
          break;
      }
    }
    auto layout = PlainLayout::Of(bytes);
    if (!damaged && !layout) ++refused_plain;
    if (!layout) continue;
    QuestionList list = RandomPlainList(random);
    std::size_t deleted = random() % 3 == 0 ? list.questions.size() + 1 : 0;
    for (int command = 0; command < 6; ++command) {
      std::string out;
      std::optional<bool> changed;
      std::optional<std::string> expected;
      if (random() % 3 == 0) {
        // A single section, as the answer editor and the option editors write it.
        const std::string name = RandomSectionName(random);
        const Lines lines = RandomLines(random);
        changed = layout->WriteSection(bytes, name, lines, out);
        const DecodedText before = DecodeMarkedText(bytes);
        const std::string after = WriteSectionInText(before.text, name, lines);
        if (after != before.text)
          expected = EncodeMarkedText(after, EncodingToWrite(after, before.encoding));
      } else {
        changed = layout->SaveQuestionList(bytes, deleted, list.questions, list.answers, out);
        expected = ExpectedFile(bytes, deleted, list);
        deleted = NextCommand(random, list);
      }
      if (!changed) break;  // left to the general rewrite
      ASSERT_EQ(*changed, expected.has_value()) << "round " << round << " command " << command;
      if (*changed) {
        ASSERT_EQ(out, *expected) << "round " << round << " command " << command << ": [" << bytes
                                  << "]";
        bytes = out;
        ++spliced;
      }
    }
  }
  EXPECT_EQ(refused_plain, 0);
  EXPECT_GT(spliced, 4000);
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

// The bytes of the last save are kept for the next one; a change made by another program that
// keeps the file's size, identity and modification time must be seen all the same.
TEST_F(SaveQuestionListTest, SeesAnOutsideChangeThatKeepsTheFilesSizeAndTimes) {
  WriteFile(doc, *Documents()[2]);
  const QuestionList first{{"First?"}, {"0\r\nfirst\r\n"}};
  SaveQuestionList(doc, first.questions, first.answers);
  struct stat before {};
  ASSERT_EQ(::stat(doc.c_str(), &before), 0);
  std::string outside = ReadFile(doc);
  const auto at = outside.find("<p>");
  ASSERT_NE(at, std::string::npos);
  outside.replace(at, 3, "<q>");
  {
    sys::Fd fd(::open(doc.c_str(), O_WRONLY));
    ASSERT_EQ(::pwrite(fd.get(), "<q>", 3, static_cast<off_t>(at)), 3);
  }
  const timespec times[2] = {before.st_atim, before.st_mtim};
  ASSERT_EQ(::utimensat(AT_FDCWD, doc.c_str(), times, 0), 0);
  struct stat after {};
  ASSERT_EQ(::stat(doc.c_str(), &after), 0);
  ASSERT_EQ(after.st_ino, before.st_ino);
  ASSERT_EQ(after.st_size, before.st_size);

  const QuestionList next{{"First?", "Second?"}, {"0\r\nfirst\r\n", "0"}};
  SaveQuestionList(doc, next.questions, next.answers);
  EXPECT_EQ(ReadFile(doc), BySectionWrites(outside, next.questions, next.answers));
}

// A save whose file could not be replaced leaves nothing behind for the next one to build on.
TEST_F(SaveQuestionListTest, TheSaveAfterAFailedOneStartsFromTheFile) {
  WriteFile(doc, *Documents()[2]);
  SaveQuestionList(doc, {"Old?"}, {"0\r\nold\r\n"});
  for (sys::Op op : {sys::Op::Write, sys::Op::Rename}) {
    const std::string kept = ReadFile(doc);
    {
      testing::FailNth fault(op, 1, EIO);
      EXPECT_THROW(SaveQuestionList(doc, {"Old?", "New?"}, {"0\r\nold\r\n", "0"}), Error);
    }
    ASSERT_EQ(ReadFile(doc), kept);
    const Lines questions = {"Other?"}, answers = {"0\r\nother\r\n"};
    SaveQuestionList(doc, questions, answers);
    EXPECT_EQ(ReadFile(doc), BySectionWrites(kept, questions, answers)) << int(op);
    SaveQuestionList(doc, {"Old?"}, {"0\r\nold\r\n"});
  }
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
