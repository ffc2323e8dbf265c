#include "MainWindowGuiTest.h"

#include "GuiTestSupport.h"
#include "app/MainWindow.h"
#include "app/ProjectLoading.h"
#include "base/FileHelpers.h"
#include "base/Translation.h"
#include "gui/FormattingToolbar.h"
#include "gui/MainForm.h"
#include "gui/MainWindowComposition.h"
#include "gui/QtText.h"
#include "gui/QtTocTreeView.h"
#include "gui/TopicPropertiesPanel.h"
#include "model/DocProject.h"
#include "model/ProjectStorage.h"
#include "platform/AppFolders.h"
#include "publish/HelpIdMap.h"

#include <QComboBox>
#include <QWebEnginePage>
#include <QSet>
#include <QTimer>
#include <QPushButton>
#include <QDialog>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QToolButton>
#include <QWebEngineView>
#include <filesystem>
#include <functional>

namespace quillmark::testing {

namespace {

// The tree as lines of two spaces per level and the title.
QStringList Outline(const QTreeWidget& tree) {
    QStringList lines;
    std::function<void(const QTreeWidgetItem*, int)> walk = [&](const QTreeWidgetItem* item,
                                                                int depth) {
        lines << QString(depth * 2, QLatin1Char(' ')) + item->text(0);
        for (int i = 0; i < item->childCount(); ++i) {
            walk(item->child(i), depth + 1);
        }
    };
    for (int i = 0; i < tree.topLevelItemCount(); ++i) {
        walk(tree.topLevelItem(i), 0);
    }
    return lines;
}

QStringList Outline(const TDocProject& project) {
    QStringList lines;
    std::function<void(const std::string&, int)> walk = [&](const std::string& id, int depth) {
        const TTopic& topic = project.GetTopic(id);
        lines << QString(depth * 2, QLatin1Char(' ')) + gui::ToQString(topic.FTitle);
        for (const std::string& child : topic.FChildren) {
            walk(child, depth + 1);
        }
    };
    for (const std::string& id : project.FRootTopicIDs) {
        walk(id, 0);
    }
    return lines;
}

// The tree files of a project folder as they are on disk now.
QStringList DiskOutline(const std::string& projectFolder) {
    TDocProject project;
    LoadProjectFolder(projectFolder, project);
    return Outline(project);
}

QTreeWidgetItem* ItemTitled(QTreeWidget& tree, const QString& title) {
    const QList<QTreeWidgetItem*> found =
        tree.findItems(title, Qt::MatchExactly | Qt::MatchRecursive);
    return found.isEmpty() ? nullptr : found.constFirst();
}

QString ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

} // namespace

MainWindowGuiTest::MainWindowGuiTest(QString appDataFolder) : FAppData(std::move(appDataFolder)) {}

MainWindowGuiTest::~MainWindowGuiTest() = default;

void MainWindowGuiTest::initTestCase() {
    FOutputFolder = FAppData + QStringLiteral("/out");
    QVERIFY(QDir().mkpath(FOutputFolder));
    ResetTranslation();
    LoadTranslation(ProgramFolder() + "transl.sv", std::string("en"));
}

void MainWindowGuiTest::StartWindow(const std::vector<std::string>& arguments) {
    FComposition.reset();
    FComposition =
        std::make_unique<gui::TMainWindowComposition>(SystemMainWindowPlaces(), &FPrompts);
    FComposition->Start(arguments);
    gui::TfrmMain& window = FComposition->Window();
    window.resize(1400, 860);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
}

void MainWindowGuiTest::Trigger(const char* actionName) {
    QAction* action = FComposition->Window().ActionNamed(actionName);
    QVERIFY2(action != nullptr, actionName);
    action->trigger();
}

void MainWindowGuiTest::startsWithTheWelcomeWorkspace() {
    StartWindow({});
    gui::TfrmMain& window = FComposition->Window();
    QCOMPARE(Outline(window.Tree()), QStringList{"Welcome"});
    QVERIFY(window.windowTitle().startsWith(QStringLiteral("Quillmark")));
    QVERIFY(!window.windowTitle().contains(QLatin1Char('*')));
    QVERIFY(!window.ActionNamed("Save1")->isEnabled());
    QVERIFY(!window.ProjectButton("btnSave")->isEnabled());
    QVERIFY(window.Tree().currentItem() != nullptr);

    const std::string workspace = FComposition->Logic().State().FProject.FRootPath;
    QVERIFY(workspace.starts_with(gui::ToStdString(FAppData)));
    QVERIFY(DirectoryExists(JoinPath(workspace, "topics")));
    QVERIFY(FileExists(JoinPath(workspace, "meta/project_settings.json")));
    QCOMPARE(window.EdgeWebView().url(), QUrl::fromLocalFile(gui::ToQString(
                                             JoinPath(workspace, "internal/editor/editor.html"))));
}

void MainWindowGuiTest::topicCommandsChangeTreeAndFiles() {
    gui::TfrmMain& window = FComposition->Window();
    QTreeWidget& tree = window.Tree();
    const std::string root = FComposition->Logic().State().FProject.FRootPath;

    FPrompts.InputAnswers = {"Installation"};
    Trigger("NewRootTopic1");
    QCOMPARE(Outline(tree), (QStringList{"Welcome", "Installation"}));
    QCOMPARE(DiskOutline(root), Outline(tree));
    QCOMPARE(tree.currentItem()->text(0), QStringLiteral("Installation"));
    QVERIFY(window.windowTitle().startsWith(QStringLiteral("Quillmark*")));
    QVERIFY(window.ActionNamed("Save1")->isEnabled());

    FPrompts.InputAnswers = {"Requirements", "Download"};
    Trigger("NewChildTopic1");
    tree.setCurrentItem(ItemTitled(tree, "Installation"));
    window.ProjectButton("btnNewSubTopic")->click();
    QCOMPARE(Outline(tree),
             (QStringList{"Welcome", "Installation", "  Requirements", "  Download"}));
    QCOMPARE(DiskOutline(root), Outline(tree));

    // Renaming waits for the next save or structural command.
    tree.setCurrentItem(ItemTitled(tree, "Installation"));
    FPrompts.InputAnswers = {"Install the Lamp"};
    Trigger("Rename1");
    QCOMPARE(tree.topLevelItem(1)->text(0), QStringLiteral("Install the Lamp"));
    QCOMPARE(DiskOutline(root).at(1), QStringLiteral("Installation"));

    tree.setCurrentItem(ItemTitled(tree, "Download"));
    Trigger("Up1");
    QCOMPARE(Outline(tree),
             (QStringList{"Welcome", "Install the Lamp", "  Download", "  Requirements"}));
    QCOMPARE(DiskOutline(root), Outline(tree));
    QCOMPARE(tree.currentItem()->text(0), QStringLiteral("Download"));

    Trigger("ChangeParent1");
    QCOMPARE(Outline(tree),
             (QStringList{"Welcome", "Install the Lamp", "  Requirements", "Download"}));
    QCOMPARE(DiskOutline(root), Outline(tree));

    // Deleting takes the subtree and its page files with it.
    QTreeWidgetItem* parent = ItemTitled(tree, "Install the Lamp");
    std::vector<std::string> pages;
    for (QTreeWidgetItem* item : {parent, parent->child(0)}) {
        pages.push_back(JoinPath(root, "topics/" + gui::TQtTocTreeView::NodeId(item) + ".html"));
        QVERIFY(FileExists(pages.back()));
    }
    tree.setCurrentItem(parent);
    FPrompts.AskAnswers = {TPromptButton::No};
    Trigger("RemoveTopic1");
    QCOMPARE(Outline(tree).size(), 4);
    FPrompts.AskAnswers = {TPromptButton::Yes};
    window.ProjectButton("btnDeleteTopic")->click();
    QCOMPARE(Outline(tree), (QStringList{"Welcome", "Download"}));
    QCOMPARE(DiskOutline(root), Outline(tree));
    for (const std::string& page : pages) {
        QVERIFY(!FileExists(page));
    }
    QCOMPARE(tree.currentItem()->text(0), QStringLiteral("Welcome"));

    // An in-place edit in the tree renames as well.
    QTreeWidgetItem* download = ItemTitled(tree, "Download");
    tree.setCurrentItem(download);
    download->setText(0, QStringLiteral("Downloads"));
    QCOMPARE(gui::ToQString(FComposition->Logic()
                                .State()
                                .FProject.GetTopic(gui::TQtTocTreeView::NodeId(download))
                                .FTitle),
             QStringLiteral("Downloads"));

    QCOMPARE(FPrompts.Unexpected, 0);
    QCOMPARE(FPrompts.Messages.size(), std::size_t(2)); // the two delete questions
}

void MainWindowGuiTest::saveAsWritesProjectThatReopens() {
    const QString projectFile = FOutputFolder + QStringLiteral("/Manual.hff");
    const QStringList before = Outline(FComposition->Window().Tree());
    FPrompts.FileAnswers = {gui::ToStdString(projectFile)};
    Trigger("Save1"); // a workspace project is saved through Save As
    QCOMPARE(FPrompts.Unexpected, 0);

    gui::TfrmMain& window = FComposition->Window();
    QVERIFY(QFile::exists(projectFile));
    QVERIFY(window.windowTitle().endsWith(QLatin1Char('[') + projectFile + QLatin1Char(']')));
    QVERIFY(!window.windowTitle().contains(QLatin1Char('*')));
    QVERIFY(!window.ActionNamed("Save1")->isEnabled());

    TDocProject saved;
    LoadProjectFromFile(gui::ToStdString(projectFile), saved);
    QCOMPARE(Outline(saved), before);
    QCOMPARE(saved.FRootPath, gui::ToStdString(FOutputFolder + QStringLiteral("/Manual/")));
    // The page of the topic added and edited in the workspace came along.
    QVERIFY(FileExists(saved.TopicPagePath(saved.FRootTopicIDs.back())));

    FComposition.reset();
    StartWindow({gui::ToStdString(projectFile)});
    QCOMPARE(Outline(FComposition->Window().Tree()), before);
    QCOMPARE(FComposition->Logic().State().FProjectFileName, gui::ToStdString(projectFile));
    QCOMPARE(ReadAll(FAppData + QStringLiteral("/Quillmark/last_project.txt")).trimmed(),
             projectFile);

    // Without an argument the last project opens again.
    StartWindow({});
    QCOMPARE(Outline(FComposition->Window().Tree()), before);
}

void MainWindowGuiTest::languageMenuSwitchesCaptionsAndIsKept() {
    if (!FComposition) {
        StartWindow({});
    }
    gui::TfrmMain& window = FComposition->Window();
    const QList<QAction*> languages = window.MenuNamed("mmLanguage")->actions();
    QCOMPARE(languages.size(), 4);
    QVERIFY(languages.at(0)->isChecked());
    QAction* german = nullptr;
    for (QAction* language : languages) {
        if (QString(language->text()).remove(QLatin1Char('&')) == QStringLiteral("Deutsch")) {
            german = language;
        }
    }
    QVERIFY(german != nullptr);

    german->trigger();
    QVERIFY(german->isChecked());
    QVERIFY(!languages.at(0)->isChecked());
    // Every menu and item has an access key in the new language too.
    QCOMPARE(window.MenuNamed("File1")->title(), QStringLiteral("&Datei"));
    QCOMPARE(window.ActionNamed("Save1")->text(), QStringLiteral("Projekt &speichern"));
    QCOMPARE(window.ProjectButton("btnSave")->toolTip(), QStringLiteral("Projekt speichern"));
    QVERIFY(ReadAll(FAppData + QStringLiteral("/Quillmark/settings.ini"))
                .contains(QStringLiteral("CurrentLanguage=de")));

    window.MenuNamed("mmLanguage")->actions().at(0)->trigger();
    QCOMPARE(window.MenuNamed("File1")->title(), QStringLiteral("&File"));
}

void MainWindowGuiTest::toolbarWrapsOntoSecondRowWhenNarrow() {
    if (!FComposition) {
        StartWindow({});
    }
    gui::TfrmMain& window = FComposition->Window();
    gui::TFormattingToolbar& toolbar = window.FormattingToolbar();
    QCOMPARE(toolbar.Controls().size(), std::size_t(29));

    // Every button shows its icon (the SVG icon plugin is installed and the
    // icon resources are linked in).
    const QList<QToolButton*> toolbarButtons = toolbar.findChildren<QToolButton*>();
    std::vector<QToolButton*> buttons(toolbarButtons.begin(), toolbarButtons.end());
    for (const char* name : {"btnNewProject", "btnOpenProject", "btnSave", "btnProjectSettings",
                             "btnVariablesConditionsSnippets", "btnNewRootTopic", "btnNewSubTopic",
                             "btnDeleteTopic"}) {
        buttons.push_back(window.ProjectButton(name));
    }
    QCOMPARE(buttons.size(), std::size_t(15 + 8));
    for (const QToolButton* button : buttons) {
        const QImage picture = button->icon().pixmap(QSize(20, 20)).toImage();
        bool drawn = false;
        for (int y = 0; y < picture.height() && !drawn; ++y) {
            for (int x = 0; x < picture.width() && !drawn; ++x) {
                drawn = qAlpha(picture.pixel(x, y)) > 0;
            }
        }
        QVERIFY2(drawn, qPrintable(button->objectName()));
    }

    const auto rowOf = [&toolbar](const QWidget* control) {
        for (int row = 0; row < 2; ++row) {
            for (const QWidget* placed : toolbar.RowControls(row)) {
                if (placed == control) {
                    return row;
                }
            }
        }
        return -1;
    };

    window.resize(1900, 800);
    QTRY_VERIFY(!toolbar.SecondRowVisible());
    QCOMPARE(toolbar.RowControls(0).size(), std::size_t(29));

    // The narrowest size is below the window's minimum: both rows must hold.
    for (const int width : {1100, 900, 700, 300}) {
        window.resize(width, 800);
        QTRY_VERIFY2(toolbar.SecondRowVisible(), qPrintable(QString::number(width)));
        QCOMPARE(toolbar.RowControls(0).size() + toolbar.RowControls(1).size(), std::size_t(29));
        const std::pair<QWidget*, QWidget*> pairs[] = {
            {toolbar.imgLineSpacing, toolbar.cmbLineSpacing},
            {toolbar.imgFontColor, toolbar.cbTextColor},
            {toolbar.imgHeading, toolbar.cmbHeading},
            {toolbar.imgFontName, toolbar.cmbTextFont},
            {toolbar.imgFontSize, toolbar.cmbFontSize},
        };
        for (const auto& [icon, box] : pairs) {
            QCOMPARE(rowOf(icon), rowOf(box));
        }
        for (const QWidget* control : toolbar.Controls()) {
            QVERIFY2(control->geometry().right() < toolbar.width(),
                     qPrintable(control->objectName()));
        }
    }

    window.resize(1900, 800);
    QTRY_VERIFY(!toolbar.SecondRowVisible());
}

// The sample project (a copy: opening a project writes into its folder),
// shown as an author sees it, saved as pictures for a look by eye.
void MainWindowGuiTest::showsTheSampleProject() {
    const QString sample = FAppData + QStringLiteral("/sample");
    const std::string source = std::string(QUILLMARK_SOURCE_DIR) + "/examples/";
    QVERIFY(QDir().mkpath(sample));
    std::filesystem::copy(source + "AuroraLamp", gui::ToStdString(sample + "/AuroraLamp"),
                          std::filesystem::copy_options::recursive);
    std::filesystem::copy_file(source + "AuroraLamp.hff",
                               gui::ToStdString(sample + "/AuroraLamp.hff"));
    const std::string projectFile = gui::ToStdString(sample + "/AuroraLamp.hff");
    StartWindow({projectFile});

    gui::TfrmMain& window = FComposition->Window();
    TDocProject expected;
    LoadProjectFromFile(projectFile, expected);
    QCOMPARE(Outline(window.Tree()), Outline(expected));
    QCOMPARE(Outline(window.Tree()).size(), 12);
    QVERIFY(window.windowTitle().contains(gui::ToQString(expected.FTitle)));

    window.resize(1400, 860);
    QSignalSpy loaded(&window.EdgeWebView(), &QWebEngineView::loadFinished);
    if (window.EdgeWebView().page()->isLoading()) {
        loaded.wait(5000);
    }
    QTest::qWait(500);
    const QString folder = ScreenshotFolder();
    QVERIFY(window.grab().save(folder + QStringLiteral("/quillmark-window.png")));

    Trigger("TopicProperties1");
    gui::TTopicPropertiesPanel& panel = window.PropertiesPanel();
    QVERIFY(panel.isVisible());
    // A help ID typed in the panel, numbered after the sample's 1001 and
    // 1002, and applied, is in the tree file and the programmers' map.
    panel.memHelpIds->setPlainText(QStringLiteral("IDH_WELCOME"));
    QTest::mouseClick(panel.btnAssignHelpNumbers, Qt::LeftButton);
    QCOMPARE(panel.memHelpIds->toPlainText(), QStringLiteral("IDH_WELCOME = 1003"));
    QTest::mouseClick(panel.btnApplyProps, Qt::LeftButton);
    TDocProject saved;
    LoadProjectFromFile(projectFile, saved);
    QVERIFY(HelpIdMapText(saved, THelpIdMapFormat::Header, {}).find("#define IDH_WELCOME 1003\n") !=
            std::string::npos);
    QTest::qWait(100);
    QVERIFY(window.grab().save(folder + QStringLiteral("/quillmark-window-properties.png")));
    Trigger("TopicProperties1");
    QVERIFY(!window.PropertiesPanel().isVisible());

    window.resize(820, 700);
    QTest::qWait(200);
    QVERIFY(window.grab().save(folder + QStringLiteral("/quillmark-window-narrow.png")));
}

QString MainWindowGuiTest::PublishAndClose(const char* actionName, const QString& shot) {
    QString outcome;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr || dialog->objectName() != QStringLiteral("ProgressDialog"))
            return;
        auto* close = dialog->findChild<QPushButton*>(QStringLiteral("ProgressClose"));
        if (close == nullptr)
            return; // still at work
        poll.stop();
        QTest::qWait(100);
        dialog->grab().save(ScreenshotFolder() + QLatin1Char('/') + shot);
        if (auto* label = dialog->findChild<QLabel*>(QStringLiteral("Outcome0")))
            outcome = label->text();
        close->click();
    });
    poll.start(50);
    Trigger(actionName);
    poll.stop();
    return outcome;
}

// The first hour of a new author, on the sample: the tree by keyboard, the
// font box, the three outputs, an HTML page with its style sheet, German
// and a dark desktop; each step leaves a screenshot.
void MainWindowGuiTest::walksTheSampleAsANewUser() {
    QVERIFY(FComposition);
    gui::TfrmMain& window = FComposition->Window();
    const QString folder = ScreenshotFolder();
    window.resize(1366, 768);

    // The tree keeps the keyboard: arrows walk, F2 renames, Enter writes.
    // (The window's focus widget: Xvfb has no window manager to activate it.)
    gui::TQtTocTreeView& tree = window.Tree();
    // The editor page takes the keyboard once, when it has started; that
    // happens before the author's clicks (it may have happened already).
    QTest::qWaitFor(
        [&] {
            QWidget* focused = window.focusWidget();
            return focused != nullptr && focused != &tree;
        },
        10000);
    // A topic other than the selected one: a click on that one renames it.
    QTreeWidgetItem* first = tree.currentItem() == tree.topLevelItem(0)
                                 ? tree.topLevelItem(1)
                                 : tree.topLevelItem(0);
    QTest::mouseClick(tree.viewport(), Qt::LeftButton, {}, tree.visualItemRect(first).center());
    QTest::qWait(400);
    QCOMPARE(window.focusWidget(), &tree);
    QTest::keyClick(&tree, Qt::Key_Down);
    QTest::qWait(400);
    QCOMPARE(window.focusWidget(), &tree);
    QVERIFY(tree.currentItem() != first);
    QTest::keyClick(&tree, Qt::Key_Return);
    QTRY_VERIFY(window.focusWidget() != &tree);
    // Back in the tree (a click on the selected topic would rename it), F2
    // opens the title's editor inside it.
    tree.setFocus();
    QCOMPARE(window.focusWidget(), &tree);
    QTest::keyClick(&tree, Qt::Key_F2);
    QTRY_VERIFY(qobject_cast<QLineEdit*>(window.focusWidget()) != nullptr &&
                tree.isAncestorOf(window.focusWidget()));
    QVERIFY(window.grab().save(folder + QStringLiteral("/walk-tree-rename.png")));
    QTest::keyClick(window.focusWidget(), Qt::Key_Escape);
    tree.setFocus();

    // The font box holds family names only, each once.
    const QComboBox* fonts = window.FormattingToolbar().cmbTextFont;
    QStringList names;
    for (int i = 0; i < fonts->count(); ++i)
        names << fonts->itemText(i);
    QVERIFY2(!names.join(QLatin1Char('|')).contains(QLatin1Char('[')), qPrintable(names.join(',')));
    QCOMPARE(QSet<QString>(names.begin(), names.end()).size(), names.size());
    QVERIFY(window.grab().save(folder + QStringLiteral("/walk-fonts.png")));

    // The three outputs, each ending with what was made.
    const QString web = PublishAndClose("WebHelp1", QStringLiteral("walk-publish-webhelp.png"));
    QVERIFY2(web.endsWith(QStringLiteral("index.html")), qPrintable(web));
    const QString chm = PublishAndClose("CHM1", QStringLiteral("walk-publish-chm.png"));
    QVERIFY2(chm.endsWith(QStringLiteral("help.chm")), qPrintable(chm));
    const QString pdf = PublishAndClose("PDF1", QStringLiteral("walk-publish-pdf.png"));
    QVERIFY2(pdf.endsWith(QStringLiteral("manual.pdf")), qPrintable(pdf));

    // An HTML page with its style sheet keeps its look in the editor.
    const QString page = FAppData + QStringLiteral("/import");
    QVERIFY(QDir().mkpath(page));
    WriteTextFileUtf8(gui::ToStdString(page + "/look.css"), "p.look { color: rgb(200, 0, 0); }");
    WriteTextFileUtf8(gui::ToStdString(page + "/page.html"),
                      "<html><head><link rel=\"stylesheet\" href=\"look.css\"></head>"
                      "<body><p class=\"look\">Imported in red</p></body></html>");
    FPrompts.FileAnswers.push_back(gui::ToStdString(page + "/page.html"));
    window.FormattingToolbar().btnImportHTML->click();
    QTest::qWait(1500);
    QVERIFY(window.grab().save(folder + QStringLiteral("/walk-import.png")));

    // German, then back.
    QAction* german = nullptr;
    for (QAction* language : window.MenuNamed("mmLanguage")->actions())
        if (QString(language->text()).remove(QLatin1Char('&')) == QStringLiteral("Deutsch"))
            german = language;
    QVERIFY(german != nullptr);
    german->trigger();
    QTest::qWait(200);
    QVERIFY(window.grab().save(folder + QStringLiteral("/walk-german.png")));
    window.MenuNamed("mmLanguage")->actions().at(0)->trigger();

    // A dark desktop: the desktop's palette is dark (as a dark platform
    // theme would set it); the window and the editor follow.
    const QPalette light = QApplication::palette();
    QPalette dark;
    dark.setColor(QPalette::Window, QColor(45, 45, 48));
    dark.setColor(QPalette::WindowText, QColor(230, 230, 230));
    dark.setColor(QPalette::Base, QColor(30, 30, 30));
    dark.setColor(QPalette::AlternateBase, QColor(45, 45, 48));
    dark.setColor(QPalette::Text, QColor(230, 230, 230));
    dark.setColor(QPalette::Button, QColor(55, 55, 58));
    dark.setColor(QPalette::ButtonText, QColor(230, 230, 230));
    dark.setColor(QPalette::Highlight, QColor(38, 79, 120));
    dark.setColor(QPalette::HighlightedText, QColor(255, 255, 255));
    QApplication::setPalette(dark);
    const std::string sample = FComposition->Logic().State().FProjectFileName;
    FComposition->Logic().State().FProjectDirty = false;
    StartWindow({sample});
    gui::TfrmMain& darkWindow = FComposition->Window();
    darkWindow.resize(1366, 768);
    QTest::qWait(1500);
    QVERIFY(darkWindow.Tree().palette().color(QPalette::Base).lightness() < 128);
    QVERIFY(darkWindow.grab().save(folder + QStringLiteral("/walk-dark.png")));
    QApplication::setPalette(light);
}

void MainWindowGuiTest::cleanupTestCase() {
    FComposition.reset();
}

} // namespace quillmark::testing
