#include "html/answer_formats.h"

#include <algorithm>

#include "html/word_rendering.h"
#include "store/answer.h"
#include "util/strings.h"
#include "util/text_lines.h"

namespace quorella::html {

namespace {

// A stored answer split as ParseStoredAnswer splits it, without copying its lines: `text` gives
// back the answer's lines, line by line.
struct StoredAnswerView {
  int format = 0;
  std::string_view text;
};

StoredAnswerView ViewStoredAnswer(std::string_view stored) {
  const std::size_t end = std::min(stored.find_first_of("\r\n"), stored.size());
  StoredAnswerView view{0, stored};
  if (stored.empty() || !ParseInteger(stored.substr(0, end), view.format)) return view;
  std::size_t next = end;
  if (next < stored.size()) next += stored.substr(next, 2) == kCrLf ? 2 : 1;
  view.text = stored.substr(next);
  return view;
}

}  // namespace

std::string SmartFormat(std::string_view text) {
  std::string out;
  out.reserve(text.size() + text.size() / 4);
  ForEachLine(text, [&](std::string_view line) {
    if (line.empty())
      out += "<P>";
    else
      AppendLine(out, line);
    out += kCrLf;
  });
  if (!out.empty()) out.resize(out.size() - kCrLf.size());
  return out;
}

std::string RetainLinefeeds(std::string_view text) {
  std::string out;
  out.reserve(text.size() + text.size() / 4);
  ForEachLine(text, [&](std::string_view line) {
    AppendLine(out, line);
    out += "<br>";
    out += kCrLf;
  });
  if (!out.empty()) out.resize(out.size() - kCrLf.size());
  return out;
}

std::string RetainFormat(std::string_view text) {
  std::string out = "<pre>";
  out.reserve(text.size() + text.size() / 4);
  out += kCrLf;
  ForEachLine(text, [&](std::string_view line) {
    AppendLine(out, line);
    out += kCrLf;
  });
  out.resize(out.size() - kCrLf.size());
  out += "</pre>";
  return out;
}

std::optional<std::string> RenderStoredAnswer(std::string_view stored) {
  const StoredAnswerView answer = ViewStoredAnswer(stored);
  switch (answer.format) {
    case static_cast<int>(TextFormat::RetainLinefeeds):
      return RetainLinefeeds(answer.text);
    case static_cast<int>(TextFormat::RetainFormat):
      return RetainFormat(answer.text);
    case static_cast<int>(TextFormat::AsIs):
      return JoinLinesCrLf(SplitLines(answer.text));
    default:
      if (answer.format > static_cast<int>(TextFormat::AsIs)) return std::nullopt;
      return SmartFormat(answer.text);
  }
}

}  // namespace quorella::html
