// "Go" and "View in browser".
#include <QCoreApplication>

#include "app/error_box.h"
#include "app/main_window.h"
#include "html/generator.h"
#include "html/page_names.h"
#include "widgets/desktop_services.h"
#include "widgets/friendly_status_bar.h"
#include "widgets/qt_text.h"

namespace quorella::app {

using widgets::ToQt;

void TfrmMain::butGoClick() {
  CommitFocusedEditor();
  html::GenerationObserver observer;
  observer.status = [this](const std::string& text) {
    ShowStatus(ToQt(text));
    // Paint the status text; the user's input waits until the pages are written.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
  };
  observer.progress = [this](std::size_t written, std::size_t total) {
    StatusBar->ShowProgress(static_cast<int>(written), static_cast<int>(total));
  };
  const bool written = RunGuarded(this, [&] { html::Go(*current_, banner_, observer); });
  StatusBar->ShowProgress(0, 0);
  ShowStatus(QString());  // the progress text ends with the run
  if (written) butBrowserClick();
}

void TfrmMain::butBrowserClick() {
  CommitFocusedEditor();
  widgets::Desktop().OpenDocument(ToQt(html::StartPagePath(current_->values)));
}

}  // namespace quorella::app
