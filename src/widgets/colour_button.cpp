#include "widgets/colour_button.h"

#include <QApplication>
#include <QPainter>
#include <QStyleOptionFocusRect>

#include "widgets/desktop_services.h"

namespace quorella::widgets {

TBitBtnWithColor::TBitBtnWithColor(QWidget* parent)
    : QPushButton(parent), colour_(QApplication::palette().color(QPalette::Button)) {
  connect(this, &QPushButton::clicked, this, &TBitBtnWithColor::OnClicked);
}

void TBitBtnWithColor::SetColor(const QColor& colour) {
  colour_ = colour;
  update();
}

void TBitBtnWithColor::SetGlyph(const QPixmap& normal, const QPixmap& disabled) {
  glyph_ = normal;
  disabled_glyph_ = disabled;
  updateGeometry();
  update();
}

QSize TBitBtnWithColor::sizeHint() const {
  const QFontMetrics metrics(font());
  const QSize caption = metrics.size(Qt::TextShowMnemonic, text());
  return {caption.width() + glyph_.width() + spacing_ + 16,
          std::max(caption.height(), glyph_.height()) + 10};
}

void TBitBtnWithColor::nextCheckState() {}

bool TBitBtnWithColor::IsEnterTarget() const {
  if (hasFocus()) return true;
  const QWidget* focused = QApplication::focusWidget();
  return isDefault() && qobject_cast<const QPushButton*>(focused) == nullptr;
}

void TBitBtnWithColor::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  QRect r = rect();
  const QPalette& pal = palette();
  const bool pressed = isDown();
  if (IsEnterTarget()) {
    painter.setPen(pal.color(QPalette::Shadow));
    painter.drawRect(r.adjusted(0, 0, -1, -1));
    r.adjust(1, 1, -1, -1);
  }
  if (!pressed) {
    // A raised edge: light above and left, dark below and right.
    painter.setPen(pal.color(QPalette::Light));
    painter.drawLine(r.topLeft(), r.topRight());
    painter.drawLine(r.topLeft(), r.bottomLeft());
    painter.setPen(pal.color(QPalette::Shadow));
    painter.drawLine(r.bottomLeft(), r.bottomRight());
    painter.drawLine(r.topRight(), r.bottomRight());
    r.adjust(1, 1, -1, -1);
    painter.setPen(pal.color(QPalette::Dark));
    painter.drawLine(r.bottomLeft(), r.bottomRight());
    painter.drawLine(r.topRight(), r.bottomRight());
    r.adjust(0, 0, -1, -1);
    painter.setPen(colour_);
  } else {
    painter.setPen(pal.color(QPalette::Dark));
  }
  painter.drawRect(r.adjusted(0, 0, -1, -1));
  r.adjust(1, 1, -1, -1);
  painter.fillRect(r, colour_);

  const QPixmap& glyph = isEnabled() || disabled_glyph_.isNull() ? glyph_ : disabled_glyph_;
  const QFontMetrics metrics(font());
  const QString caption = text();
  const QSize text_size = metrics.size(Qt::TextShowMnemonic, caption);
  const bool horizontal = layout_ == GlyphLayout::Left || layout_ == GlyphLayout::Right;
  const int gap = glyph.isNull() || caption.isEmpty() ? 0 : spacing_;
  const QSize glyph_size = glyph.isNull() ? QSize(0, 0) : glyph.deviceIndependentSize().toSize();
  const int total = horizontal ? glyph_size.width() + gap + text_size.width()
                               : glyph_size.height() + gap + text_size.height();
  const int room = horizontal ? r.width() : r.height();
  int start = margin_ < 0 ? (room - total) / 2 : margin_;
  if (pressed) r.translate(1, 1);
  QRect glyph_rect, text_rect;
  if (horizontal) {
    const int glyph_x = layout_ == GlyphLayout::Left ? r.left() + start
                                                     : r.right() - start - glyph_size.width() + 1;
    glyph_rect = QRect(glyph_x, r.top() + (r.height() - glyph_size.height()) / 2,
                       glyph_size.width(), glyph_size.height());
    const int text_x = layout_ == GlyphLayout::Left ? glyph_rect.right() + 1 + gap
                                                    : glyph_x - gap - text_size.width();
    text_rect = QRect(text_x, r.top(), text_size.width(), r.height());
  } else {
    const int glyph_y = layout_ == GlyphLayout::Top ? r.top() + start
                                                    : r.bottom() - start - glyph_size.height() + 1;
    glyph_rect = QRect(r.left() + (r.width() - glyph_size.width()) / 2, glyph_y, glyph_size.width(),
                       glyph_size.height());
    const int text_y = layout_ == GlyphLayout::Top ? glyph_rect.bottom() + 1 + gap
                                                   : glyph_y - gap - text_size.height();
    text_rect = QRect(r.left(), text_y, r.width(), text_size.height());
  }
  if (!glyph.isNull()) painter.drawPixmap(glyph_rect, glyph);
  painter.setPen(isEnabled() ? pal.color(QPalette::ButtonText)
                             : pal.color(QPalette::Disabled, QPalette::ButtonText));
  painter.setFont(font());
  painter.drawText(text_rect, Qt::AlignCenter | Qt::TextShowMnemonic, caption);

  if (IsEnterTarget() && hasFocus()) {
    QStyleOptionFocusRect focus;
    focus.initFrom(this);
    focus.rect = rect().adjusted(4, 4, -4, -4);
    style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, this);
  }
}

void TBitBtnWithColor::OnClicked() {
  if (kind_ == Kind::Help && !help_file_.isEmpty())
    Desktop().ShowHelp(this, help_file_, help_topic_);
  if (kind_ == Kind::Close) window()->close();
}

}  // namespace quorella::widgets
