#include "gui/MainForm.h"

#include "app/MainWindow.h"
#include "base/Color.h"
#include "gui/DesktopTheme.h"
#include "gui/FormattingToolbar.h"
#include "gui/HomepageLabel.h"
#include "gui/Icons.h"
#include "gui/MenuAccessKeys.h"
#include "gui/QtText.h"
#include "gui/QtTocTreeView.h"
#include "gui/QtUserPrompts.h"
#include "gui/TopicPropertiesPanel.h"
#include "settings/ProjectSettings.h"
#include "settings/SettingsDialogModel.h"

#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QSignalBlocker>
#include <QSplitter>
#include <QStatusBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWebEnginePage>
#include <QWebEngineSettings>
#include <QWebEngineView>
#include <cmath>
#include <exception>

namespace quillmark::gui {

namespace {

constexpr int kProjectIconSize = 20;
// The contents tree needs room for real topic titles; the width derived
// from the project buttons is used when it is larger.
constexpr int kMinimumLeftPanelWidth = 280;

QColor ToQColor(TColor color) {
    const TColor rgb = ColorToRgb(color);
    return QColor(ColorRed(rgb), ColorGreen(rgb), ColorBlue(rgb));
}

// Selects the first entry whose caption equals the text, ignoring letter
// case and surrounding spaces; -1 when there is none.
int FindCaption(const QComboBox* box, const QString& text) {
    for (int i = 0; i < box->count(); ++i) {
        if (QString::compare(box->itemText(i).trimmed(), text.trimmed(), Qt::CaseInsensitive) ==
            0) {
            return i;
        }
    }
    return -1;
}

} // namespace

TfrmMain::TfrmMain() : FPrompts(std::make_unique<TQtUserPrompts>(this)) {
    setObjectName(QStringLiteral("frmMain"));
    setWindowIcon(ProgramIcon("quillmark"));
    setWindowTitle(QStringLiteral("Quillmark"));

    FMainSplitter = new QSplitter(Qt::Horizontal, this);
    FMainSplitter->setObjectName(QStringLiteral("splLeft"));
    FMainSplitter->setChildrenCollapsible(false);
    FMainSplitter->setHandleWidth(5);
    BuildLeftPanel(FMainSplitter);
    BuildRightSide(FMainSplitter);
    FMainSplitter->setStretchFactor(0, 0);
    FMainSplitter->setStretchFactor(1, 1);
    setCentralWidget(FMainSplitter);

    BuildMenus();
    ApplyAccessKeys(*menuBar());
    BuildStatusBar();
    ConnectEvents();
    resize(1280, 800);
}

TfrmMain::~TfrmMain() {
    // The prompts' owner is this window; no dialog may outlive it.
    FPrompts.reset();
}

IUserPrompts& TfrmMain::Prompts() {
    return *FPrompts;
}

QMenu* TfrmMain::AddMenu(QMenu* parent, const char* name, const char* caption) {
    QMenu* menu = parent == nullptr ? menuBar()->addMenu(QString::fromUtf8(caption))
                                    : parent->addMenu(QString::fromUtf8(caption));
    menu->setObjectName(QString::fromLatin1(name));
    menu->menuAction()->setObjectName(QString::fromLatin1(name));
    FMenus[name] = menu;
    return menu;
}

QAction* TfrmMain::AddAction(QMenu* menu, const char* name, const char* caption, const char* icon,
                             const QKeySequence& shortcut) {
    QAction* action = menu->addAction(QString::fromUtf8(caption));
    action->setObjectName(QString::fromLatin1(name));
    if (icon != nullptr) {
        action->setIcon(ProgramIcon(icon));
    }
    if (!shortcut.isEmpty()) {
        action->setShortcut(shortcut);
    }
    FActions[name] = action;
    return action;
}

// Captions are the English texts; TranslateMainWindow re-captions them in
// the interface language once the logic runs.
void TfrmMain::BuildMenus() {
    QMenu* file = AddMenu(nullptr, "File1", "File");
    AddAction(file, "NewProject", "New Project", "new-project", QKeySequence::New);
    AddAction(file, "Open1", "Open Project...", "open-project", QKeySequence::Open);
    AddMenu(file, "mmRecentProjects", "Recent Projects");
    AddAction(file, "Save1", "Save Project", "save-project", QKeySequence::Save);
    AddAction(file, "SaveProjectAs1", "Save Project As...", nullptr,
              QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    file->addSeparator();
    QMenu* import = AddMenu(file, "Import1", "Import");
    AddAction(import, "ImportMarkdownFolder1", "Markdown Folder...");
    file->addSeparator();
    AddAction(file, "Exit1", "Exit", nullptr, QKeySequence(Qt::CTRL | Qt::Key_Q));

    QMenu* topic = AddMenu(nullptr, "opic1", "Topic");
    AddAction(topic, "NewRootTopic1", "New Root Topic...", "add-root-topic");
    AddAction(topic, "NewChildTopic1", "New Child Topic...", "add-child-topic");
    AddAction(topic, "RemoveTopic1", "Remove Topic", "remove-topic");
    topic->addSeparator();
    QMenu* move = AddMenu(topic, "Move1", "Move");
    AddAction(move, "Up1", "Up", nullptr, QKeySequence(Qt::CTRL | Qt::Key_Up));
    AddAction(move, "Down1", "Down", nullptr, QKeySequence(Qt::CTRL | Qt::Key_Down));
    AddAction(move, "ChangeParent1", "Move Level Up", nullptr,
              QKeySequence(Qt::CTRL | Qt::Key_Left));
    AddAction(topic, "Rename1", "Rename...");
    topic->addSeparator();
    QAction* properties = AddAction(topic, "TopicProperties1", "Properties...");
    properties->setCheckable(true);
    AddAction(topic, "Preview1", "Preview", nullptr, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_P));

    QMenu* edit = AddMenu(nullptr, "Edit1", "Edit");
    AddAction(edit, "Undo1", "Undo");
    AddAction(edit, "Redo1", "Redo");
    AddAction(edit, "UndoDelete1", "Undo Delete");
    edit->addSeparator();
    AddAction(edit, "Cut1", "Cut");
    AddAction(edit, "Copy1", "Copy");
    AddAction(edit, "Paste1", "Paste");
    AddAction(edit, "Delete1", "Delete");
    edit->addSeparator();
    AddAction(edit, "SelectAll1", "Select All");

    QMenu* publish = AddMenu(nullptr, "Publish1", "Publish");
    AddAction(publish, "WebHelp1", "WebHelp");
    AddAction(publish, "CHM1", "CHM");
    AddAction(publish, "PDF1", "PDF");
    AddAction(publish, "PublishAll1", "Publish All");
    publish->addSeparator();
    AddAction(publish, "OpenOutputFolder1", "Open Output Folder");
    AddAction(publish, "CheckLinks1", "Check Links");
    AddAction(publish, "SaveHelpIdMap1", "Save Help ID Map...");

    QMenu* tools = AddMenu(nullptr, "ools1", "Tools");
    AddAction(tools, "ProjectSettings1", "Project Settings...", "project-settings");
    AddAction(tools, "VariablesSnippetsConditions1", "Variables, Snippets, Conditions...",
              "reusable-content");
    tools->addSeparator();
    AddMenu(tools, "mmLanguage", "Language");

    QMenu* help = AddMenu(nullptr, "Help1", "Help");
    AddAction(help, "UserManual1", "User Manual", nullptr, QKeySequence::HelpContents);
    help->addSeparator();
    AddAction(help, "VisitWebsite1", "Visit Website");
    AddAction(help, "ContactUs1", "Contact Us");
    help->addSeparator();
    AddAction(help, "About1", "About...");
}

QToolButton* TfrmMain::AddProjectButton(const char* name, const char* icon, const char* hint) {
    auto* button = new QToolButton(pnlLeft);
    button->setObjectName(QString::fromLatin1(name));
    button->setIcon(ProgramIcon(icon));
    button->setIconSize(QSize(kProjectIconSize, kProjectIconSize));
    button->setAutoRaise(true);
    button->setToolTip(QString::fromUtf8(hint));
    button->setFocusPolicy(Qt::NoFocus);
    FProjectButtons[name] = button;
    return button;
}

void TfrmMain::BuildLeftPanel(QSplitter* splitter) {
    pnlLeft = new QWidget(splitter);
    pnlLeft->setObjectName(QStringLiteral("pnlLeft"));
    pnlLeft->setAutoFillBackground(true);
    auto* layout = new QVBoxLayout(pnlLeft);
    layout->setContentsMargins(4, 4, 0, 0);
    layout->setSpacing(2);

    auto* projectRow = new QHBoxLayout;
    projectRow->setSpacing(2);
    projectRow->addWidget(AddProjectButton("btnNewProject", "new-project", "New Project"));
    projectRow->addWidget(AddProjectButton("btnOpenProject", "open-project", "Open Project..."));
    projectRow->addWidget(AddProjectButton("btnSave", "save-project", "Save Project"));
    projectRow->addWidget(
        AddProjectButton("btnProjectSettings", "project-settings", "Project Settings..."));
    projectRow->addWidget(AddProjectButton("btnVariablesConditionsSnippets", "reusable-content",
                                           "Variables, Snippets, Conditions..."));
    projectRow->addStretch(1);
    layout->addLayout(projectRow);

    auto* topicRow = new QHBoxLayout;
    topicRow->setSpacing(2);
    topicRow->addWidget(AddProjectButton("btnNewRootTopic", "add-root-topic", "Add Root Topic..."));
    topicRow->addWidget(
        AddProjectButton("btnNewSubTopic", "add-child-topic", "Add Child Topic..."));
    topicRow->addWidget(AddProjectButton("btnDeleteTopic", "remove-topic", "Remove Topic"));
    topicRow->addStretch(1);
    layout->addLayout(topicRow);

    tvToc = new TQtTocTreeView(pnlLeft);
    layout->addWidget(tvToc, 1);
    splitter->addWidget(pnlLeft);
}

void TfrmMain::BuildRightSide(QSplitter* splitter) {
    auto* right = new QWidget(splitter);
    right->setObjectName(QStringLiteral("pnlRight"));
    pnlRight = right;
    auto* layout = new QVBoxLayout(right);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    FToolbar = new TFormattingToolbar(right);
    layout->addWidget(FToolbar);

    FEditorSplitter = new QSplitter(Qt::Horizontal, right);
    FEditorSplitter->setChildrenCollapsible(false);
    FEdgeWebView = new QWebEngineView(FEditorSplitter);
    FEdgeWebView->setObjectName(QStringLiteral("Edge"));
    FEdgeWebView->setMinimumWidth(300);
    QWebEngineSettings* settings = FEdgeWebView->settings();
    settings->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, true);
    settings->setAttribute(QWebEngineSettings::JavascriptCanAccessClipboard, true);
    settings->setAttribute(QWebEngineSettings::JavascriptCanPaste, true);
    FEdgeWebView->setUrl(QUrl(QStringLiteral("about:blank")));
    FEditorSplitter->addWidget(FEdgeWebView);

    FProperties = new TTopicPropertiesPanel(FEditorSplitter);
    FProperties->setMinimumWidth(220);
    FEditorSplitter->addWidget(FProperties);
    FEditorSplitter->setStretchFactor(0, 1);
    FEditorSplitter->setStretchFactor(1, 0);
    FProperties->hide();
    layout->addWidget(FEditorSplitter, 1);
    splitter->addWidget(WithStartScreen(right));
}

void TfrmMain::AddAboveEditor(QWidget* bar) {
    auto* layout = static_cast<QVBoxLayout*>(pnlRight->layout());
    layout->insertWidget(layout->indexOf(FEditorSplitter), bar);
}

void TfrmMain::BuildStatusBar() {
    statusBar()->setObjectName(QStringLiteral("StatusBar1"));
    FStatusText = new QLabel(statusBar());
    FStatusText->setObjectName(QStringLiteral("StatusBar1Text"));
    FStatusText->setTextInteractionFlags(Qt::TextSelectableByMouse);
    statusBar()->addWidget(FStatusText, 1);
    lbHomepageURL = new THomepageLabel(statusBar());
    statusBar()->addPermanentWidget(lbHomepageURL);
}

void TfrmMain::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    ApplyLeftPanelWidth();
}

// The left panel is as wide as the project buttons up to the reusable-content
// button plus a fifth of that button's width, and never narrower than what a
// contents tree needs.
void TfrmMain::ApplyLeftPanelWidth() {
    if (FLeftWidthApplied) {
        return;
    }
    FLeftWidthApplied = true;
    pnlLeft->layout()->activate();
    const QToolButton* anchor = FProjectButtons.at("btnVariablesConditionsSnippets");
    const int fromButtons =
        static_cast<int>(std::nearbyint(anchor->width() * 1.2)) + anchor->geometry().left();
    const int left = std::max(fromButtons, kMinimumLeftPanelWidth);
    const int total = FMainSplitter->width();
    FMainSplitter->setSizes({left, std::max(total - left, 1)});
}

QAction* TfrmMain::ActionNamed(const std::string& name) const {
    const auto found = FActions.find(name);
    return found == FActions.end() ? nullptr : found->second;
}

QToolButton* TfrmMain::ProjectButton(const std::string& name) const {
    const auto found = FProjectButtons.find(name);
    return found == FProjectButtons.end() ? nullptr : found->second;
}

QMenu* TfrmMain::MenuNamed(const std::string& name) const {
    const auto found = FMenus.find(name);
    return found == FMenus.end() ? nullptr : found->second;
}

QString TfrmMain::StatusText() const {
    return FStatusText->text();
}

void TfrmMain::ShowUnexpectedError(const std::string& message) {
    FPrompts->ShowError(message);
}

void TfrmMain::Forward(const std::function<void(TMainWindow&)>& event) {
    if (FLogic == nullptr) {
        return;
    }
    try {
        event(*FLogic);
    } catch (const std::exception& error) {
        ShowUnexpectedError(error.what());
    }
}

std::function<void()> TfrmMain::Forwarder(TCommand command) {
    return [this, command] { Forward([command](TMainWindow& logic) { (logic.*command)(); }); };
}

void TfrmMain::SetLogic(TMainWindow* logic) {
    FLogic = logic;
    tvToc->SetLogic(logic);
}

void TfrmMain::ConnectEvents() {
    // Menu items and project buttons, each with the command it starts.
    const std::pair<const char*, TCommand> commands[] = {
        {"NewProject", &TMainWindow::btnNewProjectClick},
        {"Open1", &TMainWindow::btnOpenProjectClick},
        {"Save1", &TMainWindow::btnSaveClick},
        {"SaveProjectAs1", &TMainWindow::btnSaveAsClick},
        {"NewRootTopic1", &TMainWindow::btnNewRootTopicClick},
        {"NewChildTopic1", &TMainWindow::btnNewSubTopicClick},
        {"RemoveTopic1", &TMainWindow::btnDeleteTopicClick},
        {"Up1", &TMainWindow::Up1Click},
        {"Down1", &TMainWindow::Down1Click},
        {"ChangeParent1", &TMainWindow::ChangeParent1Click},
        {"Rename1", &TMainWindow::Rename1Click},
        {"TopicProperties1", &TMainWindow::TopicProperties1Click},
        {"Preview1", &TMainWindow::Preview1Click},
        {"UndoDelete1", &TMainWindow::UndoDelete1Click},
        {"WebHelp1", &TMainWindow::btnExportWebClick},
        {"CHM1", &TMainWindow::btnExportChmClick},
        {"PDF1", &TMainWindow::btnExportPdfClick},
        {"PublishAll1", &TMainWindow::PublishAll1Click},
        {"OpenOutputFolder1", &TMainWindow::OpenOutputFolder1Click},
        {"ImportMarkdownFolder1", &TMainWindow::ImportMarkdownFolder1Click},
        {"CheckLinks1", &TMainWindow::btnCheckLinksClick},
        {"SaveHelpIdMap1", &TMainWindow::SaveHelpIdMap1Click},
        {"ProjectSettings1", &TMainWindow::btnProjectSettingsClick},
        {"UserManual1", &TMainWindow::UserManual1Click},
        {"VisitWebsite1", &TMainWindow::VisitWebsite1Click},
        {"ContactUs1", &TMainWindow::ContactUs1Click},
        {"About1", &TMainWindow::About1Click},
        {"btnNewProject", &TMainWindow::btnNewProjectClick},
        {"btnOpenProject", &TMainWindow::btnOpenProjectClick},
        {"btnSave", &TMainWindow::btnSaveClick},
        {"btnProjectSettings", &TMainWindow::btnProjectSettingsClick},
        {"btnNewRootTopic", &TMainWindow::btnNewRootTopicClick},
        {"btnNewSubTopic", &TMainWindow::btnNewSubTopicClick},
        {"btnDeleteTopic", &TMainWindow::btnDeleteTopicClick},
    };
    for (const auto& [name, command] : commands) {
        if (QAction* action = ActionNamed(name)) {
            connect(action, &QAction::triggered, this, Forwarder(command));
        } else {
            connect(FProjectButtons.at(name), &QToolButton::clicked, this, Forwarder(command));
        }
    }
    connect(FActions.at("Exit1"), &QAction::triggered, this, &QWidget::close);
    ConnectSessionEvents();

    connect(lbHomepageURL, &THomepageLabel::clicked, this,
            Forwarder(&TMainWindow::VisitWebsite1Click));
    connect(FProperties, &TTopicPropertiesPanel::applyClicked, this,
            Forwarder(&TMainWindow::btnApplyPropsClick));
    connect(FProperties, &TTopicPropertiesPanel::assignNumbersClicked, this,
            Forwarder(&TMainWindow::btnAssignHelpNumbersClick));
    connect(FProperties, &TTopicPropertiesPanel::styleChosen, this, [this](const QString& name) {
        Forward([profile = ToStdString(name)](TMainWindow& w) { w.cbStyleChange(profile); });
    });
}

void TfrmMain::closeEvent(QCloseEvent* event) {
    bool mayClose = true;
    Forward([&mayClose](TMainWindow& logic) { mayClose = logic.FormCloseQuery(); });
    if (mayClose) {
        Forward([](TMainWindow& logic) { logic.FormClose(); });
        event->accept();
    } else {
        event->ignore();
    }
}

void TfrmMain::SetWindowTitle(const std::string& title) {
    setWindowTitle(ToQString(title));
}

void TfrmMain::SetStatusText(const std::string& text) {
    FStatusText->setText(ToQString(text));
}

void TfrmMain::SetSaveEnabled(bool enabled) {
    FProjectButtons.at("btnSave")->setEnabled(enabled);
    FActions.at("Save1")->setEnabled(enabled);
}

void TfrmMain::SetHomepageAddress(const std::string& address) {
    lbHomepageURL->setText(ToQString(address));
    lbHomepageURL->setToolTip(ToQString(address));
}

void TfrmMain::ApplySettingsToControls(const TProjectSettings& settings) {
    TFormattingToolbar& toolbar = *FToolbar;
    const QSignalBlocker colorBlocker(toolbar.cbTextColor);
    const QSignalBlocker fontBlocker(toolbar.cmbTextFont);
    const QSignalBlocker sizeBlocker(toolbar.cmbFontSize);
    const QSignalBlocker spacingBlocker(toolbar.cmbLineSpacing);

    toolbar.SelectTextColor(ToQColor(settings.DefaultTextColor));

    const int font = FindCaption(toolbar.cmbTextFont, ToQString(settings.DefaultFontName));
    if (font >= 0) {
        toolbar.cmbTextFont->setCurrentIndex(font);
    } else {
        toolbar.ShowFontNotInList(MissingFontCaption(
            settings.DefaultFontName, toolbar.FontStandIn(settings.DefaultFontName)));
    }

    const QString size = QString::number(settings.FontSizeBody);
    toolbar.cmbFontSize->setCurrentIndex(toolbar.cmbFontSize->findText(size, Qt::MatchExactly));
    toolbar.cmbFontSize->setEditText(size);

    const QString spacing = ToQString(LineSpacingText(settings.DefaultLineSpacing));
    const int spacingItem = FindCaption(toolbar.cmbLineSpacing, spacing);
    if (spacingItem >= 0) {
        toolbar.cmbLineSpacing->setCurrentIndex(spacingItem);
    }
    toolbar.cmbLineSpacing->setEditText(spacing);

    // On a dark desktop the default colours give way to the desktop's own;
    // colours the author chose are shown as chosen.
    const bool desktopColors = IsDarkPalette(QApplication::palette()) &&
                               KeepsDefaultPageColors(settings);
    QPalette treePalette = QApplication::palette(tvToc);
    if (!desktopColors) {
        treePalette.setColor(QPalette::Text, ToQColor(settings.TocTextColor));
        treePalette.setColor(QPalette::Base, ToQColor(settings.DefaultPageBgColor));
    }
    tvToc->setPalette(treePalette);
    if (settings.TocTextSize > 0) {
        QFont treeFont = tvToc->font();
        treeFont.setPointSize(settings.TocTextSize);
        tvToc->setFont(treeFont);
    }
    QPalette panelPalette = QApplication::palette(pnlLeft);
    if (!desktopColors)
        panelPalette.setColor(QPalette::Window, ToQColor(settings.DefaultPageBgColor));
    pnlLeft->setPalette(panelPalette);
    emit settingsApplied();
}

void TfrmMain::SetPropertiesPanelVisible(bool visible) {
    FProperties->setVisible(visible);
    FActions.at("TopicProperties1")->setChecked(visible);
    if (visible) {
        const int total = FEditorSplitter->width();
        const int panel = std::max(FProperties->sizeHint().width(), 280);
        FEditorSplitter->setSizes({std::max(total - panel, 1), panel});
    }
}

void TfrmMain::ShowTopicProperties(const TTopicPropertyFields& fields) {
    FProperties->ShowFields(fields);
}

TTopicPropertyFields TfrmMain::ReadTopicProperties() const {
    return FProperties->ReadFields();
}

void TfrmMain::SetStyleProfiles(const std::vector<std::string>& names, int selectedIndex) {
    FProperties->SetStyleProfiles(names, selectedIndex);
}

void TfrmMain::NavigateToEditor(const std::string& pagePath) {
    FEdgeWebView->setUrl(QUrl::fromLocalFile(ToQString(pagePath)));
}

void TfrmMain::SetLanguageMenu(const std::vector<std::string>& names, int checkedIndex) {
    QMenu* menu = FMenus.at("mmLanguage");
    QList<QAction*> items = menu->actions();
    bool sameLanguages = items.size() == static_cast<qsizetype>(names.size());
    for (qsizetype i = 0; sameLanguages && i < items.size(); ++i) {
        // Compared without the access key the menu bar gave the item.
        sameLanguages = QString(items[i]->text()).remove(QLatin1Char('&')) ==
                        ToQString(names[static_cast<std::size_t>(i)]);
    }
    if (!sameLanguages) {
        // The menu is rebuilt from inside a click on one of its items, so the
        // old items go once that click is over.
        for (QAction* item : items) {
            menu->removeAction(item);
            item->deleteLater();
        }
        auto* group = new QActionGroup(menu);
        group->setExclusive(true);
        items.clear();
        for (std::size_t i = 0; i < names.size(); ++i) {
            QAction* item = menu->addAction(ToQString(names[i]));
            item->setCheckable(true);
            group->addAction(item);
            const int index = static_cast<int>(i);
            connect(item, &QAction::triggered, this, [this, index] {
                Forward([index](TMainWindow& logic) { logic.LanguageMenuItemClick(index); });
            });
            items.push_back(item);
        }
    }
    for (qsizetype i = 0; i < items.size(); ++i) {
        items[i]->setChecked(i == checkedIndex);
    }
    menu->setEnabled(!names.empty());
}

void TfrmMain::SetCaptions(const std::vector<TControlCaption>& captions) {
    for (const TControlCaption& caption : captions) {
        const QString text = ToQString(caption.Text);
        if (caption.IsHint) {
            if (QWidget* control = findChild<QWidget*>(ToQString(caption.Control))) {
                control->setToolTip(text);
            }
        } else if (QMenu* menu = MenuNamed(caption.Control)) {
            menu->setTitle(text);
        } else if (QAction* action = ActionNamed(caption.Control)) {
            action->setText(text);
        }
    }
    ApplyAccessKeys(*menuBar());
}

void TfrmMain::SetBusy(bool busy) {
    if (busy) {
        if (FBusyDepth++ == 0) {
            QApplication::setOverrideCursor(Qt::WaitCursor);
        }
    } else if (FBusyDepth > 0 && --FBusyDepth == 0) {
        QApplication::restoreOverrideCursor();
    }
}

} // namespace quillmark::gui
