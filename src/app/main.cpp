// quorella: the desktop application.
#include <QApplication>

#include "app/main_window.h"
#include "util/paths.h"
#include "widgets/qt_text.h"

namespace {

// A user's own icon file or one beside the program wins over the desktop theme's; the icon
// compiled into the program is the last resort.
QIcon ApplicationIcon() {
  const std::string file =
      quorella::FindInstalledFile(quorella::ApplicationDirectory(),
                                  quorella::DirectoryOf(quorella::ProgramFile()), "quorella.svg");
  if (!file.empty()) return QIcon(quorella::widgets::ToQt(file));
  return QIcon::fromTheme(QStringLiteral("example.tamsel.Quorella"),
                          QIcon(QStringLiteral(":/icons/quorella.svg")));
}

}  // namespace

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Quorella"));
  QApplication::setApplicationDisplayName(QStringLiteral("Quorella"));
  QApplication::setDesktopFileName(QStringLiteral("example.tamsel.Quorella"));
  QApplication::setWindowIcon(ApplicationIcon());
  QStringList arguments = QApplication::arguments();
  arguments.removeFirst();
  quorella::app::TfrmMain window(quorella::app::StartOptionsFromEnvironment(arguments));
  window.show();
  return QApplication::exec();
}
