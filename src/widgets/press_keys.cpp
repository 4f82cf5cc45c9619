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

void DrawFocusFrame(QWidget* widget, const QRect& rect) {
  QStylePainter painter(widget);
  QStyleOptionFocusRect option;
  option.initFrom(widget);
  option.rect = rect;
  option.backgroundColor = widget->palette().color(QPalette::Window);
  painter.drawPrimitive(QStyle::PE_FrameFocusRect, option);
}

void DrawLabelFocusFrame(QLabel* label) {
  const QRect text = label->fontMetrics().boundingRect(
      label->contentsRect(), static_cast<int>(label->alignment()), label->text());
  DrawFocusFrame(label, text.adjusted(-2, -1, 2, 1).intersected(label->rect()));
}

}  // namespace quorella::widgets
