// quorella: the desktop application.
#include <QApplication>

#include "app/application_setup.h"
#include "app/main_window.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  quorella::app::SetUpApplication();
  QStringList arguments = QApplication::arguments();
  arguments.removeFirst();
  quorella::app::TfrmMain window(quorella::app::StartOptionsFromEnvironment(arguments));
  window.show();
  return QApplication::exec();
}
