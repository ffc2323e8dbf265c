#include "gui/WebEngineEnvironment.h"

#include "gui/SpellChecking.h"

#include <QCoreApplication>
#include <QtGlobal>
#include <unistd.h>

namespace quillmark::gui {

void PrepareWebEngineEnvironment() {
    if (geteuid() == 0 && !qEnvironmentVariableIsSet("QTWEBENGINE_DISABLE_SANDBOX")) {
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    }
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    PrepareSpellCheckDictionaries();
}

std::string MissingDisplayMessage() {
    if (!qEnvironmentVariableIsEmpty("DISPLAY") ||
        !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") ||
        !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        return {};
    }
    return "quillmark: no display found (neither DISPLAY nor WAYLAND_DISPLAY is set), so the "
           "window cannot open.\nRun it inside a desktop session, or use the command-line tool "
           "quillmark-cli, which needs no display.";
}

} // namespace quillmark::gui
