#include "app/exit_watcher.h"

#include <QApplication>
#include <QEvent>
#include <QWidget>

namespace quorella::app {

void ExitWatcher::Watch(QWidget* editor, std::function<void()> on_exit) {
  editor->installEventFilter(this);
  watched_.emplace_back(editor, std::move(on_exit));
}

void ExitWatcher::CommitFocused() {
  RunFor(QApplication::focusWidget());
}

bool ExitWatcher::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::FocusOut) RunFor(watched);
  return QObject::eventFilter(watched, event);
}

void ExitWatcher::RunFor(const QObject* editor) {
  if (editor == nullptr) return;
  for (const auto& [widget, on_exit] : watched_)
    if (widget == editor) on_exit();
}

}  // namespace quorella::app
