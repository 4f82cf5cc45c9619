#include "update/http_response_reader.h"

#include <cstring>

#include "util/strings.h"

namespace quorella {

namespace {

bool IsStatusLine(std::string_view line) {
  return line.starts_with("HTTP/1.0") || line.starts_with("HTTP/1.1");
}

// Characters `first` to `first + count - 1`, counted from 1, as far as the line reaches.
std::string_view Characters(std::string_view line, std::size_t first, std::size_t count) {
  if (line.size() < first) return {};
  return line.substr(first - 1, count);
}

// A decimal integer of any length a file may have, with an optional sign.
bool ParseLength(std::string_view text, std::int64_t& value) {
  const bool negative = text.starts_with('-');
  if (negative || text.starts_with('+')) text.remove_prefix(1);
  if (text.empty() || text.size() > 18 || text.find_first_not_of("0123456789") != text.npos)
    return false;
  std::int64_t magnitude = 0;
  for (char c : text) magnitude = magnitude * 10 + (c - '0');
  value = negative ? -magnitude : magnitude;
  return true;
}

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

}  // namespace

void HttpResponseReader::StartResponse(BodyStream* body) {
  body_ = body;
  length_ = 0;
  in_body_ = false;
  close_requested_ = false;
  announced_length_ = -1;
  body_received_ = 0;
  redirect_.reset();
}

HttpResponseReader::Next HttpResponseReader::Received(std::size_t count) {
  length_ += count;
  std::size_t start = 0;
  while (!in_body_) {
    const void* found = std::memchr(buffer_.data() + start, '\n', length_ - start);
    if (found == nullptr) break;
    const std::size_t end =
        static_cast<std::size_t>(static_cast<const char*>(found) - buffer_.data());
    std::string_view line(buffer_.data() + start, end - start);
    if (line.ends_with('\r')) line.remove_suffix(1);
    const std::string_view raw(buffer_.data() + start, end + 1 - start);
    start = end + 1;
    switch (HandleHeaderLine(line, raw)) {
      case LineResult::Continue:
        break;
      case LineResult::Redirect:
        length_ = 0;
        return Next::Redirect;
      case LineResult::Abandon:
        return Next::Abandon;
    }
  }
  std::memmove(buffer_.data(), buffer_.data() + start, length_ - start);
  length_ -= start;
  // Whatever follows the header in the same read (or any read once in the body) is body.
  if (in_body_ && length_ > 0) {
    Deliver(std::string_view(buffer_.data(), length_));
    length_ = 0;
  }
  return close_requested_ ? Next::Close : Next::Read;
}

HttpResponseReader::LineResult HttpResponseReader::HandleHeaderLine(std::string_view line,
                                                                    std::string_view raw) {
  // A server that sends a document without status line and headers: the document begins here,
  // kept byte for byte with its line end.
  if (EqualsNoCase(line.substr(0, 6), "<html>")) {
    in_body_ = true;
    Deliver(raw);
    return LineResult::Continue;
  }
  if (line.empty()) {
    if (redirect_ && outcome_.status_code < 400) return LineResult::Redirect;
    in_body_ = true;
    return LineResult::Continue;
  }
  if (IsStatusLine(line)) {
    if (!ReadStatusLine(line)) return LineResult::Abandon;
  } else if (const auto colon = line.find(':'); colon != std::string_view::npos) {
    std::string_view value = line.substr(colon + 1);
    while (!value.empty() && IsBlank(value.front())) value.remove_prefix(1);
    while (!value.empty() && IsBlank(value.back())) value.remove_suffix(1);
    if (!ReadHeader(LowerAscii(line.substr(0, colon)), value)) return LineResult::Abandon;
  }
  if (outcome_.status_code >= 400) close_requested_ = true;
  return LineResult::Continue;
}

bool HttpResponseReader::ReadStatusLine(std::string_view line) {
  int status = 0;
  if (!ParseInteger(Characters(line, 10, 3), status)) return false;
  outcome_.status_code = status;
  outcome_.reason_phrase = std::string(Characters(line, 14, std::string_view::npos));
  return true;
}

bool HttpResponseReader::ReadHeader(std::string_view name, std::string_view value) {
  if (name == "location") {
    if (outcome_.status_code < 400) redirect_ = FollowableLocation(value);
  } else if (name == "content-length") {
    if (!ParseLength(value, outcome_.content_length)) return false;
    announced_length_ = outcome_.content_length;
  }
  return true;
}

void HttpResponseReader::Deliver(std::string_view chunk) {
  body_received_ += chunk.size();
  if (body_ != nullptr) body_->Write(chunk);
}

}  // namespace quorella
