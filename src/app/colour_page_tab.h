#pragma once
// What the "Answer Page" and "Question Page" pages share: a colour panel with its four colour
// labels, and the command that copies the other page's five colours onto it.
#include <QWidget>

#include "widgets/colour_panel.h"

namespace quorella::app {

class ColourPageTab : public QWidget {
  Q_OBJECT
 public:
  using QWidget::QWidget;

  // The page whose colours the copy command takes.
  void SetColourSource(const ColourPageTab* source) { source_ = source; }

 signals:
  // A handler of the page changed `control`; it is to be stored.
  void Edited(QWidget* control);

 protected:
  // Takes the source page's panel background and caption colour and its four label colours, then
  // reports the five controls in order: panel, text, link, visited link, active link.
  void CopyColoursFromSource();

  widgets::PageColours colours_{};

 private:
  const ColourPageTab* source_ = nullptr;
};

}  // namespace quorella::app
