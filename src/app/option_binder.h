#pragma once
// Drives every option editor from the binding table: shows the current FAQ in them, stores each one
// when the user is done with it, and picks the colours of the colour panels and labels.
#include <QColor>
#include <QObject>

#include <functional>
#include <memory>
#include <vector>

#include "app/option_bindings.h"

class QWidget;

namespace quorella {
class AppContext;
}

namespace quorella::app {

class ExitWatcher;

class OptionBinder : public QObject, private EditorHost, private OptionValues {
  Q_OBJECT
 public:
  // Writes a section of the current FAQ's document (the window's question model does, so that
  // what it remembers of the document stays in step).
  using SectionWriter = std::function<void(FixedSection section, const std::string& text)>;

  // Finds every bound control under `root` by its objectName and class and connects it. `faq` is
  // the current FAQ, loaded in place on each switch.
  OptionBinder(QWidget* root, AppContext& context, Faq& faq, ExitWatcher& exits,
               SectionWriter write_section);

  // Shows the current FAQ in every bound control; nothing is stored meanwhile.
  void Load();
  // Stores the content of a bound control now (a control picked or set by a page's own handler).
  void Store(QWidget* control);

 private:
  void StoreAt(std::size_t row);

  // EditorHost
  QObject* context() override { return this; }
  void WatchExit(QWidget* editor, std::function<void()> store) override;
  std::optional<QColor> PickColour() override;

  // OptionValues
  std::string Get(Setting<std::string> target) const override;
  std::int32_t Get(Setting<std::int32_t> target) const override;
  bool Get(Setting<bool> target) const override;
  QColor Get(Setting<QColor> target) const override;
  std::string Get(Section target) const override;
  void Put(Setting<std::string> target, const std::string& text) override;
  void Put(Setting<std::int32_t> target, std::int32_t number) override;
  void Put(Setting<bool> target, bool on) override;
  void Put(Setting<QColor> target, const QColor& colour) override;
  void Put(Section target, const std::string& text) override;

  QWidget* root_;
  AppContext& context_;
  Faq& faq_;
  ExitWatcher& exits_;
  SectionWriter write_section_;
  std::vector<std::unique_ptr<BoundEditor>> bound_;
  bool loading_ = false;
  QColor last_picked_{Qt::black};  // the picker starts on the colour last picked in this run
};

}  // namespace quorella::app
