#pragma once
// The rules a FAQ name obeys wherever it comes from (typed, imported, restored, loaded from a
// snapshot or found in the store): it names the key under FAQs and the document NAME.dat in the
// application folder, so it must be a plain file name there.
#include <optional>
#include <string_view>

namespace quorella {

inline constexpr std::size_t kLongestFaqName = 251;  // NAME.dat fits a file name of 255 bytes

// The message saying why `name` cannot name a FAQ (an empty name included); nullopt when it can.
std::optional<std::string_view> FaqNameProblem(std::string_view name);

}  // namespace quorella
