#include "widgets/press_keys.h"

#include <QKeyEvent>
#include <QLabel>
#include <QStyleOptionFocusRect>
#include <QStylePainter>

namespace quorella::widgets {

bool IsPressKey(const QKeyEvent* event) {
  const int key = event->key();
  return event->modifiers() == Qt::NoModifier &&
         (key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter);
}

void DrawLabelFocusFrame(QLabel* label) {
  const QRect text = label->fontMetrics().boundingRect(
      label->contentsRect(), static_cast<int>(label->alignment()), label->text());
  QStylePainter painter(label);
  QStyleOptionFocusRect option;
  option.initFrom(label);
  option.rect = text.adjusted(-2, -1, 2, 1).intersected(label->rect());
  option.backgroundColor = label->palette().color(QPalette::Window);
  painter.drawPrimitive(QStyle::PE_FrameFocusRect, option);
}

}  // namespace quorella::widgets
