#pragma once
// Drives every option editor from the binding table: shows the current FAQ in them, stores each one
// when the user is done with it, and picks the colours of the colour panels and labels.
#include <QColor>
#include <QObject>

#include <vector>

#include "app/option_bindings.h"

class QWidget;

namespace quorella {
class AppContext;
}

namespace quorella::app {

class ExitWatcher;

class OptionBinder : public QObject {
  Q_OBJECT
 public:
  // Finds every bound control under `root` by its objectName and connects it. `faq` is the current
  // FAQ, loaded in place on each switch.
  OptionBinder(QWidget* root, AppContext& context, Faq& faq, ExitWatcher& exits);

  // Shows the current FAQ in every bound control; nothing is stored meanwhile.
  void Load();
  // Stores the content of a bound control now (a control picked or set by a page's own handler).
  void Store(QWidget* control);

 private:
  struct Bound {
    QWidget* control;
    OptionBinding binding;
  };
  void Connect(const Bound& bound, ExitWatcher& exits);
  void Show(const Bound& bound);
  void Write(const Bound& bound);
  void PickColour(QWidget* control);
  const Bound* Find(const QWidget* control) const;

  QWidget* root_;
  AppContext& context_;
  Faq& faq_;
  std::vector<Bound> bound_;
  bool loading_ = false;
  QColor last_picked_{Qt::black};  // the picker starts on the colour last picked in this run
};

}  // namespace quorella::app
