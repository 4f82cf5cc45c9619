#include "widgets/browse_for_folder.h"

#include <QWidget>

#include "widgets/desktop_services.h"

namespace quorella::widgets {

TBrowseForFolder::TBrowseForFolder(QWidget* owner) : QObject(owner), owner_(owner) {}

bool TBrowseForFolder::Execute() {
  const auto chosen = Desktop().PickFolder(
      owner_, title_.isEmpty() ? QStringLiteral("Select folder") : title_, path_);
  if (!chosen) return false;
  path_ = *chosen;
  return true;
}

}  // namespace quorella::widgets
