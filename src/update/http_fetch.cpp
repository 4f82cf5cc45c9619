#include "update/http_fetch.h"

namespace quorella {

FetchResult FetchToStream(const std::string& address, BodyStream& stream,
                          const FetchOptions& options) {
  THttpCli http;
  http.URL = address;
  http.ReceiveStream = &stream;
  http.TimeLimit = options.time_limit;
  http.EventPump = options.event_pump;
  FetchResult result;
  const auto outcome = [&] {
    result.status_code = http.StatusCode();
    result.reason_phrase = http.ReasonPhrase();
    result.content_length = http.ContentLength();
    return result;
  };
  try {
    http.Get();
  } catch (const EHttpException& e) {
    result.error = e;
  } catch (const Error& e) {
    throw FetchFailure(e, outcome());
  }
  return outcome();
}

FetchResult FetchToFile(const std::string& address, const std::string& file,
                        const FetchOptions& options) {
  FileBodyStream stream(file);
  FetchResult result = FetchToStream(address, stream, options);
  try {
    stream.Close();
  } catch (const Error& e) {
    throw FetchFailure(e, result);
  }
  return result;
}

bool GetUrl(const std::string& address, const std::string& file, const FetchOptions& options) {
  const FetchResult result = FetchToFile(address, file, options);
  return !result.error && result.status_code == 200;
}

}  // namespace quorella
