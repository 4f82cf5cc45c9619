#include "import/faq_file.h"

#include "import/csv_import.h"
#include "import/html_import.h"
#include "import/json_faq.h"
#include "import/markdown_import.h"
#include "import/qa_import.h"
#include "import/working_text.h"
#include "store/document.h"
#include "util/errors.h"

namespace quorella {

ImportedFaq FaqOfDocumentText(std::string_view document, std::int32_t count) {
  const SectionIndex index{std::string(document)};
  ImportedFaq faq;
  for (std::int32_t n = 0; n < count; ++n) {
    std::string question = index.ReadQuestion(static_cast<std::size_t>(n));
    if (question.ends_with("\r\n")) question.resize(question.size() - 2);
    std::string scratch;
    faq.questions.push_back(ImportedQuestionOf(
        std::move(question), index.ReadAnswer(static_cast<std::size_t>(n), scratch)));
  }
  return faq;
}

ImportedFaq ReadFaqText(ImportFormat format, std::string_view text,
                        const ConvertOptions& text_options) {
  switch (format) {
    case ImportFormat::Markdown:
      return ReadMarkdownFaq(text);
    case ImportFormat::Html:
      return ReadHtmlFaq(text);
    case ImportFormat::Csv:
      return ReadCsvFaq(text);
    case ImportFormat::Qa:
      return ReadQaFaq(text);
    case ImportFormat::Json:
      return ReadJsonFaq(text);
    case ImportFormat::Text:
      break;
  }
  const ConvertResult converted = Convert(WorkingTextFromBytes(text), text_options);
  return FaqOfDocumentText(converted.text, converted.count);
}

FaqFile ReadFaqFile(const std::string& path, std::optional<ImportFormat> format,
                    EncodingChoice encoding, const ConvertOptions& text_options) {
  SourceText source = ReadSourceText(path, encoding);
  FaqFile file;
  file.encoding = source.encoding;
  file.format = format.value_or(DetectImportFormat(path, source.text));
  file.faq = ReadFaqText(file.format, source.text, text_options);
  if (file.faq.questions.empty())
    throw Error(messages::NoQuestionFound(path, ImportFormatName(file.format)));
  return file;
}

}  // namespace quorella
