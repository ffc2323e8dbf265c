#pragma once

#include "ScriptedPrompts.h"

#include <QObject>
#include <QString>
#include <QtTest>
#include <memory>

namespace quillmark::gui {
class TMainWindowComposition;
}

namespace quillmark::testing {

// The real main window under a display server: project and topic commands
// through its menus, answered by scripted prompts, checked in the window and
// in the files on disk; the Language menu; the toolbar's rows; the sample
// project, with screenshots.
class MainWindowGuiTest : public QObject {
    Q_OBJECT
public:
    explicit MainWindowGuiTest(QString appDataFolder);
    ~MainWindowGuiTest() override;

private slots:
    void initTestCase();
    void startsWithTheWelcomeWorkspace();
    void topicCommandsChangeTreeAndFiles();
    void saveAsWritesProjectThatReopens();
    void languageMenuSwitchesCaptionsAndIsKept();
    void toolbarWrapsOntoSecondRowWhenNarrow();
    void showsTheSampleProject();
    void walksTheSampleAsANewUser();
    void cleanupTestCase();

private:
    void StartWindow(const std::vector<std::string>& arguments);
    void Trigger(const char* actionName);
    // Publishes through the menu item, closes the result window once shown
    // (after a screenshot named `shot`) and returns the outcome's text.
    QString PublishAndClose(const char* actionName, const QString& shot);

    QString FAppData;
    QString FOutputFolder;
    TScriptedPrompts FPrompts;
    std::unique_ptr<gui::TMainWindowComposition> FComposition;
};

} // namespace quillmark::testing
