#pragma once
// The update information file: one product a line, its name followed by its newest version;
// letter case and surrounding blanks do not matter, empty lines are skipped.
#include <string>
#include <string_view>

namespace quorella {

// The product line of `title`: the first line that, lower-cased and trimmed, begins with the
// lower-cased title (a longer name that starts with it matches too). The result is that line
// lower-cased and trimmed; empty when there is none.
std::string FindProductLine(std::string_view update_info, std::string_view title);

// The version the product line publishes: what follows the title's length of characters,
// trimmed, in lower case; "unknown" when there is no product line.
std::string PublishedVersion(std::string_view update_info, std::string_view title);

}  // namespace quorella
