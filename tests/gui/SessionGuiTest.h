#pragma once

#include "ScriptedPrompts.h"

#include <QObject>
#include <QString>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

namespace quillmark::gui {
class TMainWindowComposition;
}

namespace quillmark::testing {

// The real window across sessions, on a copy of the sample project: a
// window killed with SIGKILL after typing, then the recovery offered and
// accepted; the recent projects after reopening and the start screen;
// the preview with an expanded variable; a deleted topic brought back by
// Edit > Undo Delete with its page and header files. Screenshots of the
// start screen and the preview.
class SessionGuiTest : public QObject {
    Q_OBJECT
public:
    explicit SessionGuiTest(QString appDataFolder);
    ~SessionGuiTest() override;

    // The crashing window, run as a separate process of the test program
    // ("--crash-session PROJECT"): opens the project, types into the
    // editor, waits for the recovery file, prints "READY" and runs until
    // it is killed.
    static int RunCrashSession(const QString& projectFile);

private slots:
    void initTestCase();
    void crashThenRecoveryOfferedAndAccepted();
    void deleteThenUndoRestoresPageAndHeader();
    void previewShowsTheExpandedVariable();
    void recentProjectsAfterReopeningAndTheStartScreen();
    void cleanupTestCase();

private:
    void StartWindow(const std::vector<std::string>& arguments, bool startScreen = false);
    QString CopySample(const QString& name);

    QString FAppData;
    QTemporaryDir FFolder;
    QString FProjectFile;
    TScriptedPrompts FPrompts;
    std::unique_ptr<gui::TMainWindowComposition> FComposition;
};

} // namespace quillmark::testing
