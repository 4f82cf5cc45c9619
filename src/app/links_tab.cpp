#include "app/links_tab.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "app/page_parts.h"

namespace quorella::app {

LinksTab::LinksTab(QWidget* parent) : QWidget(parent) {
  auto* layout = new QVBoxLayout(this);
  auto* links = new QGroupBox(QStringLiteral(" Custom text for links "), this);
  auto* form = new QFormLayout(links);
  const struct {
    const char* edit;
    const char* label;
    const char* caption;
  } rows[] = {{"LinkQuestions", "HLabel3", "Que&stions"},
              {"LinkTop", "HLabel4", "Go to to&p"},
              {"LinkPrevious", "HLabel5", "P&revious"},
              {"LinkNext", "HLabel6", "Ne&xt"}};
  for (const auto& row : rows) {
    QLineEdit* edit = HintEdit(row.edit, links);
    form->addRow(HintCaption(QString::fromLatin1(row.caption), row.label, links, edit), edit);
  }
  layout->addWidget(links);
  auto* static_text = new QGroupBox(QStringLiteral(" Static text "), this);
  auto* static_form = new QVBoxLayout(static_text);
  QLineEdit* click_on_q = HintEdit("staticClickOnQ", static_text);
  static_form->addWidget(
      Caption(QStringLiteral("Click on a question for the ans&wer"), static_text, click_on_q));
  static_form->addWidget(click_on_q);
  layout->addWidget(static_text);
  layout->addStretch();
}

}  // namespace quorella::app
