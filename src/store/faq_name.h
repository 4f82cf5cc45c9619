#pragma once
// The rules a FAQ name obeys wherever it comes from (typed, imported, restored, loaded from a
// snapshot or found in the store): it names the key under FAQs and the document NAME.dat in the
// application folder, so it must be a plain file name there.
#include <optional>
#include <string>
#include <string_view>

namespace quorella {

inline constexpr std::size_t kLongestFaqName = 251;  // NAME.dat fits a file name of 255 bytes

// The message saying why `name` cannot name a FAQ (an empty name included); nullopt when it can.
std::optional<std::string_view> FaqNameProblem(std::string_view name);

// A name given now (typed, imported, the name of a duplicate) is stored in Unicode Normalization
// Form C, so that a letter typed with a combining accent and the composed letter make one name.
std::string StoredFaqName(std::string_view name);

// FaqNameProblem for a name given now, in the form it is stored in: besides, it may hold no
// control character (C1 included) and no format character (a zero-width space, a direction
// override), which would make a name look like another. Names already in the store are held to
// FaqNameProblem alone, so that a FAQ made before keeps working.
std::optional<std::string_view> NewFaqNameProblem(std::string_view stored_name);

// Do two names name the same FAQ: equal in Normalization Form C without regard to case?
bool SameFaqName(std::string_view a, std::string_view b);

}  // namespace quorella
