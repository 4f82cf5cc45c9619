#pragma once
// TVAboutBox: who the product is — logo, name, version, description, copyright — with links to the
// vendor's site and address, and the check for a newer version.
#include <QWidget>

class QLabel;
class QPushButton;

namespace quorella::widgets {
class TLabel3D;
class TLnkLabel;
}  // namespace quorella::widgets

namespace quorella::app {

class TVAboutBox : public QWidget {
  Q_OBJECT
 public:
  explicit TVAboutBox(QWidget* parent = nullptr);

  QLabel* Logo = nullptr;
  widgets::TLabel3D* lblAppName = nullptr;
  QLabel* lblAppVersion = nullptr;
  QLabel* lblAppDesc = nullptr;
  QLabel* lblCopyright = nullptr;
  widgets::TLnkLabel* LnkLabel1 = nullptr;
  widgets::TLnkLabel* LnkLabel2 = nullptr;
  QPushButton* butUpdates = nullptr;
};

}  // namespace quorella::app
