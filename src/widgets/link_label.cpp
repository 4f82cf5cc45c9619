#include "widgets/link_label.h"

#include <QMouseEvent>

#include "widgets/desktop_services.h"
#include "widgets/press_keys.h"

namespace quorella::widgets {

TLnkLabel::TLnkLabel(QWidget* parent) : QLabel(parent) {
  setCursor(Qt::PointingHandCursor);
  QFont underlined = font();
  underlined.setUnderline(true);
  setFont(underlined);
  setTextFormat(Qt::PlainText);
  setFocusPolicy(Qt::StrongFocus);
  SetFontColour(leave_);
}

void TLnkLabel::SetLeaveFontColor(const QColor& colour) {
  leave_ = colour;
  SetFontColour(colour);
}

QColor TLnkLabel::CurrentFontColour() const {
  return palette().color(QPalette::WindowText);
}

void TLnkLabel::SetFontColour(const QColor& colour) {
  QPalette p = palette();
  p.setColor(QPalette::WindowText, colour);
  setPalette(p);
}

void TLnkLabel::enterEvent(QEnterEvent* event) {
  SetFontColour(enter_);
  QLabel::enterEvent(event);
}

void TLnkLabel::leaveEvent(QEvent* event) {
  SetFontColour(leave_);
  QLabel::leaveEvent(event);
}

void TLnkLabel::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) Open();
  QLabel::mouseReleaseEvent(event);
}

void TLnkLabel::keyPressEvent(QKeyEvent* event) {
  if (!IsPressKey(event)) {
    QLabel::keyPressEvent(event);
    return;
  }
  event->accept();
  Open();
  SetFontColour(leave_);  // no mouse leaves it: the visited colour shows now
}

void TLnkLabel::paintEvent(QPaintEvent* event) {
  QLabel::paintEvent(event);
  if (hasFocus()) DrawLabelFocusFrame(this);
}

void TLnkLabel::Open() {
  Desktop().OpenDocument(link_);
  leave_ = visited_;  // shows on the next leave, as the link was visited
}

}  // namespace quorella::widgets
