#include "EditorEndToEndTest.h"
#include "FindAndSpellGuiTest.h"
#include "FormattingToolbarGuiTest.h"
#include "InsertCommandsGuiTest.h"
#include "MainWindowGuiTest.h"
#include "PageChannelGuiTest.h"
#include "ProgressDisplayGuiTest.h"
#include "QtUserPromptsGuiTest.h"
#include "SessionGuiTest.h"
#include "SettingsDialogsGuiTest.h"
#include "ToolbarArrangementTest.h"
#include "UpdateDialogGuiTest.h"
#include "gui/WebEngineEnvironment.h"

#include <QApplication>
#include <QStyle>
#include <QStyleFactory>
#include <QTemporaryDir>
#include <cstdio>
#include <utility>

namespace {

// Runs one test class and destroys it, so that its windows are gone before
// the next class starts; the number of failed test functions.
template <typename TTest, typename... TArgs> int RunTest(int argc, char** argv, TArgs&&... args) {
    TTest test(std::forward<TArgs>(args)...);
    return QTest::qExec(&test, argc, argv);
}

} // namespace

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

    using namespace quillmark::testing;
    if (argc == 3 && QByteArray(argv[1]) == "--crash-session")
        return SessionGuiTest::RunCrashSession(QString::fromLocal8Bit(argv[2]));
    int failures = 0;
    failures += RunTest<ToolbarArrangementTest>(argc, argv);
    failures += RunTest<FormattingToolbarGuiTest>(argc, argv);
    failures += RunTest<QtUserPromptsGuiTest>(argc, argv);
    failures += RunTest<ProgressDisplayGuiTest>(argc, argv);
    failures += RunTest<PageChannelGuiTest>(argc, argv);
    failures += RunTest<UpdateDialogGuiTest>(argc, argv);
    failures += RunTest<MainWindowGuiTest>(argc, argv, appData.path());
    failures += RunTest<EditorEndToEndTest>(argc, argv);
    failures += RunTest<SettingsDialogsGuiTest>(argc, argv);
    failures += RunTest<InsertCommandsGuiTest>(argc, argv);
    failures += RunTest<FindAndSpellGuiTest>(argc, argv);
    failures += RunTest<SessionGuiTest>(argc, argv, appData.path());
    return failures == 0 ? 0 : 1;
}
