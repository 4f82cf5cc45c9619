// The link label, the coloured button, the 3D label, the folder picker and VerInfo.
#include <QMouseEvent>
#include <QTest>

#include "widgets/browse_for_folder.h"
#include "widgets/colour_button.h"
#include "widgets/colour_panel.h"
#include "widgets/desktop_services.h"
#include "widgets/label_3d.h"
#include "widgets/link_label.h"
#include "widgets/qt_text.h"
#include "widgets/ver_info.h"

namespace quorella::widgets {

namespace {
// Records what the controls ask of the desktop.
class RecordingDesktop : public DesktopServices {
 public:
  RecordingDesktop() { SetDesktop(this); }
  ~RecordingDesktop() override { SetDesktop(nullptr); }
  QStringList opened;
  std::optional<QString> folder;
  QString folder_start;
  BoxAnswer ShowMessage(QWidget*, const MessageBoxSpec&) override { return BoxAnswer::Ok; }
  std::optional<QString> InputText(QWidget*, const QString&, const QString&,
                                   const QString&) override {
    return {};
  }
  std::optional<QColor> PickColour(QWidget*, const QColor&) override { return {}; }
  std::array<QColor, 16> CustomColours() const override { return {}; }
  void SetCustomColours(const std::array<QColor, 16>&) override {}
  std::optional<QString> PickFolder(QWidget*, const QString&, const QString& start) override {
    folder_start = start;
    return folder;
  }
  std::optional<QString> OpenFile(QWidget*, const QString&, const QString&,
                                  const QString&) override {
    return {};
  }
  void Beep() override {}
  bool OpenDocument(const QString& what) override {
    opened << what;
    return true;
  }
  void StartDetached(const QString&, const QStringList&) override {}
  void ShowHelp(QWidget*, const QString&, int) override {}
};
}  // namespace

class ControlsTest : public QObject {
  Q_OBJECT
 private slots:
  void LinkLabelOpensItsLinkAndTurnsVisitedOnLeaving() {
    RecordingDesktop desktop;
    TLnkLabel label;
    label.setText(QStringLiteral("site"));
    label.SetLink(QStringLiteral("http://www.tamsel.example/"));
    label.resize(80, 20);
    QCOMPARE(label.CurrentFontColour(), QColor(Qt::blue));
    QEnterEvent enter(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
    QApplication::sendEvent(&label, &enter);
    QCOMPARE(label.CurrentFontColour(), QColor(Qt::red));
    QTest::mouseClick(&label, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    QCOMPARE(desktop.opened, QStringList{QStringLiteral("http://www.tamsel.example/")});
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(&label, &leave);
    QCOMPARE(label.CurrentFontColour(), QColor(0, 0, 128));
    QVERIFY(label.font().underline());
    QCOMPARE(label.cursor().shape(), Qt::PointingHandCursor);
    // By keyboard: Enter on the focused link opens it too.
    QTest::keyClick(&label, Qt::Key_Return);
    QCOMPARE(desktop.opened.size(), 2);
    QVERIFY(label.focusPolicy() & Qt::TabFocus);
  }

  void ColouredButtonPaintsItsFaceAndShiftsWhenPressed() {
    TBitBtnWithColor button;
    button.setText(QStringLiteral("Go"));
    button.SetColor(QColor(0, 128, 0));
    QPixmap glyph(8, 8);
    glyph.fill(Qt::yellow);
    QPixmap grey(8, 8);
    grey.fill(Qt::gray);
    button.SetGlyph(glyph, grey);
    QCOMPARE(button.NumGlyphs(), 2);
    button.resize(60, 26);
    const QImage up = button.grab().toImage();
    QCOMPARE(up.pixelColor(30, 3), QColor(0, 128, 0));
    button.setDown(true);
    const QImage down = button.grab().toImage();
    QVERIFY(up != down);  // glyph and caption shifted by one pixel
    button.setDown(false);
    button.setEnabled(false);
    const QImage disabled = button.grab().toImage();
    bool grey_glyph = false;
    for (int x = 0; x < disabled.width(); ++x)
      for (int y = 0; y < disabled.height(); ++y)
        grey_glyph |= disabled.pixelColor(x, y) == QColor(Qt::gray);
    QVERIFY(grey_glyph);
  }

  void Label3DPasses() {
    TLabel3D label;
    QCOMPARE(label.Style3D(), TLabel3D::TextStyle::Raised);
    label.SetStyle3D(TLabel3D::TextStyle::LightRaised);
    const auto passes = label.Passes();
    QCOMPARE(passes.size(), size_t{3});
    QCOMPARE(passes[0].offset, QPoint(1, 1));
    QCOMPARE(passes[1].offset, QPoint(-1, -1));
    QCOMPARE(passes[2].offset, QPoint(0, 0));
    label.SetStyle3D(TLabel3D::TextStyle::Shadow);
    label.SetShift(3);
    QCOMPARE(label.Passes()[0].offset, QPoint(3, 3));
    QCOMPARE(label.font().family(), QStringLiteral("Arial"));
  }

  void FolderPickerKeepsThePathWhenCancelled() {
    RecordingDesktop desktop;
    TBrowseForFolder picker(nullptr);
    picker.SetPath(QStringLiteral("/start"));
    QVERIFY(!picker.Execute());
    QCOMPARE(picker.Path(), QStringLiteral("/start"));
    QCOMPARE(desktop.folder_start, QStringLiteral("/start"));
    desktop.folder = QStringLiteral("/chosen");
    QVERIFY(picker.Execute());
    QCOMPARE(picker.Path(), QStringLiteral("/chosen"));
  }

  void VersionInformation() {
    VerInfo info;
    QCOMPARE(info.Value(QStringLiteral("FileVersion")), QStringLiteral("1.3.1.323"));
    QCOMPARE(info.Value(QStringLiteral("comments")), QStringLiteral("Website FAQ manager"));
    QVERIFY(!info.Value(QStringLiteral("LegalCopyright")).isEmpty());
    QCOMPARE(info.Value(QStringLiteral("NoSuchValue")), QString());
    QCOMPARE(QList<int>({info.Major(), info.Minor(), info.Release(), info.Build()}),
             QList<int>({1, 3, 1, 323}));
  }

  void TextAndColourConversions() {
    for (const char* utf8 :
         {"caf\u00E9 \u20AC", "\u041F\u0440\u0438\u0432\u0435\u0442 \u03A3",
          "\u65E5\u672C\u8A9E \u0645\u0631\u062D\u0628\u0627", "e\u0301 \U0001F642"}) {
      QCOMPARE(FromQt(ToQt(utf8)), std::string(utf8));
    }
    QCOMPARE(ToQt("\u4E2D\U0001F642"), QString::fromUtf16(u"\u4E2D\U0001F642"));
    QCOMPARE(ColourFromStored(0x0000FF), QColor(255, 0, 0));
    QCOMPARE(StoredFromColour(QColor(0x12, 0x34, 0x56)), 0x563412);
  }

  // The real colour dialog shows unset custom colours as white; they must come back unset.
  void RealDesktopKeepsUnsetCustomColoursUnset() {
    const auto desktop = MakeQtDesktopServices();
    std::array<QColor, 16> given{};
    given[0] = QColor(0x12, 0x34, 0x56);
    given[2] = QColor(Qt::white);
    desktop->SetCustomColours(given);
    const std::array<QColor, 16> back = desktop->CustomColours();
    QCOMPARE(back[0], QColor(0x12, 0x34, 0x56));
    QVERIFY(!back[1].isValid());
    QCOMPARE(back[2], QColor(Qt::white));
    QVERIFY(!back[15].isValid());
  }

  // One click on a colour label is one pick: the panel under it must not pick too.
  void ClickOnAColourLabelReachesTheLabelOnly() {
    QWidget window;
    auto* panel = new ColourPanel(QStringLiteral(" Colors "), &window);
    auto* label = new ColourLabel(QStringLiteral("Text Color"), panel);
    label->move(10, 20);
    panel->resize(200, 100);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    int label_clicks = 0, panel_clicks = 0;
    connect(label, &ColourLabel::Clicked, [&] { ++label_clicks; });
    connect(panel, &ColourPanel::Clicked, [&] { ++panel_clicks; });
    QTest::mouseClick(label, Qt::LeftButton);
    QCOMPARE(label_clicks, 1);
    QCOMPARE(panel_clicks, 0);
    QTest::mouseClick(panel, Qt::LeftButton, {}, QPoint(150, 80));
    QCOMPARE(label_clicks, 1);
    QCOMPARE(panel_clicks, 1);
  }
};

}  // namespace quorella::widgets

QTEST_MAIN(quorella::widgets::ControlsTest)
#include "controls_test.moc"
