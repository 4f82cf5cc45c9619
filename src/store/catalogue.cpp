#include "store/catalogue.h"

#include <cerrno>

#include "util/errors.h"
#include "util/file_io.h"
#include "util/strings.h"
#include "util/unicode.h"

namespace quorella {

namespace {

constexpr std::size_t kLongestName = 251;  // NAME.dat must fit a file name of 255 bytes

bool CanNameFileAndKey(std::string_view name) {
  if (name == "." || name == "..") return false;
  for (unsigned char c : name)
    if (c == '/' || c == '\\' || c < 0x20 || c == 0x7F) return false;
  return true;
}

void Refuse(const std::optional<std::string>& problem) {
  if (problem) throw Error(*problem);
}

}  // namespace

std::vector<std::string> ListFaqs(const AppContext& context) {
  return context.settings().SubkeyNames(context.FaqsKey());
}

std::optional<std::string> FindName(const std::vector<std::string>& names, std::string_view name) {
  for (const auto& entry : names)
    if (EqualsFolded(entry, name)) return entry;
  return std::nullopt;
}

std::optional<std::string> CheckNewFaqName(std::string_view name,
                                           const std::vector<std::string>& existing,
                                           std::string_view empty_message) {
  if (name.empty()) return std::string(empty_message);
  if (FindName(existing, name)) return std::string(messages::kNameExists);
  if (!CanNameFileAndKey(name)) return std::string(messages::kNameNotAFileName);
  if (name.size() > kLongestName) return std::string(messages::kNameTooLong);
  return std::nullopt;
}

void AddFaq(AppContext& context, std::string_view name, const std::vector<std::string>& existing) {
  Refuse(CheckNewFaqName(name, existing, messages::kEnterFaqName));
  const std::string document = context.DocumentPath(name);
  if (!FileExists(document) && !CreateEmptyFile(document))
    throw Error(messages::CannotCreateFile(document, messages::SystemReason(errno)));
  context.settings().CreateKey(context.FaqKey(name));
}

void DeleteFaq(AppContext& context, std::string_view name) {
  context.settings().DeleteKeyTree(context.FaqKey(name));
  const std::string document = context.DocumentPath(name);
  if (FileExists(document) && !RemoveFile(document))
    throw Error(messages::CannotDeleteFile(document, messages::SystemReason(errno)));
}

void DuplicateFaq(AppContext& context, std::string_view from, std::string_view to,
                  const std::vector<std::string>& existing) {
  Refuse(CheckNewFaqName(to, existing, messages::kEnterDocumentName));
  // The document first: when it cannot be copied the catalogue does not gain a FAQ at all.
  const std::string source = context.DocumentPath(from);
  if (FileExists(source)) CopyFileReplacing(source, context.DocumentPath(to));
  context.settings().CopyKeyTree(context.FaqKey(from), context.FaqKey(to));
}

}  // namespace quorella
