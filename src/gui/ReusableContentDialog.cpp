#include "gui/ReusableContentDialog.h"

#include "base/TextUtils.h"
#include "gui/DialogMetrics.h"

#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QTabWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

namespace quillmark::gui {

namespace {

// Measures in pixels at 96 dots per inch.
constexpr int kButtonPanelHeight = 96;
constexpr int kButtonGap = 8;
constexpr int kNameColumnWidth = 190;
constexpr int kValueColumnMinWidth = 260;
constexpr int kUnknownGridWidth = 760;

// Snippet HTML may span several lines: its cells are edited in a
// multi-line box that opens taller than the row. A cell whose text was not
// changed keeps its exact text, line breaks included.
class TMultiLineCellDelegate final : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&,
                          const QModelIndex&) const override {
        auto* editor = new QPlainTextEdit(parent);
        editor->setTabChangesFocus(true);
        editor->setFrameShape(QFrame::Box);
        return editor;
    }
    void setEditorData(QWidget* editor, const QModelIndex& index) const override {
        auto* box = static_cast<QPlainTextEdit*>(editor);
        box->setPlainText(index.data(Qt::EditRole).toString());
        box->document()->setModified(false);
        box->moveCursor(QTextCursor::End);
    }
    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override {
        auto* box = static_cast<QPlainTextEdit*>(editor);
        if (box->document()->isModified())
            model->setData(index, box->toPlainText(), Qt::EditRole);
    }
    void updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                              const QModelIndex&) const override {
        QRect rect = option.rect;
        rect.setHeight(std::max(rect.height(), rect.height() * 4));
        editor->setGeometry(rect);
    }
};

} // namespace

// ------------------------------------------------------------ tab guard

void TReusableTabButtonGuard::PageChanged(int) {
    UpdateButtons();
}

void TReusableTabButtonGuard::UpdateButtons() {
    if (Pages == nullptr)
        return;
    const QWidget* active = Pages->currentWidget();
    const auto enable = [](QPushButton* button, bool enabled) {
        if (button != nullptr)
            button->setEnabled(enabled);
    };
    enable(BtnInsVar, active != nullptr && active == TsVars);
    enable(BtnInsSnip, active != nullptr && active == TsSnips);
    enable(BtnInsCondBegin, active != nullptr && active == TsConds);
    enable(BtnInsCondEnd, active != nullptr && active == TsConds);
}

// ----------------------------------------------------------------- grid

TReusableGrid::TReusableGrid(const std::array<std::string, 2>& headings,
                             const TReusableGridRows& rows, QWidget* parent)
    : QTableWidget(static_cast<int>(rows.size()), 2, parent) {
    setHorizontalHeaderLabels({ToQString(headings[0]), ToQString(headings[1])});
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(
        std::max(ScaledBy(this, 26), TextHeight(this) + ScaledBy(this, 10)));
    horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    // The second column takes the room the first leaves (at least its
    // minimum width), so the grid shows no empty strip on the right.
    horizontalHeader()->setStretchLastSection(true);
    horizontalHeader()->setHighlightSections(false);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setEditTriggers(QAbstractItemView::AllEditTriggers);
    setTabKeyNavigation(true);
    setWordWrap(false);
    for (int row = 0; row < rowCount(); ++row)
        for (int column = 0; column < 2; ++column)
            setItem(row, column,
                    new QTableWidgetItem(ToQString(rows[static_cast<size_t>(row)][column])));
    SetColumnWidths();
}

void TReusableGrid::CommitOpenEditor() {
    if (QWidget* editor = indexWidget(currentIndex()))
        commitData(editor);
}

TReusableGridRows TReusableGrid::Rows() const {
    TReusableGridRows rows(static_cast<size_t>(rowCount()));
    for (int row = 0; row < rowCount(); ++row)
        for (int column = 0; column < 2; ++column)
            if (const QTableWidgetItem* cell = item(row, column))
                rows[static_cast<size_t>(row)][column] = ToStdString(cell->text());
    return rows;
}

int TReusableGrid::CurrentDataRow() const {
    return std::max(currentRow(), 0);
}

void TReusableGrid::SetColumnWidths() {
    const int clientWidth =
        viewport()->width() > 1 ? viewport()->width() : ScaledBy(this, kUnknownGridWidth);
    const int first = ScaledBy(this, kNameColumnWidth);
    setColumnWidth(0, first);
    setColumnWidth(1, std::max(ScaledBy(this, kValueColumnMinWidth),
                               clientWidth - first - ScaledBy(this, 30)));
}

void TReusableGrid::resizeEvent(QResizeEvent* event) {
    QTableWidget::resizeEvent(event);
    SetColumnWidths();
}

// --------------------------------------------------------------- dialog

TfrmReusableContent::TfrmReusableContent(QWidget* owner, const TReusableGrids& grids)
    : QDialog(owner) {
    setObjectName(QStringLiteral("frmReusableContent"));
    setWindowTitle(Tr("Variables, snippets and conditions"));
    setSizeGripEnabled(true);
    FButtonHeight = std::max(Scaled(28), TextHeight(this) + Scaled(12));

    Pages = new QTabWidget(this);
    Pages->setObjectName(QStringLiteral("Pages"));
    auto* guard = new TReusableTabButtonGuard(this);
    guard->Pages = Pages;
    grdVars = AddTab(TReusableTab::Variables, "Variables", grids, &guard->TsVars);
    grdSnips = AddTab(TReusableTab::Snippets, "Snippets", grids, &guard->TsSnips);
    grdConds = AddTab(TReusableTab::Conditions, "Conditions", grids, &guard->TsConds);
    grdSnips->setItemDelegateForColumn(1, new TMultiLineCellDelegate(grdSnips));

    FButtonPanel = new QWidget(this);
    FButtonPanel->setFixedHeight(Scaled(kButtonPanelHeight));
    BtnInsVar = AddButton("Insert variable", 250);
    BtnInsSnip = AddButton("Insert snippet", 250);
    BtnInsCondBegin = AddButton("Insert begin condition", 280);
    BtnInsCondEnd = AddButton("Insert end condition", 250);
    btnSave = AddButton("Save", 96);
    btnCancel = AddButton("Cancel", 96);
    btnSave->setDefault(true);
    const std::pair<QPushButton*, TReusableDialogResult> results[] = {
        {BtnInsVar, TReusableDialogResult::InsertVariable},
        {BtnInsSnip, TReusableDialogResult::InsertSnippet},
        {BtnInsCondBegin, TReusableDialogResult::InsertBeginCondition},
        {BtnInsCondEnd, TReusableDialogResult::InsertEndCondition},
    };
    for (const auto& [button, result] : results)
        connect(button, &QPushButton::clicked, this,
                [this, code = static_cast<int>(result)] { done(code); });
    connect(btnSave, &QPushButton::clicked, this, &QDialog::accept);
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);

    guard->BtnInsVar = BtnInsVar;
    guard->BtnInsSnip = BtnInsSnip;
    guard->BtnInsCondBegin = BtnInsCondBegin;
    guard->BtnInsCondEnd = BtnInsCondEnd;
    connect(Pages, &QTabWidget::currentChanged, guard, &TReusableTabButtonGuard::PageChanged);
    guard->UpdateButtons();

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(Scaled(8), Scaled(8), Scaled(8), 0);
    layout->setSpacing(0);
    layout->addWidget(Pages, 1);
    layout->addWidget(FButtonPanel);

    const QRect work = WorkAreaOf(owner != nullptr ? *owner : *this);
    PlaceDialog(*this, work,
                QSize(std::max(Scaled(1100), work.width() * 55 / 100),
                      std::max(Scaled(760), work.height() * 3 / 4)),
                QSize(Scaled(820), Scaled(560)),
                owner != nullptr ? owner->window()->frameGeometry().center() : work.center());
    PlaceButtons();
}

int TfrmReusableContent::Scaled(int pixels) const {
    return ScaledBy(this, pixels);
}

TReusableGrid* TfrmReusableContent::AddTab(TReusableTab tab, const char* caption,
                                           const TReusableGrids& grids, QWidget** page) {
    *page = new QWidget;
    auto* help = new QLabel(ToQString(ReplaceAll(ReusableHelpText(tab), "\r\n", "\n")), *page);
    help->setWordWrap(true);
    help->setTextFormat(Qt::PlainText);
    help->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* grid = new TReusableGrid(ReusableGridHeadings(tab), grids.Of(tab), *page);
    auto* layout = new QVBoxLayout(*page);
    layout->setContentsMargins(Scaled(8), Scaled(9), Scaled(8), Scaled(8));
    layout->setSpacing(Scaled(9));
    layout->addWidget(help);
    layout->addWidget(grid, 1);
    Pages->addTab(*page, Tr(caption));
    return grid;
}

QPushButton* TfrmReusableContent::AddButton(const char* caption, int width) {
    auto* button = new QPushButton(Tr(caption), FButtonPanel);
    button->setAutoDefault(false);
    button->resize(Scaled(width), FButtonHeight);
    return button;
}

void TfrmReusableContent::PlaceButtons() {
    int left = Scaled(kButtonGap);
    for (QPushButton* button : {BtnInsVar, BtnInsSnip, BtnInsCondBegin, BtnInsCondEnd}) {
        button->move(left, Scaled(kButtonGap));
        left += button->width() + Scaled(kButtonGap);
    }
    const int panelWidth = FButtonPanel->width();
    const int top = Scaled(kButtonPanelHeight) - static_cast<int>(std::lround(1.3 * FButtonHeight));
    btnSave->move(panelWidth - Scaled(208), top);
    btnCancel->move(panelWidth - Scaled(104), top);
}

void TfrmReusableContent::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    PlaceButtons();
}

TReusableDialogOutcome TfrmReusableContent::Outcome(int code) {
    TReusableDialogOutcome outcome;
    switch (code) {
    case QDialog::Accepted:
        outcome.Result = TReusableDialogResult::Save;
        break;
    case static_cast<int>(TReusableDialogResult::InsertVariable):
    case static_cast<int>(TReusableDialogResult::InsertSnippet):
    case static_cast<int>(TReusableDialogResult::InsertBeginCondition):
    case static_cast<int>(TReusableDialogResult::InsertEndCondition):
        outcome.Result = static_cast<TReusableDialogResult>(code);
        break;
    default:
        outcome.Result = TReusableDialogResult::Cancel;
        return outcome;
    }
    TReusableGrid* grids[] = {grdVars, grdSnips, grdConds};
    for (size_t i = 0; i < 3; ++i) {
        grids[i]->CommitOpenEditor();
        outcome.CurrentRows[i] = grids[i]->CurrentDataRow();
    }
    outcome.Grids.Variables = grdVars->Rows();
    outcome.Grids.Snippets = grdSnips->Rows();
    outcome.Grids.Conditions = grdConds->Rows();
    return outcome;
}

TReusableDialogOutcome TQtReusableContentDialog::Execute(const TReusableGrids& grids) {
    TfrmReusableContent dialog(FOwner, grids);
    return dialog.Outcome(dialog.exec());
}

} // namespace quillmark::gui
