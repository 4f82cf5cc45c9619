#pragma once
// The text of a multi-line editor exactly as typed or read. QPlainTextEdit::toPlainText() turns a
// no-break space into a plain space; the document's raw text keeps it.
#include <QString>

class QPlainTextEdit;

namespace quorella::widgets {

// Lines are joined by '\n'; every other character, no-break spaces included, is kept.
QString EditorText(const QPlainTextEdit* editor);

}  // namespace quorella::widgets
