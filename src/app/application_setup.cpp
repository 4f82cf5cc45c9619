#include "app/application_setup.h"

#include <QApplication>
#include <QIcon>

#include "app/resources.h"

namespace quorella::app {

void SetUpApplication() {
  InitResources();
  QApplication::setApplicationName(QStringLiteral("Quorella"));
  QApplication::setDesktopFileName(QStringLiteral("example.tamsel.Quorella"));
  QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/quorella.svg")));
}

}  // namespace quorella::app
