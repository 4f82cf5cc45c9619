#include "backup/snapshot_writer.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <climits>
#include <optional>

#include "backup/snapshot_reader.h"
#include "backup/store_fixture.h"
#include "support/faults.h"
#include "util/errors.h"
#include "util/file_io.h"

namespace quorella::testing {
namespace {

const std::string kFaqs = std::string(kAppKey) + "\\FAQs";
const std::string kFaq = kFaqs + "\\FAQ";

// The store behind the golden file golden/application_key.cfg.
void FillApplicationKey(StoreTest& test) {
  test.PutString(kAppKey, "", "root default");
  test.PutString(kAppKey, "BackupDir", "/home/u/Backup");
  test.PutString(kAppKey, "CustomColors", "ColorA=ffffff\r\nColorB=ffffffff");
  test.PutInteger(kAppKey, "LastFAQ", 1);
  test.PutInteger(kAppKey, "Left", -1);
  test.PutInteger(kFaq, "TotalQuestions", 5);
  test.PutString(kFaq, "Title", "FAQ qqqq");
  test.Put(kFaq, "Path", {value_type::kExpandString, "%HOME%\r\nx"});
  test.Put(kFaq, "Banner", {value_type::kBinary, std::string("\x00\x01\xAB\xFF", 4)});
  test.Put(kFaq + "\\Sub", "Odd", {7, std::string("a\0b", 3)});
  test.PutInteger(kFaqs + "\\Zeta", "FontSize", 12);
}

using SnapshotWriter = StoreTest;

TEST(SnapshotValueLine, EachTypeHasItsTagAndText) {
  struct Case {
    NamedValue value;
    std::string line;
  };
  const std::vector<Case> cases = {
      {{"TotalQuestions", RawValue::Integer(5)}, "TotalQuestionsint=5"},
      {{"Left", RawValue::Integer(-1)}, "Leftint=-1"},
      {{"Low", RawValue::Integer(INT_MIN)}, "Lowint=-2147483648"},
      {{"Title", RawValue::String("FAQ")}, "Titlestr=FAQ"},
      {{"Two", RawValue::String("one\r\ntwo\r\n")}, "Twostr=oneqqqqtwoqqqq"},
      {{"Lone", RawValue::String("a\nb\rc")}, "Lonestr=a\nb\rc"},
      {{"Exp", {value_type::kExpandString, "%A%\r\n"}}, "Expstr=%A%qqqq"},
      {{"", RawValue::String("default")}, "str=default"},
      {{"Bin", {value_type::kBinary, std::string("\x00\x7f\x80\xff", 4)}}, "Binbin=007F80FF"},
      {{"Empty", {value_type::kBinary, ""}}, "Emptybin="},
      {{"Multi", {7, std::string("ab\0", 3)}}, "Multibin=616200"},
      {{"None", {value_type::kNone, "z"}}, "Nonebin=7A"},
      // An integer without its four bytes is not an integer the format can write.
      {{"Short", {value_type::kInteger, "\x01"}}, "Shortbin=01"},
      {{"Name=x", RawValue::Integer(2)}, "Name=xint=2"},
  };
  for (const auto& c : cases) EXPECT_EQ(SnapshotValueLine(c.value), c.line) << c.value.name;
}

TEST_F(SnapshotWriter, KeysComeBreadthFirstInTheGoldenForm) {
  FillApplicationKey(*this);
  const std::string file = dir / "out/registry.cfg";
  CreateDirectories(dir / "out");
  SaveKeySnapshot(registry(), file, kAppKey);
  EXPECT_EQ(ReadFile(file), ReadFile(SourceDir() + "tests/backup/golden/application_key.cfg"));
}

TEST_F(SnapshotWriter, AppendsToAnExistingFile) {
  PutInteger("A", "x", 1);
  const std::string file = dir / "snap.cfg";
  WriteFile(file, "before\r\n");
  SaveKeySnapshot(registry(), file, "A");
  EXPECT_EQ(ReadFile(file), "before\r\n[\\A]\r\nxint=1\r\n\r\n");
}

TEST_F(SnapshotWriter, Windows1252WhileEveryTextFitsElseUtf8WithTheMark) {
  struct Case {
    std::optional<std::string> existing;
    std::string value;
    std::string file;
  } const cases[] = {
      {std::nullopt, "caf\u00E9 \u20AC", "[\\A]\r\nxstr=caf\xE9 \x80\r\n\r\n"},
      {"b\xE9\r\n", "\u00E9", "b\xE9\r\n[\\A]\r\nxstr=\xE9\r\n\r\n"},
      {std::nullopt, "\u0416 \U0001F642", "\xEF\xBB\xBF[\\A]\r\nxstr=\u0416 \U0001F642\r\n\r\n"},
      // Windows-1252 lines already there: the whole file becomes UTF-8.
      {"b\xE9\r\n", "\u0416",
       "\xEF\xBB\xBF"
       "b\u00E9\r\n[\\A]\r\nxstr=\u0416\r\n\r\n"},
      {"\xEF\xBB\xBFx\r\n", "\u00E9", "\xEF\xBB\xBFx\r\n[\\A]\r\nxstr=\u00E9\r\n\r\n"},
  };
  const std::string file = dir / "snap.cfg";
  for (const Case& c : cases) {
    RemoveFile(file);
    if (c.existing) WriteFile(file, *c.existing);
    PutString("A", "x", c.value);
    SaveKeySnapshot(registry(), file, "A");
    EXPECT_EQ(ReadFile(file), c.file) << c.value;
    PutString("A", "x", "other");
    LoadKeySnapshot(registry(), file);
    EXPECT_EQ(Get("A", "x"), RawValue::String(c.value));
  }
}

TEST_F(SnapshotWriter, AKeyThatCannotBeOpenedGivesTheEmptyLineAlone) {
  PutInteger("A", "x", 1);
  const std::string file = dir / "snap.cfg";
  SaveKeySnapshot(registry(), file, "Missing\\Key");
  EXPECT_EQ(ReadFile(file), "\r\n");
}

TEST_F(SnapshotWriter, WithoutAStoreNothingIsCreatedButTheFile) {
  const std::string file = dir / "snap.cfg";
  SaveKeySnapshot(registry(), file, kAppKey);
  EXPECT_EQ(ReadFile(file), "\r\n");
  EXPECT_FALSE(DirectoryExists(dir / "config"));
}

TEST_F(SnapshotWriter, LargeBinaryValuesAreWrittenInFull) {
  std::string bytes;
  for (int i = 0; i < 200000; ++i) bytes += static_cast<char>(i * 7);
  Put("A", "Big", {value_type::kBinary, bytes});
  const auto lines = [&] {
    std::vector<std::string> result;
    registry().Read([&](const RegistrySession* s) { result = KeySnapshotLines(s, "A"); });
    return result;
  }();
  ASSERT_EQ(lines.size(), 3u);
  ASSERT_EQ(lines[1].size(), 3 + 4 + 400000u);
  EXPECT_EQ(lines[1].substr(0, 17), "Bigbin=00070E151C");
  EXPECT_EQ(lines[1].substr(lines[1].size() - 4),
            "B2B9");  // (199998 * 7) % 256, (199999 * 7) % 256
}

TEST_F(SnapshotWriter, AFailedAppendIsReportedNotSwallowed) {
  PutInteger("A", "x", 1);
  PutInteger("A", "y", 2);
  const std::string file = dir / "snap.cfg";
  for (const auto op : {sys::Op::Open, sys::Op::Write}) {
    RemoveFile(file);
    FailNth fault(op, 2, ENOSPC);
    try {
      SaveKeySnapshot(registry(), file, "A");
      ADD_FAILURE() << "no error";
    } catch (const Error& e) {
      EXPECT_EQ(std::string(e.what()),
                "Cannot write file \"" + file + "\". No space left on device");
    }
    EXPECT_TRUE(fault.fired());
    EXPECT_EQ(ReadFile(file), "[\\A]\r\n");  // stopped at the line that failed
  }
}

}  // namespace
}  // namespace quorella::testing
