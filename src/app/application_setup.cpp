#include "app/application_setup.h"

#include <QApplication>
#include <QIcon>

#include "app/resources.h"
#include "store/sqlite.h"
#include "util/paths.h"
#include "widgets/qt_text.h"

namespace quorella::app {

namespace {

// A user's own icon file or one beside the program wins over the desktop theme's; the icon
// compiled into the program is the last resort.
QIcon ApplicationIcon() {
  const std::string file =
      FindInstalledFile(ApplicationDirectory(), DirectoryOf(ProgramFile()), "quorella.svg");
  if (!file.empty()) return QIcon(widgets::ToQt(file));
  return QIcon::fromTheme(QStringLiteral("example.tamsel.Quorella"),
                          QIcon(QStringLiteral(":/icons/quorella.svg")));
}

}  // namespace

void SetUpApplication() {
  InitResources();
  QApplication::setApplicationName(QStringLiteral("Quorella"));
  QApplication::setDesktopFileName(QStringLiteral("example.tamsel.Quorella"));
  QApplication::setWindowIcon(ApplicationIcon());
  // A user in front of the window rather waits for another Quorella's write than loses an edit.
  sqlite::SetBusyWait(sqlite::kInteractiveStoreWait);
}

}  // namespace quorella::app
