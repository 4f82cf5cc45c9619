#pragma once
// Labels and panels of the program's own that act as buttons: the keys that press them, and the
// focus frame that shows which one has the focus.
class QKeyEvent;
class QLabel;
class QRect;
class QWidget;

namespace quorella::widgets {

// Space, Enter or Return, without modifiers: the keys that press a button.
bool IsPressKey(const QKeyEvent* event);

// The style's focus frame around `rect` of `widget`, drawn over what the widget painted (from its
// paintEvent).
void DrawFocusFrame(QWidget* widget, const QRect& rect);

// The focus frame of a label: around its text, not its whole row.
void DrawLabelFocusFrame(QLabel* label);

}  // namespace quorella::widgets
