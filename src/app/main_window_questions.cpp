// The "Q && A" page: the question list, the question dialog's commands and the answer editor.
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QSplitter>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/main_window.h"
#include "app/question_dialog.h"
#include "store/answer.h"
#include "util/errors.h"
#include "widgets/friendly_status_bar.h"
#include "widgets/hint_controls.h"
#include "widgets/qt_text.h"

namespace quorella::app {

using widgets::FromQt;
using widgets::ToQt;

void TfrmMain::BuildQuestionsPage() {
  auto* layout = new QVBoxLayout(tabFAQ);
  Splitter1 = new QSplitter(Qt::Vertical, tabFAQ);
  Splitter1->setObjectName(QStringLiteral("Splitter1"));
  Splitter1->setChildrenCollapsible(false);

  GroupBox5 = new QGroupBox(QStringLiteral(" Questions "), Splitter1);
  GroupBox5->setObjectName(QStringLiteral("GroupBox5"));
  GroupBox5->setMinimumHeight(100);
  auto* questions = new QVBoxLayout(GroupBox5);
  auto* buttons = new QHBoxLayout();
  auto tool = [&](const char* name, const char* icon, const QString& hint) {
    auto* button = new QToolButton(GroupBox5);
    button->setObjectName(QString::fromLatin1(name));
    button->setIcon(QIcon(QStringLiteral(":/icons/%1.svg").arg(QLatin1String(icon))));
    button->setToolTip(hint);
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::StrongFocus);
    buttons->addWidget(button);
    return button;
  };
  butAddQuestion = tool("butAddQuestion", "question-add", QStringLiteral("Add question"));
  butDelQuestion = tool("butDelQuestion", "question-delete", QStringLiteral("Delete question"));
  butEditQuestion = tool("butEditQuestion", "question-edit", QStringLiteral("Edit question"));
  butQdown = tool("butQdown", "down", QStringLiteral("Move down"));
  butQup = tool("butQup", "up", QStringLiteral("Move up"));
  buttons->addStretch();
  questions->addLayout(buttons);
  lstQuestions = new widgets::THListBox(GroupBox5);
  lstQuestions->setObjectName(QStringLiteral("lstQuestions"));
  questions->addWidget(lstQuestions);

  GroupBox4 = new QGroupBox(QStringLiteral(" Answer "), Splitter1);
  GroupBox4->setObjectName(QStringLiteral("GroupBox4"));
  GroupBox4->setMinimumHeight(100);
  auto* answer = new QVBoxLayout(GroupBox4);
  auto* format_row = new QHBoxLayout();
  Label11 = new QLabel(QStringLiteral("Text format"), GroupBox4);
  Label11->setObjectName(QStringLiteral("Label11"));
  format_row->addWidget(Label11);
  cmbFormat = new QComboBox(GroupBox4);
  cmbFormat->setObjectName(QStringLiteral("cmbFormat"));
  for (std::string_view name : kTextFormatNames) cmbFormat->addItem(ToQt(name));
  format_row->addWidget(cmbFormat);
  format_row->addStretch();
  answer->addLayout(format_row);
  Answer = new QPlainTextEdit(GroupBox4);
  Answer->setObjectName(QStringLiteral("Answer"));
  Answer->setLineWrapMode(QPlainTextEdit::NoWrap);
  Answer->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  Answer->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  answer->addWidget(Answer);
  layout->addWidget(Splitter1);

  butDelQuestion->setEnabled(false);
  butEditQuestion->setEnabled(false);
  Answer->setEnabled(false);
  cmbFormat->setEnabled(false);

  frmQuestion = new TfrmQuestion(this);
  frmQuestion->hide();

  WatchFocusOut(Answer, &TfrmMain::AnswerExit);
  connect(butAddQuestion, &QToolButton::clicked, this, &TfrmMain::butAddQuestionClick);
  connect(butEditQuestion, &QToolButton::clicked, this, &TfrmMain::butEditQuestionClick);
  connect(butDelQuestion, &QToolButton::clicked, this, &TfrmMain::butDelQuestionClick);
  connect(butQup, &QToolButton::clicked, this, &TfrmMain::butQupClick);
  connect(butQdown, &QToolButton::clicked, this, &TfrmMain::butQdownClick);
  connect(lstQuestions, &QListWidget::currentRowChanged, this, [this] {
    if (!showing_questions_) lstQuestionsClick();
  });
  connect(lstQuestions, &QListWidget::itemDoubleClicked, this, &TfrmMain::butEditQuestionClick);
  connect(cmbFormat, &QComboBox::activated, this, &TfrmMain::cmbFormatChange);
}

void TfrmMain::ShowQuestions(const QuestionPage& page) {
  showing_questions_ = true;
  if (lstQuestions->count() != static_cast<int>(questions_->question_count()) || list_dirty_) {
    lstQuestions->clear();
    for (const auto& question : questions_->questions()) lstQuestions->addItem(ToQt(question));
    list_dirty_ = false;
  }
  lstQuestions->setCurrentRow(page.selected ? static_cast<int>(*page.selected) : -1);
  butDelQuestion->setEnabled(page.question_buttons);
  butEditQuestion->setEnabled(page.question_buttons);
  Answer->setEnabled(page.answer_enabled);
  cmbFormat->setEnabled(page.answer_enabled);
  if (page.answer) {
    Answer->setPlainText(ToQt(page.answer->text));
    cmbFormat->setCurrentIndex(page.answer->format >= 0 && page.answer->format < cmbFormat->count()
                                   ? page.answer->format
                                   : -1);
  }
  showing_questions_ = false;
  if (page.focus_answer) Answer->setFocus();
}

void TfrmMain::lstQuestionsClick() {
  const int row = lstQuestions->currentRow();
  ShowQuestions(questions_->Select(row >= 0 ? std::optional<std::size_t>(row) : std::nullopt));
}

void TfrmMain::AnswerExit() {
  if (loading_ || !questions_->selected()) return;
  Guard([&] { questions_->StoreAnswer(TextOf(Answer->toPlainText())); });
  ShowReloadedQuestions();
}

void TfrmMain::cmbFormatChange() {
  if (!questions_->selected()) return;
  Guard(
      [&] { questions_->ChangeFormat(cmbFormat->currentIndex(), TextOf(Answer->toPlainText())); });
  ShowReloadedQuestions();
}

void TfrmMain::ShowReloadedQuestions() {
  if (!questions_->TakeReloaded()) return;
  list_dirty_ = true;
  ShowQuestions(questions_->Page());
  ShowReloadedStatus();
}

void TfrmMain::ShowReloadedStatus() {
  ShowStatus(ToQt(kFaqReloadedStatus));
  StatusBar->Panel(0)->setToolTip(ToQt(messages::kFaqReloaded));
}

void TfrmMain::changeEvent(QEvent* event) {
  QMainWindow::changeEvent(event);
  if (event->type() != QEvent::ActivationChange || !isActiveWindow() || !questions_ || loading_)
    return;
  Guard([&] { questions_->Refresh(); });
  ShowReloadedQuestions();
}

void TfrmMain::butAddQuestionClick() {
  CommitFocusedEditor();
  frmQuestion->ShowFor(TfrmQuestion::kAddCaption, QString(), true);
}

void TfrmMain::butEditQuestionClick() {
  CommitFocusedEditor();
  const auto selected = questions_->selected();
  if (!selected) return;
  frmQuestion->ShowFor(TfrmQuestion::kEditCaption, ToQt(questions_->questions()[*selected]), false);
}

bool TfrmMain::RunQuestionCommand(const std::function<std::optional<QuestionPage>()>& command) {
  CommitFocusedEditor();
  std::optional<QuestionPage> page;
  Guard([&] { page = command(); });
  if (!page) {
    ShowReloadedQuestions();
    return false;
  }
  list_dirty_ = true;
  ShowQuestions(*page);
  if (questions_->TakeReloaded()) ShowReloadedStatus();
  return true;
}

bool TfrmMain::AddQuestionFromDialog(const std::string& text) {
  return RunQuestionCommand([&] { return questions_->AddQuestion(text); });
}

bool TfrmMain::EditQuestionFromDialog(const std::string& text) {
  return RunQuestionCommand([&] { return questions_->EditQuestion(text); });
}

bool TfrmMain::AddAnotherQuestionFromDialog(const std::string& text) {
  return RunQuestionCommand([&]() -> std::optional<QuestionPage> {
    if (!questions_->AddAnotherQuestion(text)) return std::nullopt;
    QuestionPage page = questions_->Page();
    page.focus_answer = false;  // the dialog stays open for the next question
    return page;
  });
}

void TfrmMain::butDelQuestionClick() {
  RunQuestionCommand([&] { return questions_->DeleteQuestion(); });
}

void TfrmMain::butQupClick() {
  RunQuestionCommand([&] { return questions_->MoveUp(); });
}

void TfrmMain::butQdownClick() {
  RunQuestionCommand([&] { return questions_->MoveDown(); });
}

}  // namespace quorella::app
