#include "app/question_dialog.h"

#include <QAction>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include "widgets/editor_text.h"

namespace quorella::app {

namespace {
QString CaptionFor(QuestionMode mode) {
  return mode == QuestionMode::Edit ? QStringLiteral("Question (edit)")
                                    : QStringLiteral("Question");
}
}  // namespace

TfrmQuestion::TfrmQuestion(QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
  setObjectName(QStringLiteral("frmQuestion"));
  setWindowTitle(CaptionFor(mode_));
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
    return std::pair{b, bar->addWidget(b)};
  };
  butQOK = button("butQOK", "ok", QStringLiteral("&OK")).first;
  butQCancel = button("butQCancel", "cancel", QStringLiteral("&Cancel")).first;
  std::tie(butQAddAnother, add_another_) =
      button("butQAddAnother", "question-add", QStringLiteral("&Add another"));
  layout->addWidget(bar);
  Question = new QPlainTextEdit(this);
  Question->setObjectName(QStringLiteral("Question"));
  Question->setAccessibleName(QStringLiteral("Question"));
  Question->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  Question->setTabChangesFocus(true);
  layout->addWidget(Question);
  // The text comes first for the keyboard, then the buttons.
  setTabOrder(Question, butQOK);
  setTabOrder(butQOK, butQCancel);
  setTabOrder(butQCancel, butQAddAnother);
  connect(butQOK, &QToolButton::clicked, this, &TfrmQuestion::butQOKClick);
  connect(butQCancel, &QToolButton::clicked, this, &TfrmQuestion::butQCancelClick);
  connect(butQAddAnother, &QToolButton::clicked, this, &TfrmQuestion::butQAddAnotherClick);
}

void TfrmQuestion::ShowFor(QuestionMode mode, const QString& text) {
  mode_ = mode;
  setWindowTitle(CaptionFor(mode));
  add_another_->setVisible(mode == QuestionMode::Add);
  Question->setPlainText(text);
  if (QWidget* owner = parentWidget()) {
    QRect frame = frameGeometry();
    frame.moveCenter(owner->window()->frameGeometry().center());
    move(frame.topLeft());
  }
  show();
  raise();
  activateWindow();
  Question->setFocus();
}

void TfrmQuestion::butQOKClick() {
  emit OkPressed(mode_, widgets::EditorText(Question));
}

void TfrmQuestion::butQAddAnotherClick() {
  emit AddAnotherPressed(widgets::EditorText(Question));
  Question->setFocus();
}

void TfrmQuestion::butQCancelClick() {
  Finish();
}

void TfrmQuestion::Finish() {
  add_another_->setVisible(true);
  hide();
}

void TfrmQuestion::ClearForNext() {
  Question->clear();
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
