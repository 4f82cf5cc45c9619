#pragma once
// The kinds of option editor, and what each edits: the one place that knows the widget kinds. A
// binding pairs a control class with a typed target (a per-FAQ value of a C++ type, or a document
// section); only the pairings that have an Editor below compile, so a text field cannot be bound to
// a number, nor a check box to a colour.
#include <QCheckBox>
#include <QColor>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSpinBox>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "store/faq.h"
#include "store/values.h"
#include "widgets/colour_panel.h"
#include "widgets/editor_text.h"
#include "widgets/qt_text.h"
#include "widgets/radio_group.h"

namespace quorella::app {

// A per-FAQ value read and written as a T: std::string, std::int32_t, bool or QColor (stored as
// 0x00BBGGRR). The values table must give the value the kind of T; the binder checks that.
template <typename T>
struct Setting {
  using Value = T;
  FaqValue value;
};
// A section of the document, edited as its whole text.
struct Section {
  using Value = std::string;
  FixedSection section;
};

constexpr Setting<std::string> TextValue(FaqValue value) {
  return {value};
}
constexpr Setting<std::int32_t> NumberValue(FaqValue value) {
  return {value};
}
constexpr Setting<bool> FlagValue(FaqValue value) {
  return {value};
}
constexpr Setting<QColor> ColourValue(FaqValue value) {
  return {value};
}
constexpr Section SectionText(FixedSection section) {
  return {section};
}

// What an editor asks of the binder that drives it.
class EditorHost {
 public:
  virtual ~EditorHost() = default;
  // The receiver of the editors' signal connections; it outlives them.
  virtual QObject* context() = 0;
  // Runs `store` each time `editor` loses the input focus.
  virtual void WatchExit(QWidget* editor, std::function<void()> store) = 0;
  // The shared colour picker; nullopt when cancelled.
  virtual std::optional<QColor> PickColour() = 0;
};

// Editor<Control, Target>: how that control shows the target's value, reads it back, and when it
// stores (`store` writes what Read gives). The primary template has no editor.
template <typename Control, typename Target>
struct Editor {
  static constexpr bool kDefined = false;
};

template <typename Control, typename Target>
concept EditorFor = Editor<Control, Target>::kDefined;

// One-line fields: stored when left.
template <>
struct Editor<QLineEdit, Setting<std::string>> {
  static constexpr bool kDefined = true;
  static void Show(QLineEdit* edit, const std::string& text) { edit->setText(widgets::ToQt(text)); }
  static std::string Read(const QLineEdit* edit) { return widgets::FromQt(edit->text()); }
  static void Connect(QLineEdit* edit, EditorHost& host, std::function<void()> store) {
    host.WatchExit(edit, std::move(store));
  }
};

// Code editors: a section, one line of the editor per line, stored when left.
template <>
struct Editor<QPlainTextEdit, Section> {
  static constexpr bool kDefined = true;
  static void Show(QPlainTextEdit* editor, const std::string& text) {
    editor->setPlainText(widgets::ToQt(text));
  }
  static std::string Read(const QPlainTextEdit* editor) {
    return widgets::FromQt(widgets::EditorText(editor));
  }
  static void Connect(QPlainTextEdit* editor, EditorHost& host, std::function<void()> store) {
    host.WatchExit(editor, std::move(store));
  }
};

// The font field: any text, also one not in its list, stored on every change of its text.
template <>
struct Editor<QComboBox, Setting<std::string>> {
  static constexpr bool kDefined = true;
  static void Show(QComboBox* box, const std::string& text) {
    box->setEditText(widgets::ToQt(text));
  }
  static std::string Read(const QComboBox* box) { return widgets::FromQt(box->currentText()); }
  static void Connect(QComboBox* box, EditorHost& host, std::function<void()> store) {
    QObject::connect(box, &QComboBox::editTextChanged, host.context(), std::move(store));
  }
};

template <>
struct Editor<QCheckBox, Setting<bool>> {
  static constexpr bool kDefined = true;
  static void Show(QCheckBox* check, bool on) { check->setChecked(on); }
  static bool Read(const QCheckBox* check) { return check->isChecked(); }
  static void Connect(QCheckBox* check, EditorHost& host, std::function<void()> store) {
    QObject::connect(check, &QCheckBox::clicked, host.context(), std::move(store));
  }
};

template <>
struct Editor<QSpinBox, Setting<std::int32_t>> {
  static constexpr bool kDefined = true;
  static void Show(QSpinBox* spin, std::int32_t number) { spin->setValue(number); }
  static std::int32_t Read(const QSpinBox* spin) { return spin->value(); }
  static void Connect(QSpinBox* spin, EditorHost& host, std::function<void()> store) {
    QObject::connect(spin, &QSpinBox::valueChanged, host.context(), std::move(store));
  }
};

template <>
struct Editor<widgets::RadioGroup, Setting<std::int32_t>> {
  static constexpr bool kDefined = true;
  static void Show(widgets::RadioGroup* radio, std::int32_t index) { radio->SetItemIndex(index); }
  static std::int32_t Read(const widgets::RadioGroup* radio) { return radio->ItemIndex(); }
  static void Connect(widgets::RadioGroup* radio, EditorHost& host, std::function<void()> store) {
    QObject::connect(radio, &widgets::RadioGroup::Clicked, host.context(), std::move(store));
  }
};

// Colour panels and labels: stored when a colour is picked in the shared picker.
template <typename Control>
void ConnectColourPick(Control* control, EditorHost& host, std::function<void()> store) {
  QObject::connect(control, &Control::Clicked, host.context(), [control, &host, store] {
    const std::optional<QColor> picked = host.PickColour();
    if (!picked) return;
    Editor<Control, Setting<QColor>>::Show(control, *picked);
    store();
  });
}

// A panel shows its colour as its background.
template <>
struct Editor<widgets::ColourPanel, Setting<QColor>> {
  static constexpr bool kDefined = true;
  static void Show(widgets::ColourPanel* panel, const QColor& colour) {
    panel->SetBackground(colour);
  }
  static QColor Read(const widgets::ColourPanel* panel) { return panel->Background(); }
  static void Connect(widgets::ColourPanel* panel, EditorHost& host, std::function<void()> store) {
    ConnectColourPick(panel, host, std::move(store));
  }
};

// A label shows its colour as its text colour; a panel's first label also colours its caption.
template <>
struct Editor<widgets::ColourLabel, Setting<QColor>> {
  static constexpr bool kDefined = true;
  static void Show(widgets::ColourLabel* label, const QColor& colour) {
    label->SetColour(colour);
    if (widgets::ColourPanel* panel = widgets::CaptionedBy(label)) panel->SetCaptionColour(colour);
  }
  static QColor Read(const widgets::ColourLabel* label) { return label->Colour(); }
  static void Connect(widgets::ColourLabel* label, EditorHost& host, std::function<void()> store) {
    ConnectColourPick(label, host, std::move(store));
  }
};

}  // namespace quorella::app
