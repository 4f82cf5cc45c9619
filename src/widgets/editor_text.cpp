#include "widgets/editor_text.h"

#include <QPlainTextEdit>
#include <QTextDocument>

namespace quorella::widgets {

QString EditorText(const QPlainTextEdit* editor) {
  QString text = editor->document()->toRawText();
  text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
  text.replace(QChar::LineSeparator, QLatin1Char('\n'));
  return text;
}

}  // namespace quorella::widgets
