#include "app/answer_page_tab.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "app/page_parts.h"

namespace quorella::app {

AnswerPageTab::AnswerPageTab(QWidget* parent) : ColourPageTab(parent) {
  auto* grid = new QGridLayout(this);
  colours_ = PageColourPanel(QStringLiteral(" Colors "), "APageColor",
                             QStringLiteral("Answer page background color"),
                             {"ATextColor", "ALinkColor", "AVLinkColor", "AALinkColor"}, this);
  grid->addWidget(colours_.panel, 0, 0, 2, 1);
  widgets::ColourPanel* question_colours =
      ColourPanel(QStringLiteral(" Question Colors "), "AQuestionBackColor",
                  QStringLiteral("Question background color"), this);
  auto* question_layout = new QVBoxLayout(question_colours);
  question_layout->addWidget(
      Named(new widgets::ColourLabel(QStringLiteral("Question Text Color"), question_colours),
            "AQTextColor"));
  grid->addWidget(question_colours, 0, 1);
  butACeqQC = Named(new QPushButton(QStringLiteral("Set to Question colors"), this), "butACeqQC");
  butACeqQC->setProperty("helpTopic", 270);
  grid->addWidget(butACeqQC, 1, 1, Qt::AlignTop);
  auto* image = HintEdit("AnswerBackImage", this);
  grid->addWidget(HintCaption(QStringLiteral("Background &image URL"), "HLabel2", this, image), 2,
                  0);
  grid->addWidget(image, 2, 1);
  grid->addWidget(HeaderFooterTabs("AnswerCodeTabs", "Header", QStringLiteral("Answer page header"),
                                   "Footer", QStringLiteral("Answer page footer"), this),
                  3, 0, 1, 2);
  grid->setRowStretch(3, 1);
  grid->setColumnStretch(1, 1);
  connect(butACeqQC, &QPushButton::clicked, this, &AnswerPageTab::butACeqQCClick);
}

void AnswerPageTab::SetFramesLayout(bool frames) {
  butACeqQC->setEnabled(frames);
}

void AnswerPageTab::butACeqQCClick() {
  CopyColoursFromSource();
}

}  // namespace quorella::app
