#include "html/answer_formats.h"

#include "html/word_rendering.h"
#include "store/answer.h"
#include "util/text_lines.h"

namespace quorella::html {

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
  const StoredAnswer answer = ParseStoredAnswer(stored);
  const std::string text = AnswerText(answer);
  switch (answer.format) {
    case static_cast<int>(TextFormat::RetainLinefeeds):
      return RetainLinefeeds(text);
    case static_cast<int>(TextFormat::RetainFormat):
      return RetainFormat(text);
    case static_cast<int>(TextFormat::AsIs):
      return text;
    default:
      if (answer.format > static_cast<int>(TextFormat::AsIs)) return std::nullopt;
      return SmartFormat(text);
  }
}

}  // namespace quorella::html
