#pragma once
// TLnkLabel: a label that opens its address through the shell when clicked and recolours itself
// while the mouse is over it; once clicked it takes the visited colour on leaving.
#include <QColor>
#include <QLabel>

namespace quorella::widgets {

class TLnkLabel : public QLabel {
  Q_OBJECT
 public:
  explicit TLnkLabel(QWidget* parent = nullptr);

  QString Link() const { return link_; }
  void SetLink(const QString& link) { link_ = link; }
  QColor EnterFontColor() const { return enter_; }
  void SetEnterFontColor(const QColor& colour) { enter_ = colour; }
  QColor LeaveFontColor() const { return leave_; }
  void SetLeaveFontColor(const QColor& colour);
  QColor VisitedColor() const { return visited_; }
  void SetVisitedColor(const QColor& colour) { visited_ = colour; }

  QColor CurrentFontColour() const;

 protected:
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  // Reached by Tab: Space or Enter opens the link, and the focus is drawn around the text.
  void keyPressEvent(QKeyEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  void Open();
  void SetFontColour(const QColor& colour);
  QString link_;
  QColor enter_{Qt::red};
  QColor leave_{Qt::blue};
  QColor visited_{0, 0, 128};
};

}  // namespace quorella::widgets
