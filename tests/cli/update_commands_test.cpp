// fetch and check-update against a loopback server in the test.
#include <filesystem>

#include "cli/cli_fixture.h"
#include "support/loopback_server.h"

namespace quorella::testing {
namespace {

class UpdateCommands : public CliTest {
 protected:
  // The command line must never ask the real vendor's site.
  ProcessResult CheckAgainst(const LoopbackServer& server) {
    const ScopedEnv site("QUORELLA_SITE", server.Address("/site"));
    return Run({"check-update"});
  }
};

TEST_F(UpdateCommands, FetchStoresTheBodyAndShowsTheOutcome) {
  LoopbackServer server({Reply("HTTP/1.0 200 OK\r\nContent-Length: 7\r\n\r\nQuorella 1.4\r\n")});
  const std::string file = dir / "out.txt";
  EXPECT_EQ(Ok({"fetch", server.Address("/upgrades.txt"), file}),
            "StatusCode: 200\nReasonPhrase: OK\nContentLength: 7\n");
  EXPECT_EQ(ReadFile(file), "Quorella 1.4\r\n");
}

TEST_F(UpdateCommands, FetchOfAnErrorStatusSaysSoOnStandardError) {
  LoopbackServer server({Reply("HTTP/1.0 404 Not Found\r\n\r\n")});
  const ProcessResult result = Run({"fetch", server.Address("/missing"), dir / "out.txt"});
  EXPECT_EQ(result.exit_code, 1);
  EXPECT_EQ(result.out, "StatusCode: 404\nReasonPhrase: Not Found\nContentLength: -1\n");
  EXPECT_EQ(result.err, "EHttpException 404: Not Found\n");
}

// A full disk (/dev/full takes no byte): the outcome lines still come, then the reason, once.
TEST_F(UpdateCommands, FetchOntoAFullDiskStillShowsTheOutcome) {
  LoopbackServer server({Reply("HTTP/1.0 200 OK\r\nContent-Length: 7\r\n\r\nQuorella 1.4\r\n")});
  const ProcessResult result = Run({"fetch", server.Address("/upgrades.txt"), "/dev/full"});
  EXPECT_EQ(result.exit_code, 1);
  EXPECT_EQ(result.out, "StatusCode: 200\nReasonPhrase: OK\nContentLength: 7\n");
  EXPECT_EQ(result.err, "Cannot write file \"/dev/full\". No space left on device\n");
}

// A body shorter than its Content-Length is a failure, though every byte that came is stored.
TEST_F(UpdateCommands, FetchOfABodyCutShortFails) {
  const std::string body(50016, 'x');
  LoopbackServer server({Reply("HTTP/1.0 200 OK\r\nContent-Length: 100000\r\n\r\n" + body)});
  const ProcessResult result = Run({"fetch", server.Address("/upgrades.txt"), dir / "out.txt"});
  const std::string reason =
      "incomplete response: the connection ended after 50016 of 100000 bytes";
  EXPECT_EQ(result.exit_code, 1);
  EXPECT_EQ(result.out, "StatusCode: 404\nReasonPhrase: " + reason + "\nContentLength: 100000\n");
  EXPECT_EQ(result.err, "EHttpException 404: " + reason + "\n");
  EXPECT_EQ(ReadFile(dir / "out.txt"), body);
}

TEST_F(UpdateCommands, FetchOfAnUnknownHost) {
  const ProcessResult result = Run({"fetch", "http://quorella-test.invalid/x", dir / "out.txt"});
  EXPECT_EQ(result.exit_code, 1);
  EXPECT_EQ(
      result.out,
      "StatusCode: 404\nReasonPhrase: can't resolve hostname to IP address\nContentLength: -1\n");
  EXPECT_EQ(result.err, "EHttpException 404: can't resolve hostname to IP address\n");
  EXPECT_EQ(ReadFile(dir / "out.txt"), "");
  EXPECT_TRUE(std::filesystem::exists(dir / "out.txt"));
}

TEST_F(UpdateCommands, FetchWithoutAStatusLineIsNoError) {
  LoopbackServer server({Reply("<HTML>plain</HTML>")});
  EXPECT_EQ(Ok({"fetch", server.Address(), dir / "out.txt"}),
            "StatusCode: 0\nReasonPhrase: \nContentLength: -1\n");
}

TEST_F(UpdateCommands, FetchIntoAFileThatCannotBeCreated) {
  const std::string file = dir / "no/such/folder/out.txt";
  const ProcessResult result = Run({"fetch", "http://127.0.0.1:1/", file});
  EXPECT_EQ(result.exit_code, 1);
  EXPECT_EQ(result.out, "");
  EXPECT_EQ(result.err, "Cannot create file \"" + file + "\". No such file or directory\n");
}

TEST_F(UpdateCommands, FetchWantsBothArguments) {
  for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
           {"fetch"}, {"fetch", "http://127.0.0.1/"}, {"check-update", "extra"}}) {
    const ProcessResult result = Run(args);
    EXPECT_EQ(result.exit_code, 2) << args.size();
    EXPECT_NE(result.err, "");
  }
}

TEST_F(UpdateCommands, CheckUpdateFindsANewerVersion) {
  LoopbackServer server({Reply("HTTP/1.0 200 OK\r\n\r\nOther 9.0\r\nQuorella 1.3.2\r\n")});
  const ProcessResult result = CheckAgainst(server);
  EXPECT_EQ(result.exit_code, 0) << result.err;
  EXPECT_EQ(result.out, "A newer version has been found (v1.3.2)\n" + server.Address("/site/") +
                            "quorel/whatsnew.shtml\n");
  ASSERT_EQ(server.Requests().size(), 1u);
  EXPECT_TRUE(server.Requests()[0].starts_with("GET /site/upgrades.txt HTTP/1.0\r\n"));
  EXPECT_FALSE(std::filesystem::exists(app_dir + "temp.txt"));
}

TEST_F(UpdateCommands, CheckUpdateWithoutANewerVersion) {
  struct Case {
    std::string response, out;
  };
  const std::vector<Case> cases = {
      {"HTTP/1.0 200 OK\r\n\r\nquorella 1.3.1\r\n",
       "The latest version is 1.3.1.\nYou already have the latest version.\n"},
      {"HTTP/1.0 200 OK\r\n\r\nQuorella 1.3.1.0.1\r\n",
       "The latest version is 1.3.1.0.1.\nYou already have the latest version.\n"},
      {"HTTP/1.0 200 OK\r\n\r\n", "The latest version is unknown.\n"},
      {"HTTP/1.0 500 Internal Server Error\r\n\r\n", "The latest version is unknown.\n"},
  };
  for (const auto& c : cases) {
    LoopbackServer server({Reply(c.response)});
    const ProcessResult result = CheckAgainst(server);
    EXPECT_EQ(result.exit_code, 0) << result.err;
    EXPECT_EQ(result.out, c.out) << c.response;
    EXPECT_FALSE(std::filesystem::exists(app_dir + "temp.txt"));
  }
}

TEST_F(UpdateCommands, CheckUpdateNeedsAWritableApplicationDirectory) {
  // A missing application directory is created for temp.txt; a file in its place cannot be.
  std::filesystem::remove_all(app_dir);
  {
    LoopbackServer server({Reply("HTTP/1.0 200 OK\r\n\r\nQuorella 1.3.1\r\n")});
    EXPECT_EQ(CheckAgainst(server).exit_code, 0);
    EXPECT_TRUE(std::filesystem::is_directory(app_dir));
  }
  std::filesystem::remove_all(app_dir);
  WriteFile(dir / "app", "a file where the folder belongs");
  LoopbackServer server({Reply("HTTP/1.0 200 OK\r\n\r\nQuorella 2\r\n")}, false,
                        std::chrono::seconds(2));
  const ProcessResult result = CheckAgainst(server);
  EXPECT_EQ(result.exit_code, 1);
  EXPECT_EQ(result.out, "");
  EXPECT_EQ(result.err, "Cannot create file \"" + app_dir + "temp.txt\". Not a directory\n");
  EXPECT_TRUE(server.Requests().empty());
}

}  // namespace
}  // namespace quorella::testing
