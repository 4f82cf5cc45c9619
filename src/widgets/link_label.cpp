#include "widgets/link_label.h"

#include <QMouseEvent>

#include "widgets/desktop_services.h"

namespace quorella::widgets {

TLnkLabel::TLnkLabel(QWidget* parent) : QLabel(parent) {
  setCursor(Qt::PointingHandCursor);
  QFont underlined = font();
  underlined.setUnderline(true);
  setFont(underlined);
  setTextFormat(Qt::PlainText);
  SetFontColor(leave_);
}

void TLnkLabel::SetLeaveFontColor(const QColor& colour) {
  leave_ = colour;
  SetFontColor(colour);
}

QColor TLnkLabel::CurrentFontColor() const {
  return palette().color(QPalette::WindowText);
}

void TLnkLabel::SetFontColor(const QColor& colour) {
  QPalette p = palette();
  p.setColor(QPalette::WindowText, colour);
  setPalette(p);
}

void TLnkLabel::enterEvent(QEnterEvent* event) {
  SetFontColor(enter_);
  QLabel::enterEvent(event);
}

void TLnkLabel::leaveEvent(QEvent* event) {
  SetFontColor(leave_);
  QLabel::leaveEvent(event);
}

void TLnkLabel::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
    Desktop().OpenDocument(link_);
    leave_ = visited_;  // shows on the next leave, as the link was visited
  }
  QLabel::mouseReleaseEvent(event);
}

}  // namespace quorella::widgets
