#include "widgets/colour_panel.h"

#include <QMouseEvent>

namespace quorella::widgets {

ColourLabel::ColourLabel(const QString& text, QWidget* parent) : QLabel(text, parent) {
  setCursor(Qt::PointingHandCursor);
}

void ColourLabel::SetColour(const QColor& colour) {
  colour_ = colour;
  QPalette p = palette();
  p.setColor(QPalette::WindowText, colour);
  setPalette(p);
}

void ColourLabel::mousePressEvent(QMouseEvent* event) {
  event->accept();
}

void ColourLabel::mouseReleaseEvent(QMouseEvent* event) {
  event->accept();
  if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
    emit Clicked();
}

ColourPanel::ColourPanel(const QString& caption, QWidget* parent) : QGroupBox(caption, parent) {
  setAutoFillBackground(true);
  setCursor(Qt::PointingHandCursor);
}

void ColourPanel::SetBackground(const QColor& colour) {
  background_ = colour;
  Repaint();
}

void ColourPanel::SetCaptionColour(const QColor& colour) {
  caption_colour_ = colour;
  Repaint();
}

void ColourPanel::Repaint() {
  QPalette p = palette();
  p.setColor(QPalette::Window, background_);
  p.setColor(QPalette::WindowText, caption_colour_);
  setPalette(p);
}

void ColourPanel::mousePressEvent(QMouseEvent* event) {
  event->accept();
}

void ColourPanel::mouseReleaseEvent(QMouseEvent* event) {
  event->accept();
  if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
    emit Clicked();
}

}  // namespace quorella::widgets
