#include "store/faq_name.h"

#include "util/errors.h"
#include "util/unicode.h"

namespace quorella {

std::optional<std::string_view> FaqNameProblem(std::string_view name) {
  if (name.empty() || name == "." || name == "..") return messages::kNameNotAFileName;
  for (unsigned char c : name)
    if (c == '/' || c == '\\' || c < 0x20 || c == 0x7F) return messages::kNameNotAFileName;
  if (name.size() > kLongestFaqName) return messages::kNameTooLong;
  return std::nullopt;
}

std::string StoredFaqName(std::string_view name) {
  return ToNfc(name);
}

std::optional<std::string_view> NewFaqNameProblem(std::string_view stored_name) {
  if (const auto problem = FaqNameProblem(stored_name)) return problem;
  if (HasControlOrFormatCharacter(stored_name)) return messages::kNameNotAFileName;
  return std::nullopt;
}

bool SameFaqName(std::string_view a, std::string_view b) {
  if (IsAscii(a) && IsAscii(b)) return EqualsFolded(a, b);
  return EqualsFolded(ToNfc(a), ToNfc(b));
}

}  // namespace quorella
