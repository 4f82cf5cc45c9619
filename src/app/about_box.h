#pragma once
// TVAboutBox: who the product is — logo, name, version, description, copyright — with links to the
// vendor's site and address, and the check for a newer version.
#include <QWidget>

#include <string>

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

  // The run-time texts: application name, "Version " + version, description, copyright.
  void SetTexts(const QString& title, const QString& version, const QString& description,
                const QString& copyright);
  // Where the check's temporary version file lives.
  void SetAppDir(const std::string& app_dir) { app_dir_ = app_dir; }
  // Ends a running check at once (the window is closing); it reports nothing.
  void CancelCheck() { cancel_ = true; }

 signals:
  // A text for the status bar; empty when it is to be cleared.
  void Status(const QString& text);

 private:
  void butUpdatesClick();

  std::string app_dir_;
  bool checking_ = false;
  bool cancel_ = false;
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
