#pragma once
// User actions and the standard error box: an error that no handler catches ends the action and is
// shown with the application's title as caption, an error icon and an OK button; the window stays
// usable.
#include <QString>

#include <functional>

class QWidget;

namespace quorella::app {

// Runs `action`; false when it failed (the error has been shown, owned by `owner`, and is given in
// `shown` when that is not null).
bool RunGuarded(QWidget* owner, const std::function<void()>& action, QString* shown = nullptr);

}  // namespace quorella::app
