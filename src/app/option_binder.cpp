#include "app/option_binder.h"

#include <QScopedValueRollback>

#include "app/error_box.h"
#include "app/exit_watcher.h"
#include "store/app_context.h"
#include "widgets/desktop_services.h"
#include "widgets/qt_text.h"

namespace quorella::app {

OptionBinder::OptionBinder(QWidget* root, AppContext& context, Faq& faq, ExitWatcher& exits,
                           SectionWriter write_section)
    : QObject(root),
      root_(root),
      context_(context),
      faq_(faq),
      exits_(exits),
      write_section_(std::move(write_section)) {
  for (const OptionBinding& binding : OptionBindings()) {
    const std::size_t row = bound_.size();
    bound_.push_back(binding.make(root, binding, *this, [this, row] { StoreAt(row); }));
  }
}

void OptionBinder::Load() {
  const QScopedValueRollback<bool> loading(loading_, true);
  for (const auto& bound : bound_) bound->Show(*this);
}

void OptionBinder::Store(QWidget* control) {
  for (std::size_t row = 0; row < bound_.size(); ++row)
    if (bound_[row]->control() == control) StoreAt(row);
}

void OptionBinder::StoreAt(std::size_t row) {
  if (loading_) return;
  RunGuarded(root_, [&] { bound_[row]->Write(*this); });
}

void OptionBinder::WatchExit(QWidget* editor, std::function<void()> store) {
  exits_.Watch(editor, std::move(store));
}

std::optional<QColor> OptionBinder::PickColour() {
  const auto picked = widgets::Desktop().PickColour(root_, last_picked_);
  if (picked) last_picked_ = *picked;
  return picked;
}

std::string OptionBinder::Get(Setting<std::string> target) const {
  return faq_.values.Text(target.value);
}
std::int32_t OptionBinder::Get(Setting<std::int32_t> target) const {
  return faq_.values.Integer(target.value);
}
bool OptionBinder::Get(Setting<bool> target) const {
  return faq_.values.Boolean(target.value);
}
QColor OptionBinder::Get(Setting<QColor> target) const {
  return widgets::ColourFromStored(faq_.values.Integer(target.value));
}
std::string OptionBinder::Get(Section target) const {
  return faq_.Section(target.section);
}

void OptionBinder::Put(Setting<std::string> target, const std::string& text) {
  // The start page's editor writes its value spelled "Startpage"; it is the same value.
  if (target.value == FaqValue::StartPage)
    context_.settings().WriteSettingString(faq_.key, kStartPageWrittenName, text);
  else
    WriteFaqValue(context_.settings(), faq_.key, target.value, std::string_view(text));
  faq_.values.SetText(target.value, text);
}
void OptionBinder::Put(Setting<std::int32_t> target, std::int32_t number) {
  WriteFaqValue(context_.settings(), faq_.key, target.value, number);
  faq_.values.SetInteger(target.value, number);
}
void OptionBinder::Put(Setting<bool> target, bool on) {
  Put(Setting<std::int32_t>{target.value}, on ? 1 : 0);
}
void OptionBinder::Put(Setting<QColor> target, const QColor& colour) {
  Put(Setting<std::int32_t>{target.value}, widgets::StoredFromColour(colour));
}
void OptionBinder::Put(Section target, const std::string& text) {
  write_section_(target.section, text);
}

}  // namespace quorella::app
