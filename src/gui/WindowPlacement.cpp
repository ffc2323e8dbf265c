#include "gui/WindowPlacement.h"

#include "gui/QtText.h"
#include "platform/IniStore.h"

#include <QByteArray>
#include <QMainWindow>
#include <QSplitter>
#include <exception>

namespace quillmark::gui {

namespace {

constexpr char kWindowSection[] = "Window";
constexpr char kGeometryKey[] = "Geometry";

// One key per splitter, by its object name.
std::string SplitterKey(const QSplitter& splitter) {
    return "Splitter." + ToStdString(splitter.objectName());
}

QByteArray Stored(const TIniStore& store, const std::string& key) {
    return QByteArray::fromBase64(QByteArray::fromStdString(store.ReadString(kWindowSection, key, "")));
}

} // namespace

void ShowWindowAsLeft(QMainWindow& window, const std::string& settingsFile) {
    try {
        const TIniStore store(settingsFile);
        for (QSplitter* splitter : window.findChildren<QSplitter*>())
            if (!splitter->objectName().isEmpty())
                splitter->restoreState(Stored(store, SplitterKey(*splitter)));
        if (window.restoreGeometry(Stored(store, kGeometryKey))) {
            window.show();
            return;
        }
    } catch (const std::exception&) {
        // An unreadable settings file: the window starts as on a first run.
    }
    window.showMaximized();
}

void RememberWindowPlacement(const QMainWindow& window, const std::string& settingsFile) {
    try {
        TIniStore store(settingsFile);
        store.WriteString(kWindowSection, kGeometryKey, window.saveGeometry().toBase64().toStdString());
        for (const QSplitter* splitter : window.findChildren<QSplitter*>())
            if (!splitter->objectName().isEmpty())
                store.WriteString(kWindowSection, SplitterKey(*splitter),
                                  splitter->saveState().toBase64().toStdString());
    } catch (const std::exception&) {
        // Only the next start's look depends on it.
    }
}

} // namespace quillmark::gui
