#pragma once
// Editors that store their content when the user leaves them. One watcher serves the whole main
// window, so "store the editor in use" (before Go, a FAQ switch or closing) is one call.
#include <QObject>

#include <functional>
#include <vector>

class QWidget;

namespace quorella::app {

class ExitWatcher : public QObject {
  Q_OBJECT
 public:
  using QObject::QObject;

  // `on_exit` runs each time `editor` loses the input focus.
  void Watch(QWidget* editor, std::function<void()> on_exit);
  // Runs the exit handler of the editor that has the input focus, as leaving it would.
  void CommitFocused();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void RunFor(const QObject* editor);
  std::vector<std::pair<QWidget*, std::function<void()>>> watched_;
};

}  // namespace quorella::app
