#include "import/import_faq.h"

#include "store/catalogue.h"
#include "store/document_file.h"
#include "store/faq_name.h"
#include "store/values.h"
#include "util/errors.h"
#include "util/file_io.h"
#include "util/folder_lock.h"

namespace quorella {

std::optional<std::string> ImportNameProblem(std::string_view name,
                                             const std::vector<std::string>& existing) {
  return CheckNewFaqName(name, existing, messages::kEnterFaqName);
}

std::string ImportFaq(AppContext& context, std::string_view typed, std::string_view working_text,
                      std::int32_t converted_count, std::string_view title) {
  // Under the lock of the documents' folder, against the catalogue as the store holds it then.
  const FolderLock lock(context.app_dir());
  if (const auto problem = ImportNameProblem(typed, ListFaqs(context))) throw Error(*problem);
  const std::string name = StoredFaqName(typed);
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
    // The new key with its count and its own output folder, in one write.
    std::vector<NamedValue> values = {
        {"TotalQuestions", RawValue::Integer(converted_count)},
        {"Directory", RawValue::String(OwnOutputFolder(context, name))}};
    if (!title.empty()) values.push_back({"Title", RawValue::String(std::string(title))});
    context.settings().WriteValues(context.FaqKey(name), values);
  } catch (const Error&) {
    // Without its key the FAQ was not imported: the file of that name goes back to what it was,
    // so that no document of a failed import stays behind.
    PutFileBack(document, earlier);
    throw;
  }
  return name;
}

std::string ImportFaq(AppContext& context, std::string_view name, const ImportedFaq& faq) {
  return ImportFaq(context, name, ImportedDocumentText(faq),
                   static_cast<std::int32_t>(faq.questions.size()), faq.title);
}

}  // namespace quorella
