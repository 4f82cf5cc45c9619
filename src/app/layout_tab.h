#pragma once
// The "Layout" page: the classic or modern style and what the modern one needs (language,
// description, site address, own colours, structured data), simple or framed layout, frame
// direction, one answer per page or all on one, the names of the answer pages, the frame size and
// the frameset header code. It keeps the layout enabling rules for its own controls and tells the
// window when the framed layout is in effect.
#include <QWidget>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;

namespace quorella::widgets {
class RadioGroup;
}

namespace quorella::app {

class LayoutTab : public QWidget {
  Q_OBJECT
 public:
  explicit LayoutTab(QWidget* parent);

  // Enables the page's controls for the layout shown and emits FramesChosen.
  void ApplyLayoutRules();

 signals:
  // The framed layout is (true) or is not (false) in effect: chosen, and the style is classic. The
  // window shows the Question Page tab and enables "Set to Question colors" accordingly.
  void FramesChosen(bool frames);

 private:
  void RadioLayoutClick();
  void RadioAnswersClick();

  widgets::RadioGroup* RadioPageStyle = nullptr;
  QLineEdit* edtLanguage = nullptr;
  QLineEdit* edtDescription = nullptr;
  QLineEdit* edtSiteAddress = nullptr;
  QCheckBox* chkUseMyColors = nullptr;
  QCheckBox* chkStructuredData = nullptr;
  widgets::RadioGroup* RadioLayout = nullptr;
  widgets::RadioGroup* RadioFrames = nullptr;
  widgets::RadioGroup* RadioAnswers = nullptr;
  QLabel* lblPagePrefix = nullptr;
  QLineEdit* PagePrefix = nullptr;
  QLabel* lblAPage = nullptr;
  QLineEdit* APageName = nullptr;
  QLabel* lblFrameSize = nullptr;
  QLineEdit* FrameSize = nullptr;
  QCheckBox* FrameIt = nullptr;
  QLabel* lblFrameHead = nullptr;
  QPlainTextEdit* FrameHead = nullptr;
};

}  // namespace quorella::app
