#include "backup/snapshot_reader.h"

#include <gtest/gtest.h>

#include "backup/snapshot_writer.h"
#include "backup/store_fixture.h"
#include "util/file_io.h"

namespace quorella::testing {
namespace {

const std::string kFaq = std::string(kAppKey) + "\\FAQs\\FAQ";

class SnapshotReader : public StoreTest {
 protected:
  // Loads `text` from a file of its own.
  void Load(std::string_view text) {
    const std::string file = dir / "load.cfg";
    WriteFile(file, text);
    LoadKeySnapshot(registry(), file);
  }
};

RawValue Binary(std::string bytes) {
  return {value_type::kBinary, std::move(bytes)};
}

TEST_F(SnapshotReader, TheGoldenSnapshotComesBackAndIsWrittenAgainUnchanged) {
  const std::string golden = SourceDir() + "tests/backup/golden/application_key.cfg";
  LoadKeySnapshot(registry(), golden);
  EXPECT_EQ(Get(kAppKey, ""), RawValue::String("root default"));
  EXPECT_EQ(Get(kAppKey, "CustomColors"), RawValue::String("ColorA=ffffff\r\nColorB=ffffffff"));
  EXPECT_EQ(Get(kAppKey, "Left"), RawValue::Integer(-1));
  EXPECT_EQ(Get(kFaq, "Title"), RawValue::String("FAQ \r\n"));    // "qqqq" is a line break
  EXPECT_EQ(Get(kFaq, "Path"), RawValue::String("%HOME%\r\nx"));  // no longer expandable
  EXPECT_EQ(Get(kFaq, "Banner"), Binary(std::string("\x00\x01\xAB\xFF", 4)));
  EXPECT_EQ(Get(kFaq + "\\Sub", "Odd"), Binary(std::string("a\0b", 3)));  // type 7 became binary
  EXPECT_EQ(Get(std::string(kAppKey) + "\\FAQs\\Zeta", "FontSize"), RawValue::Integer(12));

  const std::string again = dir / "again.cfg";
  SaveKeySnapshot(registry(), again, kAppKey);
  EXPECT_EQ(ReadFile(again), ReadFile(golden));
}

TEST_F(SnapshotReader, ValueLinesOneByOne) {
  struct Case {
    std::string line;
    std::string name;
    std::optional<RawValue> value;  // nullopt: the line is skipped
  };
  const std::vector<Case> cases = {
      {"nint=5", "n", RawValue::Integer(5)},
      {"nint=-1", "n", RawValue::Integer(-1)},
      {"nint=+7", "n", RawValue::Integer(7)},
      {"nint=-2147483648", "n", RawValue::Integer(INT32_MIN)},
      {"nint=2147483647", "n", RawValue::Integer(INT32_MAX)},
      {"nint=2147483648", "n", std::nullopt},
      {"nint=12x", "n", std::nullopt},
      {"nint=$10", "n", std::nullopt},
      {"nint=0x10", "n", std::nullopt},
      {"nint= 5", "n", std::nullopt},
      {"nint=", "n", std::nullopt},
      {"nint=-", "n", std::nullopt},
      {"nint=+-5", "n", std::nullopt},
      {"nstr=two qqqqlines", "n", RawValue::String("two \r\nlines")},
      {"nstr=", "n", RawValue::String("")},
      {"nstr=a=b", "n", RawValue::String("a=b")},
      {"str=default", "", RawValue::String("default")},
      {"nbin=00ff7F", "n", Binary(std::string("\x00\xFF\x7F", 3))},
      {"nbin=414", "n", Binary("A")},
      {"nbin=", "n", Binary("")},
      {"nbin=4G", "n", std::nullopt},
      {"nbin=41 ", "n", std::nullopt},
      {"nINT=5", "n", Binary("")},  // tags are exact; any other tag is binary
      {"nxyz=4142", "n", Binary("AB")},
      {"Xstr=str=v", "X", RawValue::String("str=v")},  // the name "Xstr=" cannot come back
      {"no equals sign", "no equals sign", std::nullopt},
      {"ab=5", "", std::nullopt},
      {"  ", "", std::nullopt},
  };
  for (const auto& c : cases) {
    const ParsedSnapshot parsed = ParseKeySnapshot("[\\K]\r\n" + c.line + "\r\nlastint=9\r\n");
    ASSERT_FALSE(parsed.values.empty()) << c.line;
    EXPECT_EQ(parsed.values.back().value.name, "last") << c.line;  // the rest still loads
    if (c.value) {
      ASSERT_EQ(parsed.values.size(), 2u) << c.line;
      EXPECT_EQ(parsed.values[0].key_path, "\\K");
      EXPECT_EQ(parsed.values[0].value.name, c.name) << c.line;
      EXPECT_EQ(parsed.values[0].value.value, *c.value) << c.line;
    } else {
      EXPECT_EQ(parsed.values.size(), 1u) << c.line;
    }
  }
}

TEST_F(SnapshotReader, AValueNameBeginningWithABracketIsReadAsAHeader) {
  Load("[\\K]\r\n[abcint=1\r\nvint=2\r\n");
  EXPECT_FALSE(Get("K", "[abc").has_value());
  EXPECT_EQ(Get("abcint=", "v"), RawValue::Integer(2));  // the header text is "abcint="
  EXPECT_EQ(Dump("K"), "");
}

TEST_F(SnapshotReader, ARootCarriesOverToHeadersWithoutOne) {
  Load(
      "[HKEY_LOCAL_MACHINE\\Software\\A]\r\nxint=1\r\n\r\n[\\Software\\X]\r\nyint=2\r\n\r\n"
      "[hkey_users\\U]\r\nzint=3\r\n");
  EXPECT_EQ(Get("Software\\A", "x", Root::LocalMachine), RawValue::Integer(1));
  EXPECT_EQ(Get("Software\\X", "y", Root::LocalMachine), RawValue::Integer(2));
  EXPECT_EQ(Get("U", "z", Root::Users), RawValue::Integer(3));
  EXPECT_FALSE(KeyExists("Software\\X"));
}

TEST_F(SnapshotReader, OneKeyPathUnderTwoRootsStaysTwoKeys) {
  Load(
      "[HKEY_LOCAL_MACHINE\\Software\\A]\r\nxint=1\r\n\r\n[HKEY_CURRENT_USER\\Software\\A]\r\nxint="
      "2\r\n");
  EXPECT_EQ(Get("Software\\A", "x", Root::LocalMachine), RawValue::Integer(1));
  EXPECT_EQ(Get("Software\\A", "x"), RawValue::Integer(2));
}

TEST_F(SnapshotReader, AnUnknownRootSkipsValuesUntilAKnownRoot) {
  Load(
      "[\\K]\r\naint=1\r\n[HKEY_FOO\\Bar]\r\nbint=2\r\n[\\K2]\r\ncint=3\r\n"
      "[HKEY_CURRENT_USER\\K3]\r\ndint=4\r\n[\\K4]\r\neint=5\r\n");
  EXPECT_EQ(Dump("K"), "K | a | 4 | 01000000\n");
  EXPECT_FALSE(KeyExists("Bar"));
  EXPECT_FALSE(KeyExists("HKEY_FOO\\Bar"));
  EXPECT_FALSE(KeyExists("K2"));
  EXPECT_EQ(Get("K3", "d"), RawValue::Integer(4));
  EXPECT_EQ(Get("K4", "e"), RawValue::Integer(5));
}

TEST_F(SnapshotReader, AHeaderNamingOnlyARootWritesIntoTheRootKey) {
  Load("[HKEY_CURRENT_CONFIG]\r\nxint=1\r\n");
  EXPECT_EQ(Get("", "x", Root::CurrentConfig), RawValue::Integer(1));
}

TEST_F(SnapshotReader, KeysAreCreatedOnlyByValueLines) {
  Load("[\\A]\r\n\r\n[\\A\\Empty]\r\n\r\n[\\A\\Full]\r\nxint=1\r\n\r\n[\\A\\Full\\Deep]\r\n\r\n");
  EXPECT_EQ(Dump("A"), "A\nA\\Full | x | 4 | 01000000\n");
}

TEST_F(SnapshotReader, ValueLinesBeforeTheFirstHeaderAreSkipped) {
  Load("xint=1\r\nystr=y\r\n[\\K]\r\nzint=3\r\n");
  EXPECT_EQ(Dump(""), "\n\\K | z | 4 | 03000000\n");
}

TEST_F(SnapshotReader, AnyLineEndWillDo) {
  Load("[\\A]\nxint=1\n\n[\\B]\ryint=2\r\r[\\C]\r\nzint=3");
  EXPECT_EQ(Get("A", "x"), RawValue::Integer(1));
  EXPECT_EQ(Get("B", "y"), RawValue::Integer(2));
  EXPECT_EQ(Get("C", "z"), RawValue::Integer(3));
}

TEST_F(SnapshotReader, LargeBinaryValuesAreReadInFull) {
  std::string hex;
  std::string bytes;
  for (int i = 0; i < 150000; ++i) {
    hex += "A5";
    bytes += '\xA5';
  }
  Load("[\\K]\r\nbigbin=" + hex + "\r\n");
  EXPECT_EQ(Get("K", "big"), Binary(bytes));
}

TEST_F(SnapshotReader, NothingIsRemovedThatTheFileDoesNotMention) {
  PutInteger("K", "keep", 1);
  PutInteger("K", "x", 1);
  Load("[\\K]\r\nxint=2\r\n");
  EXPECT_EQ(Dump("K"), "K | keep | 4 | 01000000\nK | x | 4 | 02000000\n");
}

TEST_F(SnapshotReader, AMissingFileDoesNothingAndCreatesNoStore) {
  LoadKeySnapshot(registry(), dir / "missing.cfg");
  EXPECT_FALSE(DirectoryExists(dir / "config"));
}

TEST_F(SnapshotReader, LoadsInsideTheCallersTransaction) {
  PutInteger("K", "x", 1);
  const std::string file = dir / "snap.cfg";
  WriteFile(file, "[\\K]\r\nxint=2\r\nyint=3\r\n");
  EXPECT_THROW(registry().Write([&](RegistrySession& session) {
    session.DeleteKeyTree(Root::CurrentUser, "K");
    LoadKeySnapshot(session, file);
    EXPECT_EQ(session.GetValue(*session.OpenKey(Root::CurrentUser, "K"), "y"),
              RawValue::Integer(3));
    throw std::runtime_error("the caller fails after loading");
  }),
               std::runtime_error);
  EXPECT_EQ(Dump("K"), "K | x | 4 | 01000000\n");
}

TEST(ParseKeySnapshot, EveryHeaderIsReportedWithItsRoot) {
  struct Case {
    std::string text;
    std::optional<Root> root;
    std::string path;
  };
  const std::vector<Case> cases = {
      {"[\\Software\\A]\r\n", Root::CurrentUser, "\\Software\\A"},
      {"xint=1\r\n\r\n[HKEY_USERS\\U\\V]\r\n", Root::Users, "U\\V"},
      {"[HKEY_FOO\\Bar]\r\n", std::nullopt, "Bar"},
      {"[]\r\n", Root::CurrentUser, ""},
  };
  for (const auto& c : cases) {
    const auto keys = ParseKeySnapshot(c.text).keys;
    ASSERT_EQ(keys.size(), 1u) << c.text;
    EXPECT_EQ(keys[0].root, c.root) << c.text;
    EXPECT_EQ(keys[0].path, c.path) << c.text;
  }
  EXPECT_TRUE(ParseKeySnapshot("\r\n\r\nxint=1\r\n").keys.empty());
  const auto keys =
      ParseKeySnapshot("[HKEY_USERS\\A]\r\n[\\B]\r\n[HKEY_FOO\\C]\r\n[\\D]\r\n[\\E]\r\n").keys;
  ASSERT_EQ(keys.size(), 5u);
  EXPECT_EQ(keys[1].root, Root::Users);  // the root carries over
  EXPECT_EQ(keys[1].path, "\\B");
  EXPECT_EQ(keys[3].root, std::nullopt);  // still under the unknown root
  EXPECT_EQ(keys[4].path, "\\E");
}

}  // namespace
}  // namespace quorella::testing
