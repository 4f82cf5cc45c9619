#include "store/catalogue.h"

#include <gtest/gtest.h>

#include "store/document.h"
#include "store/faq.h"
#include "support/error_text.h"
#include "support/temp_dir.h"
#include "util/errors.h"
#include "util/file_io.h"

namespace quorella {
namespace {

using Names = std::vector<std::string>;

class CatalogueTest : public ::testing::Test {
 protected:
  testing::TempDir dir;
  AppContext context{dir / "config/settings.db", dir / "app", false};
  void SetUp() override { CreateDirectories(dir / "app"); }
};

using testing::ErrorOf;

TEST_F(CatalogueTest, NameRules) {
  const Names existing = {"FAQ"};
  EXPECT_EQ(CheckNewFaqName("faq", existing, messages::kEnterFaqName),
            "The name already exists. Please select a new one.");
  EXPECT_FALSE(CheckNewFaqName(" FAQ", existing, messages::kEnterFaqName).has_value());
  EXPECT_FALSE(CheckNewFaqName("   ", existing, messages::kEnterFaqName).has_value());
  EXPECT_EQ(CheckNewFaqName("", existing, messages::kEnterFaqName), "Please enter a name for FAQ.");
  EXPECT_EQ(CheckNewFaqName("", existing, messages::kEnterDocumentName),
            "Please enter a name for document");
  // Control characters of every kind (C1 too) and format characters, which make a name look
  // like another: a zero-width space, a soft hyphen, a right-to-left override.
  for (std::string bad :
       {"a/b", "a\\b", ".", "..", "line\nbreak", "next\xC2\x85line", "zero\xE2\x80\x8Bwidth",
        "soft\xC2\xADhyphen", "Report\xE2\x80\xAE\x65xe.txt"})
    EXPECT_EQ(CheckNewFaqName(bad, existing, messages::kEnterFaqName),
              std::string(messages::kNameNotAFileName))
        << bad;
  EXPECT_EQ(CheckNewFaqName(std::string(252, 'n'), existing, messages::kEnterFaqName),
            std::string(messages::kNameTooLong));
  EXPECT_FALSE(
      CheckNewFaqName(std::string(251, 'n'), existing, messages::kEnterFaqName).has_value());
  // The limit is in bytes: 125 "Ж" take 250, 126 take 252.
  std::string cyrillic;
  for (int i = 0; i < 125; ++i) cyrillic += "\xD0\x96";
  EXPECT_FALSE(CheckNewFaqName(cyrillic, existing, messages::kEnterFaqName).has_value());
  EXPECT_EQ(CheckNewFaqName(cyrillic + "\xD0\x96", existing, messages::kEnterFaqName),
            "A FAQ name cannot be longer than 251 bytes.");
}

// A name is stored in Normalization Form C and compared so: "Café" with a combining accent and
// with the composed letter are one name. A store that already holds a name in another form keeps
// it as it is, found by either form.
TEST_F(CatalogueTest, NamesAreStoredAndComparedComposed) {
  const std::string composed = "Caf\xC3\xA9", decomposed = "Cafe\xCC\x81";
  EXPECT_EQ(AddFaq(context, decomposed, ListFaqs(context)), composed);
  EXPECT_EQ(ListFaqs(context), Names{composed});
  EXPECT_TRUE(FileExists(dir / ("app/" + composed + ".dat")));
  EXPECT_FALSE(FileExists(dir / ("app/" + decomposed + ".dat")));
  for (const std::string& again : {composed, decomposed, std::string("CAFE\xCC\x81")})
    EXPECT_EQ(CheckNewFaqName(again, ListFaqs(context), messages::kEnterFaqName),
              "The name already exists. Please select a new one.")
        << again;
  EXPECT_EQ(FindName(ListFaqs(context), "cafe\xCC\x81"), composed);
  EXPECT_EQ(DuplicateFaq(context, composed, "Am\x65\xCC\x81lie", ListFaqs(context)),
            "Am\xC3\xA9lie");

  const std::string earlier = "No\x65\xCC\x88l";  // made before names were composed
  context.settings().CreateKey(context.FaqKey(earlier));
  testing::WriteFile(dir / ("app/" + earlier + ".dat"), "[Question 0]\r\nKept?\r\n\r\n####\r\n");
  context.settings().WriteSettingInteger(context.FaqKey(earlier), "TotalQuestions", 1);
  EXPECT_EQ(FindName(ListFaqs(context), "No\xC3\xABl"), earlier);
  EXPECT_EQ(LoadFaq(context, earlier).questions, Names{"Kept?"});
  EXPECT_EQ(CheckNewFaqName("No\xC3\xABl", ListFaqs(context), messages::kEnterFaqName),
            "The name already exists. Please select a new one.");
}

TEST_F(CatalogueTest, AddCreatesKeyAndEmptyDocumentButKeepsAnExistingFile) {
  AddFaq(context, "FAQ", ListFaqs(context));
  EXPECT_EQ(ListFaqs(context), Names{"FAQ"});
  EXPECT_EQ(testing::ReadFile(dir / "app/FAQ.dat"), "");
  testing::WriteFile(dir / "app/Kept.dat", "[Question 0]\r\nQ\r\n\r\n####\r\n");
  AddFaq(context, "Kept", ListFaqs(context));
  EXPECT_EQ(ReadSection(dir / "app/Kept.dat", "Question 0"), "Q\r\n");
  EXPECT_EQ(ErrorOf([&] { AddFaq(context, "faq", ListFaqs(context)); }),
            "The name already exists. Please select a new one.");
  EXPECT_EQ(ListFaqs(context), (Names{"FAQ", "Kept"}));
}

TEST_F(CatalogueTest, DeleteRemovesWhatExists) {
  AddFaq(context, "A", {});
  context.settings().WriteSettingString(context.FaqKey("A"), "Title", "T");
  DeleteFaq(context, "A");
  EXPECT_TRUE(ListFaqs(context).empty());
  EXPECT_FALSE(FileExists(dir / "app/A.dat"));
  EXPECT_NO_THROW(DeleteFaq(context, "A"));  // nothing left: nothing to do
}

TEST_F(CatalogueTest, DuplicateCopiesKeyAndDocumentIndependently) {
  AddFaq(context, "FAQ", {});
  context.settings().WriteSettingString(context.FaqKey("FAQ"), "Title", "Original");
  context.settings().WriteSettingInteger(context.FaqKey("FAQ"), "TotalQuestions", 1);
  WriteSection(context.DocumentPath("FAQ"), "Question 0", {"Q?"});
  testing::WriteFile(dir / "app/FAQ-1.dat", "stale");
  DuplicateFaq(context, "FAQ", "FAQ-1", ListFaqs(context));
  EXPECT_EQ(ListFaqs(context), (Names{"FAQ", "FAQ-1"}));
  EXPECT_EQ(testing::ReadFile(dir / "app/FAQ-1.dat"), testing::ReadFile(dir / "app/FAQ.dat"));
  context.settings().WriteSettingString(context.FaqKey("FAQ-1"), "Title", "Copy");
  WriteSection(context.DocumentPath("FAQ-1"), "Question 0", {"Changed?"});
  const Faq original = LoadFaq(context, "FAQ");
  const Faq copy = LoadFaq(context, "FAQ-1");
  EXPECT_EQ(original.values.Text(FaqValue::Title), "Original");
  EXPECT_EQ(copy.values.Text(FaqValue::Title), "Copy");
  EXPECT_EQ(original.questions, Names{"Q?"});
  EXPECT_EQ(copy.questions, Names{"Changed?"});
  EXPECT_EQ(ErrorOf([&] { DuplicateFaq(context, "FAQ", "", ListFaqs(context)); }),
            "Please enter a name for document");
}

TEST_F(CatalogueTest, DuplicateOfAFaqWithoutKeyCopiesNothingToTheStore) {
  DuplicateFaq(context, "Ghost", "Ghost-1", {"Ghost"});
  EXPECT_FALSE(context.settings().KeyExists(context.FaqKey("Ghost-1")));
}

TEST_F(CatalogueTest, LoadFaqReadsValuesSectionsAndQuestions) {
  context.settings().WriteSettingInteger(context.FaqKey("FAQ"), "TotalQuestions", 3);
  const std::string doc = context.DocumentPath("FAQ");
  CreateDirectories(dir / "app");
  WriteSection(doc, "Question 0", {"two", "lines"});
  WriteSection(doc, "Answer 0", {"2", "kept"});
  WriteSection(doc, "Question 2", {"third"});
  WriteSection(doc, "AnswerFooter", {"<hr>"});
  const Faq faq = LoadFaq(context, "FAQ");
  EXPECT_EQ(faq.document_path, dir / "app/FAQ.dat");
  EXPECT_EQ(faq.key, "Software\\Tamsel Software\\Quorella\\FAQs\\FAQ");
  EXPECT_EQ(faq.questions, (Names{"two\r\nlines", "", "third"}));
  EXPECT_EQ(faq.answers, (Names{"2\r\nkept\r\n", "", ""}));
  EXPECT_EQ(faq.Section(FixedSection::AnswerFooter), "<hr>\r\n");
  EXPECT_EQ(faq.Section(FixedSection::HeaderCode), "");
}

TEST_F(CatalogueTest, LoadFaqCreatesAMissingDocumentAndNoKey) {
  CreateDirectories(dir / "app");
  const Faq faq = LoadFaq(context, "FAQ");
  EXPECT_TRUE(FileExists(dir / "app/FAQ.dat"));
  EXPECT_EQ(faq.question_count(), 0u);
  EXPECT_EQ(faq.values.Text(FaqValue::Directory), dir / "app/");
  EXPECT_FALSE(context.settings().KeyExists(context.FaqKey("FAQ")));
}

}  // namespace
}  // namespace quorella
