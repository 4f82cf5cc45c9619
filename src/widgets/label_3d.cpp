#include "widgets/label_3d.h"

#include <QPainter>

namespace quorella::widgets {

TLabel3D::TLabel3D(QWidget* parent) : QLabel(parent) {
  QFont arial = font();
  arial.setFamily(QStringLiteral("Arial"));
  setFont(arial);
}

std::vector<TLabel3D::Pass> TLabel3D::Passes() const {
  const QColor shadow = palette().color(QPalette::Dark);
  const QColor highlight = palette().color(QPalette::Light);
  const QColor text = isEnabled() ? palette().color(QPalette::WindowText)
                                  : palette().color(QPalette::Disabled, QPalette::WindowText);
  std::vector<Pass> passes;
  switch (style_) {
    case TextStyle::None:
      break;
    case TextStyle::Raised:
      passes.push_back({shadow, {1, 1}});
      break;
    case TextStyle::LightRaised:
      passes.push_back({shadow, {1, 1}});
      passes.push_back({highlight, {-1, -1}});
      break;
    case TextStyle::Recessed:
      passes.push_back({highlight, {1, 1}});
      break;
    case TextStyle::HeavyRecessed:
      passes.push_back({highlight, {1, 1}});
      passes.push_back({shadow, {-1, -1}});
      break;
    case TextStyle::Shadow:
      passes.push_back({shadow, {shift_, shift_}});
      break;
  }
  passes.push_back({text, {0, 0}});
  return passes;
}

QSize TLabel3D::sizeHint() const {
  const QSize base = QFontMetrics(font()).size(Qt::TextSingleLine, text());
  return base + QSize(2 + shift_, 2 + shift_);
}

void TLabel3D::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setFont(font());
  const QRect area = contentsRect().adjusted(1, 1, -1 - shift_, -1 - shift_);
  for (const Pass& pass : Passes()) {
    painter.setPen(pass.colour);
    painter.drawText(area.translated(pass.offset), static_cast<int>(alignment()), text());
  }
}

}  // namespace quorella::widgets
