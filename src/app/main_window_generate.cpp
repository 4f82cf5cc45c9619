// "Go" and "View in browser".
#include <QCoreApplication>

#include "app/error_box.h"
#include "app/main_window.h"
#include "html/generator.h"
#include "html/page_names.h"
#include "util/paths.h"
#include "widgets/desktop_services.h"
#include "widgets/friendly_status_bar.h"
#include "widgets/qt_text.h"

namespace quorella::app {

using widgets::ToQt;

namespace {

// "Wrote 12 pages to FOLDER, 3 unchanged, 1 removed": what a Go did, said once it is over.
QString GoSummary(std::size_t written, std::size_t total, std::size_t removed,
                  const std::string& start_page) {
  const QString folder = widgets::FolderText(DirectoryOf(start_page));
  QString text = QStringLiteral("Wrote %1 %2 to %3")
                     .arg(written)
                     .arg(written == 1 ? QStringLiteral("page") : QStringLiteral("pages"), folder);
  if (total > written) text += QStringLiteral(", %1 unchanged").arg(total - written);
  if (removed > 0) text += QStringLiteral(", %1 removed").arg(removed);
  return text;
}

}  // namespace

void TfrmMain::butGoClick() {
  CommitFocusedEditor();
  std::size_t total = 0, removed = 0;
  html::GenerationObserver observer;
  observer.removed = [&removed](const std::string&) { ++removed; };
  observer.status = [this](const std::string& text) {
    ShowStatus(ToQt(text));
    // Paint the status text; the user's input waits until the pages are written.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
  };
  observer.progress = [this, &total](std::size_t written, std::size_t pages) {
    total = pages;
    StatusBar->ShowProgress(static_cast<int>(written), static_cast<int>(pages));
  };
  std::vector<std::string> written;
  QString error;
  const bool done = RunGuarded(
      this, [&] { written = html::Go(*current_, banner_, observer); }, &error);
  StatusBar->ShowProgress(0, 0);
  // The progress text ends with the run; the status bar says how it ended.
  if (!done) {
    ShowStatus(error);
    return;
  }
  const std::string start_page = html::StartPagePath(current_->values);
  const QString summary = GoSummary(written.size(), total, removed, start_page);
  ShowStatus(summary);
  OpenStartPage(summary + QStringLiteral(". "));
}

void TfrmMain::butBrowserClick() {
  CommitFocusedEditor();
  OpenStartPage(QString());
}

void TfrmMain::OpenStartPage(const QString& before) {
  const QString start_page = ToQt(html::StartPagePath(current_->values));
  if (widgets::Desktop().OpenDocument(start_page)) return;
  ShowStatus(
      before +
      QStringLiteral("The web browser could not be started to open \"%1\".").arg(start_page));
}

}  // namespace quorella::app
