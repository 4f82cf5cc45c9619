#include "widgets/colour_panel.h"

#include <QKeyEvent>
#include <QMouseEvent>

#include "widgets/press_keys.h"

namespace quorella::widgets {

ColourLabel::ColourLabel(const QString& text, QWidget* parent) : QLabel(text, parent) {
  setCursor(Qt::PointingHandCursor);
  setFocusPolicy(Qt::StrongFocus);
  setToolTip(QStringLiteral("Click to change color"));
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

void ColourLabel::keyPressEvent(QKeyEvent* event) {
  if (!IsPressKey(event)) {
    QLabel::keyPressEvent(event);
    return;
  }
  event->accept();
  emit Clicked();
}

void ColourLabel::paintEvent(QPaintEvent* event) {
  QLabel::paintEvent(event);
  if (hasFocus()) DrawLabelFocusFrame(this);
}

ColourPanel::ColourPanel(const QString& caption, QWidget* parent) : QGroupBox(caption, parent) {
  setAutoFillBackground(true);
  setCursor(Qt::PointingHandCursor);
  setFocusPolicy(Qt::StrongFocus);
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

void ColourPanel::keyPressEvent(QKeyEvent* event) {
  if (!IsPressKey(event)) {
    QGroupBox::keyPressEvent(event);
    return;
  }
  event->accept();
  emit Clicked();
}

ColourPanel* CaptionedBy(const ColourLabel* label) {
  auto* panel = qobject_cast<ColourPanel*>(label->parentWidget());
  return panel != nullptr && panel->findChild<ColourLabel*>() == label ? panel : nullptr;
}

}  // namespace quorella::widgets
