#include "app/site.h"

#include "util/vendor_site.h"
#include "widgets/qt_text.h"

namespace quorella::app {

QString SiteAddress() {
  return widgets::ToQt(VendorSiteAddress());
}

QString VendorMailAddress() {
  return QStringLiteral("support@tamsel.example");
}

}  // namespace quorella::app
