#include "app/about_box.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <QApplication>
#include <QScopedValueRollback>

#include "app/error_box.h"
#include "app/site.h"
#include "update/http_fetch.h"
#include "update/update_check.h"
#include "update/update_messages.h"
#include "widgets/desktop_services.h"
#include "widgets/label_3d.h"
#include "widgets/link_label.h"
#include "widgets/qt_text.h"

namespace quorella::app {

namespace {

widgets::TLnkLabel* MakeLink(const QString& caption, const QString& link, const QString& name,
                             QWidget* parent) {
  auto* label = new widgets::TLnkLabel(parent);
  label->setObjectName(name);
  label->setText(caption);
  label->SetLink(link);
  QFont font = label->font();
  font.setPixelSize(11);
  font.setUnderline(true);
  label->setFont(font);
  label->SetEnterFontColor(Qt::blue);
  label->SetLeaveFontColor(Qt::blue);
  label->SetVisitedColor(QColor(0, 0, 128));
  label->setAttribute(Qt::WA_TranslucentBackground);
  return label;
}

}  // namespace

TVAboutBox::TVAboutBox(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("AboutBox"));
  auto* outer = new QVBoxLayout(this);
  auto* group = new QGroupBox(this);
  auto* grid = new QGridLayout(group);

  Logo = new QLabel(group);
  Logo->setObjectName(QStringLiteral("Logo"));
  Logo->setPixmap(QIcon(QStringLiteral(":/icons/quorella.svg")).pixmap(64, 64));
  grid->addWidget(Logo, 0, 0, 4, 1, Qt::AlignTop);

  lblAppName = new widgets::TLabel3D(group);
  lblAppName->setObjectName(QStringLiteral("lblAppName"));
  lblAppName->setText(QStringLiteral("Application Name "));
  QFont name_font(QStringLiteral("Arial"));
  name_font.setPixelSize(21);
  name_font.setBold(true);
  name_font.setItalic(true);
  lblAppName->setFont(name_font);
  QPalette maroon = lblAppName->palette();
  maroon.setColor(QPalette::WindowText, QColor(128, 0, 0));
  lblAppName->setPalette(maroon);
  lblAppName->SetStyle3D(widgets::TLabel3D::TextStyle::LightRaised);
  lblAppName->SetShift(1);
  grid->addWidget(lblAppName, 0, 1);

  lblAppVersion = new QLabel(QStringLiteral("AppVersion"), group);
  lblAppVersion->setObjectName(QStringLiteral("lblAppVersion"));
  QFont bold = lblAppVersion->font();
  bold.setBold(true);
  lblAppVersion->setFont(bold);
  grid->addWidget(lblAppVersion, 1, 1);
  lblAppDesc = new QLabel(QStringLiteral("AppDesc"), group);
  lblAppDesc->setObjectName(QStringLiteral("lblAppDesc"));
  grid->addWidget(lblAppDesc, 2, 1);
  lblCopyright = new QLabel(group);
  lblCopyright->setObjectName(QStringLiteral("lblCopyright"));
  lblCopyright->setWordWrap(true);
  grid->addWidget(lblCopyright, 3, 1);

  LnkLabel1 = MakeLink(SiteAddress(), SiteAddress(), QStringLiteral("LnkLabel1"), group);
  grid->addWidget(LnkLabel1, 4, 1);
  LnkLabel2 = MakeLink(VendorMailAddress(), QStringLiteral("mailto:") + VendorMailAddress(),
                       QStringLiteral("LnkLabel2"), group);
  grid->addWidget(LnkLabel2, 5, 1);
  butUpdates = new QPushButton(QStringLiteral("Check for updates"), group);
  butUpdates->setObjectName(QStringLiteral("butUpdates"));
  grid->addWidget(butUpdates, 6, 1, Qt::AlignLeft);
  grid->setColumnStretch(1, 1);
  outer->addWidget(group);

  auto* others = new QWidget(this);
  others->setObjectName(QStringLiteral("OtherProducts"));
  auto* others_layout = new QVBoxLayout(others);
  auto* heading = new QLabel(QStringLiteral("Try our other products:"), others);
  QFont heading_font = heading->font();
  heading_font.setBold(true);
  heading->setFont(heading_font);
  others_layout->addWidget(heading);
  auto* cli_docs = MakeLink(QStringLiteral("quorella-cli: build FAQ sites from scripts"),
                            SiteAddress() + QStringLiteral("quorel/cli.shtml"),
                            QStringLiteral("LnkLabel3"), others);
  cli_docs->setToolTip(QStringLiteral("The command line companion, for build pipelines"));
  others_layout->addWidget(cli_docs);
  auto* home =
      MakeLink(QStringLiteral("Quorella home page"), SiteAddress() + QStringLiteral("quorel/"),
               QStringLiteral("LnkLabel4"), others);
  home->setToolTip(QStringLiteral("News, tips and the latest version of Quorella"));
  others_layout->addWidget(home);
  outer->addWidget(others);
  outer->addStretch();
  setFixedWidth(380);
  connect(butUpdates, &QPushButton::clicked, this, &TVAboutBox::butUpdatesClick);
}

void TVAboutBox::SetTexts(const QString& title, const QString& version, const QString& description,
                          const QString& copyright) {
  lblAppName->setText(title);
  lblAppVersion->setText(version);
  lblAppDesc->setText(description);
  lblCopyright->setText(copyright);
}

namespace {
// Thrown from the fetch's wait when the window closes; it unwinds the fetch and its temporary file.
struct CheckCancelled {};

// A busy cursor for as long as it lives.
struct BusyCursor {
  BusyCursor() { QApplication::setOverrideCursor(Qt::BusyCursor); }
  ~BusyCursor() { QApplication::restoreOverrideCursor(); }
  BusyCursor(const BusyCursor&) = delete;
  BusyCursor& operator=(const BusyCursor&) = delete;
};
}  // namespace

void TVAboutBox::butUpdatesClick() {
  using widgets::Desktop;
  using widgets::ToQt;
  if (checking_) return;  // one check at a time; the wait keeps the window live
  const QScopedValueRollback<bool> checking(checking_, true);
  cancel_ = false;
  const std::string title = widgets::FromQt(lblAppName->text());
  if (Desktop().ShowMessage(
          this, {ToQt(kConfirmCheckCaption), ToQt(ConfirmCheckText()), widgets::BoxIcon::Question,
                 widgets::BoxButtons::YesNo, widgets::BoxAnswer::Yes}) != widgets::BoxAnswer::Yes)
    return;
  const std::string site = quorella::SiteAddress();
  FetchOptions options;
  options.event_pump = [this] {
    QCoreApplication::processEvents();
    if (cancel_) throw CheckCancelled{};
  };
  UpdateCheckResult result;
  bool cancelled = false;
  emit Status(ToQt(kCheckingForUpdates));
  const bool checked = [&] {
    const BusyCursor busy;
    return RunGuarded(this, [&] {
      try {
        result = IsNewCurrentVersion(title, widgets::FromQt(lblAppVersion->text()), app_dir_, site,
                                     options);
      } catch (const CheckCancelled&) {
        cancelled = true;
      }
    });
  }();
  emit Status(QString());
  if (!checked || cancelled) return;
  if (result.newer) {
    if (Desktop().ShowMessage(
            this, {ToQt(kNewVersionCaption), ToQt(NewVersionText(result.published_version)),
                   widgets::BoxIcon::Question, widgets::BoxButtons::YesNo,
                   widgets::BoxAnswer::Yes}) == widgets::BoxAnswer::Yes)
      Desktop().OpenDocument(ToQt(WhatsNewAddress(site)));
    return;
  }
  std::string text = LatestVersionText(result.published_version);
  if (!result.fetch_error.empty())
    text += "\r\n" + CouldNotReach(UpgradesAddress(site), result.fetch_error);
  Desktop().Beep();
  Desktop().ShowMessage(this, {ToQt(title), ToQt(text), widgets::BoxIcon::None,
                               widgets::BoxButtons::Ok, widgets::BoxAnswer::Ok});
}

}  // namespace quorella::app
