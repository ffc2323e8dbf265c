#include "EditorEndToEndTest.h"
#include "FormattingToolbarGuiTest.h"
#include "InsertCommandsGuiTest.h"
#include "MainWindowGuiTest.h"
#include "PageChannelGuiTest.h"
#include "QtUserPromptsGuiTest.h"
#include "SettingsDialogsGuiTest.h"
#include "ToolbarArrangementTest.h"
#include "UpdateDialogGuiTest.h"
#include "gui/WebEngineEnvironment.h"

#include <QApplication>
#include <QStyle>
#include <QStyleFactory>
#include <QTemporaryDir>
#include <cstdio>

// The test classes share one QApplication (WebEngine allows one per
// process). The per-user application folder lives in a temporary folder, so
// the tests never touch the real one.
int main(int argc, char** argv) {
    QTemporaryDir appData;
    if (!appData.isValid()) {
        std::fprintf(stderr, "cannot create a temporary folder\n");
        return 1;
    }
    qputenv("APPDATA", appData.path().toUtf8());
    quillmark::gui::PrepareWebEngineEnvironment();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quillmark"));
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QApplication::setPalette(QApplication::style()->standardPalette());

    int failures = 0;
    {
        quillmark::testing::ToolbarArrangementTest arrangement;
        failures += QTest::qExec(&arrangement, argc, argv);
    }
    {
        quillmark::testing::FormattingToolbarGuiTest formattingToolbar;
        failures += QTest::qExec(&formattingToolbar, argc, argv);
    }
    {
        quillmark::testing::QtUserPromptsGuiTest prompts;
        failures += QTest::qExec(&prompts, argc, argv);
    }
    {
        quillmark::testing::PageChannelGuiTest pageChannel;
        failures += QTest::qExec(&pageChannel, argc, argv);
    }
    {
        quillmark::testing::UpdateDialogGuiTest update;
        failures += QTest::qExec(&update, argc, argv);
    }
    {
        quillmark::testing::MainWindowGuiTest mainWindow(appData.path());
        failures += QTest::qExec(&mainWindow, argc, argv);
    }
    {
        quillmark::testing::EditorEndToEndTest editorEndToEnd;
        failures += QTest::qExec(&editorEndToEnd, argc, argv);
    }
    {
        quillmark::testing::SettingsDialogsGuiTest settingsDialogs;
        failures += QTest::qExec(&settingsDialogs, argc, argv);
    }
    {
        quillmark::testing::InsertCommandsGuiTest insertCommands;
        failures += QTest::qExec(&insertCommands, argc, argv);
    }
    return failures == 0 ? 0 : 1;
}
