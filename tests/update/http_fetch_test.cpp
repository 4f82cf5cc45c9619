// Fetching into a file: the file is created or emptied first, and GetUrl's verdict.
#include "update/http_fetch.h"

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

TEST(HttpFetch, TheBodyReplacesWhatTheFileHeld) {
  TempDir dir;
  WriteFile(dir / "out.txt", "an older and much longer content than the new body");
  LoopbackServer server({Reply("HTTP/1.0 200 OK\r\nContent-Length: 8\r\n\r\nnew body")});
  const FetchResult result = FetchToFile(server.Address("/f"), dir / "out.txt");
  EXPECT_FALSE(result.error.has_value());
  EXPECT_EQ(result.status_code, 200);
  EXPECT_EQ(result.reason_phrase, "OK");
  EXPECT_EQ(result.content_length, 8);
  EXPECT_EQ(ReadFile(dir / "out.txt"), "new body");
}

TEST(HttpFetch, AFailedFetchLeavesTheFileEmptyAndReportsTheError) {
  TempDir dir;
  WriteFile(dir / "out.txt", "Quorella 9.9");
  const RefusingPort refusing;
  const FetchResult result =
      FetchToFile("http://127.0.0.1:" + std::to_string(refusing.port()) + "/", dir / "out.txt");
  ASSERT_TRUE(result.error.has_value());
  EXPECT_EQ(result.error->ErrorCode(), 404);
  EXPECT_STREQ(result.error->what(), "Connection refused (Error #111)");
  EXPECT_EQ(result.status_code, 404);
  EXPECT_TRUE(std::filesystem::exists(dir / "out.txt"));
  EXPECT_EQ(ReadFile(dir / "out.txt"), "");
}

TEST(HttpFetch, AFileThatCannotBeCreatedStopsTheFetchBeforeItStarts) {
  TempDir dir;
  LoopbackServer server({Reply("HTTP/1.0 200 OK\r\n\r\nbody")}, false, std::chrono::seconds(2));
  const FailNth refuse(sys::Op::Open, 1, EACCES);
  EXPECT_EQ(ErrorMessageOf([&] { FetchToFile(server.Address(), dir / "out.txt"); }),
            "Cannot create file \"" + (dir / "out.txt") + "\". Permission denied");
  EXPECT_TRUE(server.Requests().empty());
}

TEST(HttpFetch, AFileThatCannotBeWrittenIsAnErrorNotASuccess) {
  TempDir dir;
  LoopbackServer server({Exchange{{{"HTTP/1.0 200 OK\r\n\r\nbody", {}}}, true}});
  const FailNth refuse(sys::Op::Write, 1, ENOSPC);
  EXPECT_EQ(ErrorMessageOf([&] { GetUrl(server.Address(), dir / "out.txt"); }),
            "Cannot write file \"" + (dir / "out.txt") + "\". No space left on device");
}

TEST(HttpFetch, GetUrlSucceedsOnlyWithStatus200AndNoError) {
  struct Case {
    std::string response;
    bool success;
  };
  const std::vector<Case> cases = {
      {"HTTP/1.0 200 OK\r\n\r\nbody", true},
      {"HTTP/1.1 200 Fine\r\n\r\n", true},
      {"HTTP/1.0 204 No Content\r\n\r\n", false},
      {"HTTP/1.0 301 Moved\r\nLocation: https://127.0.0.1/\r\n\r\n", false},
      {"HTTP/1.0 404 Not Found\r\n\r\n", false},
      {"<HTML>no status line</HTML>\r\n", false},
      {"", false},
  };
  for (const auto& c : cases) {
    TempDir dir;
    LoopbackServer server({Reply(c.response)});
    EXPECT_EQ(GetUrl(server.Address(), dir / "out.txt"), c.success) << c.response;
  }
}

TEST(HttpFetch, TheOptionsReachTheClient) {
  TempDir dir;
  LoopbackServer server({Exchange{{}, true}});
  int pumped = 0;
  FetchOptions options;
  options.time_limit = std::chrono::milliseconds(200);
  options.event_pump = [&pumped] { ++pumped; };
  const FetchResult result = FetchToFile(server.Address(), dir / "out.txt", options);
  EXPECT_EQ(result.reason_phrase, "no complete response within the time limit of 0.2 seconds");
  EXPECT_GT(pumped, 0);
}

}  // namespace
}  // namespace quorella::testing
