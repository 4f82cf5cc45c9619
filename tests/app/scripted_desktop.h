#pragma once
// A desktop whose every dialog answer is scripted by the test and whose every request is recorded.
#include <QStringList>

#include <deque>
#include <vector>

#include "widgets/desktop_services.h"

namespace quorella::testing {

class ScriptedDesktop : public widgets::DesktopServices {
 public:
  ScriptedDesktop();
  ~ScriptedDesktop() override;

  // Answers, taken in order; a dialog with no scripted answer is cancelled.
  std::deque<widgets::BoxAnswer> box_answers;
  std::deque<std::optional<QString>> input_answers;
  std::deque<std::optional<QColor>> colour_answers;
  std::deque<std::optional<QString>> folder_answers;
  std::deque<std::optional<QString>> file_answers;

  // What the program asked for.
  std::vector<widgets::MessageBoxSpec> boxes;
  struct Input {
    QString caption, prompt, text;
  };
  std::vector<Input> inputs;
  std::vector<QColor> colour_starts;
  std::vector<QString> folder_starts;
  QStringList opened;
  std::vector<std::pair<QString, QStringList>> started;
  std::vector<int> help_topics;
  int beeps = 0;
  std::array<QColor, 16> custom{};

  widgets::BoxAnswer ShowMessage(QWidget* owner, const widgets::MessageBoxSpec& box) override;
  std::optional<QString> InputText(QWidget* owner, const QString& caption, const QString& prompt,
                                   const QString& text) override;
  std::optional<QColor> PickColour(QWidget* owner, const QColor& start) override;
  std::array<QColor, 16> CustomColours() const override { return custom; }
  void SetCustomColours(const std::array<QColor, 16>& colours) override { custom = colours; }
  std::optional<QString> PickFolder(QWidget* owner, const QString& title,
                                    const QString& start) override;
  std::optional<QString> OpenFile(QWidget* owner, const QString& caption, const QString& start,
                                  const QString& filters) override;
  void Beep() override { ++beeps; }
  // Whether opening a document starts its application.
  bool opens = true;
  bool OpenDocument(const QString& path_or_url) override {
    opened << path_or_url;
    return opens;
  }
  void StartDetached(const QString& program, const QStringList& arguments) override {
    started.emplace_back(program, arguments);
  }
  void ShowHelp(QWidget*, const QString&, int topic) override { help_topics.push_back(topic); }
};

}  // namespace quorella::testing
