#include "update/http_client.h"

#include <arpa/inet.h>
#include <poll.h>
#include <sys/socket.h>

#include <algorithm>
#include <cerrno>
#include <utility>

#include "update/host_lookup.h"
#include "util/errors.h"

namespace quorella {

namespace {

using Clock = std::chrono::steady_clock;

// How long one poll may last while an event pump waits for its next turn.
constexpr std::chrono::milliseconds kPumpInterval{10};

// Errors of a connection attempt the peer or the network answered; any other failure of connect
// means the attempt could not even be started.
bool IsAnsweredConnectFailure(int error) {
  return error == ECONNREFUSED || error == ETIMEDOUT || error == EHOSTUNREACH ||
         error == ENETUNREACH || error == ECONNRESET;
}

bool ParsePort(const std::string& text, std::uint16_t& port) {
  if (text.empty() || text.size() > 5 || text.find_first_not_of("0123456789") != text.npos)
    return false;
  const int value = std::stoi(text);
  if (value > 65535) return false;
  port = static_cast<std::uint16_t>(value);
  return true;
}

// Blanks and control characters would break the request line (or smuggle header lines into it):
// they travel percent-encoded.
std::string RequestPath(std::string_view path) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string result;
  result.reserve(path.size());
  for (const char c : path) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte > 0x20 && byte != 0x7F) {
      result += c;
    } else {
      result += '%';
      result += kHex[byte >> 4];
      result += kHex[byte & 0xF];
    }
  }
  return result;
}

}  // namespace

// Whatever way Get is left, the socket is released and the client is ready for the next request.
class RequestScope {
 public:
  explicit RequestScope(THttpCli& client) : client_(client) {}
  ~RequestScope() {
    client_.socket_.reset();
    client_.state_ = THttpState::Ready;
  }
  RequestScope(const RequestScope&) = delete;
  RequestScope& operator=(const RequestScope&) = delete;

 private:
  THttpCli& client_;
};

THttpCli::THttpCli() : reader_(outcome_) {}

void THttpCli::Get() {
  if (state_ != THttpState::Ready)
    throw EHttpException(kHttpBusyCode, std::string(messages::kHttpBusy));
  request_type_ = THttpRequest::httpGET;
  outcome_ = HttpOutcome{};
  stream_failure_ = nullptr;
  state_ = THttpState::Starting;
  {
    RequestScope scope(*this);
    RunRequest();
  }
  if (stream_failure_) std::rethrow_exception(std::exchange(stream_failure_, nullptr));
  if (outcome_.status_code >= 400)
    throw EHttpException(static_cast<std::uint16_t>(outcome_.status_code), outcome_.reason_phrase);
}

std::string THttpCli::RequestText() const {
  std::string request = "GET " + RequestPath(path_) + " HTTP/1.0\r\n";
  if (!Accept.empty()) request += "Accept: " + Accept + "\r\n";
  if (!Agent.empty()) request += "User-Agent: " + Agent + "\r\n";
  request += "Host: " + target_host_ + "\r\n\r\n";
  return request;
}

void THttpCli::RunRequest() {
  deadline_ = Clock::now() + TimeLimit;
  const HttpAddress address = ParseHttpAddress(URL);
  host_name_ = target_host_ = address.host;
  port_ = address.port.empty() ? std::string(kDefaultPort) : address.port;
  path_ = address.path.empty() ? "/" : address.path;
  if (!IsHttpScheme(address.scheme)) return Fail(messages::UnsupportedScheme(address.scheme));
  for (int redirects = 0; RunRound() == RoundEnd::Redirect; ++redirects) {
    socket_.reset();
    if (redirects == MaxRedirects) return Fail(messages::TooManyRedirects(MaxRedirects));
    ApplyRedirect(reader_.redirect());
  }
}

THttpCli::RoundEnd THttpCli::RunRound() {
  in_addr address{};
  if (!Resolve(address) || !Connect(address)) return RoundEnd::Done;
  state_ = THttpState::Connected;  // only until the request is handed over, which is at once
  state_ = THttpState::WaitingHeader;
  reader_.StartResponse(ReceiveStream);
  if (!Send(RequestText())) return RoundEnd::Done;
  return Receive();
}

bool THttpCli::Resolve(in_addr& address) {
  state_ = THttpState::Resolving;
  const HostLookup lookup(host_name_);
  if (!WaitFor(lookup.ready_fd(), POLLIN)) return false;
  const auto found = lookup.address();
  if (!found) {
    Fail(std::string(messages::kCantResolveHostname));
    return false;
  }
  address = *found;
  return true;
}

bool THttpCli::Connect(const in_addr& address) {
  state_ = THttpState::Connecting;
  std::uint16_t port = 0;
  if (!ParsePort(port_, port)) {
    Fail(messages::CantConnect(EINVAL));
    return false;
  }
  socket_.emplace(::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0));
  if (!socket_->valid()) {
    Fail(messages::CantConnect(errno));
    return false;
  }
  sockaddr_in peer{};
  peer.sin_family = AF_INET;
  peer.sin_port = htons(port);
  peer.sin_addr = address;
  if (::connect(socket(), reinterpret_cast<const sockaddr*>(&peer), sizeof peer) == 0) return true;
  if (errno != EINPROGRESS) {
    const int error = errno;
    Fail(IsAnsweredConnectFailure(error) ? messages::SocketFailure(error)
                                         : messages::CantConnect(error));
    return false;
  }
  if (!WaitFor(socket(), POLLOUT)) return false;
  int error = 0;
  socklen_t size = sizeof error;
  if (::getsockopt(socket(), SOL_SOCKET, SO_ERROR, &error, &size) != 0) error = errno;
  if (error != 0) {
    Fail(messages::SocketFailure(error));
    return false;
  }
  return true;
}

bool THttpCli::Send(std::string_view data) {
  while (!data.empty()) {
    const ssize_t sent = ::send(socket(), data.data(), data.size(), MSG_NOSIGNAL);
    if (sent > 0) {
      data.remove_prefix(static_cast<std::size_t>(sent));
    } else if (sent < 0 && (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR)) {
      if (!WaitFor(socket(), POLLOUT)) return false;
    } else {
      return false;  // a broken connection ends the request with the status read so far
    }
  }
  return true;
}

THttpCli::RoundEnd THttpCli::Receive() {
  for (;;) {
    // Once the body has the length its Content-Length announced, the response is complete: what
    // arrived with it is still taken (a longer body is stored as far as it came), but nothing
    // more is waited for, so a server that keeps the connection open ends nothing late.
    if (reader_.BodyComplete() ? !ReadableNow() : !WaitFor(socket(), POLLIN)) return RoundEnd::Done;
    HttpResponseReader::Next next;
    try {
      next = ReceiveOnce();
    } catch (const EHttpException&) {
      // "HTTP line too long": the response cannot be read further, like a broken connection.
      next = HttpResponseReader::Next::Abandon;
    } catch (...) {
      stream_failure_ = std::current_exception();
      next = HttpResponseReader::Next::Abandon;
    }
    state_ = reader_.InBody() ? THttpState::WaitingBody : THttpState::WaitingHeader;
    // The connection ended before the body had its announced length: what came is no document.
    if (next == HttpResponseReader::Next::Abandon && !stream_failure_ && reader_.BodyCutShort()) {
      Fail(messages::ResponseCutShort(reader_.body_received(), reader_.announced_length()));
      return RoundEnd::Done;
    }
    if (next == HttpResponseReader::Next::Redirect) return RoundEnd::Redirect;
    if (next != HttpResponseReader::Next::Read) return RoundEnd::Done;
  }
}

HttpResponseReader::Next THttpCli::ReceiveOnce() {
  if (reader_.room() == 0)
    throw EHttpException(kHttpLineTooLongCode, std::string(messages::kHttpLineTooLong));
  const ssize_t received = ::recv(socket(), reader_.space(), reader_.room(), 0);
  if (received > 0) return reader_.Received(static_cast<std::size_t>(received));
  if (received < 0 && (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR))
    return HttpResponseReader::Next::Read;
  // Closed by the server (the only end of a body), or broken: the request is over either way.
  return HttpResponseReader::Next::Abandon;
}

bool THttpCli::WaitFor(int fd, short events) {
  if (fd < 0) return true;
  for (;;) {
    if (EventPump) EventPump();
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline_ - Clock::now());
    if (left.count() <= 0) {
      Fail(messages::RequestTimedOut(TimeLimit.count()));
      return false;
    }
    const auto slice = EventPump ? std::min(left, kPumpInterval) : left;
    pollfd watched{fd, events, 0};
    const int ready =
        ::poll(&watched, 1, static_cast<int>(std::min<long long>(slice.count(), 1 << 30)));
    if (ready > 0) return true;  // errors and hang-ups show in the call that follows
    if (ready < 0 && errno != EINTR) return true;
  }
}

bool THttpCli::ReadableNow() {
  if (Clock::now() >= deadline_) return false;
  pollfd watched{socket(), POLLIN, 0};
  return ::poll(&watched, 1, 0) > 0;
}

void THttpCli::ApplyRedirect(const HttpAddress& target) {
  path_ = target.path.empty() ? "/" : target.path;
  if (target.host.empty()) return;
  host_name_ = target_host_ = target.host;
  if (!target.port.empty()) port_ = target.port;
}

void THttpCli::Fail(std::string reason) {
  socket_.reset();
  outcome_.status_code = 404;
  outcome_.reason_phrase = std::move(reason);
}

}  // namespace quorella
