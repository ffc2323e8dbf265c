#include "gui/QtTocTreeView.h"

#include "app/MainWindow.h"
#include "app/TocDropZones.h"
#include "gui/QtText.h"

#include <QDrag>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMimeData>
#include <QPainter>

namespace quillmark::gui {

namespace {

const QString kTopicMimeType = QStringLiteral("application/x-quillmark-topic-id");
constexpr int kIdRole = Qt::UserRole;

// Counts the view's own changes, during which Qt's signals are not the user's.
class TSilence {
public:
    explicit TSilence(int& depth) : FDepth(depth) { ++FDepth; }
    ~TSilence() { --FDepth; }
    TSilence(const TSilence&) = delete;
    TSilence& operator=(const TSilence&) = delete;

private:
    int& FDepth;
};

} // namespace

TQtTocTreeView::TQtTocTreeView(QWidget* parent) : QTreeWidget(parent) {
    setObjectName(QStringLiteral("tvToc"));
    setHeaderHidden(true);
    setColumnCount(1);
    header()->setStretchLastSection(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::SelectedClicked);
    setDragEnabled(true);
    setAcceptDrops(true);
    setDropIndicatorShown(false);
    setDragDropMode(QAbstractItemView::DragDrop);
    setAnimated(true);
    setUniformRowHeights(true);
    setExpandsOnDoubleClick(true);
    setFrameShape(QFrame::NoFrame);

    connect(this, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem* current, QTreeWidgetItem*) { ForwardSelection(current); });
    connect(this, &QTreeWidget::itemChanged, this,
            [this](QTreeWidgetItem* item, int) { ForwardEdit(item); });
}

std::string TQtTocTreeView::NodeId(const QTreeWidgetItem* item) {
    return item == nullptr ? std::string() : ToStdString(item->data(0, kIdRole).toString());
}

QTreeWidgetItem* TQtTocTreeView::FindNode(const std::string& id) const {
    if (id.empty()) {
        return nullptr;
    }
    for (QTreeWidgetItemIterator it(const_cast<TQtTocTreeView*>(this)); *it; ++it) {
        if (NodeId(*it) == id) {
            return *it;
        }
    }
    return nullptr;
}

void TQtTocTreeView::RebuildTree(const std::vector<TTocNode>& nodes) {
    TSilence silence(FSilent);
    QSet<QString> collapsed;
    for (QTreeWidgetItemIterator it(this); *it; ++it) {
        if ((*it)->childCount() > 0 && !(*it)->isExpanded()) {
            collapsed.insert((*it)->data(0, kIdRole).toString());
        }
    }
    FDropTargetId.clear();
    setUpdatesEnabled(false);
    clear();
    std::vector<QTreeWidgetItem*> parents; // parents[d] is the last node of depth d
    std::vector<QTreeWidgetItem*> created;
    created.reserve(nodes.size());
    for (const TTocNode& node : nodes) {
        const std::size_t depth =
            std::min(static_cast<std::size_t>(std::max(node.Depth, 0)), parents.size());
        QTreeWidgetItem* item =
            depth == 0 ? new QTreeWidgetItem(this) : new QTreeWidgetItem(parents[depth - 1]);
        item->setText(0, ToQString(node.Title));
        item->setData(0, kIdRole, ToQString(node.Id));
        item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsEditable |
                       Qt::ItemIsDragEnabled | Qt::ItemIsDropEnabled);
        parents.resize(depth);
        parents.push_back(item);
        created.push_back(item);
    }
    for (QTreeWidgetItem* item : created) {
        item->setExpanded(!collapsed.contains(item->data(0, kIdRole).toString()));
    }
    setCurrentItem(nullptr);
    clearSelection();
    setUpdatesEnabled(true);
}

void TQtTocTreeView::SelectNode(const std::string& id) {
    TSilence silence(FSilent);
    QTreeWidgetItem* item = FindNode(id);
    if (item == nullptr) {
        setCurrentItem(nullptr);
        clearSelection();
        return;
    }
    for (QTreeWidgetItem* parent = item->parent(); parent != nullptr; parent = parent->parent()) {
        parent->setExpanded(true);
    }
    setCurrentItem(item);
    item->setSelected(true);
    scrollToItem(item);
}

std::string TQtTocTreeView::SelectedNodeId() const {
    const QList<QTreeWidgetItem*> selected = selectedItems();
    return selected.isEmpty() ? std::string() : NodeId(selected.constFirst());
}

void TQtTocTreeView::SetNodeText(const std::string& id, const std::string& text) {
    TSilence silence(FSilent);
    if (QTreeWidgetItem* item = FindNode(id)) {
        item->setText(0, ToQString(text));
    }
}

void TQtTocTreeView::EditNodeText(const std::string& id) {
    if (QTreeWidgetItem* item = FindNode(id)) {
        scrollToItem(item);
        editItem(item, 0);
    }
}

void TQtTocTreeView::SetDropTarget(const std::string& id) {
    if (FDropTargetId != id) {
        FDropTargetId = id;
        viewport()->update();
    }
}

void TQtTocTreeView::ForwardSelection(QTreeWidgetItem* current) {
    if (FSilent == 0 && FLogic != nullptr) {
        FLogic->tvTocChange(NodeId(current));
    }
}

void TQtTocTreeView::ForwardEdit(QTreeWidgetItem* item) {
    if (FSilent == 0 && FLogic != nullptr) {
        FLogic->tvTocEdited(NodeId(item), ToStdString(item->text(0)));
    }
}

void TQtTocTreeView::keyPressEvent(QKeyEvent* event) {
    if (FLogic != nullptr && state() != QAbstractItemView::EditingState) {
        if (event->key() == Qt::Key_F2 && event->modifiers() == Qt::NoModifier) {
            FLogic->EditSelectedTopicTitle();
            return;
        }
        if (event->key() == Qt::Key_Delete && event->modifiers() == Qt::NoModifier) {
            FLogic->btnDeleteTopicClick();
            return;
        }
        // Enter on a topic goes on to write in it.
        if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
            event->modifiers() == Qt::NoModifier && currentItem() != nullptr) {
            FLogic->Editor().FocusEditorLater();
            return;
        }
    }
    QTreeWidget::keyPressEvent(event);
}

std::pair<int, int> TQtTocTreeView::LabelBand(const QTreeWidgetItem* item) const {
    const QRect row = visualItemRect(item);
    const int textHeight = std::min(QFontMetrics(item->font(0)).height(), row.height());
    return {row.top() + (row.height() - textHeight) / 2, textHeight};
}

bool TQtTocTreeView::IsOwnDrag(const QDropEvent* event) const {
    return FDragging && event->source() == this && event->mimeData()->hasFormat(kTopicMimeType);
}

void TQtTocTreeView::startDrag(Qt::DropActions) {
    QTreeWidgetItem* item = currentItem();
    if (item == nullptr || FLogic == nullptr) {
        return;
    }
    FLogic->tvTocStartDrag();
    FDragging = true;
    FPendingDrop.reset();

    auto* mime = new QMimeData;
    mime->setData(kTopicMimeType, item->data(0, kIdRole).toString().toUtf8());
    QDrag drag(this);
    drag.setMimeData(mime);
    const QRect rect = visualItemRect(item);
    QPixmap picture = viewport()->grab(rect);
    drag.setPixmap(picture);
    drag.setHotSpot(QPoint(16, rect.height() / 2));
    drag.exec(Qt::MoveAction, Qt::MoveAction);

    // The drop is applied once the drag is over, so the tree is not rebuilt
    // under Qt's own drag handling.
    FDragging = false;
    SetDropTarget({});
    FDropPointerY = -1;
    if (FPendingDrop) {
        const std::string target = *FPendingDrop;
        FPendingDrop.reset();
        FLogic->tvTocDragDrop(target);
    }
    FLogic->tvTocEndDrag();
}

void TQtTocTreeView::dragEnterEvent(QDragEnterEvent* event) {
    if (IsOwnDrag(event)) {
        event->acceptProposedAction();
    } else {
        event->ignore();
    }
}

void TQtTocTreeView::dragMoveEvent(QDragMoveEvent* event) {
    // The base class scrolls the tree near its edges during a drag.
    QTreeWidget::dragMoveEvent(event);
    if (!IsOwnDrag(event) || FLogic == nullptr) {
        event->ignore();
        return;
    }
    const QPoint pos = event->position().toPoint();
    QTreeWidgetItem* target = itemAt(pos);
    bool accepted = false;
    if (target != nullptr) {
        const auto [labelTop, labelHeight] = LabelBand(target);
        accepted = FLogic->tvTocDragOver(NodeId(target), labelTop, labelHeight, pos.y());
    }
    FDropPointerY = pos.y();
    viewport()->update();
    if (accepted) {
        event->setDropAction(Qt::MoveAction);
        event->accept();
    } else {
        SetDropTarget({});
        event->ignore();
    }
}

void TQtTocTreeView::dragLeaveEvent(QDragLeaveEvent* event) {
    SetDropTarget({});
    FDropPointerY = -1;
    QTreeWidget::dragLeaveEvent(event);
}

void TQtTocTreeView::dropEvent(QDropEvent* event) {
    if (!IsOwnDrag(event)) {
        event->ignore();
        return;
    }
    FPendingDrop = NodeId(itemAt(event->position().toPoint()));
    // Copy, not move: Qt must not remove any item itself; the logic rebuilds
    // the tree after the drop.
    event->setDropAction(Qt::CopyAction);
    event->accept();
}

void TQtTocTreeView::paintEvent(QPaintEvent* event) {
    QTreeWidget::paintEvent(event);
    QTreeWidgetItem* target = FDropTargetId.empty() ? nullptr : FindNode(FDropTargetId);
    if (target == nullptr || FDropPointerY < 0) {
        return;
    }
    const QRect row = visualItemRect(target);
    const auto [labelTop, labelHeight] = LabelBand(target);
    QPainter painter(viewport());
    painter.setRenderHint(QPainter::Antialiasing);
    const QColor accent = palette().color(QPalette::Highlight);
    const int left = row.left() + 2;
    const int right = viewport()->width() - 4;
    switch (DropModeForOffset(FDropPointerY - labelTop, labelHeight)) {
    case TDropMode::dmBefore:
        painter.setPen(QPen(accent, 2));
        painter.drawLine(left, row.top() + 1, right, row.top() + 1);
        break;
    case TDropMode::dmAfter:
        painter.setPen(QPen(accent, 2));
        painter.drawLine(left, row.bottom(), right, row.bottom());
        break;
    case TDropMode::dmChild:
        painter.setPen(QPen(accent, 1.5));
        painter.setBrush(QColor(accent.red(), accent.green(), accent.blue(), 40));
        painter.drawRoundedRect(QRectF(left, row.top() + 1, right - left, row.height() - 2), 3, 3);
        break;
    }
}

} // namespace quillmark::gui
