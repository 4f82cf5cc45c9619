#include "store/catalogue.h"

#include <cerrno>

#include "store/faq_name.h"
#include "util/errors.h"
#include "util/file_io.h"
#include "util/strings.h"

namespace quorella {

namespace {

void Refuse(const std::optional<std::string>& problem) {
  if (problem) throw Error(*problem);
}

}  // namespace

std::vector<std::string> ListFaqs(const AppContext& context) {
  auto names = context.settings().SubkeyNames(context.FaqsKey());
  // A key that cannot name a document (a damaged or hostile store) never becomes a path.
  std::erase_if(names, [](const std::string& name) { return FaqNameProblem(name).has_value(); });
  return names;
}

std::optional<std::string> FindName(const std::vector<std::string>& names, std::string_view name) {
  for (const auto& entry : names)
    if (SameFaqName(entry, name)) return entry;
  return std::nullopt;
}

std::optional<std::string> CheckNewFaqName(std::string_view name,
                                           const std::vector<std::string>& existing,
                                           std::string_view empty_message) {
  if (name.empty()) return std::string(empty_message);
  if (FindName(existing, name)) return std::string(messages::kNameExists);
  if (const auto problem = NewFaqNameProblem(StoredFaqName(name))) return std::string(*problem);
  return std::nullopt;
}

std::string AddFaq(AppContext& context, std::string_view typed,
                   const std::vector<std::string>& existing) {
  Refuse(CheckNewFaqName(typed, existing, messages::kEnterFaqName));
  const std::string name = StoredFaqName(typed);
  const std::string document = context.DocumentPath(name);
  if (!FileExists(document) && !CreateEmptyFile(document))
    throw Error(messages::CannotCreateFile(document, messages::SystemReason(errno)));
  context.settings().CreateKey(context.FaqKey(name));
  return name;
}

void DeleteFaq(AppContext& context, std::string_view name) {
  // The document first: when it cannot be removed (a read-only folder) the FAQ stays whole.
  const std::string document = context.DocumentPath(name);
  if (FileExists(document) && !RemoveFile(document))
    throw Error(messages::CannotDeleteFile(document, messages::SystemReason(errno)));
  context.settings().DeleteKeyTree(context.FaqKey(name));
}

std::string DuplicateFaq(AppContext& context, std::string_view from, std::string_view typed,
                         const std::vector<std::string>& existing) {
  Refuse(CheckNewFaqName(typed, existing, messages::kEnterDocumentName));
  const std::string to = StoredFaqName(typed);
  // The document first: when it cannot be copied the catalogue does not gain a FAQ at all.
  const std::string source = context.DocumentPath(from);
  if (FileExists(source)) CopyFileReplacing(source, context.DocumentPath(to));
  context.settings().CopyKeyTree(context.FaqKey(from), context.FaqKey(to));
  return to;
}

}  // namespace quorella
