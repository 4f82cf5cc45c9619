#pragma once
namespace quorella::app {
// Registers the application's icons and pictures.
void InitResources();
}  // namespace quorella::app
