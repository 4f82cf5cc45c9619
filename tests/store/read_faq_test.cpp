#include <gtest/gtest.h>

#include "store/catalogue.h"
#include "store/faq.h"
#include "support/temp_dir.h"
#include "util/file_io.h"

namespace quorella {
namespace {

class ReadFaqTest : public ::testing::Test {
 protected:
  testing::TempDir dir;
  AppContext context{dir / "config/settings.db", dir / "app", false};
  std::string doc = dir / "app/FAQ.dat";
  void SetUp() override {
    CreateDirectories(dir / "app");
    AddFaq(context, "FAQ");
    context.settings().WriteSettingInteger(context.FaqKey("FAQ"), "TotalQuestions", 2);
  }
};

TEST_F(ReadFaqTest, AMissingDocumentReadsAsEmptyAndStaysMissing) {
  ASSERT_TRUE(RemoveFile(doc));
  const Faq faq = ReadFaq(context, "FAQ");
  EXPECT_EQ(faq.questions, (std::vector<std::string>{"", ""}));
  EXPECT_EQ(faq.answers, (std::vector<std::string>{"", ""}));
  EXPECT_FALSE(FileExists(doc));
  LoadFaq(context, "FAQ");
  EXPECT_TRUE(FileExists(doc));
}

TEST_F(ReadFaqTest, ReadsWhatLoadingReads) {
  testing::WriteFile(
      doc,
      "[Question 1]\r\nSecond\r\nline\r\n\r\n####\r\n[Answer 1]\r\n2\r\nb\r\n####\r\n"
      "[Question 0]\r\nFirst\r\n\r\n####\r\n[HeaderCode]\r\n<meta>\r\n####\r\n");
  const Faq read = ReadFaq(context, "FAQ");
  const Faq loaded = LoadFaq(context, "FAQ");
  EXPECT_EQ(read.questions, (std::vector<std::string>{"First", "Second\r\nline"}));
  EXPECT_EQ(read.answers, (std::vector<std::string>{"", "2\r\nb"}));
  EXPECT_EQ(read.questions, loaded.questions);
  EXPECT_EQ(read.answers, loaded.answers);
  EXPECT_EQ(read.Section(FixedSection::HeaderCode), "<meta>");
  EXPECT_EQ(read.document_path, doc);
}

TEST_F(ReadFaqTest, AHostileQuestionCountIsBoundedByTheDocument) {
  const std::string document = "[Question 0]\r\nFirst?\r\n\r\n####\r\n";  // four lines
  testing::WriteFile(doc, document);
  struct Case {
    std::int32_t stored;
    std::size_t loaded;
  };
  for (const Case& c : {Case{2'000'000'000, 4 + kQuestionsBeyondDocument}, Case{INT32_MAX, 1004},
                        Case{1004, 1004}, Case{3, 3}, Case{-5, 0}}) {
    context.settings().WriteSettingInteger(context.FaqKey("FAQ"), "TotalQuestions", c.stored);
    for (const Faq& faq : {ReadFaq(context, "FAQ"), LoadFaq(context, "FAQ")}) {
      EXPECT_EQ(faq.questions.size(), c.loaded) << c.stored;
      EXPECT_EQ(faq.answers.size(), c.loaded) << c.stored;
      if (c.loaded > 1) {
        EXPECT_EQ(faq.questions[0], "First?") << c.stored;
        EXPECT_EQ(faq.questions[1], "") << c.stored;
      }
    }
  }
}

}  // namespace
}  // namespace quorella
