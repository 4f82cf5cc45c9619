#pragma once
// TfrmQuestion: the question dialog. A dialog window that does not block the main window but owns
// the keyboard while it has the focus: its accelerators act on it alone. It only reports what the
// user pressed; the page that opened it runs the command and closes it.
#include <QWidget>

class QAction;
class QPlainTextEdit;
class QToolButton;

namespace quorella::app {

// Whether OK adds a question or replaces the selected one; the caption says which.
enum class QuestionMode { Add, Edit };

class TfrmQuestion : public QWidget {
  Q_OBJECT
 public:
  explicit TfrmQuestion(QWidget* parent);

  // Shows the dialog over its parent's window, captioned for `mode`, holding `text`, the question
  // editor in focus. "Add another" is offered when adding.
  void ShowFor(QuestionMode mode, const QString& text);
  QuestionMode mode() const { return mode_; }
  // Closes the dialog; "Add another" is offered again next time.
  void Finish();
  // Empties the text for the next question and gives it the focus.
  void ClearForNext();

 signals:
  void OkPressed(QuestionMode mode, const QString& text);
  void AddAnotherPressed(const QString& text);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  // Alt with a button's accelerator presses that button at once, from the text or a button: the
  // key is the dialog's alone, and what is typed after it lands after the press.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void butQOKClick();
  void butQAddAnotherClick();
  void butQCancelClick();
  QToolButton* ButtonForAccelerator(const QKeyEvent* event) const;

  QuestionMode mode_ = QuestionMode::Add;
  QToolButton* butQOK = nullptr;
  QToolButton* butQCancel = nullptr;
  QToolButton* butQAddAnother = nullptr;
  QAction* add_another_ = nullptr;  // the toolbar shows and hides "Add another" through it
  QPlainTextEdit* Question = nullptr;
};

}  // namespace quorella::app
