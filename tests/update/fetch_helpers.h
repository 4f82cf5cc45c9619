#pragma once
// Running one fetch in a test and looking at everything it left behind.
#include <algorithm>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "update/http_client.h"
#include "util/errors.h"

namespace quorella::testing {

// Keeps the body in memory and remembers how it arrived.
class StringBody : public BodyStream {
 public:
  void Write(std::string_view chunk) override {
    text += chunk;
    largest_chunk = std::max(largest_chunk, chunk.size());
  }
  std::string text;
  std::size_t largest_chunk = 0;
};

struct Fetched {
  int status = 0;
  std::string reason;
  std::int64_t length = -1;
  std::optional<int> error_code;  // the EHttpException's code, when Get raised one
  std::string error_message;
  std::string body;
  std::string host_name, target_host, port, path;  // the target asked last
};

// One Get of `url` by a fresh client that `setup` may adjust first.
inline Fetched Fetch(const std::string& url, const std::function<void(THttpCli&)>& setup = {}) {
  StringBody body;
  THttpCli http;
  http.URL = url;
  http.ReceiveStream = &body;
  if (setup) setup(http);
  Fetched fetched;
  try {
    http.Get();
  } catch (const EHttpException& e) {
    fetched.error_code = e.ErrorCode();
    fetched.error_message = e.what();
  }
  fetched.status = http.StatusCode();
  fetched.reason = http.ReasonPhrase();
  fetched.length = http.ContentLength();
  fetched.body = body.text;
  fetched.host_name = http.HostName();
  fetched.target_host = http.TargetHost();
  fetched.port = http.Port();
  fetched.path = http.Path();
  return fetched;
}

// The message of the quorella::Error that `action` throws; empty when it throws none.
inline std::string ErrorMessageOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const Error& e) {
    return e.what();
  }
  return {};
}

}  // namespace quorella::testing
