#include "util/vendor_site.h"

#include <cstdlib>

#include "util/paths.h"

namespace quorella {

std::string VendorSiteAddress() {
  const char* site = std::getenv("QUORELLA_SITE");
  if (site == nullptr || *site == '\0') return std::string(kDefaultVendorSite);
  return IncludeTrailingSlash(site);
}

}  // namespace quorella
