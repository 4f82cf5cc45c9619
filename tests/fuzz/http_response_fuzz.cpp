// The receiving half of an HTTP exchange, fed as a server would send: the bytes arrive in chunks
// of random sizes, each no larger than the room the line buffer offers. Input: one byte n, then n
// chunk sizes (cycled; none means one byte a read), then the bytes the server sends.
// Properties: what the reader makes of a response does not depend on how it was cut into reads
// (unless an error status closes the connection, which may leave data of the same read unread);
// the body is exactly the bytes that follow the header; an error status closes the connection.
#include <algorithm>
#include <cstring>

#include "fuzz/fuzz_input.h"
#include "update/http_response_reader.h"

namespace {

using namespace quorella;
using namespace quorella::fuzz;
using Next = HttpResponseReader::Next;

class CollectedBody : public BodyStream {
 public:
  void Write(std::string_view chunk) override { text.append(chunk); }
  std::string text;
};

struct Exchange {
  HttpOutcome outcome;
  CollectedBody body;
  Next last = Next::Read;
  bool line_too_long = false;
  std::string redirect;

  std::string Summary() const {
    const char* names[] = {"read", "close", "redirect", "abandon"};
    return std::string(names[static_cast<int>(last)]) + (line_too_long ? " too-long" : "") +
           " status=" + std::to_string(outcome.status_code) + " reason=" + outcome.reason_phrase +
           " length=" + std::to_string(outcome.content_length) + " redirect=" + redirect +
           " body=" + body.text;
  }
};

template <typename NextSize>
void Receive(Exchange& exchange, std::string_view sent, NextSize next_size) {
  HttpResponseReader reader(exchange.outcome);
  reader.StartResponse(&exchange.body);
  std::size_t at = 0;
  while (at < sent.size()) {
    if (reader.room() == 0) {
      exchange.line_too_long = true;
      return;
    }
    const std::size_t count = std::min({std::size_t{next_size()}, reader.room(), sent.size() - at});
    std::memcpy(reader.space(), sent.data() + at, count);
    at += count;
    exchange.last = reader.Received(count);
    if (exchange.last == Next::Redirect) {
      const HttpAddress& target = reader.redirect();
      exchange.redirect = target.scheme + "|" + target.host + "|" + target.port + "|" + target.path;
    }
    if (exchange.last != Next::Read) return;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::size_t chunk_count = std::min<std::size_t>(data[0] % 16, size - 1);
  const std::vector<std::uint8_t> sizes(data + 1, data + 1 + chunk_count);
  const std::string_view sent = AsText(data + 1 + chunk_count, size - 1 - chunk_count);

  Exchange chunked;
  std::size_t turn = 0;
  Receive(chunked, sent, [&] {
    if (sizes.empty()) return std::size_t{1};
    // Small reads and reads that fill the buffer both occur.
    const std::uint8_t pick = sizes[turn++ % sizes.size()];
    return pick == 0xFF ? kLineBufferSize : std::size_t{pick} + 1;
  });
  Exchange whole;
  Receive(whole, sent, [] { return kLineBufferSize; });

  for (const Exchange* exchange : {&chunked, &whole}) {
    const std::string& body = exchange->body.text;
    Check((body.size() <= sent.size() && sent.ends_with(body)) || exchange->last == Next::Close,
          "the body is the bytes that follow the header");
    if (exchange->outcome.status_code >= 400 && exchange->last != Next::Abandon &&
        !exchange->line_too_long)
      Check(exchange->last == Next::Close, "an error status closes the connection");
    Check(exchange->last != Next::Redirect || exchange->outcome.status_code < 400,
          "an error status is never redirected");
  }
  if (chunked.last != Next::Close && whole.last != Next::Close)
    CheckEqual(whole.Summary(), chunked.Summary(), "the reads' sizes make no difference");
  return 0;
}
