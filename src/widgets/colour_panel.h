#pragma once
// The colour editors: a captioned panel painted in its background colour whose caption takes the
// colour of its first label, and labels drawn in the colour they stand for. Both report clicks,
// and both are reached by Tab, show their focus, and report Space or Enter as a click.
#include <QGroupBox>
#include <QLabel>

namespace quorella::widgets {

class ColourLabel : public QLabel {
  Q_OBJECT
 public:
  explicit ColourLabel(const QString& text, QWidget* parent = nullptr);
  QColor Colour() const { return colour_; }
  void SetColour(const QColor& colour);

 signals:
  void Clicked();

 protected:
  // The label takes the whole click, so the panel under it does not pick a colour of its own.
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  QColor colour_;
};

class ColourPanel : public QGroupBox {
  Q_OBJECT
 public:
  explicit ColourPanel(const QString& caption, QWidget* parent = nullptr);
  QColor Background() const { return background_; }
  void SetBackground(const QColor& colour);
  QColor CaptionColour() const { return caption_colour_; }
  void SetCaptionColour(const QColor& colour);

 signals:
  void Clicked();

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  // The style draws the panel's focus around its caption (a frame over the whole panel would tint
  // the colour it shows).
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void Repaint();
  QColor background_;
  QColor caption_colour_;
};

// The panel whose caption takes the colour of `label`: its first label's; nullptr for any other.
ColourPanel* CaptionedBy(const ColourLabel* label);

// A page's colour panel with its four colour labels (text, link, visited link, active link).
struct PageColours {
  ColourPanel* panel;
  ColourLabel* text;
  ColourLabel* link;
  ColourLabel* visited;
  ColourLabel* active;
};

}  // namespace quorella::widgets
