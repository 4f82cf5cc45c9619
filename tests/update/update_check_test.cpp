// The whole check against a loopback site: fetch, product line, comparison and the version file.
#include "update/update_check.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>

#include "support/faults.h"
#include "support/loopback_server.h"
#include "support/temp_dir.h"
#include "update/fetch_helpers.h"
#include "util/errors.h"

namespace quorella::testing {
namespace {

const std::string kCaption = "Version 1.3.1.323";

std::string Ok(const std::string& body) {
  return "HTTP/1.0 200 OK\r\nContent-Type: text/plain\r\n\r\n" + body;
}

class UpdateCheck : public ::testing::Test {
 protected:
  UpdateCheckResult Check(LoopbackServer& server, const std::string& caption = kCaption) {
    return IsNewCurrentVersion("Quorella", caption, dir.path(), server.Address("/"));
  }
  bool VersionFileExists() const { return std::filesystem::exists(dir / "temp.txt"); }

  TempDir dir;
};

TEST_F(UpdateCheck, FindsTheProductLineComparesAndRemovesTheVersionFile) {
  struct Case {
    std::string file;
    bool newer;
    std::string published;
  };
  const std::vector<Case> cases = {
      {"Other 5.0\r\nQuorella 1.3.2\r\n", true, "1.3.2"},
      {"QUORELLA   1.4\r\n", true, "1.4"},
      {"Quorella 1.3.1\r\n", false, "1.3.1"},
      {"Quorella 1.3.1.0.1\r\n", false, "1.3.1.0.1"},
      {"Quorella 1.3.1.400\r\nQuorella 9\r\n", true, "1.3.1.400"},
      {"quorellapro 9.0\r\nQuorella 2.0\r\n", false, "pro 9.0"},
      {"", false, "unknown"},
      {"<html><body>Site moved</body></html>\r\n", false, "unknown"},
  };
  for (const auto& c : cases) {
    LoopbackServer server({Reply(Ok(c.file))});
    const UpdateCheckResult result = Check(server);
    EXPECT_EQ(result.newer, c.newer) << c.file;
    EXPECT_EQ(result.published_version, c.published) << c.file;
    EXPECT_FALSE(VersionFileExists()) << c.file;
    ASSERT_EQ(server.Requests().size(), 1u);
    EXPECT_TRUE(server.Requests()[0].starts_with("GET /upgrades.txt HTTP/1.0\r\n"));
  }
}

TEST_F(UpdateCheck, AFailedFetchGivesUnknownEvenWhenAnOldVersionFileWasLeftBehind) {
  WriteFile(dir / "temp.txt", "Quorella 9.9\r\n");
  const RefusingPort refusing;
  const UpdateCheckResult result =
      IsNewCurrentVersion("Quorella", kCaption, dir.path(),
                          "http://127.0.0.1:" + std::to_string(refusing.port()) + "/");
  EXPECT_FALSE(result.newer);
  EXPECT_EQ(result.published_version, "unknown");
  EXPECT_NE(result.fetch_error.find("refused"), std::string::npos) << result.fetch_error;
  EXPECT_FALSE(VersionFileExists());
}

TEST_F(UpdateCheck, AnErrorStatusGivesUnknown) {
  LoopbackServer server(
      {Reply("HTTP/1.0 404 Not Found\r\n\r\n<html><body>No such file</body></html>\r\n")});
  const UpdateCheckResult result = Check(server);
  EXPECT_EQ(result.published_version, "unknown");
  EXPECT_EQ(result.fetch_error, "Not Found");
  EXPECT_FALSE(VersionFileExists());
}

// 64 KiB is the largest version file read; a longer answer is no version file at all.
TEST_F(UpdateCheck, AVersionFileOver64KiBIsNeverRead) {
  const std::string line = "Quorella 9.9\r\n";
  for (const auto& [size, published] : std::vector<std::pair<std::size_t, std::string>>{
           {64 * 1024, "9.9"}, {64 * 1024 + 1, "unknown"}, {1 << 20, "unknown"}}) {
    LoopbackServer server({Reply(Ok(line + std::string(size - line.size(), 'x')))});
    EXPECT_EQ(Check(server).published_version, published) << size;
    EXPECT_FALSE(VersionFileExists()) << size;
  }
}

// The product line has arrived but the server keeps the answer open past the time limit: what
// the cut fetch left is not read.
TEST_F(UpdateCheck, ATimedOutFetchFindsNoVersion) {
  LoopbackServer server({Exchange{{{Ok("Quorella 9.9\r\n"), {}}}, true}});
  FetchOptions options;
  options.time_limit = std::chrono::milliseconds(300);
  const UpdateCheckResult result =
      IsNewCurrentVersion("Quorella", kCaption, dir.path(), server.Address("/"), options);
  EXPECT_EQ(result.published_version, "unknown");
  EXPECT_FALSE(result.newer);
  EXPECT_NE(result.fetch_error.find("time limit"), std::string::npos) << result.fetch_error;
  EXPECT_FALSE(VersionFileExists());
}

// A version file that ends before the length its Content-Length announced is not read.
TEST_F(UpdateCheck, AVersionFileCutShortIsNeverRead) {
  LoopbackServer server(
      {Reply("HTTP/1.0 200 OK\r\nContent-Length: 100000\r\n\r\nQuorella 9.9\r\n")});
  const UpdateCheckResult result = Check(server);
  EXPECT_EQ(result.published_version, "unknown");
  EXPECT_FALSE(result.newer);
  EXPECT_EQ(result.fetch_error,
            "incomplete response: the connection ended after 14 of 100000 bytes");
  EXPECT_FALSE(VersionFileExists());
}

TEST_F(UpdateCheck, ARedirectedFileIsRead) {
  LoopbackServer server({Reply("HTTP/1.0 302 Found\r\nLocation: /files/upgrades.txt\r\n\r\n"),
                         Reply(Ok("Quorella 1.4\r\n"))});
  const UpdateCheckResult result = Check(server);
  EXPECT_TRUE(result.newer);
  EXPECT_EQ(result.published_version, "1.4");
}

TEST_F(UpdateCheck, WithoutACurrentVersionNothingIsNewer) {
  LoopbackServer server({Reply(Ok("Quorella 1.4\r\n"))});
  const UpdateCheckResult result = Check(server, "Version ");
  EXPECT_FALSE(result.newer);
  EXPECT_EQ(result.published_version, "1.4");
}

TEST_F(UpdateCheck, AVersionFileThatCannotBeCreatedStopsTheCheckBeforeTheFetch) {
  LoopbackServer server({Reply(Ok("Quorella 1.4\r\n"))}, false, std::chrono::seconds(2));
  const FailNth refuse(sys::Op::Open, 1, EACCES);
  EXPECT_EQ(ErrorMessageOf([&] { Check(server); }),
            "Cannot create file \"" + (dir / "temp.txt") + "\". Permission denied");
  EXPECT_TRUE(server.Requests().empty());
  EXPECT_FALSE(VersionFileExists());
}

TEST_F(UpdateCheck, AVersionFileThatCannotBeWrittenIsRemovedAndReported) {
  LoopbackServer server({Exchange{{{Ok("Quorella 1.4\r\n"), {}}}, true}});
  const FailNth refuse(sys::Op::Write, 1, ENOSPC);
  EXPECT_EQ(ErrorMessageOf([&] { Check(server); }),
            "Cannot write file \"" + (dir / "temp.txt") + "\". No space left on device");
  EXPECT_FALSE(VersionFileExists());
}

TEST(UpdateSite, TheSiteAddressAlwaysEndsInASlash) {
  {
    ScopedEnv unset("QUORELLA_SITE", "");
    EXPECT_EQ(SiteAddress(), "http://www.tamsel.example/");
  }
  {
    ScopedEnv mirror("QUORELLA_SITE", "http://127.0.0.1:8080/mirror");
    EXPECT_EQ(SiteAddress(), "http://127.0.0.1:8080/mirror/");
  }
  {
    ScopedEnv mirror("QUORELLA_SITE", "http://mirror.example/");
    EXPECT_EQ(SiteAddress(), "http://mirror.example/");
  }
}

TEST(UpdateSite, AddressesOnTheSite) {
  EXPECT_EQ(UpgradesAddress("http://www.tamsel.example/"),
            "http://www.tamsel.example/upgrades.txt");
  EXPECT_EQ(WhatsNewAddress("http://www.tamsel.example/"),
            "http://www.tamsel.example/quorel/whatsnew.shtml");
}

}  // namespace
}  // namespace quorella::testing
