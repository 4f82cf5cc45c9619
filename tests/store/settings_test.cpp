#include "store/settings.h"

#include <gtest/gtest.h>

#include "store/registry.h"
#include "store/sqlite.h"
#include "support/database_trap.h"
#include "support/temp_dir.h"
#include "util/errors.h"
#include "util/file_io.h"

namespace quorella {
namespace {

constexpr const char* kKey = "Software\\Tamsel Software\\Quorella";
constexpr const char* kFaq = "Software\\Tamsel Software\\Quorella\\FAQs\\FAQ";

class SettingsTest : public ::testing::Test {
 protected:
  testing::TempDir dir;
  std::string db_path = dir / "config/quorella/settings.db";
  Settings settings{db_path};
};

TEST_F(SettingsTest, ReadsCreateNothingNotEvenTheDatabase) {
  EXPECT_EQ(settings.ReadSettingString(kFaq, "Title", "FAQ"), "FAQ");
  EXPECT_EQ(settings.ReadSettingInteger(kFaq, "Layout", 7), 7);
  EXPECT_TRUE(settings.ReadSettingBool(kFaq, "FrameIt", true));
  EXPECT_TRUE(settings.SubkeyNames(kKey).empty());
  EXPECT_FALSE(DirectoryExists(dir / "config"));
}

TEST_F(SettingsTest, ReadOfMissingKeyCreatesNoKeyFirstWriteDoes) {
  settings.WriteSettingString(kKey, "BackupDir", "/b");
  EXPECT_EQ(settings.ReadSettingInteger(kFaq, "Layout", 0), 0);
  EXPECT_FALSE(settings.KeyExists(kFaq));
  settings.WriteSettingInteger(kFaq, "Layout", 1);
  EXPECT_TRUE(settings.KeyExists(kFaq));
  EXPECT_EQ(settings.ReadSettingInteger(kFaq, "Layout", 0), 1);
}

TEST_F(SettingsTest, NamesCompareWithoutCaseAndKeepTheirFirstSpelling) {
  settings.WriteSettingString(kFaq, "Startpage", "index.html");
  EXPECT_EQ(settings.ReadSettingString(kFaq, "StartPage", "faq.html"), "index.html");
  settings.WriteSettingString(kFaq, "STARTPAGE", "other.html");
  const auto values = settings.ReadValues(kFaq);
  ASSERT_EQ(values.size(), 1u);
  EXPECT_EQ(values[0].name, "Startpage");
  EXPECT_EQ(values[0].value.bytes, "other.html");
  EXPECT_EQ(
      settings.ReadSettingString("software\\TAMSEL SOFTWARE\\quorella\\faqs\\faq", "startpage", ""),
      "other.html");
}

TEST_F(SettingsTest, BooleansAreIntegersAndAnyNonZeroIsTrue) {
  settings.WriteSettingBool(kFaq, "FrameIt", false);
  EXPECT_EQ(settings.ReadSettingInteger(kFaq, "FrameIt", 9), 0);
  settings.WriteSettingInteger(kFaq, "FrameIt", -5);
  EXPECT_TRUE(settings.ReadSettingBool(kFaq, "FrameIt", false));
  settings.WriteSettingBool(kFaq, "FrameIt", true);
  EXPECT_EQ(settings.ReadSettingInteger(kFaq, "FrameIt", 0), 1);
}

TEST_F(SettingsTest, IntegersKeepTheFull32Bits) {
  for (std::int32_t v : {INT32_MIN, -1, 0, 12632256, INT32_MAX}) {
    settings.WriteSettingInteger(kFaq, "N", v);
    EXPECT_EQ(settings.ReadSettingInteger(kFaq, "N", 3), v);
  }
}

TEST_F(SettingsTest, WrongTypeFailsWithTheValueName) {
  settings.WriteSettingString(kFaq, "Layout", "1");
  try {
    settings.ReadSettingInteger(kFaq, "Layout", 0);
    FAIL() << "no error";
  } catch (const Error& e) {
    EXPECT_STREQ(e.what(), "Invalid data type for 'Layout'");
  }
  settings.WriteSettingInteger(kFaq, "Title", 3);
  EXPECT_THROW(settings.ReadSettingString(kFaq, "Title", ""), Error);
  EXPECT_THROW(settings.ReadSettingBool(kFaq, "Layout", false), Error);
}

TEST_F(SettingsTest, UnwritableStoreFailsToSetData) {
  testing::WriteFile(dir / "blocked", "a file where the folder should be");
  Settings blocked(dir / "blocked/quorella/settings.db");
  try {
    blocked.WriteSettingString(kKey, "BackupDir", "x");
    FAIL() << "no error";
  } catch (const Error& e) {
    EXPECT_STREQ(e.what(), "Failed to set data for 'BackupDir'");
  }
}

// Another process's write holds the store for longer than the wait: the failure says so.
TEST_F(SettingsTest, AStoreHeldByAnotherWriterSaysSo) {
  settings.WriteSettingString(kFaq, "Title", "Before");
  sqlite::SetBusyWait(std::chrono::milliseconds(100));
  const std::string busy = "The settings store \"" + db_path +
                           "\" is busy: another Quorella is writing to it. Try again when it has "
                           "finished.";
  {
    sqlite::Database other(db_path, sqlite::Database::Mode::ReadWriteCreate);
    other.Exec("BEGIN EXCLUSIVE");
    try {
      settings.WriteSettingString(kFaq, "Title", "After");
      ADD_FAILURE() << "no error";
    } catch (const Error& e) {
      EXPECT_EQ(std::string(e.what()), "Failed to set data for 'Title'. " + busy);
    }
    try {
      settings.ReadSettingString(kFaq, "Title", "");
      ADD_FAILURE() << "no error";
    } catch (const Error& e) {
      EXPECT_EQ(std::string(e.what()), busy);
    }
  }
  sqlite::SetBusyWait(std::chrono::milliseconds(5000));
  EXPECT_EQ(settings.ReadSettingString(kFaq, "Title", ""), "Before");
}

TEST_F(SettingsTest, SubkeysEnumerateAscendingWithoutCase) {
  for (const char* name : {"beta", "Alpha", "gamma", "ALPHA2", "Beta1"})
    settings.CreateKey(std::string(kKey) + "\\FAQs\\" + name);
  EXPECT_EQ(settings.SubkeyNames(std::string(kKey) + "\\FAQs"),
            (std::vector<std::string>{"Alpha", "ALPHA2", "beta", "Beta1", "gamma"}));
}

TEST_F(SettingsTest, DeleteTreeRemovesValuesAndSubkeys) {
  settings.WriteSettingInteger(kFaq, "Layout", 1);
  settings.WriteSettingInteger(std::string(kFaq) + "\\Sub\\Deeper", "X", 1);
  settings.WriteSettingInteger(std::string(kKey) + "\\FAQs\\Other", "Layout", 0);
  EXPECT_TRUE(settings.DeleteKeyTree(kFaq));
  EXPECT_FALSE(settings.KeyExists(kFaq));
  EXPECT_EQ(settings.ReadSettingInteger(std::string(kFaq) + "\\Sub\\Deeper", "X", 5), 5);
  EXPECT_TRUE(settings.KeyExists(std::string(kKey) + "\\FAQs\\Other"));
  EXPECT_FALSE(settings.DeleteKeyTree(kFaq));
  // Re-creating the key finds none of the old values.
  settings.CreateKey(kFaq);
  EXPECT_TRUE(settings.ReadValues(kFaq).empty());
}

TEST_F(SettingsTest, CopyTreeCopiesEverythingButNeverOverwrites) {
  const std::string copy = std::string(kKey) + "\\FAQs\\Copy";
  EXPECT_FALSE(settings.CopyKeyTree(kFaq, copy));  // source missing
  EXPECT_FALSE(settings.KeyExists(copy));
  settings.WriteSettingString(kFaq, "Title", "Mine");
  settings.WriteSettingInteger(std::string(kFaq) + "\\Sub", "X", 4);
  EXPECT_TRUE(settings.CopyKeyTree(kFaq, copy));
  EXPECT_EQ(settings.ReadSettingString(copy, "Title", ""), "Mine");
  EXPECT_EQ(settings.ReadSettingInteger(copy + "\\Sub", "X", 0), 4);
  settings.WriteSettingString(kFaq, "Title", "Changed");
  EXPECT_FALSE(settings.CopyKeyTree(kFaq, copy));  // target exists
  EXPECT_EQ(settings.ReadSettingString(copy, "Title", ""), "Mine");
  // The target may appear after that check (another writer): the copy itself refuses it too.
  bool copied = true;
  settings.registry().Write(
      [&](RegistrySession& s) { copied = s.CopyKeyTree(Root::CurrentUser, kFaq, copy); });
  EXPECT_FALSE(copied);
  EXPECT_EQ(settings.ReadSettingString(copy, "Title", ""), "Mine");
}

TEST_F(SettingsTest, TestKeyIsSeparate) {
  EXPECT_EQ(ApplicationKey(false), "Software\\Tamsel Software\\Quorella");
  EXPECT_EQ(ApplicationKey(true), "Software\\Tamsel Software\\QuorellaTest");
  settings.WriteSettingInteger(ApplicationKey(true), "Top", 5);
  EXPECT_EQ(settings.ReadSettingInteger(ApplicationKey(false), "Top", 150), 150);
  EXPECT_EQ(settings.ReadSettingInteger(ApplicationKey(true), "Top", 150), 5);
}

TEST_F(SettingsTest, RawInterfaceKeepsAnyTypeAndTheSevenRoots) {
  Registry& registry = settings.registry();
  registry.Write([](RegistrySession& s) {
    const KeyId key = s.CreateKey(Root::LocalMachine, "Software\\X");
    s.SetValue(key, "", RawValue{7, std::string("\x00\x01\xFF", 3)});
    s.SetValue(key, "Path", RawValue{value_type::kExpandString, "%HOME%"});
  });
  registry.Read([](const RegistrySession* s) {
    ASSERT_NE(s, nullptr);
    EXPECT_FALSE(s->OpenKey(Root::CurrentUser, "Software\\X").has_value());
    const auto key = s->OpenKey(Root::LocalMachine, "\\software\\x");
    ASSERT_TRUE(key.has_value());
    const auto values = s->Values(*key);
    ASSERT_EQ(values.size(), 2u);
    EXPECT_EQ(values[0].name, "");
    EXPECT_EQ(values[0].value, (RawValue{7, std::string("\x00\x01\xFF", 3)}));
    EXPECT_EQ(values[1].value.type, value_type::kExpandString);
  });
  for (int i = 0; i < kRootCount; ++i)
    EXPECT_EQ(RootByName(RootName(static_cast<Root>(i))), static_cast<Root>(i));
  EXPECT_EQ(RootByName("hkey_current_user"), Root::CurrentUser);
  EXPECT_FALSE(RootByName("HKEY_FOO").has_value());
}

TEST_F(SettingsTest, AFailedTransactionLeavesNothingBehind) {
  settings.WriteSettingString(kFaq, "Title", "Before");
  EXPECT_THROW(settings.registry().Write([](RegistrySession& s) {
    s.SetValue(s.CreateKey(Root::CurrentUser, kFaq), "Title", RawValue::String("Half"));
    s.CreateKey(Root::CurrentUser, "Software\\New");
    throw Error("interrupted");
  }),
               Error);
  EXPECT_EQ(settings.ReadSettingString(kFaq, "Title", ""), "Before");
  EXPECT_FALSE(settings.KeyExists("Software\\New"));
}

TEST_F(SettingsTest, NamesCompareByCaseFoldingInEveryScriptAndEnumerateSoSorted) {
  struct Case {
    const char* written;
    const char* read;
  } const cases[] = {
      {"Caf\u00E9", "CAF\u00C9"},
      {"\u041F\u0440\u0438\u0432\u0435\u0442", "\u041F\u0420\u0418\u0412\u0415\u0422"},
      {"\u03A3\u03BF\u03C6\u03AF\u03B1", "\u03C3\u03BF\u03C6\u03AF\u03B1"},
      {"Stra\u00DFe", "STRASSE"},
      {"\u65E5\u672C", "\u65E5\u672C"},
  };
  const std::string faqs = std::string(kKey) + "\\FAQs";
  for (const Case& c : cases) {
    settings.WriteSettingString(faqs + "\\" + c.written, "Titel\u00C4", c.written);
    EXPECT_EQ(settings.ReadSettingString(faqs + "\\" + c.read, "TITEL\u00E4", ""), c.written);
    settings.WriteSettingString(faqs + "\\" + c.read, "titel\u00C4", c.written);
  }
  EXPECT_EQ(settings.SubkeyNames(faqs),
            (std::vector<std::string>{"Caf\u00E9", "Stra\u00DFe", "\u03A3\u03BF\u03C6\u03AF\u03B1",
                                      "\u041F\u0440\u0438\u0432\u0435\u0442", "\u65E5\u672C"}));
}

// A store the earlier build wrote: Windows-1252 names and strings ("Caf\xE9", "CAF\xC9", "\xC9t\xE9
// \x80" and "Plain" under FAQs, "Extra \xE9" beside them with a binary and a string value).
std::string EarlierStoreFixture() {
  return testing::SourceDir() + "/tests/store/data/windows1252_store.db";
}

int StoreVersion(const std::string& path) {
  sqlite::Database db(path, sqlite::Database::Mode::ReadOnly);
  sqlite::Statement version(db, "PRAGMA user_version");
  return version.Step() ? static_cast<int>(version.Int(0)) : -1;
}

TEST_F(SettingsTest, StoreOfTheEarlierBuildIsConvertedOnceToUtf8) {
  CreateDirectories(dir / "config/quorella");
  CopyFileReplacing(EarlierStoreFixture(), db_path);
  ASSERT_EQ(StoreVersion(db_path), 1);
  const std::string faqs = std::string(kKey) + "\\FAQs";
  // "Caf\xE9" and "CAF\xC9" fold alike now: both stay, the later under a free name, and neither
  // takes the other's values.
  EXPECT_EQ(
      settings.SubkeyNames(faqs),
      (std::vector<std::string>{"Caf\u00E9", "CAF\u00C9 (2)", "Plain", "\u00C9t\u00E9 \u20AC"}));
  EXPECT_EQ(StoreVersion(db_path), 2);
  EXPECT_EQ(settings.ReadSettingString(faqs + "\\CAF\u00C9", "Title", ""),
            "Men\u00FC \u201Cquoted\u201D \u20AC \u00FF");
  EXPECT_EQ(settings.ReadSettingInteger(faqs + "\\caf\u00E9", "TotalQuestions", 0), 0);
  EXPECT_EQ(settings.ReadSettingString(faqs + "\\CAF\u00C9 (2)", "Title", ""), "");
  EXPECT_EQ(settings.ReadSettingInteger(faqs + "\\caf\u00E9 (2)", "TotalQuestions", 0), 7);
  EXPECT_EQ(settings.ReadSettingInteger(faqs + "\\Plain", "TotalQuestions", 0), 3);
  const auto extra = settings.ReadValues(std::string(kKey) + "\\EXTRA \u00C9");
  ASSERT_EQ(extra.size(), 2u);
  EXPECT_EQ(extra[0].name, "Blob\u00E9");
  EXPECT_EQ(extra[0].value, (RawValue{value_type::kBinary, std::string("\x00\xFF\xE9", 3)}));
  EXPECT_EQ(extra[1].name, "Note\u00E9");
  EXPECT_EQ(extra[1].value, RawValue::String("\u00E0 la carte"));
  // Converted once: reading again changes nothing.
  const std::string converted = testing::ReadFile(db_path);
  EXPECT_EQ(settings.ReadSettingString(faqs + "\\Plain", "Title", ""), "ASCII title");
  EXPECT_EQ(testing::ReadFile(db_path), converted);
}

TEST_F(SettingsTest, AFailedConversionLeavesTheEarlierStore) {
  CreateDirectories(dir / "config/quorella");
  const std::string earlier = testing::ReadFile(EarlierStoreFixture());
  int failures = 0;
  for (const auto call : {testing::DatabaseTrap::Call::Write, testing::DatabaseTrap::Call::Sync}) {
    for (int nth = 1;; ++nth) {
      CopyFileReplacing(EarlierStoreFixture(), db_path);
      bool fired = false;
      bool failed = false;
      {
        testing::DatabaseTrap trap(call, nth);
        try {
          settings.SubkeyNames(kKey);
        } catch (const Error&) {
          failed = true;
        }
        fired = trap.fired();
      }
      if (!fired) break;
      ++failures;
      EXPECT_TRUE(failed) << testing::CallName(call) << " " << nth;
      EXPECT_EQ(StoreVersion(db_path), 1) << nth;
      EXPECT_EQ(testing::ReadFile(db_path), earlier) << testing::CallName(call) << " " << nth;
    }
  }
  EXPECT_GT(failures, 2);
}

}  // namespace
}  // namespace quorella
