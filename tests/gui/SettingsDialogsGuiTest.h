#pragma once

#include "ScriptedPrompts.h"

#include <QObject>
#include <QString>
#include <QtTest>
#include <functional>
#include <memory>

namespace quillmark::gui {
class TMainWindowComposition;
}

namespace quillmark::testing {

// The project settings dialog and the reusable-content dialog, each opened
// from the real window's Tools menu and worked as the author would, with a
// screenshot of each.
class SettingsDialogsGuiTest : public QObject {
    Q_OBJECT
public:
    SettingsDialogsGuiTest();
    ~SettingsDialogsGuiTest() override;

private slots:
    void initTestCase();
    void invalidValueKeepsTheDialogOpenThenSettingsApply();
    void cancelledSettingsChangeNothing();
    void reusableContentSavesGridsAndInsertsToken();
    void cleanupTestCase();

private:
    // Runs `act` on the modal widget of type T once it shows (the command
    // that opens it blocks); a dialog still open after `act` is rejected.
    template <typename T> void WhenShown(std::function<void(T&)> act);

    class TPrompts;
    std::unique_ptr<TPrompts> FPrompts;
    std::unique_ptr<gui::TMainWindowComposition> FComposition;
    QStringList FFailures;
};

} // namespace quillmark::testing
