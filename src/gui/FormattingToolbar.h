#pragma once

#include "editor/FormattingToolbarView.h"

#include <QWidget>
#include <functional>
#include <string>
#include <vector>

class QComboBox;
class QLabel;
class QToolButton;

namespace quillmark {
class TFormattingToolbarLogic;
}

namespace quillmark::gui {

// The formatting toolbar above the editor: 29 controls (buttons, thin
// separators, and five boxes each led by a small icon) on one row, or on two
// when the window is too narrow (ArrangeToolbar). The controls carry the
// names the rest of the program uses for them (btnBold, cmbFontSize ...).
// The formatting controls forward the user's actions to the toolbar logic
// and show what it sets through IFormattingToolbarView.
class TFormattingToolbar final : public QWidget, public IFormattingToolbarView {
    Q_OBJECT
public:
    explicit TFormattingToolbar(QWidget* parent = nullptr);

    // Forwards the formatting controls' user actions to `logic` (null:
    // they do nothing). An error that escapes a handler goes to `onError`.
    void Connect(TFormattingToolbarLogic* logic,
                 std::function<void(const std::string&)> onError = {});

    // Distributes the controls' groups over the first row and, when they do
    // not fit, the second; an icon and its box always share a row.
    void ArrangeToolbar();
    bool SecondRowVisible() const;
    // The controls placed on a row (0 or 1), in order.
    std::vector<QWidget*> RowControls(int row) const;
    const std::vector<QWidget*>& Controls() const { return FControls; }

    QToolButton* btnBold = nullptr;
    QToolButton* btnItalic = nullptr;
    QToolButton* btnUnderline = nullptr;
    QToolButton* btnUL = nullptr;
    QToolButton* btnOL = nullptr;
    QToolButton* btnAlignLeft = nullptr;
    QToolButton* btnAlignCenter = nullptr;
    QToolButton* btnAlignRight = nullptr;
    QToolButton* btnLink = nullptr;
    QToolButton* btnTopicLink = nullptr;
    QToolButton* btnImage = nullptr;
    QToolButton* btnReplaceImage = nullptr;
    QToolButton* btnInsertTable = nullptr;
    QToolButton* btnTableDropdownMenu = nullptr;
    QToolButton* btnImportHTML = nullptr;
    QLabel* imgLineSpacing = nullptr;
    QComboBox* cmbLineSpacing = nullptr;
    QLabel* imgFontColor = nullptr;
    QComboBox* cbTextColor = nullptr;
    QLabel* imgHeading = nullptr;
    QComboBox* cmbHeading = nullptr;
    QLabel* imgFontName = nullptr;
    QComboBox* cmbTextFont = nullptr;
    QLabel* imgFontSize = nullptr;
    QComboBox* cmbFontSize = nullptr;

    // The colour box shows the colour: its entry when it has one, otherwise a
    // custom entry added for it.
    void SelectTextColor(const QColor& color);

    // IFormattingToolbarView
    std::vector<std::string> InstalledFontNames() const override;
    std::string FontStandIn(const std::string& family) const override;
    void ShowFontNotInList(const std::string& caption) override;
    bool ButtonDown(TToolbarButton button) const override;
    void SetButtonDown(TToolbarButton button, bool down) override;
    void SetItems(TToolbarBox box, const std::vector<std::string>& items) override;
    int ItemCount(TToolbarBox box) const override;
    std::string ItemCaption(TToolbarBox box, int index) const override;
    int ItemIndex(TToolbarBox box) const override;
    void SetItemIndex(TToolbarBox box, int index) override;
    std::string BoxText(TToolbarBox box) const override;
    void SetBoxText(TToolbarBox box, const std::string& text) override;
    bool BoxFocused(TToolbarBox box) const override;
    bool BoxDroppedDown(TToolbarBox box) const override;
    TColor SelectedTextColor() const override;
    void SelectTextColor(TColor color) override;
    bool CustomColorEntrySelected() const override;
    std::optional<TColor> ChooseCustomTextColor() override;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QToolButton* AddButton(const char* name, const char* icon, bool checkable, int group);
    QWidget* AddSeparator(const char* name, int group);
    QLabel* AddBoxIcon(const char* name, const char* icon, int group);
    void AddControl(QWidget* control, int group);
    void BuildColorBox();
    void ConnectControls();
    // Runs a handler of the logic when one is connected.
    void Forward(const std::function<void(TFormattingToolbarLogic&)>& handler);
    QToolButton* Button(TToolbarButton button) const;
    QComboBox* Box(TToolbarBox box) const;
    QColor ShownTextColor() const;
    int ControlWidth(const QWidget* control) const;
    int RowHeight() const;

    QWidget* pnlToolbar = nullptr;
    QWidget* pnlToolbar2 = nullptr;
    std::vector<QWidget*> FControls;
    std::vector<int> FGroupOf;
    int FGroupCount = 0;
    std::size_t FSplit = 0; // groups on the first row
    int FLastColorIndex = 0;
    TFormattingToolbarLogic* FLogic = nullptr;
    std::function<void(const std::string&)> FOnError;
};

} // namespace quillmark::gui
