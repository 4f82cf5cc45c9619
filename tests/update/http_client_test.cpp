// The client against a loopback server: the request it sends, the header it reads and the body
// it stores.
#include "update/http_client.h"

#include <gtest/gtest.h>

#include "support/loopback_server.h"
#include "update/fetch_helpers.h"
#include "util/errors.h"

namespace quorella::testing {
namespace {

using std::chrono::milliseconds;

const std::string kOk = "HTTP/1.0 200 OK\r\n\r\n";

TEST(HttpClient, StartsWithTheDefaults) {
  const THttpCli http;
  EXPECT_EQ(http.Accept, "image/gif, image/x-xbitmap, image/jpeg, image/pjpeg, */*");
  EXPECT_EQ(http.Agent, "Mozilla/3.0 (compatible)");
  EXPECT_EQ(http.Port(), "80");
  EXPECT_EQ(http.StatusCode(), 0);
  EXPECT_EQ(http.ContentLength(), -1);
  EXPECT_EQ(http.ReceiveStream, nullptr);
  EXPECT_EQ(http.State(), THttpState::Ready);
  EXPECT_EQ(http.RequestType(), THttpRequest::httpGET);
  EXPECT_EQ(http.TimeLimit, milliseconds(30000));
  EXPECT_EQ(http.MaxRedirects, 10);
}

TEST(HttpClient, SendsExactlyTheRequestLineAcceptAgentAndHost) {
  LoopbackServer server({Reply(kOk)});
  const Fetched fetched = Fetch(server.Address("/dir/upgrades.txt?a=1&b=2"));
  EXPECT_EQ(fetched.status, 200);
  ASSERT_EQ(server.Requests().size(), 1u);
  EXPECT_EQ(server.Requests()[0],
            "GET /dir/upgrades.txt?a=1&b=2 HTTP/1.0\r\n"
            "Accept: image/gif, image/x-xbitmap, image/jpeg, image/pjpeg, */*\r\n"
            "User-Agent: Mozilla/3.0 (compatible)\r\n"
            "Host: 127.0.0.1\r\n"
            "\r\n");
}

TEST(HttpClient, LeavesOutEmptyAcceptAndAgentAndAsksForSlashWithoutAPath) {
  LoopbackServer server({Reply(kOk)});
  const std::string url = "http://user:pw@127.0.0.1:" + std::to_string(server.port());
  Fetch(url, [](THttpCli& http) {
    http.Accept.clear();
    http.Agent.clear();
  });
  ASSERT_EQ(server.Requests().size(), 1u);
  EXPECT_EQ(server.Requests()[0], "GET / HTTP/1.0\r\nHost: 127.0.0.1\r\n\r\n");
}

TEST(HttpClient, BlanksAndControlCharactersInThePathCannotBreakTheRequest) {
  LoopbackServer server({Reply(kOk)});
  Fetch(server.Address("/a b\r\nX-Injected: 1\t\x7f"));
  ASSERT_EQ(server.Requests().size(), 1u);
  EXPECT_TRUE(server.Requests()[0].starts_with(
      "GET /a%20b%0D%0AX-Injected:%201%09%7F HTTP/1.0\r\nAccept: "))
      << server.Requests()[0];
}

TEST(HttpClient, ReadsStatusLineAndTheHeadersThatMatter) {
  struct Case {
    std::string response;
    int status;
    std::string reason;
    std::int64_t length;
    std::string body;
  };
  const std::vector<Case> cases = {
      {"HTTP/1.1 200 OK\r\nContent-Length: 5\r\nServer: x:y\r\n\r\nhello", 200, "OK", 5, "hello"},
      {"HTTP/1.0 200 OK\nCONTENT-LENGTH:\t 2  \n\nhi", 200, "OK", 2, "hi"},
      {"HTTP/1.0 203 Non-Authoritative Information\r\n\r\nx", 203, "Non-Authoritative Information",
       -1, "x"},
      {"HTTP/1.0 200\r\n\r\nno reason", 200, "", -1, "no reason"},
      {"HTTP/1.0 20\r\n\r\nshort", 20, "", -1, "short"},
      {"HTTP/1.1 204 No Content\r\nignored line without colon\r\n\r\n", 204, "No Content", -1, ""},
      {"HTTP/1.0 200 OK\r\nContent-Length: 3000000000\r\nContent-Length: 3\r\n\r\nbig", 200, "OK",
       3, "big"},
      {"HTTP/1.0 200 OK\r\n\r\nline one\r\n\r\nHTTP/1.0 500 Not a status\r\n", 200, "OK", -1,
       "line one\r\n\r\nHTTP/1.0 500 Not a status\r\n"},
      {"", 0, "", -1, ""},
  };
  for (const auto& c : cases) {
    LoopbackServer server({Reply(c.response)});
    const Fetched fetched = Fetch(server.Address());
    EXPECT_EQ(fetched.status, c.status) << c.response;
    EXPECT_EQ(fetched.reason, c.reason) << c.response;
    EXPECT_EQ(fetched.length, c.length) << c.response;
    EXPECT_EQ(fetched.body, c.body) << c.response;
    EXPECT_FALSE(fetched.error_code.has_value()) << c.response;
  }
}

// The body is complete once Content-Length bytes have arrived, though the server keeps the
// connection open (its lifetime, 15 s, is longer than the fetch may take here); a body that ends
// short of it is a failure, however far it came.
TEST(HttpClient, ContentLengthBytesCompleteTheBodyFewerAreAFailure) {
  {
    LoopbackServer server(
        {Exchange{{{"HTTP/1.0 200 OK\r\nContent-Length: 5\r\n\r\nhel", {}}, {"lo", {}}}, true}});
    const Fetched fetched =
        Fetch(server.Address(), [](THttpCli& http) { http.TimeLimit = milliseconds(5000); });
    EXPECT_EQ(fetched.status, 200);
    EXPECT_EQ(fetched.reason, "OK");
    EXPECT_FALSE(fetched.error_code.has_value());
    EXPECT_EQ(fetched.body, "hello");
  }
  for (const std::string length : {"10", "3000000000"}) {
    LoopbackServer server(
        {Reply("HTTP/1.0 200 OK\r\nContent-Length: " + length + "\r\n\r\nhello")});
    const Fetched fetched = Fetch(server.Address());
    const std::string reason =
        "incomplete response: the connection ended after 5 of " + length + " bytes";
    EXPECT_EQ(fetched.status, 404) << length;
    EXPECT_EQ(fetched.reason, reason);
    EXPECT_EQ(fetched.error_code, 404);
    EXPECT_EQ(fetched.error_message, reason);
    EXPECT_EQ(fetched.length, std::stoll(length));
    EXPECT_EQ(fetched.body, "hello");
  }
}

TEST(HttpClient, EveryByteUpToTheCloseIsStored) {
  LoopbackServer server({Reply("HTTP/1.0 200 OK\r\nContent-Length: 3\r\n\r\nabcdefghij")});
  EXPECT_EQ(Fetch(server.Address()).body, "abcdefghij");
}

TEST(HttpClient, ADocumentWithoutStatusLineIsStoredFromItsFirstLine) {
  for (const std::string tag : {"<html>", "<HTML>", "<HtMl>"}) {
    const std::string document = tag + "<head></head>\r\n<body>Quorella 1.4</body>\nend</html>";
    LoopbackServer server({Reply(document)});
    const Fetched fetched = Fetch(server.Address());
    EXPECT_EQ(fetched.status, 0) << tag;
    EXPECT_EQ(fetched.reason, "") << tag;
    EXPECT_EQ(fetched.body, document) << tag;
    EXPECT_FALSE(fetched.error_code.has_value()) << tag;
  }
}

TEST(HttpClient, TheBodyArrivesInChunksOfAtMostTheLineBuffer) {
  std::string body;
  for (int i = 0; body.size() < 300000; ++i) body += "line " + std::to_string(i) + "\r\n";
  LoopbackServer server({Reply("HTTP/1.0 200 OK\r\n\r\n" + body)});
  StringBody stream;
  THttpCli http;
  http.URL = server.Address();
  http.ReceiveStream = &stream;
  http.Get();
  EXPECT_EQ(stream.text, body);
  EXPECT_LE(stream.largest_chunk, 8192u);
  EXPECT_GT(stream.largest_chunk, 0u);
}

TEST(HttpClient, WithoutAReceiveStreamTheBodyIsReadAndDropped) {
  LoopbackServer server({Reply("HTTP/1.0 200 OK\r\nContent-Length: 4\r\n\r\nbody")});
  THttpCli http;
  http.URL = server.Address();
  http.Get();
  EXPECT_EQ(http.StatusCode(), 200);
  EXPECT_EQ(http.ContentLength(), 4);
}

TEST(HttpClient, ReportsTheTargetItAskedLast) {
  LoopbackServer server({Reply(kOk)});
  const Fetched fetched = Fetch(server.Address("/x/y"));
  EXPECT_EQ(fetched.host_name, "127.0.0.1");
  EXPECT_EQ(fetched.target_host, "127.0.0.1");
  EXPECT_EQ(fetched.port, std::to_string(server.port()));
  EXPECT_EQ(fetched.path, "/x/y");
}

TEST(HttpClient, TheEventPumpRunsWhileWaitingAndSeesTheStatesInOrder) {
  LoopbackServer server({Exchange{
      {{"HTTP/1.0 200 OK\r\n\r\nfirst", milliseconds(200)}, {" second", milliseconds(200)}},
      false}});
  THttpCli http;
  http.URL = "http://localhost:" + std::to_string(server.port()) + "/";
  std::vector<THttpState> seen;
  http.EventPump = [&] {
    if (seen.empty() || seen.back() != http.State()) seen.push_back(http.State());
  };
  StringBody body;
  http.ReceiveStream = &body;
  http.Get();
  EXPECT_EQ(body.text, "first second");
  EXPECT_TRUE(std::is_sorted(seen.begin(), seen.end())) << seen.size();
  EXPECT_NE(std::find(seen.begin(), seen.end(), THttpState::WaitingHeader), seen.end());
  EXPECT_NE(std::find(seen.begin(), seen.end(), THttpState::WaitingBody), seen.end());
  EXPECT_EQ(http.State(), THttpState::Ready);
}

TEST(HttpClient, ASecondGetWhileOneRunsIsRefusedAsBusy) {
  LoopbackServer server({Exchange{{{kOk + "done", milliseconds(200)}}, false}});
  THttpCli http;
  http.URL = server.Address();
  std::optional<EHttpException> refused;
  http.EventPump = [&] {
    if (refused) return;
    try {
      http.Get();
    } catch (const EHttpException& e) {
      refused = e;
    }
  };
  http.Get();
  ASSERT_TRUE(refused.has_value());
  EXPECT_EQ(refused->ErrorCode(), 1);
  EXPECT_STREQ(refused->what(), "HTTP component is busy");
  EXPECT_EQ(http.StatusCode(), 200);
  EXPECT_EQ(server.Requests().size(), 1u);
}

TEST(HttpClient, OneClientCanFetchAgainOnceItIsReady) {
  LoopbackServer server({Reply("HTTP/1.0 404 Gone Away\r\n\r\n"), Reply("")});
  THttpCli http;
  http.URL = server.Address();
  EXPECT_THROW(http.Get(), EHttpException);
  http.Get();
  EXPECT_EQ(http.StatusCode(), 0);
  EXPECT_EQ(http.ReasonPhrase(), "");
}

}  // namespace
}  // namespace quorella::testing
