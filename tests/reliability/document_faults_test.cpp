// A failed call while a document is rewritten leaves it whole: the old or the new version, no
// scratch file beside it, and the caller told why.
#include "reliability/sweep_fixture.h"
#include "store/document.h"
#include "store/question_sections.h"
#include "support/error_text.h"
#include "util/file_io.h"

namespace quorella::testing {
namespace {

constexpr std::string_view kDocument =
    "[AnswerHeader]\r\n<b>head</b>\r\n\r\n####\r\n\r\n"
    "[Question 0]\r\nFirst?\r\n\r\n####\r\n\r\n[Answer 0]\r\n0\r\nOne.\r\n\r\n####\r\n\r\n"
    "[Question 1]\r\nSecond?\r\n\r\n####\r\n\r\n[Answer 1]\r\n2\r\nTwo.\r\n\r\n####\r\n";

class DocumentFaults : public FaultSweepTest {
 protected:
  std::string doc = app_dir + "FAQ.dat";

  Operation Rewrite(std::string label, std::function<void()> rewrite) {
    return {std::move(label), [this] { WriteFile(doc, kDocument); },
            [rewrite] { return ErrorOf(rewrite); }, [this] { return FilesUnder(app_dir, "app"); }};
  }
};

TEST_F(DocumentFaults, ASectionRewriteLeavesTheOldOrTheNewDocument) {
  struct Case {
    std::string label;
    std::string section;
  };
  for (const Case& c : {Case{"section rewrite (replace)", "Answer 1"},
                        Case{"section rewrite (append)", "Answer 2"}}) {
    const std::size_t points = Sweep(Rewrite(c.label, [this, c] {
      WriteSection(doc, c.section, {"1", "A new answer", "of two lines"});
    }));
    EXPECT_GE(points, 6u) << c.label;  // open, read, open, chmod, write, fsync, rename, ...
  }
}

TEST_F(DocumentFaults, DeletingASectionLeavesTheOldOrTheNewDocument) {
  EXPECT_GE(Sweep(Rewrite("section delete", [this] { DeleteSection(doc, "Question 0"); })), 6u);
}

TEST_F(DocumentFaults, SavingTheQuestionListLeavesTheOldOrTheNewDocument) {
  const std::vector<std::string> questions = {"Second?", "First?", "Third?"};
  const std::vector<std::string> answers = {"2\r\nTwo.\r\n", "0\r\nOne.\r\n", "0\r\n"};
  EXPECT_GE(Sweep(Rewrite("SaveQuestionList", [&] { SaveQuestionList(doc, questions, answers); })),
            6u);
}

}  // namespace
}  // namespace quorella::testing
