#include "app/window_fixture.h"

#include <QApplication>
#include <QDir>
#include <QFocusEvent>
#include <QLineEdit>
#include <QPlainTextEdit>

namespace quorella::testing {

WindowFixture::WindowFixture() {
  QDir().mkpath(dir.filePath(QStringLiteral("app")));
}

WindowFixture::~WindowFixture() {
  window_.reset();
}

app::TfrmMain& WindowFixture::Start(const QStringList& arguments) {
  window_.reset();
  window_ = std::make_unique<app::TfrmMain>(
      app::StartOptions{arguments, db_path(), app_dir(), app_dir()});
  return *window_;
}

void WindowFixture::Close() {
  window_->close();
  window_.reset();
}

void WindowFixture::Leave(QWidget* editor) {
  QFocusEvent out(QEvent::FocusOut, Qt::OtherFocusReason);
  QApplication::sendEvent(editor, &out);
}

void WindowFixture::Type(QWidget* editor, const QString& text) {
  if (auto* line = qobject_cast<QLineEdit*>(editor)) line->setText(text);
  if (auto* code = qobject_cast<QPlainTextEdit*>(editor)) code->setPlainText(text);
}

std::string WindowFixture::db_path() const {
  return dir.filePath(QStringLiteral("config/settings.db")).toStdString();
}
std::string WindowFixture::app_dir() const {
  return dir.filePath(QStringLiteral("app")).toStdString() + "/";
}

std::string WindowFixture::Read(const std::string& key, const std::string& name,
                                const std::string& fallback) const {
  return settings().ReadSettingString(key, name, fallback);
}

int WindowFixture::ReadInt(const std::string& key, const std::string& name, int fallback) const {
  return settings().ReadSettingInteger(key, name, fallback);
}

}  // namespace quorella::testing
