#include "app/page_parts.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include "widgets/colour_panel.h"
#include "widgets/hint_controls.h"
#include "widgets/radio_group.h"

namespace quorella::app {

QToolButton* ToolButton(const char* name, const char* icon, const QString& hint, QWidget* parent) {
  auto* button = Named(new QToolButton(parent), name);
  button->setIcon(QIcon(QStringLiteral(":/icons/%1.svg").arg(QLatin1String(icon))));
  button->setIconSize(QSize(16, 16));
  button->setToolTip(hint);
  button->setAccessibleName(hint);
  button->setAutoRaise(true);
  button->setFocusPolicy(Qt::StrongFocus);
  return button;
}

QLineEdit* LineEdit(const char* name, QWidget* parent) {
  return Named(new QLineEdit(parent), name);
}

QLineEdit* HintEdit(const char* name, QWidget* parent) {
  return Named(new widgets::THEdit(parent), name);
}

namespace {
void Label(QLabel* label, QWidget* buddy) {
  label->setTextFormat(Qt::PlainText);
  if (buddy == nullptr) return;
  label->setBuddy(buddy);
  QString name = label->text();
  name.remove(QLatin1Char('&'));
  buddy->setAccessibleName(name.trimmed());
}
}  // namespace

QLabel* Caption(const QString& text, QWidget* parent, QWidget* buddy) {
  auto* label = new QLabel(text, parent);
  Label(label, buddy);
  return label;
}

QLabel* HintCaption(const QString& text, const char* name, QWidget* parent, QWidget* buddy) {
  auto* label = Named(new widgets::THLabel(text, parent), name);
  Label(label, buddy);
  return label;
}

widgets::RadioGroup* Radios(const char* name, const QString& caption, const QStringList& items,
                            QWidget* parent) {
  auto* group = Named(new widgets::RadioGroup(caption, items, parent), name);
  for (int i = 0; i < items.size(); ++i)
    group->Button(i)->setObjectName(QString::fromLatin1(name) + QString::number(i));
  return group;
}

QPlainTextEdit* CodeEditor(const char* name, QWidget* parent) {
  auto* editor = Named(new QPlainTextEdit(parent), name);
  editor->setLineWrapMode(QPlainTextEdit::NoWrap);
  editor->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  editor->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  editor->setTabChangesFocus(true);
  QFont mono(QStringLiteral("monospace"));
  mono.setStyleHint(QFont::TypeWriter);
  editor->setFont(mono);
  return editor;
}

QTabWidget* HeaderFooterTabs(const char* name, const char* header_name, const QString& header_tab,
                             const char* footer_name, const QString& footer_tab, QWidget* page) {
  auto* tabs = Named(new QTabWidget(page), name);
  QPlainTextEdit* header = CodeEditor(header_name, tabs);
  QPlainTextEdit* footer = CodeEditor(footer_name, tabs);
  header->setAccessibleName(header_tab);
  footer->setAccessibleName(footer_tab);
  tabs->addTab(header, header_tab);
  tabs->addTab(footer, footer_tab);
  return tabs;
}

widgets::ColourPanel* ColourPanel(const QString& caption, const char* name,
                                  const QString& colour_name, QWidget* page) {
  auto* panel = Named(new widgets::ColourPanel(caption, page), name);
  panel->setToolTip(QStringLiteral("Click to change color"));
  panel->setAccessibleName(colour_name);
  return panel;
}

widgets::PageColours PageColourPanel(const QString& caption, const char* panel_name,
                                     const QString& colour_name,
                                     const std::array<const char*, 4>& label_names, QWidget* page) {
  widgets::ColourPanel* panel = ColourPanel(caption, panel_name, colour_name, page);
  auto* layout = new QVBoxLayout(panel);
  const QString texts[] = {QStringLiteral("Text Color"), QStringLiteral("Link Color"),
                           QStringLiteral("Visited Link Color"),
                           QStringLiteral("Active Link Color")};
  std::array<widgets::ColourLabel*, 4> labels{};
  for (std::size_t i = 0; i < labels.size(); ++i) {
    labels[i] = Named(new widgets::ColourLabel(texts[i], panel), label_names[i]);
    layout->addWidget(labels[i]);
  }
  return {panel, labels[0], labels[1], labels[2], labels[3]};
}

}  // namespace quorella::app
