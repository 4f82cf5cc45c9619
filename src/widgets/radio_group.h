#pragma once
// A captioned group of radio buttons with one chosen index (-1 when none is chosen).
#include <QGroupBox>
#include <QStringList>

class QButtonGroup;
class QRadioButton;

namespace quorella::widgets {

class RadioGroup : public QGroupBox {
  Q_OBJECT
 public:
  RadioGroup(const QString& caption, const QStringList& items, QWidget* parent = nullptr);

  int ItemIndex() const;
  // Chooses an item without emitting Clicked.
  void SetItemIndex(int index);
  QRadioButton* Button(int index) const;

 signals:
  // The user chose an item.
  void Clicked(int index);

 private:
  QButtonGroup* group_;
};

}  // namespace quorella::widgets
