#include "html/markdown_answer.h"

#include <md4c-html.h>

#include <algorithm>
#include <cstring>

namespace quorella::html {

namespace {

struct Output {
  std::string& out;
  std::string_view input;
  std::string_view line_break;
  int shift;
};

bool FromInput(const Output& output, const MD_CHAR* text) {
  const MD_CHAR* begin = output.input.data();
  return text >= begin && text < begin + output.input.size();
}

// "<hN>" or "</hN>" followed by nothing or a line break: the level N, else 0.
int HeadingTagLevel(std::string_view chunk) {
  std::size_t at = chunk.starts_with("</") ? 2 : chunk.starts_with("<") ? 1 : 0;
  if (at == 0 || chunk.size() < at + 3 || chunk[at] != 'h') return 0;
  const char digit = chunk[at + 1];
  if (digit < '1' || digit > '6' || chunk[at + 2] != '>') return 0;
  const std::string_view rest = chunk.substr(at + 3);
  return rest.empty() || rest == "\n" ? digit - '0' : 0;
}

void AppendChunk(const MD_CHAR* text, MD_SIZE size, void* data) {
  auto& output = *static_cast<Output*>(data);
  std::string_view chunk(text, size);
  // The renderer writes each heading tag as a chunk of its own text, never from the input; the
  // same tag typed as raw HTML comes from the input and stays the owner's.
  std::string heading;
  if (!FromInput(output, text)) {
    if (const int level = HeadingTagLevel(chunk)) {
      heading = chunk;
      heading[heading[1] == '/' ? 3 : 2] =
          static_cast<char>('0' + std::min(6, level + output.shift));
      chunk = heading;
    }
  }
  // Lines end as the page's lines do. md4c ends every line with LF, the input's CR LF included;
  // a CR that still reaches the output is dropped.
  if (std::memchr(chunk.data(), '\n', chunk.size()) == nullptr &&
      std::memchr(chunk.data(), '\r', chunk.size()) == nullptr) {
    output.out.append(chunk);
    return;
  }
  std::size_t start = 0;
  for (std::size_t i = 0; i < chunk.size(); ++i) {
    if (chunk[i] != '\n' && chunk[i] != '\r') continue;
    output.out.append(chunk.substr(start, i - start));
    if (chunk[i] == '\n') output.out += output.line_break;
    start = i + 1;
  }
  output.out.append(chunk.substr(start));
}

}  // namespace

void AppendMarkdown(std::string& out, std::string_view text, std::string_view line_break,
                    int question_level) {
  const std::size_t start = out.size();
  Output output{out, text, line_break, std::max(0, question_level)};
  md_html(text.data(), static_cast<MD_SIZE>(text.size()), &AppendChunk, &output, MD_DIALECT_GITHUB,
          MD_HTML_FLAG_SKIP_UTF8_BOM);
  // The page adds a line break after each item: the rendering's own last one goes.
  while (out.size() >= start + line_break.size() && !line_break.empty() &&
         std::string_view(out).substr(out.size() - line_break.size()) == line_break)
    out.resize(out.size() - line_break.size());
}

std::string RenderMarkdown(std::string_view text) {
  std::string out;
  AppendMarkdown(out, text);
  return out;
}

}  // namespace quorella::html
