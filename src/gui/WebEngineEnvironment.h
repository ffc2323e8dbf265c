#pragma once

#include <string>

namespace quillmark::gui {

// Settings that must be in place before the QApplication exists: Chromium
// refuses to run as root with its sandbox on, and WebEngine wants shared
// OpenGL contexts; the spell checker reads its dictionaries from a folder
// named before it starts.
void PrepareWebEngineEnvironment();

// Empty when Qt can open a window here; otherwise the message to print
// (no X11 or Wayland display and no Qt platform chosen).
std::string MissingDisplayMessage();

} // namespace quillmark::gui
