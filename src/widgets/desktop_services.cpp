#include "widgets/desktop_services.h"

#include <QApplication>
#include <QColorDialog>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QMessageBox>
#include <QProcess>
#include <QUrl>

#include "widgets/help_viewer.h"

namespace quorella::widgets {

namespace {

QMessageBox::StandardButton ToStandard(BoxAnswer answer) {
  switch (answer) {
    case BoxAnswer::Ok:
      return QMessageBox::Ok;
    case BoxAnswer::Cancel:
      return QMessageBox::Cancel;
    case BoxAnswer::Yes:
      return QMessageBox::Yes;
    case BoxAnswer::No:
      return QMessageBox::No;
  }
  return QMessageBox::Ok;
}

class QtDesktopServices final : public DesktopServices {
 public:
  BoxAnswer ShowMessage(QWidget* owner, const MessageBoxSpec& box) override {
    QMessageBox message(owner);
    message.setWindowTitle(box.caption);
    message.setText(box.text);
    message.setTextFormat(Qt::PlainText);
    message.setInformativeText(box.details);
    switch (box.icon) {
      case BoxIcon::None:
        message.setIcon(QMessageBox::NoIcon);
        break;
      case BoxIcon::Information:
        message.setIcon(QMessageBox::Information);
        break;
      case BoxIcon::Warning:
        message.setIcon(QMessageBox::Warning);
        break;
      case BoxIcon::Error:
        message.setIcon(QMessageBox::Critical);
        break;
      case BoxIcon::Question:
        message.setIcon(QMessageBox::Question);
        break;
    }
    switch (box.buttons) {
      case BoxButtons::Ok:
        message.setStandardButtons(QMessageBox::Ok);
        break;
      case BoxButtons::OkCancel:
        message.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        break;
      case BoxButtons::YesNo:
        message.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        break;
    }
    message.setDefaultButton(ToStandard(box.default_button));
    switch (message.exec()) {
      case QMessageBox::Cancel:
        return BoxAnswer::Cancel;
      case QMessageBox::Yes:
        return BoxAnswer::Yes;
      case QMessageBox::No:
        return BoxAnswer::No;
      default:
        return box.buttons == BoxButtons::OkCancel && message.clickedButton() == nullptr
                   ? BoxAnswer::Cancel
                   : BoxAnswer::Ok;
    }
  }

  std::optional<QString> InputText(QWidget* owner, const QString& caption, const QString& prompt,
                                   const QString& text) override {
    bool ok = false;
    const QString result =
        QInputDialog::getText(owner, caption, prompt, QLineEdit::Normal, text, &ok);
    if (!ok) return std::nullopt;
    return result;
  }

  std::optional<QColor> PickColour(QWidget* owner, const QColor& start) override {
    const QColor colour = QColorDialog::getColor(start, owner);
    if (!colour.isValid()) return std::nullopt;
    return colour;
  }

  // The dialog shows an unset custom colour as white and cannot say which are unset; a slot
  // still holding what was put there keeps what was given, so an unset one stays unset.
  std::array<QColor, 16> CustomColours() const override {
    std::array<QColor, 16> colours = given_;
    for (int i = 0; i < 16; ++i) {
      const auto slot = static_cast<std::size_t>(i);
      const QColor shown = QColorDialog::customColor(i);
      if (shown != Shown(given_[slot])) colours[slot] = shown;
    }
    return colours;
  }

  void SetCustomColours(const std::array<QColor, 16>& colours) override {
    given_ = colours;
    for (int i = 0; i < 16; ++i)
      QColorDialog::setCustomColor(i, Shown(colours[static_cast<std::size_t>(i)]));
  }

  std::optional<QString> PickFolder(QWidget* owner, const QString& title,
                                    const QString& start) override {
    const QString folder = QFileDialog::getExistingDirectory(owner, title, start);
    if (folder.isEmpty()) return std::nullopt;
    return folder;
  }

  std::optional<QString> OpenFile(QWidget* owner, const QString& caption, const QString& start,
                                  const QString& filters) override {
    const QString file = QFileDialog::getOpenFileName(owner, caption, start, filters);
    if (file.isEmpty()) return std::nullopt;
    return file;
  }

  void Beep() override { QApplication::beep(); }

  bool OpenDocument(const QString& path_or_url) override {
    const QUrl url = path_or_url.contains(QStringLiteral("://")) ||
                             path_or_url.startsWith(QStringLiteral("mailto:"))
                         ? QUrl(path_or_url)
                         : QUrl::fromLocalFile(QFileInfo(path_or_url).absoluteFilePath());
    return QDesktopServices::openUrl(url);
  }

  void StartDetached(const QString& program, const QStringList& arguments) override {
    QProcess::startDetached(program, arguments);
  }

  void ShowHelp(QWidget* owner, const QString& help_file, int topic) override {
    HelpViewer::Show(owner, help_file, topic);
  }

 private:
  static QColor Shown(const QColor& colour) {
    return colour.isValid() ? colour : QColor(Qt::white);
  }
  std::array<QColor, 16> given_{};
};

DesktopServices* g_installed = nullptr;

}  // namespace

std::unique_ptr<DesktopServices> MakeQtDesktopServices() {
  return std::make_unique<QtDesktopServices>();
}

DesktopServices& Desktop() {
  if (g_installed != nullptr) return *g_installed;
  static std::unique_ptr<DesktopServices> real = MakeQtDesktopServices();
  return *real;
}

void SetDesktop(DesktopServices* services) {
  g_installed = services;
}

}  // namespace quorella::widgets
