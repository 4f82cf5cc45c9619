#pragma once
// A FAQ written as a file that the import reads back: the same questions, answers, text formats
// and title.
#include <optional>
#include <string>
#include <string_view>

#include "import/imported_faq.h"
#include "store/faq.h"

namespace quorella {

enum class ExportFormat { Markdown, Csv, Json };

// "markdown", "csv", "json".
std::optional<ExportFormat> ParseExportFormat(std::string_view word);

// The title, questions and answers of a loaded FAQ.
ImportedFaq ExportedFaqOf(const Faq& faq);

// Markdown: the title as "# " heading, each question as a "## " heading (its line breaks made
// spaces, Markdown's signs escaped), each Markdown answer under it as it is when that reads back
// unchanged, every other answer as a format marker line and a fenced block holding its lines.
std::string MarkdownFaqText(const ImportedFaq& faq);
// A question as the text of a Markdown heading that the Markdown import reads back as it is.
std::string MarkdownHeadingText(std::string_view question);
// CSV: a header row "question,answer,format", then one row per question, every field quoted,
// lines ended by CR LF.
std::string CsvFaqText(const ImportedFaq& faq);

std::string ExportFaqText(const ImportedFaq& faq, ExportFormat format);

}  // namespace quorella
