#include "import/csv_import.h"

#include <csv.h>

#include <optional>
#include <stdexcept>
#include <vector>

#include "util/strings.h"
#include "util/text_lines.h"

namespace quorella {

namespace {

using Row = std::vector<std::string>;

struct Rows {
  std::vector<Row> rows;
  Row row;
};

void AddField(void* field, std::size_t size, void* data) {
  auto& rows = *static_cast<Rows*>(data);
  rows.row.emplace_back(field == nullptr ? "" : std::string(static_cast<const char*>(field), size));
}

void EndRow(int, void* data) {
  auto& rows = *static_cast<Rows*>(data);
  rows.rows.push_back(std::move(rows.row));
  rows.row.clear();
}

unsigned char DelimiterOf(std::string_view text) {
  const std::string_view first = text.substr(0, FindLineBreak(text, 0));
  for (const char candidate : {',', ';', '\t'})
    if (first.find(candidate) != std::string_view::npos)
      return static_cast<unsigned char>(candidate);
  return ',';
}

std::vector<Row> ParseRows(std::string_view text) {
  csv_parser parser{};
  if (csv_init(&parser, 0) != 0) throw std::bad_alloc();
  csv_set_delim(&parser, DelimiterOf(text));
  Rows rows;
  const bool parsed =
      csv_parse(&parser, text.data(), text.size(), &AddField, &EndRow, &rows) == text.size();
  csv_fini(&parser, &AddField, &EndRow, &rows);
  csv_free(&parser);
  if (!parsed) throw std::bad_alloc();  // libcsv stops only when it cannot grow its buffer
  return std::move(rows.rows);
}

struct Columns {
  std::size_t question = 0, answer = 1;
  std::optional<std::size_t> format = 2;
};

// The columns a header row names; nullopt when the row is no header.
std::optional<Columns> HeaderColumns(const Row& row) {
  std::optional<std::size_t> question, answer, format;
  for (std::size_t i = 0; i < row.size(); ++i) {
    const std::string name = LowerAscii(Trim(row[i]));
    if (!question && (name == "question" || name == "q" || name == "questions")) question = i;
    if (!answer && (name == "answer" || name == "a" || name == "answers" || name == "response"))
      answer = i;
    if (!format && (name == "format" || name == "text format")) format = i;
  }
  if (!question || !answer) return std::nullopt;
  return Columns{*question, *answer, format};
}

const std::string& Cell(const Row& row, std::size_t column) {
  static const std::string kEmpty;
  return column < row.size() ? row[column] : kEmpty;
}

}  // namespace

ImportedFaq ReadCsvFaq(std::string_view text) {
  const std::vector<Row> rows = ParseRows(text);
  ImportedFaq faq;
  if (rows.empty()) return faq;
  const std::optional<Columns> header = HeaderColumns(rows.front());
  const Columns columns = header.value_or(Columns{});
  for (std::size_t r = header ? 1 : 0; r < rows.size(); ++r) {
    const Row& row = rows[r];
    const std::string& question = Cell(row, columns.question);
    if (Trim(question).empty()) continue;
    int format = 0;
    if (columns.format && !ParseInteger(Cell(row, *columns.format), format)) format = 0;
    faq.questions.push_back(ImportedQuestion{ReplaceLineBreaks(question, kCrLf),
                                             JoinLinesCrLf(SplitLines(Cell(row, columns.answer))),
                                             format});
  }
  return faq;
}

}  // namespace quorella
