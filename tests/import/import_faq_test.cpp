#include "import/import_faq.h"

#include <gtest/gtest.h>

#include <cerrno>

#include "import_fixture.h"
#include "store/catalogue.h"
#include "store/faq.h"
#include "store/values.h"
#include "support/faults.h"
#include "support/temp_dir.h"

namespace quorella {
namespace {

using Names = std::vector<std::string>;

using ImportFaqTest = testing::ImportTest;

const std::string kConverted =
    "[Question 0]\r\nHow?\r\n\r\n####\r\n\r\n[Answer 0]\r\nLike this.\r\n";

TEST_F(ImportFaqTest, SavesTheTextUnchangedWithTheCountAndItsOwnFolder) {
  ImportFaq(context, "Imported", kConverted, 1);
  EXPECT_EQ(testing::ReadFile(dir / "app/Imported.dat"), kConverted);
  EXPECT_EQ(ListFaqs(context), Names{"Imported"});
  const auto values = context.settings().ReadValues(context.FaqKey("Imported"));
  ASSERT_EQ(values.size(), 2u);
  EXPECT_EQ(values[0].name, "Directory");
  EXPECT_EQ(values[0].value, RawValue::String(dir / "app/Imported/"));
  EXPECT_EQ(values[1].name, "TotalQuestions");
  EXPECT_EQ(values[1].value, RawValue::Integer(1));
}

TEST_F(ImportFaqTest, TheNewFaqOpensWithItsQuestionsAndEveryOtherDefault) {
  ImportFaq(context, "Imported", kConverted + "\r\n####\r\n", 1);
  const Faq faq = LoadFaq(context, "Imported");
  EXPECT_EQ(faq.questions, Names{"How?"});
  EXPECT_EQ(faq.answers, Names{"Like this.\r\n"});
  const FaqValues defaults(context.app_dir());
  for (std::size_t i = 1; i < kFaqValueCount; ++i) {
    const auto value = static_cast<FaqValue>(i);
    if (value == FaqValue::Directory) continue;
    EXPECT_EQ(faq.values.Display(value), defaults.Display(value)) << Definition(value).name;
  }
}

TEST_F(ImportFaqTest, RefusedNamesWriteNothing) {
  AddFaq(context, "FAQ");
  struct Case {
    std::string name, message;
  };
  const Case cases[] = {
      {"", "Please enter a name for FAQ."},
      {"faq", "The name already exists. Please select a new one."},
      {"a\\b", std::string(messages::kNameNotAFileName)},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ErrorOf([&] { ImportFaq(context, c.name, kConverted, 1); }), c.message);
    EXPECT_EQ(ImportNameProblem(c.name, ListFaqs(context)), c.message);
  }
  EXPECT_EQ(ListFaqs(context), Names{"FAQ"});
  EXPECT_EQ(testing::ReadFile(dir / "app/FAQ.dat"), "");
  EXPECT_FALSE(ImportNameProblem(" FAQ", ListFaqs(context)).has_value());
}

TEST_F(ImportFaqTest, AnExistingFileOfThatNameIsReplaced) {
  testing::WriteFile(dir / "app/Old.dat", "an orphaned document that is much longer\r\n");
  ImportFaq(context, "Old", "new\r\n", 0);
  EXPECT_EQ(testing::ReadFile(dir / "app/Old.dat"), "new\r\n");
}

TEST_F(ImportFaqTest, ADocumentThatCannotBeSavedLeavesEverythingAsItWas) {
  testing::WriteFile(dir / "app/Old.dat", "kept\r\n");
  const std::string document = dir / "app/Old.dat";
  struct Case {
    sys::Op op;
    int error;
    std::string reason;
  };
  const Case cases[] = {
      {sys::Op::Open, EACCES, "Permission denied"},
      {sys::Op::Write, ENOSPC, "No space left on device"},
      {sys::Op::Fsync, EIO, "Input/output error"},
      {sys::Op::Rename, EROFS, "Read-only file system"},
  };
  for (const Case& c : cases) {
    // The first open is that of the documents' folder, for its lock.
    testing::FailNth fail(c.op, c.op == sys::Op::Open ? 2 : 1, c.error);
    EXPECT_EQ(ErrorOf([&] { ImportFaq(context, "Old", kConverted, 1); }),
              "Cannot create file \"" + document + "\". " + c.reason);
    EXPECT_TRUE(fail.fired());
  }
  EXPECT_EQ(testing::ReadFile(document), "kept\r\n");
  EXPECT_EQ(ListDirectory(dir / "app"), Names{"Old.dat"});  // no scratch file left behind
  EXPECT_TRUE(ListFaqs(context).empty());
  EXPECT_FALSE(context.settings().KeyExists(context.FaqKey("Old")));
}

}  // namespace
}  // namespace quorella
