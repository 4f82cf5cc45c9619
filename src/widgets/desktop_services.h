#pragma once
// Everything the windows ask of the desktop: standard dialogs and boxes, the beep, the shell, the
// help viewer and the clock. One small interface, so tests can script every answer and no test
// ever blocks on a modal window.
#include <QColor>
#include <QString>
#include <QStringList>

#include <array>
#include <memory>
#include <optional>

class QWidget;

namespace quorella::widgets {

enum class BoxIcon { None, Information, Warning, Error, Question };
enum class BoxButtons { Ok, OkCancel, YesNo };
enum class BoxAnswer { Ok, Cancel, Yes, No };

struct MessageBoxSpec {
  MessageBoxSpec(QString caption_text, QString message, BoxIcon box_icon = BoxIcon::None,
                 BoxButtons box_buttons = BoxButtons::Ok, BoxAnswer default_answer = BoxAnswer::Ok,
                 QString more = {})
      : caption(std::move(caption_text)),
        text(std::move(message)),
        icon(box_icon),
        buttons(box_buttons),
        default_button(default_answer),
        details(std::move(more)) {}

  QString caption;
  QString text;
  BoxIcon icon;
  BoxButtons buttons;
  BoxAnswer default_button;
  QString details;  // shown below the text, smaller; empty: none
};

class DesktopServices {
 public:
  virtual ~DesktopServices() = default;

  virtual BoxAnswer ShowMessage(QWidget* owner, const MessageBoxSpec& box) = 0;
  // One-line text input; nullopt when cancelled.
  virtual std::optional<QString> InputText(QWidget* owner, const QString& caption,
                                           const QString& prompt, const QString& text) = 0;
  // The colour picker, starting on `start`, offering the sixteen custom colours.
  virtual std::optional<QColor> PickColour(QWidget* owner, const QColor& start) = 0;
  virtual std::array<QColor, 16> CustomColours() const = 0;  // invalid QColor: unset
  virtual void SetCustomColours(const std::array<QColor, 16>& colours) = 0;
  // A folder picker starting at `start`; nullopt when cancelled.
  virtual std::optional<QString> PickFolder(QWidget* owner, const QString& title,
                                            const QString& start) = 0;
  // A file-open dialog; `filters` as "Text files (*.txt);;All files (*)".
  virtual std::optional<QString> OpenFile(QWidget* owner, const QString& caption,
                                          const QString& start, const QString& filters) = 0;
  virtual void Beep() = 0;
  // Opens a document or address with its default application; never blocks. False when the
  // application could not be started.
  virtual bool OpenDocument(const QString& path_or_url) = 0;
  // Starts a program detached.
  virtual void StartDetached(const QString& program, const QStringList& arguments) = 0;
  // Shows the help file at a topic.
  virtual void ShowHelp(QWidget* owner, const QString& help_file, int topic) = 0;
};

// The services in force for the whole run (the real desktop unless a test installed its own).
DesktopServices& Desktop();
// Installs `services` (not owned); nullptr restores the real desktop.
void SetDesktop(DesktopServices* services);

// The real desktop, on Qt's dialogs and services.
std::unique_ptr<DesktopServices> MakeQtDesktopServices();

}  // namespace quorella::widgets
