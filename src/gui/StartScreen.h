#pragma once

#include "app/RecentProjects.h"

#include <QWidget>
#include <vector>

class QLabel;
class QListWidget;
class QListWidgetItem;
class QPushButton;

namespace quillmark::gui {

// The start screen in the editor's place when the program starts without a
// project: New Project, Open Project..., the sample project, the recent
// projects (missing ones marked), and the way on to the empty project.
class TStartScreen final : public QWidget {
    Q_OBJECT
public:
    explicit TStartScreen(QWidget* parent);

    // Texts in the interface language and the recent list as it is now.
    void Refresh(const std::vector<TRecentProject>& recent);
    QListWidget& RecentList() { return *FRecent; }

signals:
    void newProjectClicked();
    void openProjectClicked();
    void sampleProjectClicked();
    void recentProjectChosen(const QString& fileName);
    void continueClicked();

private:
    QPushButton* AddButton(const char* name, void (TStartScreen::*signal)());

    QLabel* FTitle = nullptr;
    QLabel* FRecentCaption = nullptr;
    QListWidget* FRecent = nullptr;
    std::vector<std::pair<QPushButton*, const char*>> FButtons;
};

} // namespace quillmark::gui
