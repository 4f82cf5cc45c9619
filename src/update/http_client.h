#pragma once
// THttpCli: one GET over HTTP/1.0 of an "http" address into a body stream, following redirects,
// on a non-blocking TCP socket. Get blocks its caller until the transfer is over; while it waits it
// keeps calling the event pump, so a window stays responsive. One object serves one fetch at a
// time.
#include <netinet/in.h>

#include <chrono>
#include <cstdint>
#include <exception>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "update/body_stream.h"
#include "update/http_exception.h"
#include "update/http_response_reader.h"
#include "util/sys_io.h"

namespace quorella {

// The progress of a request, in the order the states were designed in.
enum class THttpState {
  Ready,
  Starting,
  Connected,
  Resolving,
  Connecting,
  WaitingHeader,
  WaitingBody,
  Aborting,
};

enum class THttpRequest { httpAbort, httpGET, httpPOST, httpHEAD };

inline constexpr std::string_view kDefaultAccept =
    "image/gif, image/x-xbitmap, image/jpeg, image/pjpeg, */*";
inline constexpr std::string_view kDefaultAgent = "Mozilla/3.0 (compatible)";
inline constexpr std::string_view kDefaultPort = "80";
inline constexpr std::chrono::milliseconds kDefaultTimeLimit{30000};
inline constexpr int kDefaultMaxRedirects = 10;

class THttpCli {
 public:
  THttpCli();
  THttpCli(const THttpCli&) = delete;
  THttpCli& operator=(const THttpCli&) = delete;

  // Set by the caller before Get.
  std::string URL;
  std::string Accept{kDefaultAccept};   // the Accept header; left out when empty
  std::string Agent{kDefaultAgent};     // the User-Agent header; left out when empty
  BodyStream* ReceiveStream = nullptr;  // not owned; without one the body is read and dropped
  // For the whole Get, redirects included; running out ends the request like a failed connection.
  std::chrono::milliseconds TimeLimit = kDefaultTimeLimit;
  // Redirects followed at the most; one more ends the request like a failed connection.
  int MaxRedirects = kDefaultMaxRedirects;
  // Called again and again while Get waits (the window processes its pending events in it).
  std::function<void()> EventPump;

  // Runs one GET to its end; afterwards StatusCode, ReasonPhrase and ContentLength describe the
  // outcome. Raises EHttpException with the status and reason phrase when StatusCode is 400 or
  // more (a failed lookup or connection, the time limit and the redirect limit give 404), and
  // "HTTP component is busy" (code 1) while a request runs. A failure of the receive stream ends
  // the request and then passes on to the caller. The receive stream is neither closed nor freed.
  void Get();

  int StatusCode() const { return outcome_.status_code; }
  const std::string& ReasonPhrase() const { return outcome_.reason_phrase; }
  std::int64_t ContentLength() const { return outcome_.content_length; }
  const std::string& HostName() const { return host_name_; }
  const std::string& Port() const { return port_; }
  const std::string& TargetHost() const { return target_host_; }
  const std::string& Path() const { return path_; }
  THttpState State() const { return state_; }
  THttpRequest RequestType() const { return request_type_; }

  // The request for the current target, handed to the connection in one piece.
  std::string RequestText() const;

 private:
  enum class RoundEnd { Done, Redirect };
  friend class RequestScope;

  void RunRequest();
  RoundEnd RunRound();
  bool Resolve(in_addr& address);
  bool Connect(const in_addr& address);
  bool Send(std::string_view data);
  RoundEnd Receive();
  HttpResponseReader::Next ReceiveOnce();
  // Waits until `fd` is ready for `events`, pumping events meanwhile; false (the request failed)
  // when the time limit ran out first. A negative fd is ready at once.
  bool WaitFor(int fd, short events);
  // Has the socket data waiting now, within the time limit? Never waits.
  bool ReadableNow();
  void ApplyRedirect(const HttpAddress& target);
  // Ends the request like a failed connection: status 404 with `reason`.
  void Fail(std::string reason);
  int socket() const { return socket_->get(); }

  HttpOutcome outcome_;
  HttpResponseReader reader_;
  std::string host_name_;
  std::string port_{kDefaultPort};
  std::string target_host_;
  std::string path_;
  THttpState state_ = THttpState::Ready;
  THttpRequest request_type_ = THttpRequest::httpGET;
  std::optional<sys::Fd> socket_;  // the connection of the current round
  std::chrono::steady_clock::time_point deadline_;
  std::exception_ptr stream_failure_;
};

}  // namespace quorella
