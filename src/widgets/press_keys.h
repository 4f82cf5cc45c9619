#pragma once
// Labels and panels of the program's own that act as buttons: the keys that press them, and the
// focus frame that shows which one has the focus.
class QKeyEvent;
class QLabel;

namespace quorella::widgets {

// Space, Enter or Return, without modifiers: the keys that press a button.
bool IsPressKey(const QKeyEvent* event);

// The style's focus frame around a label's text (not its whole row), drawn over what the label
// painted: called from its paintEvent.
void DrawLabelFocusFrame(QLabel* label);

}  // namespace quorella::widgets
