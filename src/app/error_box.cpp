#include "app/error_box.h"

#include <QWidget>

#include <exception>

#include "util/errors.h"
#include "widgets/desktop_services.h"
#include "widgets/qt_text.h"

namespace quorella::app {

bool RunGuarded(QWidget* owner, const std::function<void()>& action, QString* shown) {
  QString message;
  try {
    action();
    return true;
  } catch (const Error& e) {
    message = widgets::ToQt(e.what());
  } catch (const std::exception& e) {
    message = QString::fromLocal8Bit(e.what());
  }
  if (!message.endsWith(QLatin1Char('.'))) message += QLatin1Char('.');
  if (shown != nullptr) *shown = message;
  widgets::Desktop().ShowMessage(
      owner, {QStringLiteral("Quorella"), message, widgets::BoxIcon::Error, widgets::BoxButtons::Ok,
              widgets::BoxAnswer::Ok});
  return false;
}

}  // namespace quorella::app
