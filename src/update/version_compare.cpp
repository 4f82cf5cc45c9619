#include "update/version_compare.h"

#include <vector>

#include "util/strings.h"

namespace quorella {

namespace {

// One component as a signed decimal number of any length: its sign and its digits without
// leading zeros (zero has no digits and no sign).
struct Component {
  bool negative = false;
  std::string_view digits;
};

// Leading spaces, an optional sign, decimal digits and nothing else; anything else is 0.
Component ReadComponent(std::string_view text) {
  while (text.starts_with(' ')) text.remove_prefix(1);
  const bool negative = text.starts_with('-');
  if (negative || text.starts_with('+')) text.remove_prefix(1);
  if (text.empty() || text.find_first_not_of("0123456789") != std::string_view::npos) return {};
  while (text.starts_with('0')) text.remove_prefix(1);
  return {negative && !text.empty(), text};
}

// -1, 0 or 1 as a is less than, equal to or greater than b.
int Compare(const Component& a, const Component& b) {
  if (a.negative != b.negative) return a.negative ? -1 : 1;
  int magnitude = 0;
  if (a.digits.size() != b.digits.size())
    magnitude = a.digits.size() < b.digits.size() ? -1 : 1;
  else if (const int order = a.digits.compare(b.digits); order != 0)
    magnitude = order < 0 ? -1 : 1;
  return a.negative ? -magnitude : magnitude;
}

}  // namespace

std::string CurrentVersionFromCaption(std::string_view caption) {
  const auto blank = caption.find(' ');
  return Trim(blank == std::string_view::npos ? caption : caption.substr(blank + 1));
}

bool IsNewerVersion(std::string_view published, std::string_view current) {
  if (published.empty() || published == kUnknownVersion || current.empty()) return false;
  const std::vector<std::string> ours = SplitText(current, ".");
  const std::vector<std::string> theirs = SplitText(published, ".");
  for (std::size_t i = 0; i < theirs.size(); ++i) {
    const int order =
        Compare(ReadComponent(theirs[i]), i < ours.size() ? ReadComponent(ours[i]) : Component{});
    if (order != 0) return order > 0;
  }
  return false;
}

}  // namespace quorella
