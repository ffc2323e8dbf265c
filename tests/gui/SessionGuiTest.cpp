#include "SessionGuiTest.h"

#include "GuiTestSupport.h"
#include "app/MainWindow.h"
#include "app/RecoveryFile.h"
#include "base/FileHelpers.h"
#include "editor/EditorContent.h"
#include "gui/MainForm.h"
#include "gui/MainWindowComposition.h"
#include "gui/QtText.h"
#include "gui/QtTocTreeView.h"
#include "gui/StartScreen.h"
#include "gui/TopicPreviewWindow.h"
#include "model/HeaderFiles.h"
#include "platform/AppFolders.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QListWidget>
#include <QMenu>
#include <QProcess>
#include <QStackedWidget>
#include <csignal>
#include <filesystem>
#include <functional>
#include <iostream>

namespace quillmark::testing {

namespace {

constexpr int kPageTimeoutMs = 30000;
constexpr char kTypedText[] = "Typed before the crash zebra";

// Types the text at the end of the editor's body as the author would: the
// page reports it as a user's change.
void TypeIntoEditor(QWebEngineView& edge, const QString& text) {
    PageScriptText(edge, QStringLiteral("(() => { const body = document.getElementById('sv-body');"
                                        " body.focus(); const range = document.createRange();"
                                        " range.selectNodeContents(body); range.collapse(false);"
                                        " const s = getSelection(); s.removeAllRanges();"
                                        " s.addRange(range);"
                                        " document.execCommand('insertText', false, '%1'); })()")
                             .arg(text));
}

bool WaitFor(const std::function<bool()>& done, int timeoutMs) {
    QElapsedTimer timer;
    timer.start();
    while (!done()) {
        if (timer.elapsed() > timeoutMs)
            return false;
        QTest::qWait(50);
    }
    return true;
}

} // namespace

SessionGuiTest::SessionGuiTest(QString appDataFolder) : FAppData(std::move(appDataFolder)) {}

SessionGuiTest::~SessionGuiTest() = default;

int SessionGuiTest::RunCrashSession(const QString& projectFile) {
    gui::TMainWindowComposition composition(SystemMainWindowPlaces());
    composition.Start({gui::ToStdString(projectFile)});
    gui::TfrmMain& window = composition.Window();
    window.resize(1200, 800);
    window.show();
    const TMainWindowState& state = composition.Logic().State();
    if (!WaitFor([&] { return composition.EditorContent().IsEditorReady(); }, kPageTimeoutMs))
        return 3;
    const std::string recovery = RecoveryFilePath(state.FProject.FRootPath);
    // Typed once the page takes the text (the first try may come before the
    // topic is shown), then written by the autosave within seconds.
    const bool typed = WaitFor(
        [&] {
            TypeIntoEditor(window.EdgeWebView(), QString::fromLatin1(kTypedText));
            return WaitFor([&] { return !composition.EditorContent().DirtyHtml().empty(); },
                           3000);
        },
        kPageTimeoutMs);
    const bool written = typed && WaitFor(
                                      [&] {
                                          std::string text;
                                          return ReadTextFileIfRegular(recovery, text) &&
                                                 text.find(kTypedText) != std::string::npos;
                                      },
                                      kPageTimeoutMs);
    if (!written)
        return 4;
    std::cout << "READY " << state.FCurrentTopicID << std::endl;
    return QApplication::exec();
}

void SessionGuiTest::initTestCase() {
    QVERIFY(FFolder.isValid());
    FProjectFile = CopySample(QStringLiteral("session"));
}

QString SessionGuiTest::CopySample(const QString& name) {
    const std::string source = std::string(QUILLMARK_SOURCE_DIR) + "/examples/";
    const std::string target = gui::ToStdString(FFolder.path()) + "/" + gui::ToStdString(name) + "/";
    std::filesystem::create_directories(target);
    std::filesystem::copy(source + "AuroraLamp", target + "AuroraLamp",
                          std::filesystem::copy_options::recursive);
    std::filesystem::copy_file(source + "AuroraLamp.hff", target + "AuroraLamp.hff");
    return gui::ToQString(target + "AuroraLamp.hff");
}

void SessionGuiTest::StartWindow(const std::vector<std::string>& arguments, bool startScreen) {
    FComposition.reset();
    FComposition =
        std::make_unique<gui::TMainWindowComposition>(SystemMainWindowPlaces(), &FPrompts);
    if (startScreen)
        FComposition->Window().EnableStartScreen();
    FComposition->Start(arguments);
    gui::TfrmMain& window = FComposition->Window();
    window.resize(1400, 860);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
}

void SessionGuiTest::crashThenRecoveryOfferedAndAccepted() {
    const std::string pagesBefore = gui::ToStdString(FFolder.path()) + "/session/AuroraLamp/topics";
    QProcess crashing;
    crashing.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    crashing.start(QCoreApplication::applicationFilePath(),
                   {QStringLiteral("--crash-session"), FProjectFile});
    QVERIFY(crashing.waitForStarted());
    QTRY_VERIFY_WITH_TIMEOUT(crashing.canReadLine() || crashing.state() != QProcess::Running,
                             2 * kPageTimeoutMs);
    const QString ready = QString::fromUtf8(crashing.readLine()).trimmed();
    QVERIFY2(ready.startsWith(QStringLiteral("READY ")), qPrintable(ready));
    const std::string typedTopic = gui::ToStdString(ready.mid(6));
    ::kill(static_cast<pid_t>(crashing.processId()), SIGKILL);
    QVERIFY(crashing.waitForFinished());
    QCOMPARE(crashing.exitStatus(), QProcess::CrashExit);

    // The project's own page never saw the text.
    const std::string page = pagesBefore + "/" + typedTopic + ".html";
    QVERIFY(ReadTextFileUtf8(page).find(kTypedText) == std::string::npos);

    FPrompts.AskAnswers = {TPromptButton::Yes};
    StartWindow({gui::ToStdString(FProjectFile)});
    QVERIFY(FPrompts.AskAnswers.empty());
    QVERIFY2(FPrompts.Messages.back().find("closed without saving") != std::string::npos,
             FPrompts.Messages.back().c_str());
    TMainWindowState& state = FComposition->Logic().State();
    QVERIFY(state.FProjectDirty);
    QCOMPARE(state.FCurrentTopicID, typedTopic);
    gui::TfrmMain& window = FComposition->Window();
    QTRY_VERIFY_WITH_TIMEOUT(FComposition->EditorContent().IsEditorReady(), kPageTimeoutMs);
    QTRY_VERIFY_WITH_TIMEOUT(
        PageScriptText(window.EdgeWebView(),
                       QStringLiteral("document.getElementById('sv-body').innerHTML"))
            .contains(QString::fromLatin1(kTypedText)),
        kPageTimeoutMs);
    QVERIFY(window.windowTitle().contains(QLatin1Char('*')));

    window.ActionNamed("Save1")->trigger();
    QVERIFY(ReadTextFileUtf8(page).find(kTypedText) != std::string::npos);
    QVERIFY(!FileExists(RecoveryFilePath(state.FProject.FRootPath)));
}

void SessionGuiTest::deleteThenUndoRestoresPageAndHeader() {
    gui::TfrmMain& window = FComposition->Window();
    TMainWindow& logic = FComposition->Logic();
    const TDocProject& project = logic.State().FProject;
    // The sample's topic with a header of its own.
    const std::string id = "17E21CBD10E64BEBA8EC7B1DA827DD41";
    QVERIFY(project.HasTopic(id));
    const QString title = gui::ToQString(project.GetTopic(id).FTitle);
    const std::string page = project.TopicPagePath(id);
    const std::string header = HeaderHtmlPath(project.FRootPath, id);
    const std::string headerText = ReadTextFileUtf8(header);
    const auto shown = [&] {
        return window.Tree().findItems(title, Qt::MatchExactly | Qt::MatchRecursive).size();
    };
    QCOMPARE(shown(), 1);

    logic.SelectTopicNode(id);
    FPrompts.AskAnswers = {TPromptButton::Yes};
    window.ActionNamed("RemoveTopic1")->trigger();
    QCOMPARE(shown(), 0);
    QVERIFY(!project.HasTopic(id));
    QVERIFY(!FileExists(page));
    QVERIFY(!FileExists(header));

    QMenu* edit = window.MenuNamed("Edit1");
    QMetaObject::invokeMethod(edit, "aboutToShow");
    QVERIFY(window.ActionNamed("UndoDelete1")->isEnabled());
    window.ActionNamed("UndoDelete1")->trigger();
    QCOMPARE(shown(), 1);
    QCOMPARE(window.Tree().SelectedNodeId(), id);
    QVERIFY(FileExists(page));
    QCOMPARE(ReadTextFileUtf8(header), headerText);
    QMetaObject::invokeMethod(edit, "aboutToShow");
    QVERIFY(!window.ActionNamed("UndoDelete1")->isEnabled());
}

void SessionGuiTest::previewShowsTheExpandedVariable() {
    gui::TfrmMain& window = FComposition->Window();
    QTRY_VERIFY_WITH_TIMEOUT(FComposition->EditorContent().IsEditorReady(), kPageTimeoutMs);
    TypeIntoEditor(window.EdgeWebView(), QStringLiteral(" Preview of {var:ProductName}."));
    QTRY_VERIFY_WITH_TIMEOUT(
        FComposition->EditorContent().DirtyHtml().find("{var:ProductName}.") != std::string::npos,
        kPageTimeoutMs);

    window.ActionNamed("Preview1")->trigger();
    gui::TTopicPreviewWindow* preview = window.PreviewWindow();
    QVERIFY(preview != nullptr);
    QVERIFY(QTest::qWaitForWindowExposed(preview));
    QTRY_VERIFY_WITH_TIMEOUT(
        PageScriptText(preview->View(), QStringLiteral("document.body.innerText"))
            .contains(QStringLiteral("Preview of Aurora Smart Lamp.")),
        kPageTimeoutMs);
    // The site's stylesheet and header band are there.
    QCOMPARE(PageScriptText(preview->View(),
                            QStringLiteral("String(document.styleSheets.length > 0 && "
                                           "!!document.querySelector('header.sv-page-header'))")),
             QStringLiteral("true"));
    QTest::qWait(300);
    QVERIFY(preview->grab().save(ScreenshotFolder() + QStringLiteral("/quillmark-preview.png")));

    // Saved, the preview follows the page.
    TypeIntoEditor(window.EdgeWebView(), QStringLiteral(" Firmware {var:FirmwareVersion}."));
    QTRY_VERIFY_WITH_TIMEOUT(
        FComposition->EditorContent().DirtyHtml().find("FirmwareVersion") != std::string::npos,
        kPageTimeoutMs);
    window.ActionNamed("Save1")->trigger();
    QTRY_VERIFY_WITH_TIMEOUT(
        PageScriptText(preview->View(), QStringLiteral("document.body.innerText"))
            .contains(QStringLiteral("Firmware 2.1.4.")),
        kPageTimeoutMs);
    preview->close();
}

void SessionGuiTest::recentProjectsAfterReopeningAndTheStartScreen() {
    const QString other = CopySample(QStringLiteral("other"));
    StartWindow({gui::ToStdString(other)});
    StartWindow({gui::ToStdString(FProjectFile)});
    gui::TfrmMain& window = FComposition->Window();
    QMenu* recent = window.MenuNamed("mmRecentProjects");
    QMetaObject::invokeMethod(recent, "aboutToShow");
    const QList<QAction*> items = recent->actions();
    QVERIFY(items.size() >= 2);
    QCOMPARE(items[0]->toolTip(), FProjectFile);
    QCOMPARE(items[1]->toolTip(), other);

    // Without a last project, the start screen offers the list.
    std::filesystem::rename(gui::ToStdString(other), gui::ToStdString(other) + ".moved");
    std::filesystem::remove(LastProjectFilePath());
    StartWindow({}, true);
    gui::TfrmMain& started = FComposition->Window();
    QStackedWidget* stack = started.findChild<QStackedWidget*>(QStringLiteral("stkRight"));
    QCOMPARE(stack->currentWidget(), &started.StartScreen());
    QListWidget& list = started.StartScreen().RecentList();
    QVERIFY(list.count() >= 2);
    QVERIFY(list.item(1)->text().contains(QStringLiteral("(missing)")));
    QTest::qWait(200);
    QVERIFY(started.grab().save(ScreenshotFolder() + QStringLiteral("/quillmark-start.png")));

    // A click on the first entry opens it and the editor comes back.
    list.scrollToItem(list.item(0));
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, list.visualItemRect(list.item(0)).center());
    QCOMPARE(FComposition->Logic().State().FProjectFileName, gui::ToStdString(FProjectFile));
    QVERIFY(stack->currentWidget() != &started.StartScreen());
}

void SessionGuiTest::cleanupTestCase() {
    FComposition.reset();
}

} // namespace quillmark::testing
