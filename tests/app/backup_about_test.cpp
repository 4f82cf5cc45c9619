// The backup panel and the about panel's update check, driven offscreen.
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

#include "app/about_box.h"
#include "app/backup_panel.h"
#include "app/window_fixture.h"
#include "support/loopback_server.h"
#include "util/file_io.h"
#include "widgets/friendly_status_bar.h"

namespace quorella::testing {

class BackupAboutTest : public QObject {
  Q_OBJECT

  static Exchange UpgradesFile(const std::string& body) {
    return Reply("HTTP/1.0 200 OK\r\nContent-Type: text/plain\r\n\r\n" + body);
  }

 private slots:
  void BackupWritesTheSetAndSaysSo() {
    WindowFixture f;
    app::TfrmMain& w = f.Start();
    QCOMPARE(w.Backup->edtBackupDir->text(), QString::fromStdString(f.app_dir() + "Backup"));
    w.Backup->butBackup->click();
    QVERIFY(FileExists(f.app_dir() + "Backup/registry.cfg"));
    QVERIFY(FileExists(f.app_dir() + "Backup/FAQ.dat"));
    QCOMPARE(w.StatusBar->PanelText(0), QStringLiteral("Finished Backup."));
    QCOMPARE(f.desktop.beeps, 1);
  }

  void BackupIntoTheApplicationDirectoryIsRefused() {
    WindowFixture f;
    app::TfrmMain& w = f.Start();
    w.Backup->edtBackupDir->setText(QString::fromStdString(f.app_dir()));
    w.Backup->butBackup->click();
    QCOMPARE(f.desktop.boxes.size(), size_t{1});
    QCOMPARE(f.desktop.boxes[0].icon, widgets::BoxIcon::Error);
    QVERIFY(FileExists(f.app_dir() + "FAQ.dat"));
    QVERIFY(w.StatusBar->PanelText(0) != QStringLiteral("Finished Backup."));
  }

  void BrowseWritesTheChosenFolder() {
    WindowFixture f;
    app::TfrmMain& w = f.Start();
    f.desktop.folder_answers = {QStringLiteral("/srv/backups")};
    w.Backup->butBackDirBrowse->click();
    QCOMPARE(w.Backup->edtBackupDir->text(), QStringLiteral("/srv/backups"));
    QCOMPARE(f.Read(kAppKey, "BackupDir"), std::string("/srv/backups"));
  }

  void RestoreBringsTheBackupBackAndRestartsWithTheSameArguments() {
    WindowFixture f;
    app::TfrmMain& w = f.Start({QStringLiteral("test")});
    WindowFixture::Type(w.Title, QStringLiteral("Backed up"));
    WindowFixture::Leave(w.Title);
    w.move(10, 20);
    w.Backup->butBackup->click();
    WindowFixture::Type(w.Title, QStringLiteral("Changed later"));
    WindowFixture::Leave(w.Title);
    f.desktop.box_answers = {widgets::BoxAnswer::Cancel};
    w.Backup->butRestore->click();
    QCOMPARE(f.Read(FaqKeyOf("FAQ", kTestKey), "Title"), std::string("Changed later"));
    QVERIFY(f.desktop.started.empty());
    QCOMPARE(f.desktop.boxes.back().caption, QStringLiteral("Restore Configuration"));
    QCOMPARE(f.desktop.boxes.back().default_button, widgets::BoxAnswer::Cancel);

    f.desktop.box_answers = {widgets::BoxAnswer::Ok};
    w.move(300, 300);
    w.Backup->butRestore->click();
    QCOMPARE(f.desktop.boxes.back().text,
             QStringLiteral("Configuration restored.The application will now restart."));
    QCOMPARE(f.Read(FaqKeyOf("FAQ", kTestKey), "Title"), std::string("Backed up"));
    QCOMPARE(f.desktop.started.size(), size_t{1});
    QCOMPARE(f.desktop.started[0].second, QStringList{QStringLiteral("test")});
    // The run that ended wrote nothing over the restored values.
    QCOMPARE(f.ReadInt(kTestKey, "Left"), -999);
  }

  void UpdateCheckDeclinedFetchesNothing() {
    WindowFixture f;
    LoopbackServer server({UpgradesFile("Quorella 9.0\r\n")});
    qputenv("QUORELLA_SITE", QByteArray::fromStdString(server.Address("/")));
    app::TfrmMain& w = f.Start();
    f.desktop.box_answers = {widgets::BoxAnswer::No};
    w.AboutBox->butUpdates->click();
    QCOMPARE(f.desktop.boxes.size(), size_t{1});
    QCOMPARE(f.desktop.boxes[0].caption, QStringLiteral("Check for latest version?"));
    QCOMPARE(f.desktop.boxes[0].text,
             QStringLiteral("You are about to check for the latest version.\r\n You must be "
                            "connected to the internet for this.\r\n\r\nDo you wish to continue?"));
    QVERIFY(server.Requests().empty());
    QVERIFY(!FileExists(f.app_dir() + "temp.txt"));
  }

  void UpdateCheckFindsANewerVersionAndOpensWhatsNew() {
    WindowFixture f;
    LoopbackServer server({UpgradesFile("Other 1.0\r\n  QUORELLA   9.0  \r\n")});
    const std::string site = server.Address("/");
    qputenv("QUORELLA_SITE", QByteArray::fromStdString(site));
    app::TfrmMain& w = f.Start();
    f.desktop.box_answers = {widgets::BoxAnswer::Yes, widgets::BoxAnswer::Yes};
    w.AboutBox->butUpdates->click();
    QCOMPARE(f.desktop.boxes.size(), size_t{2});
    QCOMPARE(f.desktop.boxes[1].caption, QStringLiteral("New Version Found"));
    QCOMPARE(f.desktop.boxes[1].text,
             QStringLiteral(
                 "A newer version has been found (v9.0)\r\n\r\nWould you like to read about it?"));
    QCOMPARE(f.desktop.opened, QStringList{QString::fromStdString(site + "quorel/whatsnew.shtml")});
    QVERIFY(server.Requests().at(0).starts_with("GET /upgrades.txt HTTP/1.0\r\n"));
    QVERIFY(!FileExists(f.app_dir() + "temp.txt"));
  }

  void UpdateCheckReportsTheLatestOrUnknown() {
    WindowFixture f;
    LoopbackServer server({UpgradesFile("quorella 1.3.1\r\n")});
    qputenv("QUORELLA_SITE", QByteArray::fromStdString(server.Address("/")));
    app::TfrmMain& w = f.Start();
    f.desktop.box_answers = {widgets::BoxAnswer::Yes, widgets::BoxAnswer::Ok};
    w.AboutBox->butUpdates->click();
    QCOMPARE(f.desktop.beeps, 1);
    QCOMPARE(f.desktop.boxes.back().caption, QStringLiteral("Quorella"));
    QCOMPARE(f.desktop.boxes.back().icon, widgets::BoxIcon::None);
    QCOMPARE(
        f.desktop.boxes.back().text,
        QStringLiteral("The latest version is 1.3.1.\r\nYou already have the latest version."));

    RefusingPort refusing;
    qputenv("QUORELLA_SITE", QStringLiteral("http://127.0.0.1:%1/").arg(refusing.port()).toUtf8());
    f.desktop.box_answers = {widgets::BoxAnswer::Yes, widgets::BoxAnswer::Ok};
    w.AboutBox->butUpdates->click();
    QCOMPARE(f.desktop.boxes.back().text, QStringLiteral("The latest version is unknown."));
    qunsetenv("QUORELLA_SITE");
  }
};

}  // namespace quorella::testing

QTEST_MAIN(quorella::testing::BackupAboutTest)
#include "backup_about_test.moc"
