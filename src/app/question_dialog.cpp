#include "app/question_dialog.h"

#include <QAction>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/main_window.h"
#include "widgets/qt_text.h"

namespace quorella::app {

TfrmQuestion::TfrmQuestion(TfrmMain* main_window)
    : QWidget(main_window, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      main_(main_window) {
  setObjectName(QStringLiteral("frmQuestion"));
  setWindowTitle(kAddCaption);
  resize(325, 190);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(2, 2, 2, 2);
  auto* bar = new QToolBar(this);
  bar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
  auto button = [&](const char* name, const char* icon, const QString& caption) {
    auto* b = new QToolButton(bar);
    b->setObjectName(QString::fromLatin1(name));
    b->setIcon(QIcon(QStringLiteral(":/icons/%1.svg").arg(QLatin1String(icon))));
    b->setText(caption);
    b->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    b->setFocusPolicy(Qt::StrongFocus);
    actions_.push_back(bar->addWidget(b));
    return b;
  };
  butQOK = button("butQOK", "ok", QStringLiteral("OK"));
  butQCancel = button("butQCancel", "cancel", QStringLiteral("Cancel"));
  butQAddAnother = button("butQAddAnother", "question-add", QStringLiteral("Add another"));
  add_another_ = actions_.back();
  layout->addWidget(bar);
  Question = new QPlainTextEdit(this);
  Question->setObjectName(QStringLiteral("Question"));
  Question->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  layout->addWidget(Question);
  connect(butQOK, &QToolButton::clicked, this, &TfrmQuestion::butQOKClick);
  connect(butQCancel, &QToolButton::clicked, this, &TfrmQuestion::butQCancelClick);
  connect(butQAddAnother, &QToolButton::clicked, this, &TfrmQuestion::butQAddAnotherClick);
}

void TfrmQuestion::ShowFor(const QString& caption, const QString& text, bool add_another_visible) {
  setWindowTitle(caption);
  add_another_->setVisible(add_another_visible);
  Question->setPlainText(text);
  show();
  raise();
  activateWindow();
  Question->setFocus();
}

void TfrmQuestion::butQOKClick() {
  const std::string text = widgets::FromQt(Question->toPlainText());
  // The caption decides between adding and editing.
  const bool done = windowTitle() == kEditCaption ? main_->EditQuestionFromDialog(text)
                                                  : main_->AddQuestionFromDialog(text);
  if (done) Finish();
}

void TfrmQuestion::butQAddAnotherClick() {
  if (main_->AddAnotherQuestionFromDialog(widgets::FromQt(Question->toPlainText())))
    Question->clear();
  Question->setFocus();
}

void TfrmQuestion::butQCancelClick() {
  Finish();
}

bool TfrmQuestion::AddAnotherShown() const {
  return add_another_->isVisible();
}

void TfrmQuestion::Finish() {
  add_another_->setVisible(true);
  hide();
}

void TfrmQuestion::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) {
    butQCancelClick();
    return;
  }
  // Enter in the question editor starts a new line; anywhere else it presses the default button,
  // OK.
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    butQOKClick();
    return;
  }
  QWidget::keyPressEvent(event);
}

}  // namespace quorella::app
