#pragma once

#include <QDir>
#include <QString>

namespace quillmark::testing {

// Where the GUI tests save their screenshots: the build folder when CTest
// runs them, else the current folder.
inline QString ScreenshotFolder() {
    const QString folder = qEnvironmentVariable("QUILLMARK_SCREENSHOT_DIR");
    return folder.isEmpty() ? QDir::currentPath() : folder;
}

} // namespace quillmark::testing
