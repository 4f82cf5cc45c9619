#pragma once
// The receiving half of an HTTP/1.0 exchange: cuts the received bytes into header lines in a
// fixed line buffer, reads the status line and the headers that matter to a fetch, and hands the
// body on chunk by chunk as it arrives.
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "update/body_stream.h"
#include "update/http_address.h"

namespace quorella {

inline constexpr std::size_t kLineBufferSize = 8192;

// What a fetch reports; kept across the redirects of one request.
struct HttpOutcome {
  int status_code = 0;
  std::string reason_phrase;
  std::int64_t content_length = -1;
};

class HttpResponseReader {
 public:
  // What the connection should do after a read.
  enum class Next {
    Read,      // go on reading
    Close,     // an error status was read: close at once, the request ends with it
    Redirect,  // the header ended after a Location to follow: close and ask again
    Abandon,   // the response cannot be read further: close, keeping the status read so far
  };

  explicit HttpResponseReader(HttpOutcome& outcome) : outcome_(outcome) {}

  // Forgets the previous response (of a redirect): empty buffer, header expected; the body of the
  // new one goes to `body` (dropped when null).
  void StartResponse(BodyStream* body);
  bool InBody() const { return in_body_; }
  // Where the next read goes and how much it may bring; no room means the line is too long.
  char* space() { return buffer_.data() + length_; }
  std::size_t room() const { return kLineBufferSize - length_; }
  // Handles `count` bytes just read into space(). A body stream's failure passes on.
  Next Received(std::size_t count);
  // The target of the Location to follow, once Received said Redirect.
  const HttpAddress& redirect() const { return *redirect_; }
  // Has the body of this response reached the length its Content-Length announced? The response
  // is then complete, whether or not the server closes the connection.
  bool BodyComplete() const {
    return in_body_ && announced_length_ >= 0 &&
           body_received_ >= static_cast<std::uint64_t>(announced_length_);
  }
  // Did the body stop short of its announced length? Once the connection has ended, the response
  // was cut short: a failure, not a document.
  bool BodyCutShort() const {
    return in_body_ && announced_length_ >= 0 &&
           body_received_ < static_cast<std::uint64_t>(announced_length_);
  }
  std::uint64_t body_received() const { return body_received_; }
  std::int64_t announced_length() const { return announced_length_; }

 private:
  enum class LineResult { Continue, Redirect, Abandon };
  LineResult HandleHeaderLine(std::string_view line, std::string_view raw);
  bool ReadStatusLine(std::string_view line);
  bool ReadHeader(std::string_view name, std::string_view value);
  void Deliver(std::string_view chunk);

  HttpOutcome& outcome_;
  BodyStream* body_ = nullptr;
  std::array<char, kLineBufferSize + 1> buffer_{};
  std::size_t length_ = 0;
  bool in_body_ = false;
  bool close_requested_ = false;
  std::int64_t announced_length_ = -1;  // this response's Content-Length; -1 when none came
  std::uint64_t body_received_ = 0;
  std::optional<HttpAddress> redirect_;  // set while the response carries a Location to follow
};

}  // namespace quorella
