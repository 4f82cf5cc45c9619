#include "import/import_format.h"

#include <array>
#include <cctype>

#include "util/strings.h"
#include "util/text_lines.h"

namespace quorella {

namespace {

struct FormatWords {
  ImportFormat format;
  std::string_view word, name;
};
constexpr std::array<FormatWords, 6> kFormats = {{
    {ImportFormat::Text, "text", "plain text"},
    {ImportFormat::Markdown, "markdown", "Markdown"},
    {ImportFormat::Html, "html", "HTML"},
    {ImportFormat::Csv, "csv", "CSV"},
    {ImportFormat::Qa, "qa", "Q:/A: text"},
    {ImportFormat::Json, "json", "JSON"},
}};

const FormatWords& WordsOf(ImportFormat format) {
  return kFormats[static_cast<std::size_t>(format)];
}

std::optional<ImportFormat> FormatOfExtension(std::string_view path) {
  const std::size_t slash = path.rfind('/');
  const std::size_t dot = path.rfind('.');
  if (dot == std::string_view::npos || (slash != std::string_view::npos && dot < slash))
    return std::nullopt;
  const std::string extension = LowerAscii(path.substr(dot + 1));
  if (extension == "md" || extension == "markdown" || extension == "mkd" || extension == "mdown")
    return ImportFormat::Markdown;
  if (extension == "html" || extension == "htm" || extension == "xhtml" || extension == "shtml")
    return ImportFormat::Html;
  if (extension == "csv") return ImportFormat::Csv;
  if (extension == "json") return ImportFormat::Json;
  return std::nullopt;
}

std::string_view WithoutIndent(std::string_view line) {
  std::size_t i = 0;
  while (i < line.size() && i < 3 && line[i] == ' ') ++i;
  return line.substr(i);
}

bool IsAtxHeading(std::string_view line) {
  line = WithoutIndent(line);
  std::size_t hashes = 0;
  while (hashes < line.size() && line[hashes] == '#') ++hashes;
  return hashes >= 1 && hashes <= 6 && hashes < line.size() && line[hashes] == ' ';
}

bool StartsWithMarker(std::string_view line, char letter) {
  std::size_t i = 0;
  while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
  return i + 1 < line.size() &&
         std::toupper(static_cast<unsigned char>(line[i])) == static_cast<unsigned char>(letter) &&
         line[i + 1] == ':';
}

}  // namespace

std::string_view ImportFormatWord(ImportFormat format) {
  return WordsOf(format).word;
}

std::string_view ImportFormatName(ImportFormat format) {
  return WordsOf(format).name;
}

std::optional<ImportFormat> ParseImportFormat(std::string_view word) {
  for (const FormatWords& format : kFormats)
    if (format.word == word) return format.format;
  return std::nullopt;
}

ImportFormat DetectImportFormat(std::string_view path, std::string_view text) {
  if (const auto by_extension = FormatOfExtension(path)) return *by_extension;
  const std::string start = LowerAscii(text.substr(0, 4096));
  const std::string opening = Trim(start);
  if (opening.starts_with("<!doctype html") || opening.starts_with("<html") ||
      start.find("<body") != std::string::npos)
    return ImportFormat::Html;
  // A JSON object, or an array of them; "[Question 0]" is a document's text, not JSON.
  if (opening.starts_with("{") ||
      (opening.starts_with("[") && Trim(opening.substr(1)).starts_with("{")))
    return ImportFormat::Json;
  std::size_t questions = 0, answers = 0, headings = 0, lines = 0;
  bool in_fence = false;
  std::string_view first_line;
  ForEachLine(text, [&](std::string_view line) {
    if (first_line.empty() && !Trim(line).empty()) first_line = line;
    ++lines;
    const std::string_view bare = WithoutIndent(line);
    if (bare.starts_with("```") || bare.starts_with("~~~")) in_fence = !in_fence;
    if (in_fence) return;
    if (StartsWithMarker(line, 'Q')) ++questions;
    if (StartsWithMarker(line, 'A')) ++answers;
    if (IsAtxHeading(line)) ++headings;
  });
  if (questions >= 2 && answers >= 2) return ImportFormat::Qa;
  if (headings >= 2) return ImportFormat::Markdown;
  const std::string header = LowerAscii(first_line);
  if (header.find("question") != std::string::npos && header.find("answer") != std::string::npos &&
      (header.find(',') != std::string::npos || header.find(';') != std::string::npos))
    return ImportFormat::Csv;
  return ImportFormat::Text;
}

}  // namespace quorella
