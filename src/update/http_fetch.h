#pragma once
// One address fetched into one local file by a fresh THttpCli: what the update check and
// `quorella-cli fetch` do.
#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "update/body_stream.h"
#include "update/http_client.h"

namespace quorella {

struct FetchOptions {
  std::chrono::milliseconds time_limit = kDefaultTimeLimit;
  std::function<void()> event_pump;  // called while the fetch waits; none in the command line
};

struct FetchResult {
  int status_code = 0;
  std::string reason_phrase;
  std::int64_t content_length = -1;
  std::optional<EHttpException> error;  // what the client raised, when it did
};

// One GET of `address` whose body goes to `stream`. The client's HTTP error is reported in the
// result; any other failure (the stream cannot be written) passes on.
FetchResult FetchToStream(const std::string& address, BodyStream& stream,
                          const FetchOptions& options = {});

// Creates or empties `file` first ("Cannot create file \"PATH\". REASON" when it cannot be: nothing
// is fetched then), streams the body into it and closes it. The client's HTTP error is reported in
// the result; any other failure (the file cannot be written) passes on.
FetchResult FetchToFile(const std::string& address, const std::string& file,
                        const FetchOptions& options = {});

// The same fetch, reporting success: no HTTP error and status 200.
bool GetUrl(const std::string& address, const std::string& file, const FetchOptions& options = {});

}  // namespace quorella
