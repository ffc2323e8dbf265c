#pragma once

#include "app/ProjectFindReplace.h"

#include <QDockWidget>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace quillmark::gui {

// Find and replace across the project (Edit > Find and Replace,
// Ctrl+Shift+F), docked beside the editor: the text, the replacement, the
// options, the results grouped by topic with a line of context each (a
// click opens the topic at the match), and the replace commands with their
// undo. The panel only shows what TProjectFindReplace answers.
class TFindReplacePanel final : public QDockWidget {
    Q_OBJECT
public:
    TFindReplacePanel(TProjectFindReplace& command, QWidget* parent);

    // Shows the panel with the find box focused, its text selected.
    void Open();

    QTreeWidget& Results() { return *tvResults; }
    QLineEdit& FindBox() { return *edFind; }
    QLineEdit& ReplaceBox() { return *edReplace; }
    QString StatusText() const;

    void btnFindAllClick();
    void btnReplaceClick();
    void btnReplaceInTopicClick();
    void btnReplaceAllClick();
    void btnUndoReplaceClick();

private:
    TTextQuery Query() const;
    void ShowStatus(const TFindReplaceStatus& status);
    void FillResults();
    void UpdateButtons();
    // When the text or an option changed since the last search, searches
    // again (the author sees what a replacement would change) and returns
    // false.
    bool ResultsAreCurrent();
    // The topic index and hit index of an item (hit -1 for a topic row).
    static std::pair<int, int> IndexesOf(const QTreeWidgetItem* item);

    TProjectFindReplace& FCommand;
    QLineEdit* edFind = nullptr;
    QLineEdit* edReplace = nullptr;
    QCheckBox* chkMatchCase = nullptr;
    QCheckBox* chkWholeWord = nullptr;
    QCheckBox* chkRegex = nullptr;
    QCheckBox* chkTitles = nullptr;
    QPushButton* btnFindAll = nullptr;
    QPushButton* btnReplace = nullptr;
    QPushButton* btnReplaceInTopic = nullptr;
    QPushButton* btnReplaceAll = nullptr;
    QPushButton* btnUndoReplace = nullptr;
    QTreeWidget* tvResults = nullptr;
    QLabel* lbStatus = nullptr;
    // The query and titles option of the results shown.
    TTextQuery FSearched;
    bool FSearchedTitles = false;
};

} // namespace quillmark::gui
