// Location headers: which are followed, where to, and how often.
#include <gtest/gtest.h>

#include "support/loopback_server.h"
#include "update/fetch_helpers.h"

namespace quorella::testing {
namespace {

std::string Redirect(const std::string& status, const std::string& location) {
  return "HTTP/1.0 " + status + "\r\nLocation: " + location + "\r\nContent-Length: 14\r\n\r\n" +
         "redirect body.";
}

TEST(HttpRedirect, APathGoesToTheSameHostAndOnlyTheLastBodyIsStored) {
  LoopbackServer server({Reply(Redirect("301 Moved Permanently", "/new/upgrades.txt")),
                         Reply("HTTP/1.0 200 OK\r\n\r\nQuorella 1.4\r\n")});
  const Fetched fetched = Fetch(server.Address("/upgrades.txt"));
  EXPECT_EQ(fetched.status, 200);
  EXPECT_EQ(fetched.reason, "OK");
  EXPECT_EQ(fetched.body, "Quorella 1.4\r\n");
  const auto requests = server.Requests();
  ASSERT_EQ(requests.size(), 2u);
  EXPECT_TRUE(requests[0].starts_with("GET /upgrades.txt HTTP/1.0\r\n"));
  EXPECT_TRUE(requests[1].starts_with("GET /new/upgrades.txt HTTP/1.0\r\n"));
  EXPECT_TRUE(requests[1].ends_with("\r\nHost: 127.0.0.1\r\n\r\n"));
}

TEST(HttpRedirect, AnAbsoluteAddressMayNameAnotherPortAndTheHostHeaderNeverCarriesOne) {
  LoopbackServer second({Reply("HTTP/1.0 200 OK\r\n\r\nfrom the second server")});
  LoopbackServer first({Reply(Redirect("302 Found", second.Address("/moved?x=1")))});
  const Fetched fetched = Fetch(first.Address("/start"));
  EXPECT_EQ(fetched.body, "from the second server");
  EXPECT_EQ(fetched.port, std::to_string(second.port()));
  EXPECT_EQ(fetched.path, "/moved?x=1");
  ASSERT_EQ(second.Requests().size(), 1u);
  EXPECT_TRUE(second.Requests()[0].starts_with("GET /moved?x=1 HTTP/1.0\r\n"));
  EXPECT_TRUE(second.Requests()[0].ends_with("\r\nHost: 127.0.0.1\r\n\r\n"));
}

TEST(HttpRedirect, AnAbsoluteAddressWithoutPortKeepsThePortInUse) {
  LoopbackServer server({Reply(Redirect("302 Found", "http://localhost/second")),
                         Reply("HTTP/1.0 200 OK\r\n\r\nsecond")});
  const Fetched fetched = Fetch(server.Address("/first"));
  EXPECT_EQ(fetched.body, "second");
  EXPECT_EQ(fetched.host_name, "localhost");
  EXPECT_EQ(fetched.target_host, "localhost");
  EXPECT_EQ(fetched.port, std::to_string(server.port()));
  ASSERT_EQ(server.Requests().size(), 2u);
  EXPECT_TRUE(server.Requests()[1].starts_with("GET /second HTTP/1.0\r\n"));
  EXPECT_TRUE(server.Requests()[1].ends_with("\r\nHost: localhost\r\n\r\n"));
}

TEST(HttpRedirect, ALocationIsFollowedInAnyResponseBelow400) {
  LoopbackServer server({Reply("HTTP/1.0 200 OK\r\nLocation:   /two  \r\n\r\nfirst"),
                         Reply("HTTP/1.0 200 OK\r\n\r\nsecond")});
  const Fetched fetched = Fetch(server.Address("/one"));
  EXPECT_EQ(fetched.body, "second");
  ASSERT_EQ(server.Requests().size(), 2u);
  EXPECT_TRUE(server.Requests()[1].starts_with("GET /two HTTP/1.0\r\n"));
}

TEST(HttpRedirect, LocationsThatAreNotFollowedLeaveTheResponseAsItIs) {
  struct Case {
    std::string response;
    int status;
    std::optional<int> error;
  };
  const std::vector<Case> cases = {
      {Redirect("301 Moved Permanently", "https://127.0.0.1/secure"), 301, std::nullopt},
      {Redirect("302 Found", "relative/upgrades.txt"), 302, std::nullopt},
      {Redirect("404 Not Found", "/elsewhere"), 404, 404},
      {Redirect("500 Internal Server Error", "http://127.0.0.1/x"), 500, 500},
  };
  for (const auto& c : cases) {
    LoopbackServer server({Reply(c.response), Reply("HTTP/1.0 200 OK\r\n\r\nfollowed")});
    const Fetched fetched = Fetch(server.Address());
    EXPECT_EQ(fetched.status, c.status) << c.response;
    EXPECT_EQ(fetched.error_code, c.error) << c.response;
    EXPECT_EQ(server.Requests().size(), 1u) << c.response;
    if (!c.error) {
      EXPECT_EQ(fetched.body, "redirect body.") << c.response;
    }
  }
}

TEST(HttpRedirect, EndlessRedirectsEndAfterTheLimitLikeAFailedConnection) {
  LoopbackServer server({Reply(Redirect("302 Found", "/again"))}, true);
  const Fetched fetched = Fetch(server.Address());
  EXPECT_EQ(fetched.status, 404);
  EXPECT_EQ(fetched.reason, "too many redirects (more than 10)");
  EXPECT_EQ(fetched.error_code, 404);
  EXPECT_EQ(fetched.error_message, "too many redirects (more than 10)");
  EXPECT_EQ(fetched.body, "");
  EXPECT_EQ(server.Requests().size(), 11u);
}

TEST(HttpRedirect, TheLimitCanBeSet) {
  LoopbackServer server({Reply(Redirect("302 Found", "/again"))}, true);
  const Fetched fetched = Fetch(server.Address(), [](THttpCli& http) { http.MaxRedirects = 2; });
  EXPECT_EQ(fetched.reason, "too many redirects (more than 2)");
  EXPECT_EQ(server.Requests().size(), 3u);
}

TEST(HttpRedirect, ARedirectToAFailingTargetEndsWithThatFailure) {
  const RefusingPort refusing;
  LoopbackServer server(
      {Reply(Redirect("302 Found", "http://127.0.0.1:" + std::to_string(refusing.port()) + "/"))});
  const Fetched fetched = Fetch(server.Address());
  EXPECT_EQ(fetched.status, 404);
  EXPECT_EQ(fetched.reason, "Connection refused (Error #111)");
  EXPECT_EQ(fetched.body, "");
}

}  // namespace
}  // namespace quorella::testing
