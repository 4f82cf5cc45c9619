#pragma once
// The kinds of file a FAQ is imported from, and how the kind of a file is found.
#include <optional>
#include <string_view>

namespace quorella {

enum class ImportFormat {
  Text,      // the plain-text import: questions and answers by two separators
  Markdown,  // questions as headings of one level, or <details> blocks
  Html,      // an HTML page: structured data, definition lists, <details>, headings, bold targets
  Csv,       // RFC 4180, one row per question
  Qa,        // "Q:" and "A:" markers
  Json,      // the JSON form the export writes
};

// The command line's words: "text", "markdown", "html", "csv", "qa", "json".
std::string_view ImportFormatWord(ImportFormat format);
std::optional<ImportFormat> ParseImportFormat(std::string_view word);
// What the user is told: "plain text", "Markdown", "HTML", "CSV", "Q:/A: text", "JSON".
std::string_view ImportFormatName(ImportFormat format);

// The kind of the file at `path` holding `text`: its extension when it names one (.md,
// .markdown, .html, .htm, .xhtml, .csv, .json), else its content: markup of an HTML page, a JSON
// object or array, "Q:" and "A:" lines, Markdown headings, a CSV header naming questions and
// answers; everything else is plain text.
ImportFormat DetectImportFormat(std::string_view path, std::string_view text);

}  // namespace quorella
