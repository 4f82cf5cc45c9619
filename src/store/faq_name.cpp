#include "store/faq_name.h"

#include "util/errors.h"

namespace quorella {

std::optional<std::string_view> FaqNameProblem(std::string_view name) {
  if (name.empty() || name == "." || name == "..") return messages::kNameNotAFileName;
  for (unsigned char c : name)
    if (c == '/' || c == '\\' || c < 0x20 || c == 0x7F) return messages::kNameNotAFileName;
  if (name.size() > kLongestFaqName) return messages::kNameTooLong;
  return std::nullopt;
}

}  // namespace quorella
