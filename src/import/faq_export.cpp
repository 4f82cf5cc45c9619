#include "import/faq_export.h"

#include <csv.h>

#include <algorithm>

#include "import/json_faq.h"
#include "import/markdown_import.h"
#include "store/answer.h"
#include "util/strings.h"
#include "util/text_lines.h"

namespace quorella {

namespace {

constexpr int kMarkdownFormat = static_cast<int>(TextFormat::Markdown);

// Does the Markdown answer read back exactly as it is between two question headings?
bool ReadsBackAsItIs(const ImportedQuestion& question) {
  const MarkdownOutline outline = OutlineCounts(question.answer);
  if (outline.headings != 0 || outline.details != 0) return false;
  const std::string text = "## q\r\n\r\n" + question.answer + "\r\n## r\r\n";
  const ImportedFaq read = ReadMarkdownFaq(text);
  return read.questions.size() == 2 && read.questions[0].answer == question.answer &&
         read.questions[0].format == kMarkdownFormat;
}

// A fence of backticks longer than any run of them in `text`.
std::string FenceFor(std::string_view text) {
  std::size_t longest = 0, run = 0;
  for (const char c : text) {
    run = c == '`' ? run + 1 : 0;
    longest = std::max(longest, run);
  }
  return std::string(std::max<std::size_t>(3, longest + 1), '`');
}

void AppendCsvField(std::string& out, std::string_view field) {
  std::string quoted(field.size() * 2 + 2, '\0');
  quoted.resize(csv_write(quoted.data(), quoted.size(), field.data(), field.size()));
  out += quoted;
}

}  // namespace

std::optional<ExportFormat> ParseExportFormat(std::string_view word) {
  if (word == "markdown") return ExportFormat::Markdown;
  if (word == "csv") return ExportFormat::Csv;
  if (word == "json") return ExportFormat::Json;
  return std::nullopt;
}

ImportedFaq ExportedFaqOf(const Faq& faq) {
  ImportedFaq exported;
  exported.title = faq.values.Text(FaqValue::Title);
  for (std::size_t n = 0; n < faq.questions.size(); ++n)
    exported.questions.push_back(ImportedQuestionOf(faq.questions[n], faq.answers[n]));
  return exported;
}

std::string MarkdownHeadingText(std::string_view question) {
  std::string text;
  const std::string line = Trim(ReplaceLineBreaks(question, " "));
  for (const char c : line) {
    // "<" too: markup typed into a question would otherwise be read as raw HTML, inside which
    // Markdown takes no escapes, or as an autolink.
    if (c == '\\' || c == '`' || c == '*' || c == '_' || c == '[' || c == ']' || c == '~' ||
        c == '#' || c == '<')
      text += '\\';
    text += c;
  }
  return text;
}

std::string MarkdownFaqText(const ImportedFaq& faq) {
  std::string out;
  if (!faq.title.empty()) out.append("# ").append(MarkdownHeadingText(faq.title)).append("\r\n");
  for (const ImportedQuestion& question : faq.questions) {
    if (!out.empty()) out += kCrLf;
    out.append("## ").append(MarkdownHeadingText(question.question)).append("\r\n\r\n");
    if (question.format == kMarkdownFormat && ReadsBackAsItIs(question)) {
      out += question.answer;
      continue;
    }
    const std::string fence = FenceFor(question.answer);
    out.append(FormatMarkerLine(question.format)).append(kCrLf);
    out.append(fence).append(kCrLf).append(question.answer).append(fence).append(kCrLf);
  }
  return out;
}

std::string CsvFaqText(const ImportedFaq& faq) {
  std::string out = "question,answer,format\r\n";
  for (const ImportedQuestion& question : faq.questions) {
    AppendCsvField(out, question.question);
    out += ',';
    AppendCsvField(out, question.answer);
    out.append(",").append(std::to_string(question.format)).append(kCrLf);
  }
  return out;
}

std::string ExportFaqText(const ImportedFaq& faq, ExportFormat format) {
  switch (format) {
    case ExportFormat::Markdown:
      return MarkdownFaqText(faq);
    case ExportFormat::Csv:
      return CsvFaqText(faq);
    case ExportFormat::Json:
      break;
  }
  return JsonFaqText(faq);
}

}  // namespace quorella
