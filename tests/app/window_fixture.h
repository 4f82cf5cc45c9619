#pragma once
// A main window on a private settings store and application directory, with a scripted desktop,
// and the user's ways of working it: clicking, typing, leaving a field, picking a page.
#include <QTemporaryDir>
#include <QWidget>

#include <memory>
#include <string>

#include "app/main_window.h"
#include "app/scripted_desktop.h"
#include "store/settings.h"

class QTabWidget;

namespace quorella::testing {

class WindowFixture {
 public:
  WindowFixture();
  ~WindowFixture();

  // Starts a window with these arguments (closing one that is open), shown and active.
  app::TfrmMain& Start(const QStringList& arguments = {});
  // Closes the window as the user would; its shutdown runs.
  void Close();
  // The user comes back to the window from another program: it is activated again.
  void Reactivate();
  app::TfrmMain& window() { return *window_; }

  // The control named `name` in the window or in one of its dialogs; fails the test when missing.
  template <typename T = QWidget>
  T* Find(const char* name) const {
    return qobject_cast<T*>(FindNamed(QString::fromLatin1(name)));
  }
  QWidget* FindNamed(const QString& name) const;

  // Brings the pages (and inner tabs) that hold `control` to the front by clicking their tabs.
  static void Reveal(QWidget* control);
  // Clicks the tab of page `page_name` in the main window.
  void ShowPage(const char* page_name);
  // Clicks `control` as the user would: buttons and check boxes on their face, the rest inside.
  static void Click(QWidget* control);
  // Gives `editor` the focus by a click, replaces its text by typing `text` ('\n' presses Enter).
  static void Type(QWidget* editor, const QString& text);
  // Leaves the editor that has the focus by pressing Tab.
  static void Leave(QWidget* editor);
  // Chooses the entry `index` of a drop-down list with the arrow keys.
  static void Choose(QWidget* combo, int index);
  // Walks the focus chain with Tab from `first` and gives the named controls met, until the focus
  // comes back to `first` or leaves `scope`.
  static QStringList TabChain(QWidget* first, QWidget* scope);
  // The named controls in `scope` that Tab should reach, sorted: each shown, enabled control that
  // takes the focus by Tab (of a group of radio buttons, the chosen one), named as TabChain names.
  static QStringList Focusable(QWidget* scope);
  // TabChain from `first`, which must be `order`, and reach every control of Focusable(scope).
  static void CheckTabWalk(QWidget* first, QWidget* scope, const QStringList& order);

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
