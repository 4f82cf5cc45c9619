#include "app/question_dialog.h"

#include <QAction>
#include <QKeyEvent>
#include <QKeySequence>
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

// A dialog window rather than a tool window: while a tool window is active Qt keeps its owner's
// accelerators working too, and Alt+A would then be both "Add another" and the main window's
// "Answer Page" tab.
TfrmQuestion::TfrmQuestion(QWidget* parent)
    : QWidget(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
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
    b->installEventFilter(this);
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
  Question->installEventFilter(this);
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
  // Refused or added, the next keys go to the text.
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
  Question->setFocus();
}

QToolButton* TfrmQuestion::ButtonForAccelerator(const QKeyEvent* event) const {
  if (event->modifiers() != Qt::AltModifier) return nullptr;
  const QKeySequence pressed(event->keyCombination());
  for (QToolButton* button : {butQOK, butQCancel, butQAddAnother})
    if (button->isVisible() && button->isEnabled() &&
        QKeySequence::mnemonic(button->text()) == pressed)
      return button;
  return nullptr;
}

bool TfrmQuestion::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::ShortcutOverride || event->type() == QEvent::KeyPress) {
    auto* key = static_cast<QKeyEvent*>(event);
    if (QToolButton* button = ButtonForAccelerator(key)) {
      // The override keeps the key from Qt's accelerators, which would press the button only after
      // a delay; the key press then presses it at once.
      key->accept();
      if (event->type() == QEvent::KeyPress) button->click();
      return true;
    }
  }
  return QWidget::eventFilter(watched, event);
}

void TfrmQuestion::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) {
    butQCancelClick();
    return;
  }
  // Enter in the question editor starts a new line; on a button it presses that button, and
  // anywhere else the default button, OK.
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    for (QToolButton* button : {butQCancel, butQAddAnother})
      if (button->hasFocus()) {
        button->click();
        return;
      }
    butQOKClick();
    return;
  }
  QWidget::keyPressEvent(event);
}

}  // namespace quorella::app
