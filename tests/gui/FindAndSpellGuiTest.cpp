#include "FindAndSpellGuiTest.h"

#include "GuiTestSupport.h"
#include "app/MainWindow.h"
#include "app/ProjectFindReplace.h"
#include "base/FileHelpers.h"
#include "editor/EditorContent.h"
#include "gui/FindBar.h"
#include "gui/FindReplacePanel.h"
#include "gui/MainForm.h"
#include "gui/MainWindowComposition.h"
#include "gui/QtText.h"
#include "gui/SpellChecking.h"
#include "model/ProjectDictionary.h"
#include "model/ProjectSearch.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QEventLoop>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QTreeWidget>
#include <QWebEnginePage>
#include <QWebEngineView>
#include <filesystem>
#include <map>

namespace quillmark::testing {

namespace {

constexpr int kPageTimeoutMs = 30000;

QString RunScript(QWebEngineView& view, const QString& script) {
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

// The rectangle of the first occurrence of `word` in the editor's body, in
// the browser control's coordinates.
QRect WordRect(QWebEngineView& view, const QString& word) {
    const QString script = QStringLiteral(
        "(() => { const body = document.getElementById('sv-body');"
        " const walker = document.createTreeWalker(body, NodeFilter.SHOW_TEXT);"
        " for (let n = walker.nextNode(); n; n = walker.nextNode()) {"
        "  const i = n.data.indexOf(%1); if (i < 0) continue;"
        "  const r = document.createRange(); r.setStart(n, i); r.setEnd(n, i + %1.length);"
        "  const b = r.getBoundingClientRect();"
        "  return [b.left, b.top, b.width, b.height].map(Math.round).join(','); }"
        " return ''; })()")
                               .arg(QStringLiteral("'") + word + QStringLiteral("'"));
    const QStringList parts = RunScript(view, script).split(QLatin1Char(','));
    if (parts.size() != 4)
        return {};
    return QRect(parts[0].toInt(), parts[1].toInt(), parts[2].toInt(), parts[3].toInt());
}

// Whether the checker's red wavy line shows below the rectangle.
bool Underlined(QWebEngineView& view, const QRect& word) {
    const QImage image = view.grab().toImage();
    int red = 0;
    for (int y = word.bottom() - 3; y <= word.bottom() + 4; ++y)
        for (int x = word.left(); x <= word.right(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c.red() > 180 && c.green() < 120 && c.blue() < 120)
                ++red;
        }
    return red >= 4;
}

void SaveScreenshot(QWidget& window, const char* name) {
    window.grab().save(ScreenshotFolder() + QStringLiteral("/") + QString::fromLatin1(name));
}

} // namespace

FindAndSpellGuiTest::FindAndSpellGuiTest() = default;
FindAndSpellGuiTest::~FindAndSpellGuiTest() = default;

void FindAndSpellGuiTest::initTestCase() {
    QVERIFY(FProjectCopy.isValid());
    const std::string source = std::string(QUILLMARK_SOURCE_DIR) + "/examples/";
    const std::string target = gui::ToStdString(FProjectCopy.path()) + "/";
    std::filesystem::copy(source + "AuroraLamp", target + "AuroraLamp",
                          std::filesystem::copy_options::recursive);
    std::filesystem::copy_file(source + "AuroraLamp.hff", target + "AuroraLamp.hff");
    FProjectFile = FProjectCopy.path() + QStringLiteral("/AuroraLamp.hff");

    FComposition =
        std::make_unique<gui::TMainWindowComposition>(SystemMainWindowPlaces(), &FPrompts);
    FComposition->Start({gui::ToStdString(FProjectFile)});
    gui::TfrmMain& window = FComposition->Window();
    window.resize(1400, 860);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QTRY_VERIFY_WITH_TIMEOUT(FComposition->EditorContent().IsEditorReady(), kPageTimeoutMs);
}

void FindAndSpellGuiTest::findBarCountsAndStepsThroughMatches() {
    gui::TfrmMain& window = FComposition->Window();
    gui::TFindBar& bar = FComposition->FindBar();
    QWebEngineView& view = window.EdgeWebView();
    // The Welcome topic shows; Ctrl+F from the editor opens the bar.
    QTRY_VERIFY_WITH_TIMEOUT(RunScript(view, QStringLiteral("document.getElementById('sv-body')"
                                                            ".textContent"))
                                 .contains(QStringLiteral("lamp")),
                             kPageTimeoutMs);
    view.setFocus();
    QTRY_VERIFY(view.focusProxy() != nullptr && view.focusProxy()->hasFocus());
    QTest::keyClick(view.focusProxy(), Qt::Key_F, Qt::ControlModifier);
    QTRY_VERIFY(bar.isVisible());
    QTRY_VERIFY(bar.TextBox().hasFocus());
    // The page counts what the project search finds in the topic.
    TMainWindowState& state = FComposition->Logic().State();
    TStoredTopicTexts texts(state.FProject.FRootPath);
    size_t expected = 0;
    for (const TTopicHits& topic :
         SearchProject(state.FProject, texts, TTextMatcher(TTextQuery{"lamp"}), {}))
        if (topic.TopicId == state.FCurrentTopicID)
            expected = topic.Hits.size();
    QVERIFY(expected > 1);
    QTest::keyClicks(&bar.TextBox(), QStringLiteral("lamp"));
    QTRY_VERIFY2_WITH_TIMEOUT(bar.CountText().endsWith(QStringLiteral(" of %1").arg(expected)),
                              qPrintable(bar.CountText()), kPageTimeoutMs);
    const QString first = bar.CountText();
    QTest::keyClick(&bar.TextBox(), Qt::Key_Return);
    QTRY_VERIFY(bar.CountText() != first);
    QCOMPARE(RunScript(view, QStringLiteral("document.querySelectorAll('.sv-find-mark').length > 0")),
             QStringLiteral("true"));
    QTest::qWait(300); // the marks reach the screen a frame later
    SaveScreenshot(window, "quillmark-window-find.png");
    QTest::keyClicks(&bar.TextBox(), QStringLiteral("qqq"));
    QTRY_COMPARE(bar.CountText(), QStringLiteral("No matches"));
    for (int i = 0; i < 3; ++i)
        QTest::keyClick(&bar.TextBox(), Qt::Key_Backspace);
    QTRY_VERIFY(bar.CountText().contains(QStringLiteral(" of ")));

    // Esc closes the bar: the marks go, the match is selected in the page.
    QTest::keyClick(&bar.TextBox(), Qt::Key_Escape);
    QTRY_VERIFY(!bar.isVisible());
    QTRY_COMPARE(RunScript(view, QStringLiteral("String(getSelection()).toLowerCase()")),
                 QStringLiteral("lamp"));
    QCOMPARE(RunScript(view, QStringLiteral("String(document.querySelectorAll('.sv-find-mark').length)")),
             QStringLiteral("0"));
    QVERIFY(!state.FProjectDirty);
}

void FindAndSpellGuiTest::replaceAcrossTopicsAndUndo() {
    gui::TfrmMain& window = FComposition->Window();
    gui::TFindReplacePanel& panel = FComposition->FindReplacePanel();
    TMainWindowState& state = FComposition->Logic().State();
    QWebEngineView& view = window.EdgeWebView();
    window.findChild<QAction*>(QStringLiteral("FindReplace1"))->trigger();
    QTRY_VERIFY(panel.isVisible());
    panel.FindBox().setText(QStringLiteral("lamp"));
    panel.findChild<QCheckBox*>(QStringLiteral("chkWholeWord"))->setChecked(true);
    panel.ReplaceBox().setText(QStringLiteral("luminaire"));
    panel.btnFindAllClick();
    QTreeWidget& results = panel.Results();
    QVERIFY2(results.topLevelItemCount() >= 3, qPrintable(panel.StatusText()));

    // A click on a match of another topic opens it at the match.
    const std::string before = state.FCurrentTopicID;
    QTreeWidgetItem* other = results.topLevelItem(1)->child(0);
    results.scrollToItem(other);
    QTest::mouseClick(results.viewport(), Qt::LeftButton, {}, results.visualItemRect(other).center());
    QTRY_VERIFY(state.FCurrentTopicID != before);
    const std::string opened = state.FCurrentTopicID;
    // The match is selected in the page.
    QTRY_COMPARE_WITH_TIMEOUT(
        RunScript(view, QStringLiteral("String(getSelection()).toLowerCase()")),
        QStringLiteral("lamp"), kPageTimeoutMs);

    const std::string openedFile = state.FProject.TopicPagePath(opened);
    const std::string storedPage = ReadTextFileUtf8(openedFile);
    QTest::mouseClick(panel.findChild<QPushButton*>(QStringLiteral("btnReplaceAll")), Qt::LeftButton);
    QVERIFY2(panel.StatusText().startsWith(QStringLiteral("Replaced ")), qPrintable(panel.StatusText()));
    QCOMPARE(results.topLevelItemCount(), 0);
    QVERIFY(state.FProjectDirty);
    // The editor shows the replaced text, the stored page is untouched.
    QTRY_VERIFY_WITH_TIMEOUT(
        RunScript(view, QStringLiteral("document.getElementById('sv-body').innerHTML"))
            .contains(QStringLiteral("luminaire")),
        kPageTimeoutMs);
    QCOMPARE(ReadTextFileUtf8(openedFile), storedPage);
    for (const auto& [id, html] : state.FUnsavedTopicHtml)
        QVERIFY2(html.find(" lamp ") == std::string::npos, id.c_str());
    SaveScreenshot(window, "quillmark-window-replace.png");

    // Undo brings every page back as one step.
    QTest::mouseClick(panel.findChild<QPushButton*>(QStringLiteral("btnUndoReplace")), Qt::LeftButton);
    QCOMPARE(panel.StatusText(), QStringLiteral("Replacement undone."));
    QTRY_VERIFY_WITH_TIMEOUT(
        !RunScript(view, QStringLiteral("document.getElementById('sv-body').innerHTML"))
             .contains(QStringLiteral("luminaire")),
        kPageTimeoutMs);
    const std::string restored = state.FUnsavedTopicHtml[opened];
    QVERIFY(restored.find("luminaire") == std::string::npos);
    QVERIFY(restored.find("lamp") != std::string::npos);
    QVERIFY(results.topLevelItemCount() >= 3);

    // A changed find box is searched again before anything is replaced.
    panel.FindBox().setText(QStringLiteral("Aurora"));
    const std::map<std::string, std::string> pages = state.FUnsavedTopicHtml;
    QTest::mouseClick(panel.findChild<QPushButton*>(QStringLiteral("btnReplaceAll")), Qt::LeftButton);
    QVERIFY2(panel.StatusText().contains(QStringLiteral(" matches in ")), qPrintable(panel.StatusText()));
    QVERIFY(state.FUnsavedTopicHtml == pages);
    panel.hide();
}

void FindAndSpellGuiTest::misspeltWordIsUnderlinedWithSuggestions() {
    gui::TfrmMain& window = FComposition->Window();
    gui::TSpellChecking& spelling = FComposition->SpellChecking();
    QWebEngineView& view = window.EdgeWebView();
    QVERIFY2(!spelling.Languages().isEmpty(), "no spelling dictionary was built");
    QCOMPARE(spelling.Languages().first(), QStringLiteral("en-US"));

    // Typed at the end of the page, as the author would.
    view.setFocus();
    QWidget* keys = view.focusProxy();
    QTRY_VERIFY(keys->hasFocus());
    QTest::keyClick(keys, Qt::Key_End, Qt::ControlModifier);
    QTest::keyClick(keys, Qt::Key_Return);
    QTest::keyClicks(keys, QStringLiteral("Please recieve the lamp. "));
    QRect word;
    QTRY_VERIFY_WITH_TIMEOUT(!(word = WordRect(view, QStringLiteral("recieve"))).isEmpty(),
                             kPageTimeoutMs);
    QTRY_VERIFY_WITH_TIMEOUT(Underlined(view, word), kPageTimeoutMs);
    SaveScreenshot(window, "quillmark-window-spelling.png");

    // Right-click: the checker's suggestions and "Add to Dictionary".
    QTest::mouseClick(keys, Qt::RightButton, {}, word.center());
    QMenu* menu = nullptr;
    QTRY_VERIFY((menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) != nullptr);
    QStringList captions;
    for (QAction* action : menu->actions())
        captions << action->text();
    QVERIFY2(captions.contains(QStringLiteral("receive")), qPrintable(captions.join('|')));
    if (QScreen* screen = window.screen())
        screen->grabWindow(0).save(ScreenshotFolder() + QStringLiteral("/quillmark-window-spelling-menu.png"));
    QAction* add = menu->findChild<QAction*>(QStringLiteral("AddToDictionary"));
    QVERIFY(add != nullptr);
    menu->close();
    add->trigger();

    const std::string root = FComposition->Logic().State().FProject.FRootPath;
    QCOMPARE(ReadProjectDictionary(root), std::vector<std::string>{"recieve"});
    QVERIFY2(spelling.Languages().size() == 2, qPrintable(window.StatusText()));
    // The word is taken from now on.
    QTRY_VERIFY_WITH_TIMEOUT(!Underlined(view, WordRect(view, QStringLiteral("recieve"))),
                             kPageTimeoutMs);
}

void FindAndSpellGuiTest::cleanupTestCase() { FComposition.reset(); }

} // namespace quillmark::testing
