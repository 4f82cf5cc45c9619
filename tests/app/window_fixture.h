#pragma once
// A main window on a private settings store and application directory, with a scripted desktop.
#include <QTemporaryDir>
#include <QWidget>

#include <memory>
#include <string>

#include "app/main_window.h"
#include "app/scripted_desktop.h"
#include "store/settings.h"

namespace quorella::testing {

class WindowFixture {
 public:
  WindowFixture();
  ~WindowFixture();

  // Starts a window with these arguments (closing one that is open).
  app::TfrmMain& Start(const QStringList& arguments = {});
  // Closes the window as the user would; its shutdown runs.
  void Close();
  app::TfrmMain& window() { return *window_; }

  // Leaving an editor, as moving the focus away does.
  static void Leave(QWidget* editor);
  static void Type(QWidget* editor, const QString& text);

  std::string db_path() const;
  std::string app_dir() const;
  Settings settings() const { return Settings(db_path()); }
  std::string Read(const std::string& key, const std::string& name,
                   const std::string& fallback = "?") const;
  int ReadInt(const std::string& key, const std::string& name, int fallback = -999) const;

  ScriptedDesktop desktop;
  QTemporaryDir dir;

 private:
  std::unique_ptr<app::TfrmMain> window_;
};

inline const std::string kAppKey = "Software\\Tamsel Software\\Quorella";
inline const std::string kTestKey = "Software\\Tamsel Software\\QuorellaTest";
inline std::string FaqKeyOf(const std::string& name, const std::string& app_key = kAppKey) {
  return app_key + "\\FAQs\\" + name;
}

}  // namespace quorella::testing
