#pragma once
// THEdit, THLabel and THListBox: an edit, a label and a list box that show their clipped text in
// full in the hint window when the pointer rests on them.
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>

namespace quorella::widgets {

class THEdit : public QLineEdit {
  Q_OBJECT
 public:
  explicit THEdit(QWidget* parent = nullptr);
  ~THEdit() override;
  bool SpHint() const { return sp_hint_; }
  void SetSpHint(bool on) { sp_hint_ = on; }
  bool TextFits() const;
  virtual bool ShowClippedHint(const QPoint& screen_point);

 protected:
  void mouseMoveEvent(QMouseEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  bool sp_hint_ = true;
};

class THLabel : public QLabel {
  Q_OBJECT
 public:
  explicit THLabel(const QString& text, QWidget* parent = nullptr);
  ~THLabel() override;
  bool SpHint() const { return sp_hint_; }
  void SetSpHint(bool on) { sp_hint_ = on; }
  bool TextFits() const;
  virtual bool ShowClippedHint(const QPoint& screen_point);

 protected:
  void mouseMoveEvent(QMouseEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;

 private:
  bool sp_hint_ = true;
};

class THListBox : public QListWidget {
  Q_OBJECT
 public:
  explicit THListBox(QWidget* parent = nullptr);
  ~THListBox() override;
  bool SpHint() const { return sp_hint_; }
  void SetSpHint(bool on) { sp_hint_ = on; }
  bool ItemFits(int index) const;
  int hinted_item() const { return hinted_item_; }
  virtual bool ShowClippedHint(const QPoint& screen_point);

 protected:
  void mouseMoveEvent(QMouseEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  int ItemHeight() const;
  int ItemAt(const QPoint& viewport_point) const;
  bool sp_hint_ = true;
  int hinted_item_ = -1;
};

}  // namespace quorella::widgets
