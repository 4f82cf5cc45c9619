#include "widgets/help_viewer.h"

#include <QFileInfo>
#include <QPointer>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

#include "widgets/desktop_services.h"

namespace quorella::widgets {

HelpViewer::HelpViewer(QWidget* owner) : QDialog(owner), browser_(new QTextBrowser(this)) {
  setObjectName(QStringLiteral("HelpViewer"));
  setWindowTitle(QStringLiteral("Quorella Help"));
  resize(620, 520);
  browser_->setOpenExternalLinks(true);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(browser_);
}

void HelpViewer::Show(QWidget* owner, const QString& help_file, int topic) {
  if (!QFileInfo::exists(help_file)) {
    Desktop().ShowMessage(
        owner, {QStringLiteral("Quorella"),
                QStringLiteral("The help file \"%1\" could not be found.").arg(help_file),
                BoxIcon::Warning, BoxButtons::Ok, BoxAnswer::Ok});
    return;
  }
  static QPointer<HelpViewer> viewer;
  if (viewer == nullptr) viewer = new HelpViewer(owner);
  if (viewer->file_ != help_file) {
    viewer->file_ = help_file;
    viewer->browser_->setSource(QUrl::fromLocalFile(help_file), QTextDocument::HtmlResource);
  }
  viewer->browser_->scrollToAnchor(QStringLiteral("topic%1").arg(topic));
  viewer->show();
  viewer->raise();
  viewer->activateWindow();
}

}  // namespace quorella::widgets
