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

// Each throws quorella::Error with the message of CheckNewFaqName when the name is refused.
// Add and Duplicate store the new name as StoredFaqName makes it, and return it.
// Add: the FAQ key created empty, the document created empty unless a file of that name exists.
std::string AddFaq(AppContext& context, std::string_view name,
                   const std::vector<std::string>& existing);
// Delete: key tree and document removed; what is missing is skipped.
void DeleteFaq(AppContext& context, std::string_view name);
// Duplicate: the key tree copied when it exists, the document copied when it exists (replacing a
// file of the new name).
std::string DuplicateFaq(AppContext& context, std::string_view from, std::string_view to,
                         const std::vector<std::string>& existing);

}  // namespace quorella
