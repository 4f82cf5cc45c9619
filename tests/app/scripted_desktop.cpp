#include "app/scripted_desktop.h"

namespace quorella::testing {

namespace {
template <typename T>
std::optional<T> Next(std::deque<std::optional<T>>& answers) {
  std::optional<T> answer;
  if (answers.empty()) return answer;
  answer.swap(answers.front());
  answers.pop_front();
  return answer;
}
}  // namespace

ScriptedDesktop::ScriptedDesktop() {
  widgets::SetDesktop(this);
}
ScriptedDesktop::~ScriptedDesktop() {
  widgets::SetDesktop(nullptr);
}

widgets::BoxAnswer ScriptedDesktop::ShowMessage(QWidget*, const widgets::MessageBoxSpec& box) {
  boxes.push_back(box);
  if (box_answers.empty())
    return box.buttons == widgets::BoxButtons::Ok ? widgets::BoxAnswer::Ok : box.default_button;
  const auto answer = box_answers.front();
  box_answers.pop_front();
  return answer;
}

std::optional<QString> ScriptedDesktop::InputText(QWidget*, const QString& caption,
                                                  const QString& prompt, const QString& text) {
  inputs.push_back({caption, prompt, text});
  return Next(input_answers);
}

std::optional<QColor> ScriptedDesktop::PickColour(QWidget*, const QColor& start) {
  colour_starts.push_back(start);
  return Next(colour_answers);
}

std::optional<QString> ScriptedDesktop::PickFolder(QWidget*, const QString&, const QString& start) {
  folder_starts.push_back(start);
  return Next(folder_answers);
}

std::optional<QString> ScriptedDesktop::OpenFile(QWidget*, const QString&, const QString&,
                                                 const QString&) {
  return Next(file_answers);
}

}  // namespace quorella::testing
