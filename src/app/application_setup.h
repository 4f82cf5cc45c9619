#pragma once
// What the program sets up on the application before its window opens.

namespace quorella::app {

// Name, desktop file and icon. No display name is set: Qt would append it to every caption
// ("Quorella v1.3.1 — Quorella"), and the captions are the design's own.
void SetUpApplication();

}  // namespace quorella::app
