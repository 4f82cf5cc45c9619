#pragma once
// The check for a newer version: the update information file is fetched from the vendor's site
// into temp.txt in the application directory, searched for this product's line, deleted, and the
// version it publishes compared with the running one.
#include <string>
#include <string_view>

#include "update/http_fetch.h"

namespace quorella {

inline constexpr std::string_view kApplicationTitle = "Quorella";
// The product's short name in the addresses of the vendor's site.
inline constexpr std::string_view kShortName = "quorel";
inline constexpr std::string_view kVersionFileName = "temp.txt";

// The vendor's site, ending in '/': $QUORELLA_SITE when set, else the built-in address.
std::string SiteAddress();
// The update information file on the site.
std::string UpgradesAddress(std::string_view site);
// The page that tells what a new version brings.
std::string WhatsNewAddress(std::string_view site);

struct UpdateCheckResult {
  bool newer = false;             // the published version is newer than the running one
  std::string published_version;  // "unknown" when the product has no line
  std::string fetch_error;        // why the fetch failed (the client's message), empty when it ran
};

// The whole comparison for `title`, the running version taken from `version_caption` (the about
// panel's "Version 1.3.1.323"). temp.txt in `app_dir` is created or emptied before the fetch
// ("Cannot create file \"PATH\". REASON" when it cannot be; nothing is fetched then), read once
// and deleted. A failed fetch leaves no product line; its reason is kept in fetch_error so the
// window can say why the version is unknown.
UpdateCheckResult IsNewCurrentVersion(std::string_view title, std::string_view version_caption,
                                      const std::string& app_dir, const std::string& site,
                                      const FetchOptions& options = {});

}  // namespace quorella
