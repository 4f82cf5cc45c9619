#include "store/catalogue.h"

#include <cerrno>

#include "store/faq_name.h"
#include "util/errors.h"
#include "util/file_io.h"
#include "util/folder_lock.h"
#include "util/paths.h"
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

std::string FolderNameOf(std::string_view faq_name) {
  std::string folder(faq_name);
  // Characters other systems do not take in a folder name, where the pages may be copied to.
  for (char& c : folder)
    if (std::string_view("\\/:*?\"<>|").find(c) != std::string_view::npos) c = '_';
  if (folder.front() == '.') folder.front() = '_';  // never a hidden folder
  if (folder.back() == ' ' || folder.back() == '.') folder.back() = '_';
  return folder;
}

std::string OwnOutputFolder(const AppContext& context, std::string_view faq_name) {
  return IncludeTrailingSlash(context.output_dir()) + FolderNameOf(faq_name) + "/";
}

namespace {

// Gives the new FAQ `name` its own output folder, in the same write as its key when the key is
// new (a key copied already keeps its other values).
void StoreOwnOutputFolder(AppContext& context, std::string_view name) {
  context.settings().WriteSettingString(context.FaqKey(name), "Directory",
                                        OwnOutputFolder(context, name));
}

// The catalogue as the store holds it now, and the name `name` has there.
std::string StoredName(const AppContext& context, std::string_view name) {
  const auto found = FindName(ListFaqs(context), name);
  if (!found) throw Error(messages::NoSuchFaq(name));
  return *found;
}

}  // namespace

std::string AddFaq(AppContext& context, std::string_view typed) {
  // The catalogue and the documents change under the folder's lock, against the catalogue as it
  // is then, whatever another process did since this one last looked.
  const FolderLock lock(context.app_dir());
  Refuse(CheckNewFaqName(typed, ListFaqs(context), messages::kEnterFaqName));
  const std::string name = StoredFaqName(typed);
  const std::string document = context.DocumentPath(name);
  if (!FileExists(document) && !CreateEmptyFile(document))
    throw Error(messages::CannotCreateFile(document, messages::SystemReason(errno)));
  StoreOwnOutputFolder(context, name);
  return name;
}

void DeleteFaq(AppContext& context, std::string_view name) {
  const FolderLock lock(context.app_dir());
  const std::string stored = StoredName(context, name);
  // The document first: when it cannot be removed (a read-only folder) the FAQ stays whole.
  const std::string document = context.DocumentPath(stored);
  if (FileExists(document) && !RemoveFile(document))
    throw Error(messages::CannotDeleteFile(document, messages::SystemReason(errno)));
  context.settings().DeleteKeyTree(context.FaqKey(stored));
}

std::string DuplicateFaq(AppContext& context, std::string_view from, std::string_view typed) {
  const FolderLock lock(context.app_dir());
  Refuse(CheckNewFaqName(typed, ListFaqs(context), messages::kEnterDocumentName));
  const std::string to = StoredFaqName(typed);
  const std::string stored = StoredName(context, from);
  // The document first: when it cannot be copied the catalogue does not gain a FAQ at all.
  const std::string source = context.DocumentPath(stored);
  if (FileExists(source)) CopyFileReplacing(source, context.DocumentPath(to));
  context.settings().CopyKeyTree(context.FaqKey(stored), context.FaqKey(to));
  // The copy writes its pages where the original does not.
  StoreOwnOutputFolder(context, to);
  return to;
}

}  // namespace quorella
