#pragma once
// The small pieces every page is built from. Each control gets its design name as objectName; a
// caption that labels an edit is that edit's buddy (the screen reader's name and the mnemonic).
#include <QString>
#include <QStringList>

#include <array>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QTabWidget;
class QToolButton;
class QWidget;

namespace quorella::widgets {
class ColourPanel;
struct PageColours;
class RadioGroup;
}  // namespace quorella::widgets

namespace quorella::app {

template <typename T>
T* Named(T* widget, const char* name) {
  widget->setObjectName(QString::fromLatin1(name));
  return widget;
}

// An icon-only tool button that takes the focus when clicked, so the editor being left stores
// first. Its hint is also its name for screen readers.
QToolButton* ToolButton(const char* name, const char* icon, const QString& hint, QWidget* parent);

QLineEdit* LineEdit(const char* name, QWidget* parent);
// An edit whose clipped text shows whole in the hint window.
QLineEdit* HintEdit(const char* name, QWidget* parent);

// A caption shown as typed ("<head>" is text, not markup); with `buddy` it labels that control.
QLabel* Caption(const QString& text, QWidget* parent, QWidget* buddy = nullptr);
// A caption with a clipped-text hint.
QLabel* HintCaption(const QString& text, const char* name, QWidget* parent, QWidget* buddy);

// A captioned radio group; its buttons are named after it, "RadioLayout0", "RadioLayout1", ...
widgets::RadioGroup* Radios(const char* name, const QString& caption, const QStringList& items,
                            QWidget* parent);

// A multi-line editor for code and text: no word wrap, both scroll bars, Tab moves the focus.
QPlainTextEdit* CodeEditor(const char* name, QWidget* parent);

// A page's header and footer editors, each on a tab of its own.
QTabWidget* HeaderFooterTabs(const char* name, const char* header_name, const QString& header_tab,
                             const char* footer_name, const QString& footer_tab, QWidget* page);

// A colour panel captioned `caption` with its four labels: text, link, visited and active link.
// `colour_name` names the panel's own colour for screen readers.
widgets::PageColours PageColourPanel(const QString& caption, const char* panel_name,
                                     const QString& colour_name,
                                     const std::array<const char*, 4>& label_names, QWidget* page);
// A colour panel alone; its labels are added by the caller.
widgets::ColourPanel* ColourPanel(const QString& caption, const char* name,
                                  const QString& colour_name, QWidget* page);

}  // namespace quorella::app
