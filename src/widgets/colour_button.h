#pragma once
// TBitBtnWithColor: a push button with a glyph, painted by the program in a face colour of its own
// (the green "Go" button).
#include <QColor>
#include <QIcon>
#include <QPushButton>

namespace quorella::widgets {

class TBitBtnWithColor : public QPushButton {
  Q_OBJECT
 public:
  enum class GlyphLayout { Left, Right, Top, Bottom };
  enum class Kind { Custom, OK, Cancel, Help, Yes, No, Close, Abort, Retry, Ignore, All };
  enum class Style { AutoDetect, Win31, New };

  explicit TBitBtnWithColor(QWidget* parent = nullptr);

  QColor Color() const { return colour_; }
  void SetColor(const QColor& colour);
  // The glyph: its normal image, and the image shown while the button is disabled.
  void SetGlyph(const QPixmap& normal, const QPixmap& disabled);
  int NumGlyphs() const { return disabled_glyph_.isNull() ? 1 : 2; }
  GlyphLayout Layout() const { return layout_; }
  void SetLayout(GlyphLayout layout) {
    layout_ = layout;
    update();
  }
  int Spacing() const { return spacing_; }
  void SetSpacing(int spacing) {
    spacing_ = spacing;
    update();
  }
  int Margin() const { return margin_; }
  void SetMargin(int margin) {
    margin_ = margin;
    update();
  }
  Kind ButtonKind() const { return kind_; }
  void SetKind(Kind kind) { kind_ = kind; }
  Style ButtonStyle() const { return style_; }
  void SetStyle(Style style) { style_ = style; }
  // The help topic a bkHelp button opens (the nearest control's topic in the caller's terms).
  void SetHelpTopic(const QString& help_file, int topic) {
    help_file_ = help_file;
    help_topic_ = topic;
  }

  QSize sizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void nextCheckState() override;

 private:
  void OnClicked();
  bool IsEnterTarget() const;
  QColor colour_;
  QPixmap glyph_;
  QPixmap disabled_glyph_;
  GlyphLayout layout_ = GlyphLayout::Left;
  int spacing_ = 4;
  int margin_ = -1;
  Kind kind_ = Kind::Custom;
  Style style_ = Style::AutoDetect;
  QString help_file_;
  int help_topic_ = 0;
};

}  // namespace quorella::widgets
