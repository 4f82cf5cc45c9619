#pragma once
// User actions and the standard error box: an error that no handler catches ends the action and is
// shown with the application's title as caption, an error icon and an OK button; the window stays
// usable.
#include <QString>

#include <functional>
#include <string>

class QWidget;

namespace quorella::app {

// Runs `action`; false when it failed (the error has been shown, owned by `owner`).
bool RunGuarded(QWidget* owner, const std::function<void()>& action);

// A text as the core keeps it. Characters the core cannot hold are replaced, and the status bar of
// `from`'s window says so.
std::string ToCore(const QString& text, const QWidget* from);

}  // namespace quorella::app
