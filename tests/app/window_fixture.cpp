#include "app/window_fixture.h"

#include <QAbstractButton>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>

#include <cstdio>
#include <cstdlib>

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
  window_->show();
  window_->activateWindow();
  if (!QTest::qWaitForWindowActive(window_.get())) std::fprintf(stderr, "window not active\n");
  return *window_;
}

void WindowFixture::Close() {
  window_->close();
  window_.reset();
}

void WindowFixture::Reactivate() {
  QApplication::setActiveWindow(nullptr);
  QApplication::setActiveWindow(window_.get());
  QApplication::processEvents();
}

QWidget* WindowFixture::FindNamed(const QString& name) const {
  QWidget* found = window_->findChild<QWidget*>(name);
  if (found == nullptr) {
    std::fprintf(stderr, "no control named %s\n", qPrintable(name));
    std::abort();
  }
  return found;
}

void WindowFixture::Reveal(QWidget* control) {
  std::vector<std::pair<QTabWidget*, QWidget*>> tabs;
  for (QWidget* w = control; w != nullptr; w = w->parentWidget()) {
    auto* stack = qobject_cast<QStackedWidget*>(w->parentWidget());
    auto* tab_widget =
        stack != nullptr ? qobject_cast<QTabWidget*>(stack->parentWidget()) : nullptr;
    if (tab_widget != nullptr) tabs.emplace(tabs.begin(), tab_widget, w);
  }
  for (const auto& [tab_widget, page] : tabs) {
    if (tab_widget->currentWidget() == page) continue;
    QTabBar* bar = tab_widget->tabBar();
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(tab_widget->indexOf(page)).center());
  }
  // The window that holds the control takes the keyboard, as a window manager gives it to the
  // window the user works in. (A dialog counts as active while its owner is, but the keys must go
  // to the dialog itself.)
  QWidget* window = control->window();
  if (QApplication::activeWindow() != window) {
    window->activateWindow();
    // The offscreen platform does not activate dialog windows on request.
    if (!QTest::qWaitForWindowActive(window, 500) || QApplication::activeWindow() != window)
      QApplication::setActiveWindow(window);
  }
}

namespace {
// The control a focused widget belongs to: itself or its nearest ancestor with a name of ours.
QWidget* NamedControl(QWidget* widget) {
  while (widget != nullptr &&
         (widget->objectName().isEmpty() || widget->objectName().startsWith(QLatin1String("qt_"))))
    widget = widget->parentWidget();
  return widget;
}
}  // namespace

QStringList WindowFixture::TabChain(QWidget* first, QWidget* scope) {
  Reveal(first);
  QStringList names;
  first->setFocus(Qt::TabFocusReason);
  QWidget* at = QApplication::focusWidget();
  for (int i = 0; i < 60 && at != nullptr; ++i) {
    QWidget* named = NamedControl(at);
    if (named != nullptr && (names.isEmpty() || names.back() != named->objectName()))
      names << named->objectName();
    QTest::keyClick(at, Qt::Key_Tab);
    at = QApplication::focusWidget();
    if (at == nullptr || !scope->isAncestorOf(at) || at == first) break;
  }
  return names;
}

QStringList WindowFixture::Focusable(QWidget* scope) {
  QStringList names;
  for (QWidget* w : scope->findChildren<QWidget*>()) {
    if (!(w->focusPolicy() & Qt::TabFocus) || !w->isVisible() || !w->isEnabled()) continue;
    if (auto* radio = qobject_cast<QRadioButton*>(w);
        radio != nullptr && radio->group() != nullptr && radio->group()->exclusive() &&
        radio->group()->checkedButton() != nullptr && !radio->isChecked())
      continue;
    QWidget* named = NamedControl(w);
    if (named != nullptr && !names.contains(named->objectName())) names << named->objectName();
  }
  names.sort();
  return names;
}

void WindowFixture::CheckTabWalk(QWidget* first, QWidget* scope, const QStringList& order) {
  const QStringList walked = TabChain(first, scope);
  QCOMPARE(walked, order);
  QStringList reached = walked;
  reached.sort();
  QCOMPARE(reached, Focusable(scope));
}

void WindowFixture::ShowPage(const char* page_name) {
  Reveal(Find(page_name));
}

void WindowFixture::Click(QWidget* control) {
  Reveal(control);
  if (qobject_cast<QCheckBox*>(control) != nullptr ||
      qobject_cast<QRadioButton*>(control) != nullptr)
    QTest::mouseClick(control, Qt::LeftButton, {}, QPoint(6, control->height() / 2));
  else if (auto* edit = qobject_cast<QPlainTextEdit*>(control))
    QTest::mouseClick(edit->viewport(), Qt::LeftButton);
  else
    QTest::mouseClick(control, Qt::LeftButton);
}

namespace {
QWidget* TypingTarget(QWidget* editor) {
  if (auto* box = qobject_cast<QComboBox*>(editor); box != nullptr && box->lineEdit() != nullptr)
    return box->lineEdit();
  if (auto* spin = qobject_cast<QAbstractSpinBox*>(editor)) return spin->findChild<QLineEdit*>();
  if (auto* edit = qobject_cast<QPlainTextEdit*>(editor)) return edit->viewport();
  return editor;
}
}  // namespace

void WindowFixture::Type(QWidget* editor, const QString& text) {
  Reveal(editor);
  QWidget* target = TypingTarget(editor);
  QTest::mouseClick(target, Qt::LeftButton, {}, QPoint(4, 4));
  QTest::keyClick(target, Qt::Key_A, Qt::ControlModifier);
  QTest::keyClick(target, Qt::Key_Delete);
  const QStringList lines = text.split(QLatin1Char('\n'));
  for (int i = 0; i < lines.size(); ++i) {
    if (i > 0) QTest::keyClick(target, Qt::Key_Return);
    QTest::keyClicks(target, lines[i]);
  }
}

void WindowFixture::Leave(QWidget* editor) {
  QWidget* focused = QApplication::focusWidget();
  QTest::keyClick(focused != nullptr ? focused : editor, Qt::Key_Tab);
}

void WindowFixture::Choose(QWidget* combo, int index) {
  auto* box = qobject_cast<QComboBox*>(combo);
  Reveal(box);
  box->setFocus(Qt::TabFocusReason);
  while (box->currentIndex() < index) QTest::keyClick(box, Qt::Key_Down);
  while (box->currentIndex() > index) QTest::keyClick(box, Qt::Key_Up);
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
