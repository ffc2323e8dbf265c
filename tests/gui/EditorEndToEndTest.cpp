#include "EditorEndToEndTest.h"

#include "GuiTestSupport.h"
#include "app/MainWindow.h"
#include "base/FileHelpers.h"
#include "editor/EditorBridge.h"
#include "editor/EditorContent.h"
#include "gui/MainForm.h"
#include "gui/MainWindowComposition.h"
#include "gui/QtText.h"
#include "gui/QtTocTreeView.h"

#include <QDir>
#include <QEventLoop>
#include <QTimer>
#include <QWebEnginePage>
#include <QWebEngineView>
#include <filesystem>

namespace quillmark::testing {

namespace {

constexpr int kPageTimeoutMs = 30000;

// The editor page's body HTML as the page has it now.
QString PageBodyHtml(QWebEngineView& view) {
    return PageScriptText(view, QStringLiteral("document.getElementById('sv-body').innerHTML"));
}

// A click on the node's label, as the author selects a topic.
void ClickNode(QTreeWidget& tree, QTreeWidgetItem* item) {
    tree.scrollToItem(item);
    QTest::mouseClick(tree.viewport(), Qt::LeftButton, {}, tree.visualItemRect(item).center());
}

} // namespace

EditorEndToEndTest::EditorEndToEndTest() = default;
EditorEndToEndTest::~EditorEndToEndTest() = default;

void EditorEndToEndTest::initTestCase() {
    QVERIFY(FProjectCopy.isValid());
    const std::string source = std::string(QUILLMARK_SOURCE_DIR) + "/examples/";
    const std::string target = gui::ToStdString(FProjectCopy.path()) + "/";
    std::filesystem::copy(source + "AuroraLamp", target + "AuroraLamp",
                          std::filesystem::copy_options::recursive);
    std::filesystem::copy_file(source + "AuroraLamp.hff", target + "AuroraLamp.hff");
    FProjectFile = FProjectCopy.path() + QStringLiteral("/AuroraLamp.hff");
}

void EditorEndToEndTest::typedTextSurvivesSwitchingAndIsSaved() {
    FComposition =
        std::make_unique<gui::TMainWindowComposition>(SystemMainWindowPlaces(), &FPrompts);
    FComposition->Start({gui::ToStdString(FProjectFile)});
    gui::TfrmMain& window = FComposition->Window();
    window.resize(1400, 860);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    TEditorContent& editor = FComposition->EditorContent();
    TMainWindowState& state = FComposition->Logic().State();
    QTRY_VERIFY_WITH_TIMEOUT(editor.IsEditorReady(), kPageTimeoutMs);

    QTreeWidget& tree = window.Tree();
    QTreeWidgetItem* first = tree.currentItem();
    QVERIFY(first != nullptr);
    QTreeWidgetItem* second = tree.itemBelow(first);
    QVERIFY(second != nullptr);
    const std::string firstId = state.FCurrentTopicID;
    const std::string firstFile = state.FProject.TopicPagePath(firstId);
    const QString fileHtml = gui::ToQString(ReadTextFileUtf8(firstFile));
    QTRY_COMPARE_WITH_TIMEOUT(PageBodyHtml(window.EdgeWebView()), fileHtml, kPageTimeoutMs);
    QVERIFY(!state.FProjectDirty);

    // Real key events into the browser control, at the end of the page.
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    window.EdgeWebView().setFocus();
    QWidget* keys = window.EdgeWebView().focusProxy();
    QVERIFY(keys != nullptr);
    QTRY_VERIFY(keys->hasFocus());
    // The page puts the caret back into the body once it has the focus.
    QTRY_COMPARE_WITH_TIMEOUT(
        PageScriptText(window.EdgeWebView(), QStringLiteral("String(document.hasFocus() && "
                                                       "document.activeElement.id)")),
        QStringLiteral("sv-body"), kPageTimeoutMs);
    QTest::keyClick(keys, Qt::Key_End, Qt::ControlModifier);
    QTest::keyClick(keys, Qt::Key_Return);
    QTest::keyClicks(keys, QStringLiteral("Typed by the test zebra"));
    QTest::keyClick(keys, Qt::Key_Left, Qt::ControlModifier | Qt::ShiftModifier);
    // Key events and scripts reach the page on separate ways: the command
    // goes once the page has the selection.
    QTRY_COMPARE_WITH_TIMEOUT(
        PageScriptText(window.EdgeWebView(), QStringLiteral("String(getSelection())")),
        QStringLiteral("zebra"), kPageTimeoutMs);
    FComposition->Bridge().ExecCommand("bold");
    QTRY_VERIFY2_WITH_TIMEOUT(editor.DirtyHtml().find("<b>zebra</b>") != std::string::npos,
                              qPrintable(PageBodyHtml(window.EdgeWebView()).right(200) +
                                         QStringLiteral(" | ") +
                                         gui::ToQString(editor.DirtyHtml()).right(200)),
                              kPageTimeoutMs);
    QVERIFY(state.FProjectDirty);
    QVERIFY(window.windowTitle().contains(QLatin1Char('*')));
    QCOMPARE(gui::ToQString(ReadTextFileUtf8(firstFile)), fileHtml);

    // Away and back: the typed page comes from the unsaved-page cache.
    ClickNode(tree, second);
    QTRY_VERIFY(state.FCurrentTopicID != firstId);
    const std::string secondHtml =
        ReadTextFileUtf8(state.FProject.TopicPagePath(state.FCurrentTopicID));
    QTRY_COMPARE_WITH_TIMEOUT(PageBodyHtml(window.EdgeWebView()), gui::ToQString(secondHtml),
                              kPageTimeoutMs);
    QVERIFY(state.FUnsavedTopicHtml[firstId].find("<b>zebra</b>") != std::string::npos);

    ClickNode(tree, first);
    QTRY_COMPARE(state.FCurrentTopicID, firstId);
    QTRY_VERIFY_WITH_TIMEOUT(
        PageBodyHtml(window.EdgeWebView()).contains(QStringLiteral("<b>zebra</b>")),
        kPageTimeoutMs);
    QTRY_VERIFY(window.StatusText().startsWith(QStringLiteral("Loaded: ")));
    QTest::qWait(300); // let the page paint before the picture is taken
    QVERIFY(window.grab().save(ScreenshotFolder() + QStringLiteral("/quillmark-editor-typed.png")));

    window.ActionNamed("Save1")->trigger();
    QVERIFY(!state.FProjectDirty);
    const std::string saved = ReadTextFileUtf8(firstFile);
    QVERIFY2(saved.find("Typed by the test <b>zebra</b>") != std::string::npos, saved.c_str());
    QVERIFY(state.FUnsavedTopicHtml.empty());
}

void EditorEndToEndTest::cleanupTestCase() {
    FComposition.reset();
}

} // namespace quillmark::testing
