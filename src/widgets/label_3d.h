#pragma once
// TLabel3D: a label whose caption is drawn with a raised, recessed or shadowed look.
#include <QLabel>

namespace quorella::widgets {

class TLabel3D : public QLabel {
  Q_OBJECT
 public:
  enum class TextStyle { None, Raised, LightRaised, Recessed, HeavyRecessed, Shadow };

  explicit TLabel3D(QWidget* parent = nullptr);

  TextStyle Style3D() const { return style_; }
  void SetStyle3D(TextStyle style) {
    style_ = style;
    update();
  }
  int Shift() const { return shift_; }
  void SetShift(int shift) {
    shift_ = shift;
    update();
  }

  // The passes that draw the caption, in order: colour and offset of each.
  struct Pass {
    QColor colour;
    QPoint offset;
  };
  std::vector<Pass> Passes() const;

  QSize sizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  TextStyle style_ = TextStyle::Raised;
  int shift_ = 1;
};

}  // namespace quorella::widgets
