#pragma once
// Versions as dot-separated components, compared as numbers.
#include <string>
#include <string_view>

namespace quorella {

// The published version when the update information has no line for the product.
inline constexpr std::string_view kUnknownVersion = "unknown";

// The running version as the about panel shows it ("Version 1.3.1.323"): the caption after its
// first blank (the whole caption when it has none), surrounding blanks removed.
std::string CurrentVersionFromCaption(std::string_view caption);

// Whether `published` is newer than `current`. Only the published version's components are
// compared, left to right, against the current version's (a missing one counts as 0); a component
// that is not a decimal integer counts as 0. Empty versions and "unknown" are never newer.
// Versions may have any number of components and components any number of digits.
bool IsNewerVersion(std::string_view published, std::string_view current);

}  // namespace quorella
