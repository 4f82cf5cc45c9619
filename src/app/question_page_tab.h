#pragma once
// The "Question Page" page (framed layout only): the question page's name, colours, background
// image, header and footer.
#include "app/colour_page_tab.h"

class QPushButton;

namespace quorella::app {

class QuestionPageTab : public ColourPageTab {
  Q_OBJECT
 public:
  explicit QuestionPageTab(QWidget* parent);

 private:
  void butQCeqACClick();

  QPushButton* butQCeqAC = nullptr;
};

}  // namespace quorella::app
