#include "gui/TopicPickerDialog.h"

#include "base/Translation.h"
#include "gui/QtText.h"
#include "model/DocProject.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <memory>
#include <vector>

namespace quillmark::gui {

namespace {

constexpr int kDesignWidth = 414;
constexpr int kDesignHeight = 411;
constexpr int kIdRole = Qt::UserRole;

} // namespace

TfrmPickTopic::TfrmPickTopic(QWidget* Owner) : QDialog(Owner) {
    setObjectName(QStringLiteral("frmPickTopic"));
    setWindowTitle(ToQString(Translate("Select Topic")));
    setSizeGripEnabled(true);

    tvPick = new QTreeWidget(this);
    tvPick->setObjectName(QStringLiteral("tvPick"));
    tvPick->setHeaderHidden(true);
    tvPick->setColumnCount(1);
    tvPick->setSelectionMode(QAbstractItemView::SingleSelection);
    tvPick->setExpandsOnDoubleClick(false);

    btnOK = new QPushButton(ToQString(Translate("OK")), this);
    btnOK->setObjectName(QStringLiteral("btnOK"));
    btnOK->setDefault(true);
    btnCancel = new QPushButton(ToQString(Translate("Cancel")), this);
    btnCancel->setObjectName(QStringLiteral("btnCancel"));

    // The buttons keep to the lower right corner, OK left of Cancel, however
    // the dialog is resized; the tree takes the rest.
    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(Scaled(8));
    buttons->addStretch(1);
    buttons->addWidget(btnOK);
    buttons->addWidget(btnCancel);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(Scaled(8), Scaled(8), Scaled(8), Scaled(8));
    layout->setSpacing(Scaled(8));
    layout->addWidget(tvPick, 1);
    layout->addLayout(buttons);

    connect(btnOK, &QPushButton::clicked, this, &TfrmPickTopic::btnOKClick);
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(tvPick, &QTreeWidget::itemDoubleClicked, this, &TfrmPickTopic::tvPickDoubleClick);
    resize(Scaled(kDesignWidth), Scaled(kDesignHeight));
}

int TfrmPickTopic::Scaled(int pixels) const {
    return pixels * logicalDpiX() / 96;
}

bool TfrmPickTopic::Execute(QWidget* Owner, const TDocProject* P, std::string& TopicID) {
    TopicID.clear();
    if (P == nullptr)
        return false;
    const auto dialog = std::make_unique<TfrmPickTopic>(Owner);
    dialog->FProject = P;
    dialog->FillTree();
    if (dialog->exec() != QDialog::Accepted)
        return false;
    TopicID = dialog->FSelectedID;
    return true;
}

void TfrmPickTopic::FillTree() {
    tvPick->clear();
    if (FProject == nullptr)
        return;
    std::vector<QTreeWidgetItem*> parents; // parents[d]: the last node of depth d
    for (const TTocNode& node : TopicPickerNodes(*FProject)) {
        const std::size_t depth =
            std::min(static_cast<std::size_t>(std::max(node.Depth, 0)), parents.size());
        QTreeWidgetItem* item =
            depth == 0 ? new QTreeWidgetItem(tvPick) : new QTreeWidgetItem(parents[depth - 1]);
        item->setText(0, ToQString(node.Title));
        item->setData(0, kIdRole, ToQString(node.Id));
        parents.resize(depth);
        parents.push_back(item);
    }
    tvPick->expandAll();
    if (QTreeWidgetItem* first = tvPick->topLevelItem(0)) {
        tvPick->setCurrentItem(first);
        tvPick->scrollToItem(first);
    }
}

void TfrmPickTopic::btnOKClick() {
    const QList<QTreeWidgetItem*> selected = tvPick->selectedItems();
    FSelectedID = selected.isEmpty() ? std::string()
                                     : ToStdString(selected.first()->data(0, kIdRole).toString());
    if (FSelectedID.empty())
        reject();
    else
        accept();
}

void TfrmPickTopic::tvPickDoubleClick(QTreeWidgetItem* item) {
    if (item == nullptr)
        return;
    tvPick->setCurrentItem(item);
    btnOKClick();
}

} // namespace quillmark::gui
