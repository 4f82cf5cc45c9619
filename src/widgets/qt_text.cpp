#include "widgets/qt_text.h"

#include <QApplication>
#include <QPalette>

namespace quorella::widgets {

QString ToQt(std::string_view utf8) {
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

std::string FromQt(const QString& text) {
  return text.toStdString();
}

namespace {

// The system colours a stored value may name, by their classic index, as palette roles.
QPalette::ColorRole RoleForSystemColour(int index) {
  switch (index) {
    case 5:
      return QPalette::Base;  // window
    case 7:
    case 8:
      return QPalette::WindowText;  // menu text, window text
    case 13:
      return QPalette::Highlight;
    case 14:
      return QPalette::HighlightedText;
    case 16:
    case 21:
      return QPalette::Dark;  // button shadow, dark shadow
    case 18:
      return QPalette::ButtonText;
    case 20:
    case 22:
      return QPalette::Light;  // button highlight, light
    case 23:
      return QPalette::ToolTipText;
    case 24:
      return QPalette::ToolTipBase;
    default:
      return QPalette::Button;  // faces and backgrounds
  }
}

}  // namespace

QString FolderText(std::string_view folder) {
  QString text = ToQt(folder);
  if (text.size() > 1 && text.endsWith(QLatin1Char('/'))) text.chop(1);
  return text;
}

QColor ColourFromStored(std::int32_t stored) {
  const auto value = static_cast<std::uint32_t>(stored);
  if (value & 0x80000000u) {
    const QPalette palette = QApplication::palette();
    if ((value & 0xFF) == 17)
      return palette.color(QPalette::Disabled, QPalette::Text);  // grey text
    return palette.color(RoleForSystemColour(static_cast<int>(value & 0xFF)));
  }
  return QColor(static_cast<int>(value & 0xFF), static_cast<int>((value >> 8) & 0xFF),
                static_cast<int>((value >> 16) & 0xFF));
}

std::int32_t StoredFromColour(const QColor& colour) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(colour.red()) |
                                   (static_cast<std::uint32_t>(colour.green()) << 8) |
                                   (static_cast<std::uint32_t>(colour.blue()) << 16));
}

}  // namespace quorella::widgets
