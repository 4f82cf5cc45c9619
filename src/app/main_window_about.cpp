// "Check for updates" on the about panel.
#include <QCoreApplication>
#include <QLabel>
#include <QPushButton>

#include "app/about_box.h"
#include "app/main_window.h"
#include "update/http_fetch.h"
#include "update/update_check.h"
#include "update/update_messages.h"
#include "widgets/desktop_services.h"
#include "widgets/label_3d.h"
#include "widgets/qt_text.h"

namespace quorella::app {

using widgets::Desktop;
using widgets::FromQt;
using widgets::ToQt;

void TfrmMain::butUpdatesClick() {
  if (checking_updates_) return;  // one check at a time; the wait keeps the window live
  checking_updates_ = true;
  struct Done {
    bool& flag;
    ~Done() { flag = false; }
  } done{checking_updates_};

  const std::string title = FromQt(AboutBox->lblAppName->text());
  if (Desktop().ShowMessage(
          this, {ToQt(kConfirmCheckCaption), ToQt(ConfirmCheckText()), widgets::BoxIcon::Question,
                 widgets::BoxButtons::YesNo, widgets::BoxAnswer::Yes}) != widgets::BoxAnswer::Yes)
    return;
  const std::string site = SiteAddress();
  FetchOptions options;
  options.event_pump = [] { QCoreApplication::processEvents(); };
  UpdateCheckResult result;
  if (!Guard([&] {
        result = IsNewCurrentVersion(title, FromQt(AboutBox->lblAppVersion->text()),
                                     context_->app_dir(), site, options);
      }))
    return;
  if (result.newer) {
    if (Desktop().ShowMessage(
            this, {ToQt(kNewVersionCaption), ToQt(NewVersionText(result.published_version)),
                   widgets::BoxIcon::Question, widgets::BoxButtons::YesNo,
                   widgets::BoxAnswer::Yes}) == widgets::BoxAnswer::Yes)
      Desktop().OpenDocument(ToQt(WhatsNewAddress(site)));
    return;
  }
  Desktop().Beep();
  Desktop().ShowMessage(
      this, {ToQt(title), ToQt(LatestVersionText(result.published_version)), widgets::BoxIcon::None,
             widgets::BoxButtons::Ok, widgets::BoxAnswer::Ok});
}

}  // namespace quorella::app
