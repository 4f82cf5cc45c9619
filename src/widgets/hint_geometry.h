#pragma once
// When a hint-bearing control's text does not fit, and where its hint window goes: pure geometry,
// so the rules can be checked without a screen.
#include <QRect>
#include <QSize>

namespace quorella::widgets::hint {

enum class EditBorder { Single3D, SingleFlat, None };

bool LabelNeedsHint(int text_width, int label_width);
bool EditNeedsHint(int text_width, int edit_width, EditBorder border);
// b is 4 with a 3D look, else 2; the list leaves room for its vertical scroll bar when its items
// are taller than it is.
bool ListItemNeedsHint(int text_width, int list_width, int list_height, int item_count,
                       int item_height, bool look_3d);

// Hint rectangles from the control's client origin on screen and the text's size, before the
// window's own adjustments (FinalHintRect).
QRect LabelHintRect(QPoint origin, QSize text);
QRect EditHintRect(QPoint origin, QSize text, int edit_height, EditBorder border);
QRect ListHintRect(QPoint origin, int text_width, int item_index, int top_index, int item_height);

// The window makes its bottom 4 pixels lower and keeps itself inside the desktop: up when below it,
// left when beyond its right edge, never left of its left edge.
QRect FinalHintRect(QRect rect, QRect desktop);

}  // namespace quorella::widgets::hint
