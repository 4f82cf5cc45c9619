#include "import/import_faq.h"

#include "store/catalogue.h"
#include "store/document_file.h"
#include "store/values.h"
#include "util/errors.h"
#include "util/file_io.h"

namespace quorella {

std::optional<std::string> ImportNameProblem(std::string_view name,
                                             const std::vector<std::string>& existing) {
  return CheckNewFaqName(name, existing, messages::kEnterFaqName);
}

void ImportFaq(AppContext& context, std::string_view name, std::string_view working_text,
               std::int32_t converted_count, const std::vector<std::string>& existing) {
  if (const auto problem = ImportNameProblem(name, existing)) throw Error(*problem);
  const std::string document = context.DocumentPath(name);
  // Replaced through a scratch file, so a failed save never leaves a file of that name half
  // written; whatever step failed, the user is told the document could not be created.
  std::optional<std::string> earlier;
  try {
    earlier = ReadFileIfExists(document);
    // The new document is Windows-1252 while every character fits, as any document starts.
    ReplaceDocumentFile(document, working_text, FileEncoding::Windows1252);
  } catch (const Error& e) {
    throw Error(messages::CannotCreateFile(document, messages::SystemReason(e.error_number())),
                e.error_number());
  }
  try {
    WriteFaqValue(context.settings(), context.FaqKey(name), FaqValue::TotalQuestions,
                  converted_count);
  } catch (const Error&) {
    // Without its key the FAQ was not imported: the file of that name goes back to what it was,
    // so that no document of a failed import stays behind.
    try {
      if (earlier)
        ReplaceFileAtomically(document, *earlier);
      else
        RemoveFile(document);
    } catch (const Error&) {
    }
    throw;
  }
}

void ImportFaq(AppContext& context, std::string_view name, const ImportedFaq& faq,
               const std::vector<std::string>& existing) {
  ImportFaq(context, name, ImportedDocumentText(faq),
            static_cast<std::int32_t>(faq.questions.size()), existing);
  WriteImportedTitle(context, name, faq.title);
}

void WriteImportedTitle(AppContext& context, std::string_view name, std::string_view title) {
  if (!title.empty())
    WriteFaqValue(context.settings(), context.FaqKey(name), FaqValue::Title, title);
}

}  // namespace quorella
