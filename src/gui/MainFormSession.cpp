// The parts of the main window that carry a working session across
// projects and crashes: the recent projects (File menu and start screen),
// Edit > Undo Delete, the topic preview window and the autosave timer.
#include "app/MainWindow.h"
#include "base/FileHelpers.h"
#include "base/Translation.h"
#include "gui/MainForm.h"
#include "gui/QtText.h"
#include "gui/StartScreen.h"
#include "gui/TopicPreviewWindow.h"

#include <QAction>
#include <QMenu>
#include <QStackedWidget>
#include <QTimer>

namespace quillmark::gui {

namespace {

// How often the editor's unsaved text is written to the recovery file (when
// it changed since the last time).
constexpr int kAutosaveIntervalMs = 3000;

} // namespace

QWidget* TfrmMain::WithStartScreen(QWidget* editorSide) {
    FRightStack = new QStackedWidget(editorSide->parentWidget());
    FRightStack->setObjectName(QStringLiteral("stkRight"));
    editorSide->setParent(FRightStack);
    FRightStack->addWidget(editorSide);
    FStartScreen = new TStartScreen(FRightStack);
    FRightStack->addWidget(FStartScreen);
    FRightStack->setCurrentWidget(editorSide);
    return FRightStack;
}

void TfrmMain::ConnectSessionEvents() {
    QMenu* recent = MenuNamed("mmRecentProjects");
    connect(recent, &QMenu::aboutToShow, this, [this, recent] {
        recent->clear();
        if (FLogic == nullptr)
            return;
        const std::vector<TRecentProject> list = FLogic->RecentProjects();
        int number = 0;
        bool anyMissing = false;
        for (const TRecentProject& project : list) {
            std::string text = "&" + std::to_string(++number % 10) + "  " +
                               ExtractFileName(project.FileName) + "  —  " +
                               ExtractFileDir(project.FileName);
            if (!project.Exists)
                text += "  " + Translate("(missing)");
            anyMissing = anyMissing || !project.Exists;
            QAction* item = recent->addAction(ToQString(text));
            item->setToolTip(ToQString(project.FileName));
            connect(item, &QAction::triggered, this, [this, name = project.FileName] {
                Forward([&name](TMainWindow& logic) { logic.OpenRecentProject(name); });
            });
        }
        if (list.empty())
            recent->addAction(ToQString(Translate("(none)")))->setEnabled(false);
        recent->addSeparator();
        QAction* removeMissing =
            recent->addAction(ToQString(Translate("Remove Missing Projects")));
        removeMissing->setObjectName(QStringLiteral("RemoveMissingProjects1"));
        removeMissing->setEnabled(anyMissing);
        connect(removeMissing, &QAction::triggered, this,
                Forwarder(&TMainWindow::RemoveMissingRecentProjects));
    });

    connect(MenuNamed("Edit1"), &QMenu::aboutToShow, this, [this] {
        ActionNamed("UndoDelete1")->setEnabled(FLogic != nullptr && FLogic->CanUndoDelete());
    });

    connect(FStartScreen, &TStartScreen::newProjectClicked, this,
            Forwarder(&TMainWindow::btnNewProjectClick));
    connect(FStartScreen, &TStartScreen::openProjectClicked, this,
            Forwarder(&TMainWindow::btnOpenProjectClick));
    connect(FStartScreen, &TStartScreen::sampleProjectClicked, this,
            Forwarder(&TMainWindow::OpenSampleProject));
    connect(FStartScreen, &TStartScreen::continueClicked, this,
            Forwarder(&TMainWindow::CloseStartScreen));
    connect(FStartScreen, &TStartScreen::recentProjectChosen, this, [this](const QString& name) {
        Forward([file = ToStdString(name)](TMainWindow& logic) { logic.OpenRecentProject(file); });
        // A project that could not be opened leaves the list as it now is.
        if (FRightStack->currentWidget() == FStartScreen && FLogic != nullptr)
            FStartScreen->Refresh(FLogic->RecentProjects());
    });

    FAutosaveTimer = new QTimer(this);
    FAutosaveTimer->setInterval(kAutosaveIntervalMs);
    connect(FAutosaveTimer, &QTimer::timeout, this, Forwarder(&TMainWindow::AutosaveTimerTick));
    FAutosaveTimer->start();
}

void TfrmMain::SetStartScreenVisible(bool visible) {
    if (visible && FStartScreenEnabled && FLogic != nullptr) {
        FStartScreen->Refresh(FLogic->RecentProjects());
        FRightStack->setCurrentWidget(FStartScreen);
    } else {
        FRightStack->setCurrentIndex(0);
    }
}

void TfrmMain::ShowTopicPreview(const std::string& pagePath) {
    if (FPreview == nullptr) {
        FPreview = new TTopicPreviewWindow(this);
        connect(FPreview, &TTopicPreviewWindow::closed, this,
                Forwarder(&TMainWindow::PreviewClosed));
    }
    FPreview->ShowPage(pagePath);
}

} // namespace quillmark::gui
