#include "app/site.h"

#include <cstdlib>

namespace quorella::app {

QString SiteAddress() {
  QString site = QStringLiteral("http://www.tamsel.example/");
  if (const char* override_site = std::getenv("QUORELLA_SITE");
      override_site != nullptr && *override_site != '\0')
    site = QString::fromLocal8Bit(override_site);
  if (!site.endsWith(QLatin1Char('/'))) site += QLatin1Char('/');
  return site;
}

QString VendorMailAddress() {
  return QStringLiteral("support@tamsel.example");
}

}  // namespace quorella::app
