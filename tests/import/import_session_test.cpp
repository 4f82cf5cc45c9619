#include "import/import_session.h"

#include <gtest/gtest.h>

#include "import/working_text.h"
#include "import_fixture.h"
#include "store/catalogue.h"
#include "support/temp_dir.h"

namespace quorella {
namespace {

class ImportSessionTest : public testing::ImportTest {
 protected:
  ImportSession session;
};

TEST_F(ImportSessionTest, StartsWithTheWindowsDefaults) {
  EXPECT_EQ(session.working_text, "");
  EXPECT_EQ(session.options.qa_separator, "?\r\n");
  EXPECT_EQ(session.options.aq_separator, "\r\n\r\n");
  EXPECT_FALSE(session.options.manual_separators);
  EXPECT_TRUE(session.options.remove_numbers);
  EXPECT_EQ(session.converted_count(), 0);
  EXPECT_FALSE(session.converted());
}

TEST_F(ImportSessionTest, ReadConvertImport) {
  testing::WriteFile(dir / "in.txt", "1. How?\nLike this.\n\n2. Why?\nBecause.\n\n");
  session.ReadInputFile(dir / "in.txt");
  EXPECT_EQ(session.working_text, "1. How?\r\nLike this.\r\n\r\n2. Why?\r\nBecause.\r\n\r\n");
  session.Convert();
  EXPECT_TRUE(session.converted());
  EXPECT_EQ(session.converted_count(), 2);
  session.Import(context, "Imported");
  EXPECT_EQ(testing::ReadFile(dir / "app/Imported.dat"), session.working_text);
  EXPECT_EQ(StoredCount("Imported"), 2);
}

TEST_F(ImportSessionTest, ImportBeforeAnyConvertStoresTheTextWithCountZero) {
  session.working_text = "typed by hand\r\n";
  session.Import(context, "Raw");
  EXPECT_EQ(testing::ReadFile(dir / "app/Raw.dat"), "typed by hand\r\n");
  EXPECT_EQ(StoredCount("Raw"), 0);
}

TEST_F(ImportSessionTest, EditsAfterConvertAreImportedAsTheyAre) {
  session.working_text = "Q?\r\nA.\r\n\r\n";
  session.Convert();
  session.working_text += "; edited\r\n";
  session.Import(context, "Edited");
  EXPECT_EQ(testing::ReadFile(dir / "app/Edited.dat"), session.working_text);
  EXPECT_EQ(StoredCount("Edited"), 1);
}

TEST_F(ImportSessionTest, FailedStepsChangeNothing) {
  session.working_text = "Q?\r\nA.\r\n\r\nR?\r\nB.\r\n\r\n";
  session.Convert();
  const std::string converted = session.working_text;

  EXPECT_THROW(session.ReadInputFile(dir / "missing.txt"), Error);
  EXPECT_EQ(session.working_text, converted);
  testing::WriteFile(dir / "huge.txt", std::string(kWorkingTextCapacity + 1, 'x'));
  EXPECT_THROW(session.ReadInputFile(dir / "huge.txt"), Error);
  EXPECT_EQ(session.working_text, converted);

  session.options.qa_separator.clear();
  EXPECT_THROW(session.Convert(), Error);
  EXPECT_EQ(session.working_text, converted);
  EXPECT_EQ(session.converted_count(), 2);
}

TEST_F(ImportSessionTest, AConvertFindingNoQuestionEmptiesTheTextAndCountsZero) {
  session.working_text = "Q?\r\nA.\r\n\r\n";
  session.Convert();
  session.options.qa_separator = "never there";
  session.Convert();
  EXPECT_EQ(session.working_text, "");
  EXPECT_EQ(session.converted_count(), 0);
}

}  // namespace
}  // namespace quorella
