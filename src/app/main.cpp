// quorella: the desktop application.
#include <QApplication>

#include "app/main_window.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Quorella"));
  QApplication::setApplicationDisplayName(QStringLiteral("Quorella"));
  QApplication::setDesktopFileName(QStringLiteral("example.tamsel.Quorella"));
  QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/quorella.svg")));
  QStringList arguments = QApplication::arguments();
  arguments.removeFirst();
  quorella::app::TfrmMain window(quorella::app::StartOptionsFromEnvironment(arguments));
  window.show();
  return QApplication::exec();
}
