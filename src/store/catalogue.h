#pragma once
// The FAQ catalogue: the names of the FAQ keys, and the commands that add, delete and duplicate a
// FAQ (its key and its document file together).
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "store/app_context.h"

namespace quorella {

// The FAQ names in the store's enumeration order.
std::vector<std::string> ListFaqs(const AppContext& context);

// The entry of `names` that names the same FAQ as `name` (SameFaqName: without regard to case, in
// every script, and to how accents are composed).
std::optional<std::string> FindName(const std::vector<std::string>& names, std::string_view name);

// Why `name` cannot be a new FAQ next to `existing`: `empty_message` for an empty name, the
// "already exists" message, or a name that cannot name both a file and a key or holds a control or
// format character (NewFaqNameProblem of its stored form). nullopt when fine.
std::optional<std::string> CheckNewFaqName(std::string_view name,
                                           const std::vector<std::string>& existing,
                                           std::string_view empty_message);

// A FAQ's own output folder, which a FAQ made by add, import or duplicate stores as its
// Directory: the default output folder and, in it, the FAQ's name as a folder name
// (FolderNameOf), so that no two FAQs write their pages over each other's.
std::string OwnOutputFolder(const AppContext& context, std::string_view faq_name);
// A FAQ name as a folder name that other systems take too: \ / : * ? " < > | become "_", and so
// do a leading "." and a trailing space or ".".
std::string FolderNameOf(std::string_view faq_name);

// The commands hold the lock of the application folder, where the documents are, and check the
// name against the catalogue as the store holds it then; each throws quorella::Error with the
// message of CheckNewFaqName when the name is refused, and NoSuchFaq for a FAQ that is gone. Add
// and Duplicate store the new name as StoredFaqName makes it, and return it.
// Add: the FAQ key created with its own output folder, the document created empty unless a file
// of that name exists.
std::string AddFaq(AppContext& context, std::string_view name);
// Delete: key tree and document removed; a missing document is skipped.
void DeleteFaq(AppContext& context, std::string_view name);
// Duplicate: the key tree copied, with its own output folder, and the document copied when it
// exists (replacing a file of the new name).
std::string DuplicateFaq(AppContext& context, std::string_view from, std::string_view to);

}  // namespace quorella
