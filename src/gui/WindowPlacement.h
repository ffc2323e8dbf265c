#pragma once

#include <string>

class QMainWindow;

namespace quillmark::gui {

// The window's size, place and splitter positions, kept in the per-user
// settings file (section "Window") so that the next start looks the same.

// Shows the window as it was left; maximised when nothing was stored (or
// what was stored cannot be used).
void ShowWindowAsLeft(QMainWindow& window, const std::string& settingsFile);
// Stores how the window is now; a failed write is ignored.
void RememberWindowPlacement(const QMainWindow& window, const std::string& settingsFile);

} // namespace quillmark::gui
