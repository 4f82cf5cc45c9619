#include "html/answer_formats.h"

#include "html/markdown_answer.h"
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
  // An answer without a format line starts with its text: its first line can be long.
  const std::size_t end = FindLineBreak(stored, 0);
  StoredAnswerView view{0, stored};
  if (stored.empty() || !ParseInteger(stored.substr(0, end), view.format)) return view;
  std::size_t next = end;
  if (next < stored.size()) next += stored.substr(next, 2) == kCrLf ? 2 : 1;
  view.text = stored.substr(next);
  return view;
}

}  // namespace

void AppendSmartFormat(std::string& out, std::string_view text, Escaping escaping,
                       std::string_view line_break) {
  const std::size_t start = out.size();
  ForEachLine(text, [&](std::string_view line) {
    if (line.empty())
      out += "<P>";
    else
      AppendLine(out, line, escaping);
    out += line_break;
  });
  if (out.size() > start) out.resize(out.size() - line_break.size());
}

void AppendRetainLinefeeds(std::string& out, std::string_view text, Escaping escaping,
                           std::string_view line_break) {
  const std::size_t start = out.size();
  ForEachLine(text, [&](std::string_view line) {
    AppendLine(out, line, escaping);
    out += "<br>";
    out += line_break;
  });
  if (out.size() > start) out.resize(out.size() - line_break.size());
}

void AppendRetainFormat(std::string& out, std::string_view text, Escaping escaping,
                        std::string_view line_break) {
  out += "<pre>";
  out += line_break;
  ForEachLine(text, [&](std::string_view line) {
    AppendLine(out, line, escaping);
    out += line_break;
  });
  out.resize(out.size() - line_break.size());
  out += "</pre>";
}

bool AppendStoredAnswer(std::string& out, std::string_view stored, Escaping escaping,
                        std::string_view line_break) {
  const StoredAnswerView answer = ViewStoredAnswer(stored);
  switch (answer.format) {
    case static_cast<int>(TextFormat::RetainLinefeeds):
      AppendRetainLinefeeds(out, answer.text, escaping, line_break);
      return true;
    case static_cast<int>(TextFormat::RetainFormat):
      AppendRetainFormat(out, answer.text, escaping, line_break);
      return true;
    case static_cast<int>(TextFormat::AsIs):
      ForEachLine(answer.text, [&](std::string_view line) {
        out += line;
        out += line_break;
      });
      return true;
    case static_cast<int>(TextFormat::Markdown):
      AppendMarkdown(out, answer.text, line_break);
      return true;
    default:
      if (answer.format > kLastTextFormat) return false;
      AppendSmartFormat(out, answer.text, escaping, line_break);
      return true;
  }
}

namespace {

template <typename Append>
std::string Rendered(Append append, std::string_view text) {
  std::string out;
  append(out, text, Escaping::EntityTable, kCrLf);
  return out;
}

}  // namespace

std::string SmartFormat(std::string_view text) {
  return Rendered(AppendSmartFormat, text);
}
std::string RetainLinefeeds(std::string_view text) {
  return Rendered(AppendRetainLinefeeds, text);
}
std::string RetainFormat(std::string_view text) {
  return Rendered(AppendRetainFormat, text);
}

std::optional<std::string> RenderStoredAnswer(std::string_view stored) {
  std::string out;
  if (!AppendStoredAnswer(out, stored)) return std::nullopt;
  return out;
}

}  // namespace quorella::html
