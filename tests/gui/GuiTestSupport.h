#pragma once

#include <QDir>
#include <QEventLoop>
#include <QString>
#include <QTimer>
#include <QWebEnginePage>
#include <QWebEngineView>

namespace quillmark::testing {

// Where the GUI tests save their screenshots: the build folder when CTest
// runs them, else the current folder.
inline QString ScreenshotFolder() {
    const QString folder = qEnvironmentVariable("QUILLMARK_SCREENSHOT_DIR");
    return folder.isEmpty() ? QDir::currentPath() : folder;
}

// The result of a script run in the view's page, as text (empty after five
// seconds without an answer).
inline QString PageScriptText(QWebEngineView& view, const QString& script) {
    QString text;
    QEventLoop loop;
    view.page()->runJavaScript(script, [&](const QVariant& result) {
        text = result.toString();
        loop.quit();
    });
    QTimer::singleShot(5000, &loop, &QEventLoop::quit);
    loop.exec();
    return text;
}

} // namespace quillmark::testing
