#pragma once
// The "Answer Page" page: the answer page's colours, the question colours on it, the background
// image and the answer page's header and footer.
#include "app/colour_page_tab.h"

class QPushButton;

namespace quorella::app {

class AnswerPageTab : public ColourPageTab {
  Q_OBJECT
 public:
  explicit AnswerPageTab(QWidget* parent);

  // "Set to Question colors" is there for the framed layout only.
  void SetFramesLayout(bool frames);

 private:
  void butACeqQCClick();

  QPushButton* butACeqQC = nullptr;
};

}  // namespace quorella::app
