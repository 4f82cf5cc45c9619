// Screenshots of the real window, every page, found by the objectNames of its tabs and controls:
// window_screenshots OUT_DIR SUFFIX. The settings and documents come from the environment, as the
// program's own do; scripts/screenshots.sh runs it under Xvfb at each screen size.
#include <QApplication>
#include <QListWidget>
#include <QTabWidget>
#include <QTest>

#include <cstdio>
#include <utility>

#include "app/application_setup.h"
#include "app/main_window.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  if (argc != 3) {
    std::fprintf(stderr, "usage: window_screenshots OUT_DIR SUFFIX\n");
    return 2;
  }
  const QString out = QString::fromLocal8Bit(argv[1]);
  const QString suffix = QString::fromLocal8Bit(argv[2]);
  quorella::app::SetUpApplication();
  quorella::app::TfrmMain window(quorella::app::StartOptionsFromEnvironment({}));
  window.move(0, 0);
  window.show();
  if (!QTest::qWaitForWindowExposed(&window)) return 1;
  auto* pages = window.findChild<QTabWidget*>(QStringLiteral("PageControl"));
  const std::pair<const char*, const char*> shots[] = {
      {"tabGeneral", "general"}, {"tabFAQ", "questions"},     {"tabLayout", "layout"},
      {"tabAnswer", "answer"},   {"tabQuestion", "question"}, {"Links", "links"},
      {"tabGlobal", "global"},   {"tabAbout", "about"}};
  for (const auto& [name, shot] : shots) {
    QWidget* page = window.findChild<QWidget*>(QString::fromLatin1(name));
    if (page == nullptr || !pages->isTabVisible(pages->indexOf(page))) {
      std::fprintf(stderr, "no page %s\n", name);
      return 1;
    }
    QTabBar* bar = pages->tabBar();
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(pages->indexOf(page)).center());
    if (auto* list = page->findChild<QListWidget*>(QStringLiteral("lstQuestions"));
        list != nullptr && list->count() > 0)
      QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                        list->visualItemRect(list->item(0)).center());
    QTest::qWait(300);
    const QString file = out + QLatin1Char('/') + QString::fromLatin1(shot) + suffix + ".png";
    if (!window.grab().save(file)) return 1;
    std::printf("%s\n", qPrintable(file));
  }
  return 0;
}
