#include "app/question_page_tab.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>

#include "app/page_parts.h"

namespace quorella::app {

QuestionPageTab::QuestionPageTab(QWidget* parent) : ColourPageTab(parent) {
  auto* grid = new QGridLayout(this);
  auto* name = HintEdit("QPageName", this);
  grid->addWidget(Caption(QStringLiteral("Question page na&me"), this, name), 0, 0);
  grid->addWidget(name, 0, 1);
  colours_ = PageColourPanel(QStringLiteral("Colors"), "QPageColor",
                             QStringLiteral("Question page background color"),
                             {"QTextColor", "QLinkColor", "QVLinkColor", "QALinkColor"}, this);
  grid->addWidget(colours_.panel, 1, 0, 2, 1);
  butQCeqAC = Named(new QPushButton(QStringLiteral("Set to Answer colors"), this), "butQCeqAC");
  grid->addWidget(butQCeqAC, 1, 1, Qt::AlignTop);
  auto* image = HintEdit("QuestionBackImage", this);
  grid->addWidget(HintCaption(QStringLiteral("Background &image URL"), "lblQImage", this, image), 3,
                  0);
  grid->addWidget(image, 3, 1);
  QTabWidget* code =
      HeaderFooterTabs("QuestionCodeTabs", "QHeader", QStringLiteral("Question page header"),
                       "QFooter", QStringLiteral("Question page footer"), this);
  code->findChild<QPlainTextEdit*>(QStringLiteral("QFooter"))->setProperty("helpTopic", 300);
  grid->addWidget(code, 4, 0, 1, 2);
  grid->setRowStretch(4, 1);
  grid->setColumnStretch(1, 1);
  connect(butQCeqAC, &QPushButton::clicked, this, &QuestionPageTab::butQCeqACClick);
}

void QuestionPageTab::butQCeqACClick() {
  CopyColoursFromSource();
}

}  // namespace quorella::app
