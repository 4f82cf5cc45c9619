#include "app/about_tab.h"

#include <algorithm>
#include <cmath>

#include "app/about_box.h"

namespace quorella::app {

namespace {
constexpr int kMargin = 6;
}

namespace {
// The panel's width is fixed; its wrapped copyright lines decide its height.
QSize PanelSize(const QWidget* panel) {
  const int width = panel->width();
  const int height =
      panel->hasHeightForWidth() ? panel->heightForWidth(width) : panel->sizeHint().height();
  return {width, std::max(height, panel->sizeHint().height())};
}
}  // namespace

AboutTab::AboutTab(QWidget* parent) : QWidget(parent) {
  AboutBox = new TVAboutBox(this);  // placed by hand: FormResize keeps it centred
  AboutBox->resize(PanelSize(AboutBox));
  AboutBox->move(0, kMargin);
}

QSize AboutTab::minimumSizeHint() const {
  return PanelSize(AboutBox) + QSize(2 * kMargin, 2 * kMargin);
}

void AboutTab::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  FormResize();
}

void AboutTab::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  FormResize();  // the texts set at start-up may have changed the panel's height
}

void AboutTab::FormResize() {
  AboutBox->resize(PanelSize(AboutBox));
  const double left = std::nearbyint((width() - AboutBox->width()) / 2.0);
  AboutBox->move(static_cast<int>(left), kMargin);
}

}  // namespace quorella::app
