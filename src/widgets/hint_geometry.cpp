#include "widgets/hint_geometry.h"

namespace quorella::widgets::hint {

namespace {
// Rectangles are given by their edges, right and bottom exclusive.
QRect FromEdges(int left, int top, int right, int bottom) {
  return QRect(QPoint(left, top), QPoint(right - 1, bottom - 1));
}
}  // namespace

bool LabelNeedsHint(int text_width, int label_width) {
  return text_width > label_width;
}

bool EditNeedsHint(int text_width, int edit_width, EditBorder border) {
  return border == EditBorder::None ? text_width > edit_width : text_width > edit_width - 4;
}

bool ListItemNeedsHint(int text_width, int list_width, int list_height, int item_count,
                       int item_height, bool look_3d) {
  const int b = look_3d ? 4 : 2;
  const int s = item_count * item_height > list_height - b ? 17 : b;
  return text_width > list_width - 4 - s;
}

QRect LabelHintRect(QPoint o, QSize t) {
  return FromEdges(o.x() - 2, o.y() - 2, o.x() + t.width() + 3, o.y() + t.height() - 2);
}

QRect EditHintRect(QPoint o, QSize t, int h, EditBorder border) {
  switch (border) {
    case EditBorder::Single3D:
      return FromEdges(o.x() - 1, o.y() - 1, o.x() + t.width() + 5, o.y() + h - 7);
    case EditBorder::SingleFlat:
      return FromEdges(o.x(), o.y(), o.x() + t.width() + 5, o.y() + h - 4);
    case EditBorder::None:
      return FromEdges(o.x() - 2, o.y() - 2, o.x() + t.width() + 5, o.y() + h - 4);
  }
  return {};
}

QRect ListHintRect(QPoint o, int w, int i, int t, int ih) {
  const int top = o.y() + (i - t) * ih - 2;
  return FromEdges(o.x(), top, o.x() + w + 5, top + ih);
}

QRect FinalHintRect(QRect rect, QRect desktop) {
  rect.setBottom(rect.bottom() + 4);
  if (rect.bottom() > desktop.bottom()) rect.moveBottom(desktop.bottom());
  if (rect.right() > desktop.right()) rect.moveRight(desktop.right());
  if (rect.left() < desktop.left()) rect.moveLeft(desktop.left());
  return rect;
}

}  // namespace quorella::widgets::hint
