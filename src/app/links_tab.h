#pragma once
// The "Links" page: the custom texts of the page links and the static instruction text.
#include <QWidget>

namespace quorella::app {

class LinksTab : public QWidget {
  Q_OBJECT
 public:
  explicit LinksTab(QWidget* parent);
};

}  // namespace quorella::app
