#include "app/layout_tab.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>

#include "app/page_parts.h"
#include "store/values.h"
#include "widgets/radio_group.h"

namespace quorella::app {

LayoutTab::LayoutTab(QWidget* parent) : QWidget(parent) {
  auto* grid = new QGridLayout(this);
  RadioPageStyle = Radios("RadioPageStyle", QStringLiteral(" Style "),
                          {QStringLiteral("Classic"), QStringLiteral("Modern")}, this);
  grid->addWidget(RadioPageStyle, 0, 0);
  auto* modern = new QFormLayout();
  edtLanguage = LineEdit("edtLanguage", this);
  edtLanguage->setMaximumWidth(90);
  modern->addRow(Caption(QStringLiteral("&Language"), this, edtLanguage), edtLanguage);
  edtDescription = HintEdit("edtDescription", this);
  modern->addRow(Caption(QStringLiteral("&Description"), this, edtDescription), edtDescription);
  edtSiteAddress = HintEdit("edtSiteAddress", this);
  modern->addRow(Caption(QStringLiteral("&Site address"), this, edtSiteAddress), edtSiteAddress);
  auto* checks = new QHBoxLayout();
  chkUseMyColors = Named(new QCheckBox(QStringLiteral("Use my colou&rs"), this), "chkUseMyColors");
  checks->addWidget(chkUseMyColors);
  chkStructuredData =
      Named(new QCheckBox(QStringLiteral("Structured data for search eng&ines"), this),
            "chkStructuredData");
  checks->addWidget(chkStructuredData);
  checks->addStretch(1);
  modern->addRow(QString(), checks);
  grid->addLayout(modern, 0, 1, 1, 2);

  RadioLayout = Radios("RadioLayout", QStringLiteral(" Layout "),
                       {QStringLiteral("Simple"), QStringLiteral("Frames")}, this);
  grid->addWidget(RadioLayout, 1, 0);
  RadioFrames = Radios("RadioFrames", QStringLiteral(" Frames "),
                       {QStringLiteral("Horizontal"), QStringLiteral("Vertical")}, this);
  grid->addWidget(RadioFrames, 1, 1);
  RadioAnswers = Radios("RadioAnswers", QStringLiteral(" Answers "),
                        {QStringLiteral("One per page"), QStringLiteral("All on same page")}, this);
  grid->addWidget(RadioAnswers, 1, 2);

  auto* names = new QFormLayout();
  PagePrefix = HintEdit("PagePrefix", this);
  lblPagePrefix =
      Named(Caption(QStringLiteral("Sub-page &prefix"), this, PagePrefix), "lblPagePrefix");
  names->addRow(lblPagePrefix, PagePrefix);
  APageName = HintEdit("APageName", this);
  lblAPage = Named(Caption(QStringLiteral("Answers page na&me"), this, APageName), "lblAPage");
  names->addRow(lblAPage, APageName);
  FrameSize = LineEdit("FrameSize", this);
  lblFrameSize =
      Named(Caption(QStringLiteral("Questions &frame size"), this, FrameSize), "lblFrameSize");
  names->addRow(lblFrameSize, FrameSize);
  FrameIt = Named(new QCheckBox(QStringLiteral("Set frames always"), this), "FrameIt");
  FrameIt->setToolTip(QStringLiteral("Always view in frames"));
  names->addRow(QString(), FrameIt);
  grid->addLayout(names, 2, 0, 1, 3);
  FrameHead = CodeEditor("FrameHead", this);
  lblFrameHead =
      Named(Caption(QStringLiteral("Frameset &header code (<head>...</head>)"), this, FrameHead),
            "lblFrameHead");
  grid->addWidget(lblFrameHead, 3, 0, 1, 3);
  grid->addWidget(FrameHead, 4, 0, 1, 3);
  grid->setRowStretch(4, 1);

  connect(RadioLayout, &widgets::RadioGroup::Clicked, this, &LayoutTab::RadioLayoutClick);
  connect(RadioAnswers, &widgets::RadioGroup::Clicked, this, &LayoutTab::RadioAnswersClick);
  connect(RadioPageStyle, &widgets::RadioGroup::Clicked, this, &LayoutTab::ApplyLayoutRules);
}

void LayoutTab::RadioLayoutClick() {
  ApplyLayoutRules();
}

void LayoutTab::RadioAnswersClick() {
  ApplyLayoutRules();
}

void LayoutTab::ApplyLayoutRules() {
  // The modern style has no frames: a framed layout chosen before stays stored, out of effect.
  const bool modern = RadioPageStyle->ItemIndex() == kPageStyleModern;
  RadioLayout->Button(kLayoutFrames)->setEnabled(!modern);
  const bool frames = !modern && RadioLayout->ItemIndex() == kLayoutFrames;
  const bool all_on_one = RadioAnswers->ItemIndex() == kAllOnSamePage;
  for (QWidget* control : std::initializer_list<QWidget*>{RadioFrames, FrameSize, lblFrameSize,
                                                          FrameIt, FrameHead, lblFrameHead})
    control->setEnabled(frames);
  APageName->setEnabled(frames && all_on_one);
  lblAPage->setEnabled(frames && all_on_one);
  PagePrefix->setEnabled(!all_on_one);
  lblPagePrefix->setEnabled(!all_on_one);
  emit FramesChosen(frames);
}

}  // namespace quorella::app
