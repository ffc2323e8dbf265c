#pragma once

#include "app/InsertCommands.h"

#include <QDialog>
#include <QPointer>
#include <string>

class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace quillmark {
class TDocProject;
}

namespace quillmark::gui {

// The topic picker of "Create Topic Link...": the project's topics as a
// tree in display order, all expanded, the first one selected. OK (or a
// double-click, or Enter) chooses the selected topic; OK with nothing
// selected counts as Cancel.
class TfrmPickTopic final : public QDialog {
    Q_OBJECT
public:
    explicit TfrmPickTopic(QWidget* Owner);

    // False, with `TopicID` empty, when `P` is null or the dialog was not
    // closed with a chosen topic; otherwise true with its identifier.
    static bool Execute(QWidget* Owner, const TDocProject* P, std::string& TopicID);

    // Fills the tree from FProject.
    void FillTree();
    const std::string& SelectedID() const { return FSelectedID; }

    QTreeWidget* tvPick = nullptr;
    QPushButton* btnOK = nullptr;
    QPushButton* btnCancel = nullptr;

private:
    void btnOKClick();
    void tvPickDoubleClick(QTreeWidgetItem* item);
    int Scaled(int pixels) const;

    const TDocProject* FProject = nullptr;
    std::string FSelectedID;
};

// The core's topic picker port as the dialog above, over the owner window.
class TQtTopicPicker final : public ITopicPicker {
public:
    explicit TQtTopicPicker(QWidget* owner) : FOwner(owner) {}
    bool Execute(const TDocProject* project, std::string& topicId) override {
        return TfrmPickTopic::Execute(FOwner, project, topicId);
    }

private:
    QPointer<QWidget> FOwner;
};

} // namespace quillmark::gui
