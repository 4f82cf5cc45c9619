#pragma once
// The "About" page: the about panel, kept horizontally centred however the page is sized.
#include <QWidget>

namespace quorella::app {

class TVAboutBox;

class AboutTab : public QWidget {
  Q_OBJECT
 public:
  explicit AboutTab(QWidget* parent);
  TVAboutBox* about() const { return AboutBox; }
  QSize minimumSizeHint() const override;
  QSize sizeHint() const override { return minimumSizeHint(); }

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  // The panel's left edge at (page width - panel width) / 2, halves to the even neighbour.
  void FormResize();
  TVAboutBox* AboutBox = nullptr;
};

}  // namespace quorella::app
