// The document reader and the section rewrite. Input: one flag byte (bit 0: the file is missing),
// then fields separated by 0x1E: the document's text, a section name, the section's lines
// (separated by LF), and the question and answer lists (entries separated by 0x1D).
// Properties: a written section reads back as its lines, with only the blank that keeps a
// terminator or a header from being taken for one; once the section has been written twice,
// writing the same lines again changes nothing;
// the one-pass index reads what the line-by-line reader reads; the whole-list rewrite gives the
// bytes of its section-by-section sequence.
#include "fuzz/fuzz_input.h"
#include "store/document.h"
#include "store/faq.h"
#include "store/question_sections.h"
#include "util/text_lines.h"

namespace {

using namespace quorella;
using namespace quorella::fuzz;

// The lines a body holds once stored: a line holding line breaks is stored as the lines it makes,
// the last one even when empty.
std::vector<std::string> StoredPieces(const std::vector<std::string>& lines) {
  std::vector<std::string> pieces;
  for (const std::string& line : lines) {
    pieces.emplace_back();
    for (std::size_t i = 0; i < line.size(); ++i) {
      if (line[i] != '\r' && line[i] != '\n') {
        pieces.back().push_back(line[i]);
        continue;
      }
      if (line[i] == '\r' && i + 1 < line.size() && line[i + 1] == '\n') ++i;
      pieces.emplace_back();
    }
  }
  return pieces;
}

// Is `read` the stored form of `written`: the same, or shifted by the one blank a terminator
// gets after it or a header-like line before it?
bool IsStoredFormOf(std::string_view written, std::string_view read) {
  if (read == written) return true;
  if (written == kTerminator) return read == "#### ";
  return written.starts_with('[') && read.size() == written.size() + 1 && read.front() == ' ' &&
         read.substr(1) == written;
}

void CheckReadsBack(const std::string& document, const std::string& name,
                    const std::vector<std::string>& lines) {
  const std::string body = ReadSectionFromText(document, name);
  const auto pieces = StoredPieces(lines);
  // The body is each line followed by CR LF; split on CR LF alone, so that nothing else counts.
  std::vector<std::string> read;
  if (!body.empty()) {
    Check(body.ends_with("\r\n"), "a read body ends with CR LF");
    std::size_t start = 0;
    while (start < body.size()) {
      const auto end = body.find("\r\n", start);
      read.push_back(body.substr(start, end - start));
      start = end + 2;
    }
  }
  if (read.size() != pieces.size()) {
    std::string expected;
    for (const auto& piece : pieces) expected += piece + "\r\n";
    Fail("a written section reads back line for line", expected, body);
  }
  for (std::size_t i = 0; i < read.size(); ++i)
    if (!IsStoredFormOf(pieces[i], read[i]))
      Fail("each line reads back as written", pieces[i], read[i]);
}

bool HoldsHeaderOf(const std::optional<std::string>& content, std::string_view name) {
  bool found = false;
  if (content)
    ForEachLine(*content, [&](std::string_view line) { found |= IsHeaderOf(line, name); });
  return found;
}

std::optional<std::string> SectionBySection(std::optional<std::string> content,
                                            const std::vector<std::string>& questions,
                                            const std::vector<std::string>& answers) {
  for (std::size_t n = 0; n < questions.size(); ++n) {
    content = WriteSectionInText(content, QuestionSectionName(n), SplitLines(questions[n]));
    content = WriteSectionInText(content, AnswerSectionName(n), SplitLines(answers[n]));
  }
  return content;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const bool missing = (data[0] & 1) != 0;
  const auto fields = Split(AsText(data + 1, size - 1), kFieldSeparator);
  const std::optional<std::string> content =
      missing ? std::nullopt : std::optional<std::string>(Field(fields, 0));
  // A name holding a line break could never be found again: headers are single lines.
  std::string name;
  for (char c : Field(fields, 1))
    if (c != '\r' && c != '\n') name.push_back(c);
  const auto lines = Split(Field(fields, 2), '\n');
  const auto questions = Split(Field(fields, 3), kItemSeparator);
  auto answers = Split(Field(fields, 4), kItemSeparator);
  answers.resize(questions.size());

  const std::string written = WriteSectionInText(content, name, lines);
  CheckReadsBack(written, name, lines);
  // An append keeps the document's own line ends; the next write replaces the section and so
  // rewrites every line with CR LF. From then on the same lines change nothing.
  const std::string settled = WriteSectionInText(written, name, lines);
  CheckEqual(settled, WriteSectionInText(settled, name, lines),
             "writing the same lines again changes nothing");
  CheckEqual(ReadSectionFromText(written, name), SectionIndex(written).Read(name),
             "the index reads the written section as the reader does");
  if (content) {
    CheckEqual(ReadSectionFromText(*content, name), SectionIndex(*content).Read(name),
               "the index reads any document as the reader does");
  }
  if (!HoldsHeaderOf(content, name)) {
    // The section was appended after one line break: deleting it gives back the document, with
    // its line ends made CR LF.
    const auto deleted = DeleteSectionFromText(written, name);
    Check(deleted.has_value(), "an appended section can be deleted");
    CheckEqual(JoinLinesCrLf(SplitLines(content ? *content + "\r\n" : "")), *deleted,
               "deleting an appended section gives back the document");
  }

  const auto whole = QuestionListInText(content, questions, answers);
  const auto expected = SectionBySection(content, questions, answers);
  Check(whole.has_value() == expected.has_value(), "the whole list leaves a missing file missing");
  if (whole)
    CheckEqual(*expected, *whole, "the whole-list rewrite equals its section-by-section sequence");
  return 0;
}
