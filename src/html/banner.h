#pragma once
// The banner that closes every page unless it is switched off: a small right-aligned link to the
// vendor's site. It is built once per run of the program and kept unchanged.
#include <string>
#include <string_view>

namespace quorella::html {

// Adds `amount` (negative to go back) to the code of every character, modulo 256. The banner's
// two link pieces are kept in the program in this shifted form.
std::string ShiftCharacterCodes(std::string_view text, int amount);

// The banner text (several lines, no line break at its end) linking to `site_address`.
std::string BuildBanner(std::string_view site_address);
// The same for the vendor site in force ($QUORELLA_SITE or the default).
std::string BuildBanner();

}  // namespace quorella::html
