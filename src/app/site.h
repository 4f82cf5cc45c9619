#pragma once
// The vendor's addresses as the window shows them.
#include <QString>

namespace quorella::app {

// The vendor's web site, ending in '/': $QUORELLA_SITE when set.
QString SiteAddress();
QString VendorMailAddress();

}  // namespace quorella::app
