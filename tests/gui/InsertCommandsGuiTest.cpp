#include "InsertCommandsGuiTest.h"

#include "GuiTestSupport.h"
#include "app/MainWindow.h"
#include "editor/EditorContent.h"
#include "gui/FormattingToolbar.h"
#include "gui/MainForm.h"
#include "gui/MainWindowComposition.h"
#include "gui/QtText.h"
#include "gui/TopicPickerDialog.h"
#include "model/DocProject.h"

#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>
#include <QWebEnginePage>
#include <QWebEngineView>
#include <filesystem>
#include <functional>
#include <memory>

namespace quillmark::testing {

namespace {

constexpr int kPageTimeoutMs = 30000;

// Runs `act` on the topic picker as soon as it is the modal window; a picker
// not open after ten seconds, or left open by `act`, is closed, so a
// failing test cannot hang.
void WhenPickerOpens(const std::function<void(gui::TfrmPickTopic&)>& act) {
    auto* poll = new QTimer(qApp);
    auto waited = std::make_shared<int>(0);
    QObject::connect(poll, &QTimer::timeout, [poll, waited, act] {
        auto* picker = qobject_cast<gui::TfrmPickTopic*>(QApplication::activeModalWidget());
        const bool open = picker != nullptr && picker->isVisible();
        if (!open && (*waited += 20) < 10000)
            return;
        poll->stop();
        poll->deleteLater();
        if (!open) {
            if (QWidget* modal = QApplication::activeModalWidget())
                modal->close();
            return;
        }
        (void)QTest::qWaitForWindowExposed(picker);
        act(*picker);
        // A step that failed to close the picker must not hang the test.
        QTimer::singleShot(5000, picker, [dialog = QPointer<gui::TfrmPickTopic>(picker)] {
            if (dialog != nullptr && dialog->isVisible())
                dialog->reject();
        });
    });
    poll->start(20);
}

QStringList Outline(const QTreeWidget& tree) {
    QStringList lines;
    std::function<void(const QTreeWidgetItem*, int)> walk = [&](const QTreeWidgetItem* item,
                                                                int depth) {
        lines << QString(depth * 2, QLatin1Char(' ')) + item->text(0) +
                     (item->childCount() > 0 && !item->isExpanded() ? "+" : "");
        for (int i = 0; i < item->childCount(); ++i)
            walk(item->child(i), depth + 1);
    };
    for (int i = 0; i < tree.topLevelItemCount(); ++i)
        walk(tree.topLevelItem(i), 0);
    return lines;
}

QTreeWidgetItem* ItemTitled(QTreeWidget& tree, const QString& title) {
    const QList<QTreeWidgetItem*> found =
        tree.findItems(title, Qt::MatchExactly | Qt::MatchRecursive);
    return found.isEmpty() ? nullptr : found.constFirst();
}

// The result of a script in the editor page.
QVariant RunScript(QWebEngineView& view, const QString& script) {
    QVariant value;
    QEventLoop loop;
    view.page()->runJavaScript(script, [&](const QVariant& result) {
        value = result;
        loop.quit();
    });
    QTimer::singleShot(5000, &loop, &QEventLoop::quit);
    loop.exec();
    return value;
}

// "rows x columns" of the first table of the edited body, or "none".
QString TableShape(QWebEngineView& view) {
    return RunScript(view, QStringLiteral("(() => { const t = document.querySelector('#sv-body "
                                          "table'); return t ? t.rows.length + 'x' + "
                                          "t.rows[0].cells.length : 'none'; })()"))
        .toString();
}

} // namespace

InsertCommandsGuiTest::InsertCommandsGuiTest() = default;
InsertCommandsGuiTest::~InsertCommandsGuiTest() = default;

void InsertCommandsGuiTest::initTestCase() {
    QVERIFY(FFolder.isValid());
}

void InsertCommandsGuiTest::topicPickerShowsTheTreeAndReturnsTheChoice() {
    TDocProject project;
    project.FRootPath = gui::ToStdString(FFolder.path()) + "/picker/";
    const std::string start = project.AddTopic("Getting Started", "").FID;
    const std::string install = project.AddTopic("Installation", start).FID;
    project.AddTopic("Requirements", install);
    const std::string reference = project.AddTopic("Reference", "").FID;
    project.AddTopic("Commands", reference);
    project.GetTopic(start).FChildren.push_back("NO-SUCH-TOPIC");

    gui::TQtTopicPicker picker(nullptr);
    std::string id = "stale";
    QVERIFY(!picker.Execute(nullptr, id));
    QVERIFY(id.empty());

    // Shown expanded in display order with the first topic selected; OK
    // returns the selected topic.
    QStringList shown;
    QSize size;
    WhenPickerOpens([&](gui::TfrmPickTopic& dialog) {
        shown = Outline(*dialog.tvPick);
        size = dialog.size();
        QTreeWidgetItem* current = dialog.tvPick->currentItem();
        shown << (current != nullptr ? "selected: " + current->text(0) : "selected: none");
        dialog.tvPick->setCurrentItem(ItemTitled(*dialog.tvPick, "Installation"));
        QTest::qWait(100);
        dialog.grab().save(ScreenshotFolder() + QStringLiteral("/quillmark-topic-picker.png"));
        dialog.btnOK->click();
    });
    QVERIFY(picker.Execute(&project, id));
    QCOMPARE(gui::ToQString(id), gui::ToQString(install));
    QCOMPARE(shown, (QStringList{"Getting Started", "  Installation", "    Requirements",
                                 "Reference", "  Commands", "selected: Getting Started"}));
    QVERIFY(size.width() >= 414 && size.height() >= 411);

    // A double-click chooses the topic under the pointer.
    WhenPickerOpens([](gui::TfrmPickTopic& dialog) {
        QTreeWidgetItem* item = ItemTitled(*dialog.tvPick, "Commands");
        const QPoint center = dialog.tvPick->visualItemRect(item).center();
        QTest::mouseClick(dialog.tvPick->viewport(), Qt::LeftButton, {}, center);
        QTest::mouseDClick(dialog.tvPick->viewport(), Qt::LeftButton, {}, center);
    });
    QVERIFY(picker.Execute(&project, id));
    QCOMPARE(gui::ToQString(project.GetTopic(id).FTitle), QStringLiteral("Commands"));

    // OK with nothing selected, and Cancel, choose nothing.
    WhenPickerOpens([](gui::TfrmPickTopic& dialog) {
        dialog.tvPick->clearSelection();
        dialog.btnOK->click();
    });
    QVERIFY(!picker.Execute(&project, id));
    QVERIFY(id.empty());
    WhenPickerOpens([](gui::TfrmPickTopic& dialog) { dialog.btnCancel->click(); });
    QVERIFY(!picker.Execute(&project, id));
    QVERIFY(id.empty());
}

void InsertCommandsGuiTest::insertControlsEditTheRealPage() {
    const std::string source = std::string(QUILLMARK_SOURCE_DIR) + "/examples/";
    const std::string target = gui::ToStdString(FFolder.path()) + "/";
    std::filesystem::copy(source + "AuroraLamp", target + "AuroraLamp",
                          std::filesystem::copy_options::recursive);
    std::filesystem::copy_file(source + "AuroraLamp.hff", target + "AuroraLamp.hff");

    FComposition =
        std::make_unique<gui::TMainWindowComposition>(SystemMainWindowPlaces(), &FPrompts);
    FComposition->Start({target + "AuroraLamp.hff"});
    gui::TfrmMain& window = FComposition->Window();
    window.resize(1400, 860);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QTRY_VERIFY_WITH_TIMEOUT(FComposition->EditorContent().IsEditorReady(), kPageTimeoutMs);
    QWebEngineView& edge = window.EdgeWebView();
    TMainWindowState& state = FComposition->Logic().State();
    QTRY_VERIFY_WITH_TIMEOUT(!RunScript(edge, QStringLiteral("document.getElementById('sv-body')"
                                                             ".innerHTML"))
                                  .toString()
                                  .isEmpty(),
                             kPageTimeoutMs);
    QCOMPARE(TableShape(edge), QStringLiteral("none"));

    // "Add Table..." with "2, 3" puts the caret into the new table's first cell.
    gui::TFormattingToolbar& toolbar = window.FormattingToolbar();
    FPrompts.InputAnswers = {std::string("2, 3")};
    toolbar.btnInsertTable->click();
    QCOMPARE(FPrompts.Inputs.back(), std::string("Insert Table"));
    QTRY_COMPARE_WITH_TIMEOUT(TableShape(edge), QStringLiteral("2x3"), kPageTimeoutMs);
    QTRY_VERIFY(state.FProjectDirty);

    // The arrow pops the table menu up below itself; "Insert Row" adds a row.
    toolbar.btnTableDropdownMenu->click();
    auto* menu = window.findChild<QMenu*>(QStringLiteral("TableDropdownMenu"));
    QVERIFY(menu != nullptr);
    QTRY_VERIFY(menu->isVisible());
    QCOMPARE(menu->actions().size(), 4);
    QCOMPARE(menu->actions().at(0)->text(), QStringLiteral("Insert Row"));
    const QPoint below = toolbar.btnTableDropdownMenu->mapToGlobal(
        QPoint(0, toolbar.btnTableDropdownMenu->height()));
    QVERIFY((menu->pos() - below).manhattanLength() <= 2);
    menu->actions().at(0)->trigger();
    menu->hide();
    QTRY_COMPARE_WITH_TIMEOUT(TableShape(edge), QStringLiteral("3x3"), kPageTimeoutMs);

    // Edit > Undo takes the row back.
    window.ActionNamed("Undo1")->trigger();
    QTRY_COMPARE_WITH_TIMEOUT(TableShape(edge), QStringLiteral("2x3"), kPageTimeoutMs);

    // A topic link to the second topic of the tree, chosen in the picker.
    const std::string linked = state.FProject.FRootTopicIDs.back();
    const QString linkedTitle = gui::ToQString(state.FProject.GetTopic(linked).FTitle);
    WhenPickerOpens([&](gui::TfrmPickTopic& dialog) {
        dialog.tvPick->setCurrentItem(ItemTitled(*dialog.tvPick, linkedTitle));
        dialog.btnOK->click();
    });
    toolbar.btnTopicLink->click();
    const QString link = QStringLiteral("a[href=\"doc:%1\"]").arg(gui::ToQString(linked));
    QTRY_COMPARE_WITH_TIMEOUT(
        RunScript(edge, QStringLiteral("(() => { const a = document.querySelector('#sv-body %1');"
                                       " return a ? a.textContent : ''; })()")
                            .arg(link))
            .toString(),
        linkedTitle, kPageTimeoutMs);
    QTest::qWait(300); // let the page paint before the picture is taken
    QVERIFY(window.grab().save(ScreenshotFolder() +
                               QStringLiteral("/quillmark-insert-table-and-link.png")));
    QCOMPARE(FPrompts.Unexpected, 0);
}

void InsertCommandsGuiTest::cleanupTestCase() {
    FComposition.reset();
}

} // namespace quillmark::testing
