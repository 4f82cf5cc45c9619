#pragma once
// The "Q && A" page: the question list with its commands, the question dialog, and the answer
// editor with its text format.
#include <QWidget>

#include <functional>
#include <optional>

#include "app/question_dialog.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QPlainTextEdit;
class QSplitter;
class QToolButton;

namespace quorella {
class QuestionModel;
struct QuestionPage;
}  // namespace quorella

namespace quorella::widgets {
class THListBox;
}

namespace quorella::app {

class ExitWatcher;

class QandATab : public QWidget {
  Q_OBJECT
 public:
  QandATab(ExitWatcher& exits, QWidget* parent);

  // Shows the questions of a freshly loaded FAQ, none selected. `model` outlives its use here.
  void Show(QuestionModel* model);
  // Reads the FAQ again when another program changed it since it was read (the window was
  // activated); the list then shows what is on disk.
  void RefreshFromDisk();
  // After a write of the model's outside this page's commands: when the model read the FAQ again,
  // the list shows it and the window is told.
  void ShowIfReloaded();

 signals:
  // The FAQ was changed by another program and read again before a command of this page.
  void FaqReloaded();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void lstQuestionsClick(bool focus_answer);
  void AnswerExit();
  void cmbFormatChange();
  void butAddQuestionClick();
  void butEditQuestionClick();
  void butDelQuestionClick();
  void butQupClick();
  void butQdownClick();
  void butQOKClick(QuestionMode mode, const QString& text);
  void butQAddAnotherClick(const QString& text);

  void ShowPage(const QuestionPage& page);
  // Runs a question command after storing the editor being left; shows the page it returns.
  bool RunQuestionCommand(const std::function<std::optional<QuestionPage>()>& command);

  ExitWatcher& exits_;
  QuestionModel* model_ = nullptr;
  bool showing_ = false;
  QSplitter* Splitter1 = nullptr;
  QGroupBox* GroupBox5 = nullptr;
  QToolButton* butAddQuestion = nullptr;
  QToolButton* butDelQuestion = nullptr;
  QToolButton* butEditQuestion = nullptr;
  QToolButton* butQdown = nullptr;
  QToolButton* butQup = nullptr;
  widgets::THListBox* lstQuestions = nullptr;
  QGroupBox* GroupBox4 = nullptr;
  QLabel* Label11 = nullptr;
  QComboBox* cmbFormat = nullptr;
  QPlainTextEdit* Answer = nullptr;
  TfrmQuestion* frmQuestion = nullptr;
};

}  // namespace quorella::app
