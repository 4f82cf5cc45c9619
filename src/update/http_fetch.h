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
#include "util/errors.h"

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

// A failure of the receiving side (the stream or file cannot be written), with what the fetch had
// received up to then: the status line is still worth showing.
class FetchFailure : public Error {
 public:
  FetchFailure(const Error& cause, FetchResult result)
      : Error(cause.what(), cause.error_number()), result_(std::move(result)) {}
  const FetchResult& result() const { return result_; }

 private:
  FetchResult result_;
};

// One GET of `address` whose body goes to `stream`. The client's HTTP error is reported in the
// result; a failure of the stream passes on as a FetchFailure.
FetchResult FetchToStream(const std::string& address, BodyStream& stream,
                          const FetchOptions& options = {});

// Creates or empties `file` first ("Cannot create file \"PATH\". REASON" when it cannot be: nothing
// is fetched then), streams the body into it and closes it. The client's HTTP error is reported in
// the result; a failure to write or close the file passes on as a FetchFailure.
FetchResult FetchToFile(const std::string& address, const std::string& file,
                        const FetchOptions& options = {});

// The same fetch, reporting success: no HTTP error and status 200.
bool GetUrl(const std::string& address, const std::string& file, const FetchOptions& options = {});

}  // namespace quorella
