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
  EXPECT_EQ(AddFaq(context, decomposed), composed);
  EXPECT_EQ(ListFaqs(context), Names{composed});
  EXPECT_TRUE(FileExists(dir / ("app/" + composed + ".dat")));
  EXPECT_FALSE(FileExists(dir / ("app/" + decomposed + ".dat")));
  for (const std::string& again : {composed, decomposed, std::string("CAFE\xCC\x81")})
    EXPECT_EQ(CheckNewFaqName(again, ListFaqs(context), messages::kEnterFaqName),
              "The name already exists. Please select a new one.")
        << again;
  EXPECT_EQ(FindName(ListFaqs(context), "cafe\xCC\x81"), composed);
  EXPECT_EQ(DuplicateFaq(context, composed, "Am\x65\xCC\x81lie"), "Am\xC3\xA9lie");

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
  AddFaq(context, "FAQ");
  EXPECT_EQ(ListFaqs(context), Names{"FAQ"});
  EXPECT_EQ(testing::ReadFile(dir / "app/FAQ.dat"), "");
  testing::WriteFile(dir / "app/Kept.dat", "[Question 0]\r\nQ\r\n\r\n####\r\n");
  AddFaq(context, "Kept");
  EXPECT_EQ(ReadSection(dir / "app/Kept.dat", "Question 0"), "Q\r\n");
  EXPECT_EQ(ErrorOf([&] { AddFaq(context, "faq"); }),
            "The name already exists. Please select a new one.");
  EXPECT_EQ(ListFaqs(context), (Names{"FAQ", "Kept"}));
  // Each new FAQ writes its pages into a folder of its own.
  EXPECT_EQ(LoadFaqValues(context, "FAQ").values.Text(FaqValue::Directory), dir / "app/FAQ/");
  EXPECT_EQ(LoadFaqValues(context, "Kept").values.Text(FaqValue::Directory), dir / "app/Kept/");
  // The catalogue is read from the store, not from what the caller last saw: a FAQ another
  // program added is there.
  context.settings().CreateKey(context.FaqKey("Beta"));
  EXPECT_EQ(ErrorOf([&] { AddFaq(context, "beta"); }),
            "The name already exists. Please select a new one.");
  EXPECT_FALSE(FileExists(dir / "app/beta.dat"));
}

TEST_F(CatalogueTest, FolderNamesOfFaqNames) {
  for (const auto& [name, folder] : std::vector<std::pair<std::string, std::string>>{
           {"FAQ", "FAQ"},
           {"Café crème", "Café crème"},
           {"a:b*c?d\"e<f>g|h", "a_b_c_d_e_f_g_h"},
           {".hidden", "_hidden"},
           {"ends.", "ends_"},
           {"ends ", "ends_"},
       })
    EXPECT_EQ(FolderNameOf(name), folder) << name;
}

TEST_F(CatalogueTest, DeleteRemovesWhatExists) {
  AddFaq(context, "A");
  context.settings().WriteSettingString(context.FaqKey("A"), "Title", "T");
  DeleteFaq(context, "A");
  EXPECT_TRUE(ListFaqs(context).empty());
  EXPECT_FALSE(FileExists(dir / "app/A.dat"));
  // A FAQ another program deleted meanwhile is named as gone.
  EXPECT_EQ(ErrorOf([&] { DeleteFaq(context, "a"); }), messages::NoSuchFaq("a"));
}

TEST_F(CatalogueTest, DuplicateCopiesKeyAndDocumentIndependently) {
  AddFaq(context, "FAQ");
  context.settings().WriteSettingString(context.FaqKey("FAQ"), "Title", "Original");
  context.settings().WriteSettingInteger(context.FaqKey("FAQ"), "TotalQuestions", 1);
  WriteSection(context.DocumentPath("FAQ"), "Question 0", {"Q?"});
  testing::WriteFile(dir / "app/FAQ-1.dat", "stale");
  DuplicateFaq(context, "FAQ", "FAQ-1");
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
  EXPECT_EQ(original.values.Text(FaqValue::Directory), dir / "app/FAQ/");
  EXPECT_EQ(copy.values.Text(FaqValue::Directory), dir / "app/FAQ-1/");
  EXPECT_EQ(ErrorOf([&] { DuplicateFaq(context, "FAQ", ""); }), "Please enter a name for document");
}

TEST_F(CatalogueTest, DuplicateOfAFaqWithoutKeyCopiesNothing) {
  testing::WriteFile(dir / "app/Ghost.dat", "");
  EXPECT_EQ(ErrorOf([&] { DuplicateFaq(context, "Ghost", "Ghost-1"); }),
            messages::NoSuchFaq("Ghost"));
  EXPECT_FALSE(context.settings().KeyExists(context.FaqKey("Ghost-1")));
  EXPECT_FALSE(FileExists(dir / "app/Ghost-1.dat"));
}

// A store of the earlier version holds "Caf\xE9" and "CAF\xC9", two FAQs then, one name now: the
// later one is renamed, its document with it, and the run says so once.
TEST_F(CatalogueTest, FaqsWhoseNamesNowFoldAlikeStayApart) {
  CreateDirectories(dir / "config");
  CopyFileReplacing(testing::SourceDir() + "/tests/store/data/windows1252_store.db",
                    dir / "config/settings.db");
  testing::WriteFile(dir / "app/Caf\u00E9.dat", "first");
  testing::WriteFile(dir / "app/CAF\u00C9.dat", "second");
  EXPECT_EQ(ListFaqs(context),
            (Names{"Caf\u00E9", "CAF\u00C9 (2)", "Plain", "\u00C9t\u00E9 \u20AC"}));
  EXPECT_EQ(testing::ReadFile(dir / "app/Caf\u00E9.dat"), "first");
  EXPECT_EQ(testing::ReadFile(dir / "app/CAF\u00C9 (2).dat"), "second");
  EXPECT_FALSE(FileExists(dir / "app/CAF\u00C9.dat"));
  EXPECT_EQ(context.TakeNotices(), Names{messages::FaqRenamed("CAF\u00C9", "CAF\u00C9 (2)")});
  EXPECT_EQ(ListFaqs(context).size(), 4u);
  EXPECT_TRUE(context.TakeNotices().empty());
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
