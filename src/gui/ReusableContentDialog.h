#pragma once

#include "app/ReusableContentCommand.h"

#include <QDialog>
#include <QPointer>
#include <QTableWidget>

class QPushButton;
class QTabWidget;

namespace quillmark::gui {

// Enables each insert button only on its own tab: "Insert variable" on
// Variables, "Insert snippet" on Snippets, both condition buttons on
// Conditions. Missing controls are passed over.
class TReusableTabButtonGuard final : public QObject {
    Q_OBJECT
public:
    explicit TReusableTabButtonGuard(QObject* owner) : QObject(owner) {}

    QTabWidget* Pages = nullptr;
    QWidget* TsVars = nullptr;
    QWidget* TsSnips = nullptr;
    QWidget* TsConds = nullptr;
    QPushButton* BtnInsVar = nullptr;
    QPushButton* BtnInsSnip = nullptr;
    QPushButton* BtnInsCondBegin = nullptr;
    QPushButton* BtnInsCondEnd = nullptr;

    void PageChanged(int index);
    void UpdateButtons();
};

// A grid of two columns edited in place, the editor shown as soon as a cell
// becomes current.
class TReusableGrid final : public QTableWidget {
    Q_OBJECT
public:
    TReusableGrid(const std::array<std::string, 2>& headings, const TReusableGridRows& rows,
                  QWidget* parent);
    // Hands an open cell editor's text to its cell.
    void CommitOpenEditor();
    TReusableGridRows Rows() const;
    // The current data row; the first when none is current.
    int CurrentDataRow() const;
    void SetColumnWidths();

protected:
    void resizeEvent(QResizeEvent* event) override;
};

// The modal "Variables, snippets and conditions" dialog: three tabs with a
// help text and a grid each, four insert buttons, Save and Cancel.
class TfrmReusableContent final : public QDialog {
    Q_OBJECT
public:
    TfrmReusableContent(QWidget* owner, const TReusableGrids& grids);

    // The result, grids and current rows after exec() returned `code`.
    TReusableDialogOutcome Outcome(int code);

    QTabWidget* Pages = nullptr;
    TReusableGrid* grdVars = nullptr;
    TReusableGrid* grdSnips = nullptr;
    TReusableGrid* grdConds = nullptr;
    QPushButton* BtnInsVar = nullptr;
    QPushButton* BtnInsSnip = nullptr;
    QPushButton* BtnInsCondBegin = nullptr;
    QPushButton* BtnInsCondEnd = nullptr;
    QPushButton* btnSave = nullptr;
    QPushButton* btnCancel = nullptr;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    int Scaled(int pixels) const;
    TReusableGrid* AddTab(TReusableTab tab, const char* caption, const TReusableGrids& grids,
                          QWidget** page);
    QPushButton* AddButton(const char* caption, int width);
    void PlaceButtons();

    QWidget* FButtonPanel = nullptr;
    int FButtonHeight = 0;
};

// The dialog over the main window, for the reusable-content command.
class TQtReusableContentDialog final : public IReusableContentDialog {
public:
    explicit TQtReusableContentDialog(QWidget* owner) : FOwner(owner) {}
    TReusableDialogOutcome Execute(const TReusableGrids& grids) override;

private:
    QPointer<QWidget> FOwner;
};

} // namespace quillmark::gui
