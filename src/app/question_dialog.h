#pragma once
// TfrmQuestion: the question dialog. A tool window that does not block the main window; its
// caption says whether OK adds ("Question") or edits ("Question (edit)").
#include <QWidget>

#include <vector>

class QAction;
class QPlainTextEdit;
class QToolButton;

namespace quorella::app {

class TfrmMain;

class TfrmQuestion : public QWidget {
  Q_OBJECT
 public:
  static inline const QString kAddCaption = QStringLiteral("Question");
  static inline const QString kEditCaption = QStringLiteral("Question (edit)");

  explicit TfrmQuestion(TfrmMain* main_window);

  // Shows the dialog with `caption` and `text`, the question editor in focus.
  void ShowFor(const QString& caption, const QString& text, bool add_another_visible);

  void butQOKClick();
  void butQAddAnotherClick();
  void butQCancelClick();
  bool AddAnotherShown() const;

  QToolButton* butQOK = nullptr;
  QToolButton* butQCancel = nullptr;
  QToolButton* butQAddAnother = nullptr;
  QPlainTextEdit* Question = nullptr;

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void Finish();
  TfrmMain* main_;
  std::vector<QAction*> actions_;
  QAction* add_another_ = nullptr;  // the toolbar shows and hides "Add another" through it
};

}  // namespace quorella::app
