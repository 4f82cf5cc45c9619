// The backup panel and the about panel's update check, driven offscreen.
#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include "app/window_fixture.h"
#include "support/faults.h"
#include "support/loopback_server.h"
#include "util/file_io.h"
#include "widgets/friendly_status_bar.h"

namespace quorella::testing {

class BackupAboutTest : public QObject {
  Q_OBJECT

  static QLineEdit* Dir(WindowFixture& f) { return f.Find<QLineEdit>("edtBackupDir"); }
  static QString Status(WindowFixture& f) {
    return f.Find<widgets::TFriendlyStatusBar>("StatusBar")->PanelText(0);
  }
  static Exchange UpgradesFile(const std::string& body) {
    return Reply("HTTP/1.0 200 OK\r\nContent-Type: text/plain\r\n\r\n" + body);
  }

 private slots:
  void BackupWritesTheSetAndSaysSo() {
    WindowFixture f;
    f.Start();
    QCOMPARE(Dir(f)->text(), QString::fromStdString(f.app_dir() + "Backup"));
    WindowFixture::Click(f.Find("butBackup"));
    QVERIFY(FileExists(f.app_dir() + "Backup/registry.cfg"));
    QVERIFY(FileExists(f.app_dir() + "Backup/FAQ.dat"));
    QCOMPARE(Status(f), QStringLiteral("Finished Backup."));
    QCOMPARE(f.desktop.beeps, 1);
  }

  // Typing a folder and leaving the field stores it, and the backup goes there.
  void TypedBackupFolderIsStoredWhenLeftAndUsed() {
    WindowFixture f;
    f.Start();
    const QString typed = QString::fromStdString(f.app_dir()) + QStringLiteral("typed/set");
    WindowFixture::Type(Dir(f), typed);
    QCOMPARE(f.Read(kAppKey, "BackupDir"), std::string("?"));
    WindowFixture::Leave(Dir(f));
    QCOMPARE(f.Read(kAppKey, "BackupDir"), typed.toStdString());
    WindowFixture::Click(f.Find("butBackup"));
    QVERIFY(FileExists(typed.toStdString() + "/registry.cfg"));
  }

  // A backup that could not replace the earlier set does not say "Finished Backup.".
  void AnIncompleteBackupDoesNotSayFinished() {
    WindowFixture f;
    f.Start();
    WindowFixture::Click(f.Find("butBackup"));
    QCOMPARE(Status(f), QStringLiteral("Finished Backup."));
    {
      const FailNth fail(sys::Op::Rename, 1, EIO);  // the earlier set cannot be moved aside
      WindowFixture::Click(f.Find("butBackup"));
      QVERIFY(fail.fired());
    }
    QVERIFY(Status(f) != QStringLiteral("Finished Backup."));
    QVERIFY(!f.desktop.boxes.empty());
  }

  void BackupIntoTheApplicationDirectoryIsRefused() {
    WindowFixture f;
    f.Start();
    WindowFixture::Type(Dir(f), QString::fromStdString(f.app_dir()));
    WindowFixture::Click(f.Find("butBackup"));
    QCOMPARE(f.desktop.boxes.size(), size_t{1});
    QCOMPARE(f.desktop.boxes[0].icon, widgets::BoxIcon::Error);
    QVERIFY(FileExists(f.app_dir() + "FAQ.dat"));
    QVERIFY(Status(f) != QStringLiteral("Finished Backup."));
  }

  void BrowseWritesTheChosenFolder() {
    WindowFixture f;
    f.Start();
    f.desktop.folder_answers = {QStringLiteral("/srv/backups")};
    WindowFixture::Click(f.Find("butBackDirBrowse"));
    QCOMPARE(Dir(f)->text(), QStringLiteral("/srv/backups"));
    QCOMPARE(f.Read(kAppKey, "BackupDir"), std::string("/srv/backups"));
  }

  void RestoreBringsTheBackupBackAndRestartsWithTheSameArguments() {
    WindowFixture f;
    app::TfrmMain& w = f.Start({QStringLiteral("test")});
    WindowFixture::Type(f.Find("Title"), QStringLiteral("Backed up"));
    WindowFixture::Leave(f.Find("Title"));
    w.move(10, 20);
    WindowFixture::Click(f.Find("butBackup"));
    WindowFixture::Type(f.Find("Title"), QStringLiteral("Changed later"));
    WindowFixture::Leave(f.Find("Title"));
    f.desktop.box_answers = {widgets::BoxAnswer::Cancel};
    WindowFixture::Click(f.Find("butRestore"));
    QCOMPARE(f.Read(FaqKeyOf("FAQ", kTestKey), "Title"), std::string("Changed later"));
    QVERIFY(f.desktop.started.empty());
    QCOMPARE(f.desktop.boxes.back().caption, QStringLiteral("Restore Configuration"));
    QCOMPARE(f.desktop.boxes.back().text,
             QStringLiteral("You are about to do a restore. Are you sure you want to continue?"));
    QCOMPARE(f.desktop.boxes.back().default_button, widgets::BoxAnswer::Cancel);
    // The confirmation names the set, when it was backed up, and what it replaces.
    const QString app = QString::fromStdString(f.app_dir()).chopped(1);
    const QString made = QFileInfo(app + QStringLiteral("/Backup/registry.cfg"))
                             .lastModified()
                             .toString(QStringLiteral("yyyy-MM-dd HH:mm"));
    QCOMPARE(f.desktop.boxes.back().details,
             QStringLiteral("Backup set: %1/Backup, backed up %2.\nIt replaces every setting and "
                            "the list of FAQs (now 1: FAQ), and the documents of the same names in "
                            "%1.")
                 .arg(app, made));

    f.desktop.box_answers = {widgets::BoxAnswer::Ok};
    w.move(300, 300);
    WindowFixture::Click(f.Find("butRestore"));
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
    f.Start();
    f.desktop.box_answers = {widgets::BoxAnswer::No};
    WindowFixture::Click(f.Find("butUpdates"));
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
    f.Start();
    f.desktop.box_answers = {widgets::BoxAnswer::Yes, widgets::BoxAnswer::Yes};
    WindowFixture::Click(f.Find("butUpdates"));
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
    f.Start();
    f.desktop.box_answers = {widgets::BoxAnswer::Yes, widgets::BoxAnswer::Ok};
    WindowFixture::Click(f.Find("butUpdates"));
    QCOMPARE(f.desktop.beeps, 1);
    QCOMPARE(f.desktop.boxes.back().caption, QStringLiteral("Quorella"));
    QCOMPARE(f.desktop.boxes.back().icon, widgets::BoxIcon::None);
    QCOMPARE(
        f.desktop.boxes.back().text,
        QStringLiteral("The latest version is 1.3.1.\r\nYou already have the latest version."));

    RefusingPort refusing;
    qputenv("QUORELLA_SITE", QStringLiteral("http://127.0.0.1:%1/").arg(refusing.port()).toUtf8());
    f.desktop.box_answers = {widgets::BoxAnswer::Yes, widgets::BoxAnswer::Ok};
    WindowFixture::Click(f.Find("butUpdates"));
    // A failed connection says why the version is unknown.
    const QString text = f.desktop.boxes.back().text;
    QVERIFY2(text.startsWith(QStringLiteral(
                 "The latest version is unknown.\r\nCould not reach http://127.0.0.1:")),
             qPrintable(text));
    QVERIFY(text.contains(QStringLiteral("refused")));
    qunsetenv("QUORELLA_SITE");
  }

  // While the check waits, the cursor is busy and the status bar says so; closing the window ends
  // the check at once, without a result.
  void UpdateCheckShowsItRunsAndEndsWhenTheWindowCloses() {
    WindowFixture f;
    Exchange silent;
    silent.hold_open = true;
    LoopbackServer server({silent});
    qputenv("QUORELLA_SITE", QByteArray::fromStdString(server.Address("/")));
    app::TfrmMain& w = f.Start();
    f.desktop.box_answers = {widgets::BoxAnswer::Yes};
    bool busy = false;
    QString status;
    QTimer::singleShot(300, [&] {
      busy = QApplication::overrideCursor() != nullptr &&
             QApplication::overrideCursor()->shape() == Qt::BusyCursor;
      status = Status(f);
      w.close();
    });
    WindowFixture::Click(f.Find("butUpdates"));
    QVERIFY(busy);
    QCOMPARE(status, QStringLiteral("Checking for a newer version..."));
    QCOMPARE(f.desktop.boxes.size(), size_t{1});  // the confirmation only, no result
    QCOMPARE(QApplication::overrideCursor(), nullptr);
    QVERIFY(!FileExists(f.app_dir() + "temp.txt"));
    qunsetenv("QUORELLA_SITE");
  }
};

}  // namespace quorella::testing

QTEST_MAIN(quorella::testing::BackupAboutTest)
#include "backup_about_test.moc"
