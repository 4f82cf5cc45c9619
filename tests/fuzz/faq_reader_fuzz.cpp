// The readers of Markdown, HTML, CSV, "Q:"/"A:" and JSON files on any bytes: no crash, no hang,
// questions that are never blank, and what was read comes back the same through the JSON export
// (and through the Markdown export where a heading can hold the question as it is). Input: one
// byte that picks the reader (its value modulo 5), then the file's text.
#include "fuzz/fuzz_input.h"
#include "import/faq_export.h"
#include "import/faq_file.h"
#include "import/json_faq.h"
#include "util/errors.h"
#include "util/strings.h"
#include "util/unicode.h"

namespace {

using namespace quorella;
using namespace quorella::fuzz;

constexpr ImportFormat kReaders[] = {ImportFormat::Markdown, ImportFormat::Html, ImportFormat::Csv,
                                     ImportFormat::Qa, ImportFormat::Json};

// Can a Markdown heading hold the question as it is: one line of no control characters, no
// blanks at its ends?
bool FitsAHeading(const std::string& question) {
  for (const char c : question)
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) return false;
  return Trim(question) == question;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const ImportFormat format = kReaders[data[0] % 5];
  const std::string_view text = AsText(data + 1, size - 1);
  // A file holding a NUL character is refused before any reader sees it.
  if (text.find('\0') != std::string_view::npos) return 0;
  ImportedFaq faq;
  try {
    faq = ReadFaqText(format, text);
  } catch (const Error&) {
    return 0;  // a page nested too deeply: refused with its message
  }
  for (const ImportedQuestion& question : faq.questions)
    Check(!Trim(question.question).empty(), "a question is never blank");
  if (!IsValidUtf8(text)) return 0;  // JSON carries UTF-8 alone
  Check(ReadJsonFaq(JsonFaqText(faq)) == faq, "the JSON export reads back as what was read");
  bool fits = !faq.questions.empty() && FitsAHeading(faq.title);
  for (const ImportedQuestion& question : faq.questions)
    fits = fits && FitsAHeading(question.question);
  if (fits)
    Check(ReadFaqText(ImportFormat::Markdown, MarkdownFaqText(faq)) == faq,
          "the Markdown export reads back as what was read");
  return 0;
}
