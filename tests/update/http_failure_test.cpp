// How a fetch ends when the server, the network or the receiving side fails.
#include <gtest/gtest.h>

#include "support/loopback_server.h"
#include "update/fetch_helpers.h"
#include "util/errors.h"

namespace quorella::testing {
namespace {

using std::chrono::milliseconds;

TEST(HttpFailure, AnErrorStatusRaisesItsCodeWithTheReasonPhrase) {
  for (const auto& [status, reason] :
       std::vector<std::pair<int, std::string>>{{400, "Bad Request"}, {404, "Not Found"}}) {
    LoopbackServer server({Reply("HTTP/1.0 " + std::to_string(status) + " " + reason +
                                 "\r\nContent-Type: text/html\r\n\r\n")});
    const Fetched fetched = Fetch(server.Address());
    EXPECT_EQ(fetched.error_code, status);
    EXPECT_EQ(fetched.error_message, reason);
    EXPECT_EQ(fetched.status, status);
    EXPECT_EQ(fetched.reason, reason);
  }
}

TEST(HttpFailure, AnErrorStatusClosesTheConnectionAtOnce) {
  // The server would keep the connection open for longer than the whole test may take.
  LoopbackServer server(
      {Exchange{{{"HTTP/1.1 503 Service Unavailable\r\nRetry-After: 1\r\n", {}}}, true}});
  const Fetched fetched =
      Fetch(server.Address(), [](THttpCli& http) { http.TimeLimit = std::chrono::seconds(10); });
  EXPECT_EQ(fetched.error_code, 503);
  EXPECT_EQ(fetched.error_message, "Service Unavailable");
}

TEST(HttpFailure, AHeaderLineLongerThanTheLineBufferEndsTheFetchWithoutAnError) {
  const std::string long_line = "X-Long: " + std::string(9000, 'a') + "\r\n";
  struct Case {
    std::string response;
    int status;
  };
  for (const Case& c : std::vector<Case>{{"HTTP/1.0 200 OK\r\n" + long_line + "\r\nbody", 200},
                                         {long_line + "HTTP/1.0 200 OK\r\n\r\nbody", 0}}) {
    LoopbackServer server({Exchange{{{c.response, {}}}, true}});
    const Fetched fetched = Fetch(server.Address());
    EXPECT_FALSE(fetched.error_code.has_value());
    EXPECT_EQ(fetched.status, c.status);
    EXPECT_EQ(fetched.body, "");
  }
}

TEST(HttpFailure, ALineThatFillsTheBufferExactlyIsStillRead) {
  const std::string line = "X-Fill: " + std::string(8192 - 8 - 2, 'b') + "\r\n";
  ASSERT_EQ(line.size(), 8192u);
  LoopbackServer server({Reply("HTTP/1.0 200 OK\r\n" + line + "\r\nbody")});
  EXPECT_EQ(Fetch(server.Address()).body, "body");
}

TEST(HttpFailure, UnreadableNumbersAbandonTheResponseWithTheStatusReadSoFar) {
  struct Case {
    std::string response;
    int status;
  };
  const std::vector<Case> cases = {
      {"HTTP/1.0 abc Odd\r\n\r\nbody", 0},
      {"HTTP/1.0\r\n\r\nbody", 0},
      {"HTTP/1.0 200 OK\r\nContent-Length: lots\r\n\r\nbody", 200},
      {"HTTP/1.0 200 OK\r\nContent-Length: 12 bytes\r\n\r\nbody", 200},
  };
  for (const auto& c : cases) {
    LoopbackServer server({Exchange{{{c.response, {}}}, true}});
    const Fetched fetched = Fetch(server.Address());
    EXPECT_FALSE(fetched.error_code.has_value()) << c.response;
    EXPECT_EQ(fetched.status, c.status) << c.response;
    EXPECT_EQ(fetched.length, -1) << c.response;
    EXPECT_EQ(fetched.body, "") << c.response;
  }
}

TEST(HttpFailure, FailuresToReachTheServerGive404WithTheirReason) {
  const RefusingPort refusing;
  struct Case {
    std::string url;
    std::string reason;
  };
  const std::vector<Case> cases = {
      {"http://127.0.0.1:" + std::to_string(refusing.port()) + "/",
       "Connection refused (Error #111)"},
      {"http://quorella-test.invalid/upgrades.txt", "can't resolve hostname to IP address"},
      {"http://:" + std::to_string(refusing.port()) + "/", "can't resolve hostname to IP address"},
      {"/just/a/path", "can't resolve hostname to IP address"},
      {"http://127.0.0.1:99999/", "can't connect: Invalid argument (Error #22)"},
      {"http://127.0.0.1:65536/", "can't connect: Invalid argument (Error #22)"},
      // The highest port is a port: nothing listens there, so the connection is refused.
      {"http://127.0.0.1:65535/", "Connection refused (Error #111)"},
      {"http://127.0.0.1:http/", "can't connect: Invalid argument (Error #22)"},
      {"https://127.0.0.1/",
       "can't connect: the address scheme \"https\" is not supported (only http)"},
  };
  for (const auto& c : cases) {
    const Fetched fetched = Fetch(c.url);
    EXPECT_EQ(fetched.status, 404) << c.url;
    EXPECT_EQ(fetched.reason, c.reason) << c.url;
    EXPECT_EQ(fetched.error_code, 404) << c.url;
    EXPECT_EQ(fetched.error_message, c.reason) << c.url;
  }
}

TEST(HttpFailure, ASilentServerRunsIntoTheTimeLimit) {
  LoopbackServer server({Exchange{{}, true}});
  const Fetched fetched =
      Fetch(server.Address(), [](THttpCli& http) { http.TimeLimit = milliseconds(300); });
  EXPECT_EQ(fetched.status, 404);
  EXPECT_EQ(fetched.reason, "no complete response within the time limit of 0.3 seconds");
  EXPECT_EQ(fetched.error_code, 404);
}

TEST(HttpFailure, TheTimeLimitCoversABodyThatNeverEnds) {
  LoopbackServer server({Exchange{{{"HTTP/1.0 200 OK\r\n\r\npart", {}}}, true}});
  const Fetched fetched =
      Fetch(server.Address(), [](THttpCli& http) { http.TimeLimit = milliseconds(1000); });
  EXPECT_EQ(fetched.reason, "no complete response within the time limit of 1 second");
  EXPECT_EQ(fetched.error_code, 404);
  EXPECT_EQ(fetched.body, "part");
}

TEST(HttpFailure, TheTimeLimitTextNamesTheLimit) {
  EXPECT_EQ(messages::RequestTimedOut(30000),
            "no complete response within the time limit of 30 seconds");
  EXPECT_EQ(messages::RequestTimedOut(2500),
            "no complete response within the time limit of 2.5 seconds");
  EXPECT_EQ(messages::RequestTimedOut(10),
            "no complete response within the time limit of 0.01 seconds");
}

TEST(HttpFailure, ASocketErrorWithoutDescriptionHasTheFixedText) {
  EXPECT_EQ(messages::SocketFailure(99999), "Not a WinSock error (Error #99999)");
  EXPECT_EQ(messages::SocketFailure(ETIMEDOUT), "Connection timed out (Error #110)");
}

// A receive stream that cannot take any more.
class FullDisk : public BodyStream {
 public:
  void Write(std::string_view) override { throw Error("Cannot write file \"x\". No space left"); }
};

TEST(HttpFailure, AReceiveStreamThatFailsEndsTheRequestAndPassesItsErrorOn) {
  LoopbackServer server({Exchange{{{"HTTP/1.0 200 OK\r\n\r\nbody", {}}}, true}});
  FullDisk disk;
  THttpCli http;
  http.URL = server.Address();
  http.ReceiveStream = &disk;
  EXPECT_EQ(ErrorMessageOf([&] { http.Get(); }), "Cannot write file \"x\". No space left");
  EXPECT_EQ(http.State(), THttpState::Ready);
  EXPECT_EQ(http.StatusCode(), 200);
}

TEST(HttpFailure, AnEventPumpThatThrowsLeavesTheClientReady) {
  LoopbackServer server({Exchange{{}, true}});
  THttpCli http;
  http.URL = server.Address();
  http.EventPump = [] { throw std::runtime_error("window closed"); };
  EXPECT_THROW(http.Get(), std::runtime_error);
  EXPECT_EQ(http.State(), THttpState::Ready);
}

}  // namespace
}  // namespace quorella::testing
