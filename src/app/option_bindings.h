#pragma once
// The option editors of the pages: which control (by objectName and class) shows and stores which
// per-FAQ value or document section. Each row is typed: Bind<Control>(name, target) compiles only
// for a pairing that option_editors.h has an editor for, and that editor decides when the control
// stores. Adding an option is one row here and its control on its page.
#include <memory>
#include <span>
#include <stdexcept>
#include <string>
#include <variant>

#include "app/option_editors.h"

namespace quorella::app {

// Reads and writes the current FAQ's values and sections for the editors (the binder).
class OptionValues {
 public:
  virtual ~OptionValues() = default;
  virtual std::string Get(Setting<std::string> target) const = 0;
  virtual std::int32_t Get(Setting<std::int32_t> target) const = 0;
  virtual bool Get(Setting<bool> target) const = 0;
  virtual QColor Get(Setting<QColor> target) const = 0;
  virtual std::string Get(Section target) const = 0;
  virtual void Put(Setting<std::string> target, const std::string& text) = 0;
  virtual void Put(Setting<std::int32_t> target, std::int32_t number) = 0;
  virtual void Put(Setting<bool> target, bool on) = 0;
  virtual void Put(Setting<QColor> target, const QColor& colour) = 0;
  virtual void Put(Section target, const std::string& text) = 0;
};

// One row's control, joined to its target.
class BoundEditor {
 public:
  virtual ~BoundEditor() = default;
  virtual QWidget* control() const = 0;
  virtual void Show(const OptionValues& values) = 0;
  virtual void Write(OptionValues& values) = 0;
};

struct OptionBinding;
using MakeBoundEditor = std::unique_ptr<BoundEditor> (*)(QWidget* root, const OptionBinding& row,
                                                         EditorHost& host,
                                                         std::function<void()> store);

struct OptionBinding {
  const char* control;                          // the control's objectName
  std::variant<FaqValue, FixedSection> target;  // the value or section it edits
  MakeBoundEditor make;                         // the typed editor of this row
};

namespace detail {

template <typename T>
constexpr ValueKind KindOf() {
  if constexpr (std::is_same_v<T, std::string>) return ValueKind::String;
  if constexpr (std::is_same_v<T, std::int32_t>) return ValueKind::Integer;
  if constexpr (std::is_same_v<T, bool>) return ValueKind::Boolean;
  if constexpr (std::is_same_v<T, QColor>) return ValueKind::Colour;
}

template <typename Target>
Target TypedTarget(const OptionBinding& row) {
  if constexpr (std::is_same_v<Target, Section>) {
    return Target{std::get<FixedSection>(row.target)};
  } else {
    const FaqValue value = std::get<FaqValue>(row.target);
    // The values table is the one place that gives a value its kind.
    if (Definition(value).kind != KindOf<typename Target::Value>())
      throw std::logic_error(std::string(row.control) + " is bound to " +
                             std::string(Definition(value).name) + " as a value of another kind");
    return Target{value};
  }
}

template <typename Control, typename Target>
class TypedEditor final : public BoundEditor {
 public:
  TypedEditor(Control* control, Target target) : control_(control), target_(target) {}
  QWidget* control() const override { return control_; }
  void Show(const OptionValues& values) override {
    Editor<Control, Target>::Show(control_, values.Get(target_));
  }
  void Write(OptionValues& values) override {
    values.Put(target_, Editor<Control, Target>::Read(control_));
  }

 private:
  Control* control_;
  Target target_;
};

template <typename Control, typename Target>
std::unique_ptr<BoundEditor> Make(QWidget* root, const OptionBinding& row, EditorHost& host,
                                  std::function<void()> store) {
  auto* control = root->findChild<Control*>(QString::fromLatin1(row.control));
  if (control == nullptr)
    throw std::logic_error(std::string("no control named ") + row.control + " of class " +
                           Control::staticMetaObject.className());
  auto editor = std::make_unique<TypedEditor<Control, Target>>(control, TypedTarget<Target>(row));
  Editor<Control, Target>::Connect(control, host, std::move(store));
  return editor;
}

}  // namespace detail

template <typename Control, typename T>
requires EditorFor<Control, Setting<T>>
constexpr OptionBinding Bind(const char* control, Setting<T> target) {
  return {control, target.value, &detail::Make<Control, Setting<T>>};
}

template <typename Control>
requires EditorFor<Control, Section>
constexpr OptionBinding Bind(const char* control, Section target) {
  return {control, target.section, &detail::Make<Control, Section>};
}

// In page order; within a colour panel the panel comes before its labels, which is also the order
// in which copied colours are written.
std::span<const OptionBinding> OptionBindings();

}  // namespace quorella::app
