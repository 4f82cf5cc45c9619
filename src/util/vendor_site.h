#pragma once
// The vendor's web site, which the banner links to and the update check asks.
#include <string>
#include <string_view>

namespace quorella {

inline constexpr std::string_view kDefaultVendorSite = "http://www.tamsel.example/";

// $QUORELLA_SITE when it is set and not empty (mirrors, tests), else the default; always ending in
// '/'.
std::string VendorSiteAddress();

}  // namespace quorella
