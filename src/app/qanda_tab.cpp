#include "app/qanda_tab.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QSplitter>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/error_box.h"
#include "app/exit_watcher.h"
#include "app/page_parts.h"
#include "store/answer.h"
#include "store/question_model.h"
#include "widgets/editor_text.h"
#include "widgets/hint_controls.h"
#include "widgets/qt_text.h"

namespace quorella::app {

using widgets::ToQt;

QandATab::QandATab(ExitWatcher& exits, QWidget* parent) : QWidget(parent), exits_(exits) {
  auto* layout = new QVBoxLayout(this);
  Splitter1 = Named(new QSplitter(Qt::Vertical, this), "Splitter1");
  Splitter1->setChildrenCollapsible(false);

  GroupBox5 = Named(new QGroupBox(QStringLiteral(" Questions "), Splitter1), "GroupBox5");
  GroupBox5->setMinimumHeight(100);
  auto* questions = new QVBoxLayout(GroupBox5);
  auto* buttons = new QHBoxLayout();
  butAddQuestion =
      ToolButton("butAddQuestion", "question-add", QStringLiteral("Add question"), GroupBox5);
  butDelQuestion =
      ToolButton("butDelQuestion", "question-delete", QStringLiteral("Delete question"), GroupBox5);
  butEditQuestion =
      ToolButton("butEditQuestion", "question-edit", QStringLiteral("Edit question"), GroupBox5);
  butQdown = ToolButton("butQdown", "down", QStringLiteral("Move down"), GroupBox5);
  butQup = ToolButton("butQup", "up", QStringLiteral("Move up"), GroupBox5);
  for (QToolButton* button : {butAddQuestion, butDelQuestion, butEditQuestion, butQdown, butQup})
    buttons->addWidget(button);
  buttons->addStretch();
  questions->addLayout(buttons);
  lstQuestions = Named(new widgets::THListBox(GroupBox5), "lstQuestions");
  lstQuestions->setAccessibleName(QStringLiteral("Questions"));
  questions->addWidget(lstQuestions);

  GroupBox4 = Named(new QGroupBox(QStringLiteral(" Answer "), Splitter1), "GroupBox4");
  GroupBox4->setMinimumHeight(100);
  auto* answer = new QVBoxLayout(GroupBox4);
  auto* format_row = new QHBoxLayout();
  cmbFormat = Named(new QComboBox(GroupBox4), "cmbFormat");
  for (std::string_view name : kTextFormatNames) cmbFormat->addItem(ToQt(name));
  Label11 = Named(Caption(QStringLiteral("Te&xt format"), GroupBox4, cmbFormat), "Label11");
  format_row->addWidget(Label11);
  format_row->addWidget(cmbFormat);
  format_row->addStretch();
  answer->addLayout(format_row);
  Answer = CodeEditor("Answer", GroupBox4);
  // An answer is prose: long lines wrap at the editor's edge (the text keeps its own line breaks).
  Answer->setLineWrapMode(QPlainTextEdit::WidgetWidth);
  Answer->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  Answer->setFont(font());
  Answer->setAccessibleName(QStringLiteral("Answer"));
  answer->addWidget(Answer);
  Splitter1->setStretchFactor(0, 1);
  Splitter1->setStretchFactor(1, 2);
  layout->addWidget(Splitter1);

  butDelQuestion->setEnabled(false);
  butEditQuestion->setEnabled(false);
  Answer->setEnabled(false);
  cmbFormat->setEnabled(false);

  frmQuestion = new TfrmQuestion(this);
  frmQuestion->hide();
  connect(frmQuestion, &TfrmQuestion::OkPressed, this, &QandATab::butQOKClick);
  connect(frmQuestion, &TfrmQuestion::AddAnotherPressed, this, &QandATab::butQAddAnotherClick);

  exits_.Watch(Answer, [this] { AnswerExit(); });
  connect(butAddQuestion, &QToolButton::clicked, this, &QandATab::butAddQuestionClick);
  connect(butEditQuestion, &QToolButton::clicked, this, &QandATab::butEditQuestionClick);
  connect(butDelQuestion, &QToolButton::clicked, this, &QandATab::butDelQuestionClick);
  connect(butQup, &QToolButton::clicked, this, &QandATab::butQupClick);
  connect(butQdown, &QToolButton::clicked, this, &QandATab::butQdownClick);
  // Walking the list with the arrow keys keeps the focus in it; a click or Enter goes to the
  // answer.
  connect(lstQuestions, &QListWidget::currentRowChanged, this, [this] {
    if (!showing_) lstQuestionsClick(false);
  });
  connect(lstQuestions, &QListWidget::itemClicked, this, [this] {
    if (Answer->isEnabled()) Answer->setFocus();
  });
  lstQuestions->installEventFilter(this);
  connect(lstQuestions, &QListWidget::itemDoubleClicked, this, &QandATab::butEditQuestionClick);
  connect(cmbFormat, &QComboBox::activated, this, &QandATab::cmbFormatChange);
}

bool QandATab::eventFilter(QObject* watched, QEvent* event) {
  if (watched == lstQuestions && event->type() == QEvent::KeyPress) {
    const auto* key_event = static_cast<QKeyEvent*>(event);
    const int key = key_event->key();
    if ((key == Qt::Key_Return || key == Qt::Key_Enter) && Answer->isEnabled()) {
      Answer->setFocus();
      return true;
    }
    // Ctrl+Up and Ctrl+Down move the selected question, as the buttons do; the focus stays here.
    if (key_event->modifiers() == Qt::ControlModifier &&
        (key == Qt::Key_Up || key == Qt::Key_Down)) {
      if (key == Qt::Key_Up)
        butQupClick();
      else
        butQdownClick();
      return true;
    }
  }
  return QWidget::eventFilter(watched, event);
}

void QandATab::Show(QuestionModel* model) {
  model_ = model;
  Answer->clear();
  lstQuestions->clear();
  ShowPage(model_->Page());
}

void QandATab::ShowPage(const QuestionPage& page) {
  showing_ = true;
  const auto& texts = model_->questions();
  bool same = lstQuestions->count() == static_cast<int>(texts.size());
  for (int i = 0; same && i < lstQuestions->count(); ++i)
    same = lstQuestions->item(i)->text() == ToQt(texts[static_cast<std::size_t>(i)]);
  if (!same) {
    lstQuestions->clear();
    for (const auto& question : texts) lstQuestions->addItem(ToQt(question));
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
  showing_ = false;
  if (page.focus_answer) Answer->setFocus();
}

void QandATab::lstQuestionsClick(bool focus_answer) {
  const int row = lstQuestions->currentRow();
  QuestionPage page = model_->Select(row >= 0 ? std::optional<std::size_t>(row) : std::nullopt);
  page.focus_answer = page.focus_answer && focus_answer;
  ShowPage(page);
}

void QandATab::AnswerExit() {
  if (model_ == nullptr || !model_->selected()) return;
  RunGuarded(this, [&] { model_->StoreAnswer(widgets::FromQt(widgets::EditorText(Answer))); });
  ShowIfReloaded();
}

void QandATab::cmbFormatChange() {
  if (!model_->selected()) return;
  RunGuarded(this, [&] {
    model_->ChangeFormat(cmbFormat->currentIndex(), widgets::FromQt(widgets::EditorText(Answer)));
  });
  ShowIfReloaded();
}

void QandATab::RefreshFromDisk() {
  if (model_ == nullptr || showing_) return;
  RunGuarded(this, [&] { model_->Refresh(); });
  ShowIfReloaded();
}

void QandATab::ShowIfReloaded() {
  if (model_ == nullptr || !model_->TakeReloaded()) return;
  ShowPage(model_->Page());
  emit FaqReloaded();
}

void QandATab::butAddQuestionClick() {
  exits_.CommitFocused();
  frmQuestion->ShowFor(QuestionMode::Add, QString());
}

void QandATab::butEditQuestionClick() {
  exits_.CommitFocused();
  const auto selected = model_->selected();
  if (!selected) return;
  frmQuestion->ShowFor(QuestionMode::Edit, ToQt(model_->questions()[*selected]));
}

bool QandATab::RunQuestionCommand(const std::function<std::optional<QuestionPage>()>& command) {
  exits_.CommitFocused();
  std::optional<QuestionPage> page;
  RunGuarded(this, [&] { page = command(); });
  if (!page) {
    ShowIfReloaded();
    return false;
  }
  ShowPage(*page);
  if (model_->TakeReloaded()) emit FaqReloaded();
  return true;
}

void QandATab::butQOKClick(QuestionMode mode, const QString& text) {
  const std::string question = widgets::FromQt(text);
  const bool done = RunQuestionCommand([&] {
    return mode == QuestionMode::Edit ? model_->EditQuestion(question)
                                      : model_->AddQuestion(question);
  });
  if (done) frmQuestion->Finish();
}

void QandATab::butQAddAnotherClick(const QString& text) {
  const std::string question = widgets::FromQt(text);
  const bool added = RunQuestionCommand([&]() -> std::optional<QuestionPage> {
    if (!model_->AddAnotherQuestion(question)) return std::nullopt;
    QuestionPage page = model_->Page();
    page.focus_answer = false;  // the dialog stays open for the next question
    return page;
  });
  if (added) frmQuestion->ClearForNext();
}

void QandATab::butDelQuestionClick() {
  RunQuestionCommand([&] { return model_->DeleteQuestion(); });
}

void QandATab::butQupClick() {
  RunQuestionCommand([&] { return model_->MoveUp(); });
}

void QandATab::butQdownClick() {
  RunQuestionCommand([&] { return model_->MoveDown(); });
}

}  // namespace quorella::app
