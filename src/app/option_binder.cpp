#include "app/option_binder.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScopedValueRollback>
#include <QSpinBox>

#include <stdexcept>

#include "app/error_box.h"
#include "app/exit_watcher.h"
#include "store/app_context.h"
#include "store/document.h"
#include "util/text_lines.h"
#include "widgets/colour_panel.h"
#include "widgets/desktop_services.h"
#include "widgets/editor_text.h"
#include "widgets/qt_text.h"
#include "widgets/radio_group.h"

namespace quorella::app {

using widgets::ColourFromStored;
using widgets::ColourLabel;
using widgets::ColourPanel;
using widgets::RadioGroup;
using widgets::ToQt;

namespace {

// The panel whose caption takes the colour of `label`: its first label's only.
ColourPanel* CaptionedBy(const ColourLabel* label) {
  auto* panel = qobject_cast<ColourPanel*>(label->parentWidget());
  return panel != nullptr && panel->findChild<ColourLabel*>() == label ? panel : nullptr;
}

bool IsTextChoice(const QComboBox* box, FaqValue value) {
  return box->isEditable() || Definition(value).kind == ValueKind::String;
}

}  // namespace

OptionBinder::OptionBinder(QWidget* root, AppContext& context, Faq& faq, ExitWatcher& exits)
    : QObject(root), root_(root), context_(context), faq_(faq) {
  for (const OptionBinding& binding : OptionBindings()) {
    auto* control = root->findChild<QWidget*>(QString::fromLatin1(binding.control));
    if (control == nullptr)
      throw std::logic_error(std::string("no control named ") + binding.control);
    bound_.push_back({control, binding});
    Connect(bound_.back(), exits);
  }
}

void OptionBinder::Connect(const Bound& bound, ExitWatcher& exits) {
  QWidget* control = bound.control;
  auto store = [this, control] { Store(control); };
  if (auto* panel = qobject_cast<ColourPanel*>(control)) {
    connect(panel, &ColourPanel::Clicked, this, [this, control] { PickColour(control); });
  } else if (auto* label = qobject_cast<ColourLabel*>(control)) {
    connect(label, &ColourLabel::Clicked, this, [this, control] { PickColour(control); });
  } else if (auto* radio = qobject_cast<RadioGroup*>(control)) {
    connect(radio, &RadioGroup::Clicked, this, store);
  } else if (auto* check = qobject_cast<QCheckBox*>(control)) {
    connect(check, &QCheckBox::clicked, this, store);
  } else if (auto* spin = qobject_cast<QSpinBox*>(control)) {
    connect(spin, &QSpinBox::valueChanged, this, store);
  } else if (auto* box = qobject_cast<QComboBox*>(control)) {
    if (box->isEditable())
      connect(box, &QComboBox::editTextChanged, this, store);
    else
      connect(box, &QComboBox::activated, this, store);
  } else if (qobject_cast<QLineEdit*>(control) != nullptr ||
             qobject_cast<QPlainTextEdit*>(control) != nullptr) {
    exits.Watch(control, store);
  } else {
    throw std::logic_error(std::string("no editor kind for ") + bound.binding.control);
  }
}

void OptionBinder::Load() {
  const QScopedValueRollback<bool> loading(loading_, true);
  for (const Bound& bound : bound_) Show(bound);
}

void OptionBinder::Show(const Bound& bound) {
  QWidget* control = bound.control;
  if (const auto* section = std::get_if<FixedSection>(&bound.binding.target)) {
    qobject_cast<QPlainTextEdit*>(control)->setPlainText(ToQt(faq_.Section(*section)));
    return;
  }
  const FaqValue value = std::get<FaqValue>(bound.binding.target);
  const FaqValues& v = faq_.values;
  if (auto* panel = qobject_cast<ColourPanel*>(control)) {
    panel->SetBackground(ColourFromStored(v.Integer(value)));
  } else if (auto* label = qobject_cast<ColourLabel*>(control)) {
    label->SetColour(ColourFromStored(v.Integer(value)));
    if (ColourPanel* captioned = CaptionedBy(label)) captioned->SetCaptionColour(label->Colour());
  } else if (auto* radio = qobject_cast<RadioGroup*>(control)) {
    radio->SetItemIndex(v.Integer(value));
  } else if (auto* check = qobject_cast<QCheckBox*>(control)) {
    check->setChecked(v.Boolean(value));
  } else if (auto* spin = qobject_cast<QSpinBox*>(control)) {
    spin->setValue(v.Integer(value));
  } else if (auto* box = qobject_cast<QComboBox*>(control)) {
    if (box->isEditable())
      box->setEditText(ToQt(v.Text(value)));  // any text, also one not in the list
    else if (IsTextChoice(box, value))
      box->setCurrentIndex(box->findText(ToQt(v.Text(value))));
    else
      box->setCurrentIndex(v.Integer(value));
  } else if (auto* edit = qobject_cast<QLineEdit*>(control)) {
    edit->setText(ToQt(v.Text(value)));
  }
}

void OptionBinder::Store(QWidget* control) {
  if (loading_) return;
  if (const Bound* bound = Find(control)) RunGuarded(root_, [&] { Write(*bound); });
}

void OptionBinder::Write(const Bound& bound) {
  QWidget* control = bound.control;
  if (const auto* section = std::get_if<FixedSection>(&bound.binding.target)) {
    const auto* editor = qobject_cast<QPlainTextEdit*>(control);
    WriteSection(faq_.document_path, SectionName(*section),
                 SplitLines(widgets::FromQt(widgets::EditorText(editor))));
    faq_.sections[static_cast<std::size_t>(*section)] =
        ReadSection(faq_.document_path, SectionName(*section));
    return;
  }
  const FaqValue value = std::get<FaqValue>(bound.binding.target);
  auto text = [&](const QString& shown) {
    std::string bytes = widgets::FromQt(shown);
    // The start page's editor writes its value spelled "Startpage"; it is the same value.
    if (value == FaqValue::StartPage)
      context_.settings().WriteSettingString(faq_.key, kStartPageWrittenName, bytes);
    else
      WriteFaqValue(context_.settings(), faq_.key, value, std::string_view(bytes));
    faq_.values.SetText(value, std::move(bytes));
  };
  auto number = [&](std::int32_t n) {
    WriteFaqValue(context_.settings(), faq_.key, value, n);
    faq_.values.SetInteger(value, n);
  };
  if (auto* panel = qobject_cast<ColourPanel*>(control)) {
    number(widgets::StoredFromColour(panel->Background()));
  } else if (auto* label = qobject_cast<ColourLabel*>(control)) {
    number(widgets::StoredFromColour(label->Colour()));
  } else if (auto* radio = qobject_cast<RadioGroup*>(control)) {
    number(radio->ItemIndex());
  } else if (auto* check = qobject_cast<QCheckBox*>(control)) {
    number(check->isChecked() ? 1 : 0);
  } else if (auto* spin = qobject_cast<QSpinBox*>(control)) {
    number(spin->value());
  } else if (auto* box = qobject_cast<QComboBox*>(control)) {
    if (IsTextChoice(box, value))
      text(box->currentText());
    else
      number(box->currentIndex());
  } else if (auto* edit = qobject_cast<QLineEdit*>(control)) {
    text(edit->text());
  }
}

void OptionBinder::PickColour(QWidget* control) {
  const auto picked = widgets::Desktop().PickColour(root_, last_picked_);
  if (!picked) return;
  last_picked_ = *picked;
  if (auto* panel = qobject_cast<ColourPanel*>(control)) panel->SetBackground(*picked);
  if (auto* label = qobject_cast<ColourLabel*>(control)) {
    label->SetColour(*picked);
    if (ColourPanel* panel = CaptionedBy(label)) panel->SetCaptionColour(*picked);
  }
  Store(control);
}

const OptionBinder::Bound* OptionBinder::Find(const QWidget* control) const {
  for (const Bound& bound : bound_)
    if (bound.control == control) return &bound;
  return nullptr;
}

}  // namespace quorella::app
