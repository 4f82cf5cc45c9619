#include "import/import_session.h"

#include "import/faq_file.h"
#include "import/import_faq.h"
#include "import/working_text.h"
#include "util/errors.h"

namespace quorella {

void ImportSession::ReadInputFile(const std::string& path) {
  std::optional<SourceText> source;
  if (format_choice != ImportFormat::Text) {
    try {
      source = ReadSourceText(path, encoding_choice);
    } catch (const Error& e) {
      // The working text trims the ends of lines, so a file the source text cannot hold may still
      // be a plain text within the limit: its own reading decides.
      if (e.what() != messages::kTextExceedsMemoCapacity) throw;
    }
  }
  const ImportFormat format =
      format_choice.value_or(source ? DetectImportFormat(path, source->text) : ImportFormat::Text);
  if (format == ImportFormat::Text) {
    // The plain-text import reads its file as it always has.
    TextEncoding found = TextEncoding::Windows1252;
    working_text = ReadWorkingText(path, encoding_choice, &found);
    found_encoding_ = found;
    found_format_ = format;
    read_faq_ = {};
    return;
  }
  if (!source) throw Error(std::string(messages::kTextExceedsMemoCapacity));
  ImportedFaq faq = ReadFaqText(format, source->text, options);
  if (faq.questions.empty()) throw Error(messages::NoQuestionFound(path, ImportFormatName(format)));
  working_text = ImportedDocumentText(faq);
  converted_count_ = static_cast<std::int32_t>(faq.questions.size());
  converted_ = true;
  found_encoding_ = source->encoding;
  found_format_ = format;
  read_faq_ = std::move(faq);
}

void ImportSession::Convert() {
  ConvertResult result = quorella::Convert(working_text, options);
  working_text = std::move(result.text);
  converted_count_ = result.count;
  converted_ = true;
}

void ImportSession::Import(AppContext& context, std::string_view name) const {
  ImportFaq(context, name, working_text, converted_count_, read_faq_.title);
}

}  // namespace quorella
