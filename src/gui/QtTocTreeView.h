#pragma once

#include "app/WindowPorts.h"

#include <QPointer>
#include <QSet>
#include <QTreeWidget>
#include <optional>

namespace quillmark {
class TMainWindow;
}

namespace quillmark::gui {

// The contents tree (tvToc). It shows what the window logic builds, and
// forwards the user's selections, in-place edits, keys and drags to it; the
// logic decides every change of the tree and rebuilds it afterwards.
class TQtTocTreeView final : public QTreeWidget, public ITocTreeView {
    Q_OBJECT
public:
    explicit TQtTocTreeView(QWidget* parent = nullptr);

    void SetLogic(TMainWindow* logic) { FLogic = logic; }

    void RebuildTree(const std::vector<TTocNode>& nodes) override;
    void SelectNode(const std::string& id) override;
    std::string SelectedNodeId() const override;
    void SetNodeText(const std::string& id, const std::string& text) override;
    void EditNodeText(const std::string& id) override;
    void SetDropTarget(const std::string& id) override;

    static std::string NodeId(const QTreeWidgetItem* item);
    QTreeWidgetItem* FindNode(const std::string& id) const;

    // The top and height of the item's label text (not the whole row), in
    // viewport coordinates: what the drop zones are measured against.
    std::pair<int, int> LabelBand(const QTreeWidgetItem* item) const;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void startDrag(Qt::DropActions supportedActions) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dragLeaveEvent(QDragLeaveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    bool IsOwnDrag(const QDropEvent* event) const;
    void ForwardSelection(QTreeWidgetItem* current);
    void ForwardEdit(QTreeWidgetItem* item);

    TMainWindow* FLogic = nullptr;
    int FSilent = 0; // > 0 while the view itself changes the tree
    bool FDragging = false;
    std::optional<std::string> FPendingDrop;
    std::string FDropTargetId;
    int FDropPointerY = -1;
};

} // namespace quillmark::gui
