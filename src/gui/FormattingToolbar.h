#pragma once

#include <QWidget>
#include <vector>

class QComboBox;
class QLabel;
class QToolButton;

namespace quillmark::gui {

// The formatting toolbar above the editor: 29 controls (buttons, thin
// separators, and five boxes each led by a small icon) on one row, or on two
// when the window is too narrow (ArrangeToolbar). The controls carry the
// names the rest of the program uses for them (btnBold, cmbFontSize ...).
class TFormattingToolbar final : public QWidget {
    Q_OBJECT
public:
    explicit TFormattingToolbar(QWidget* parent = nullptr);

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
    QColor SelectedTextColor() const;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    QToolButton* AddButton(const char* name, const char* icon, bool checkable, int group);
    QWidget* AddSeparator(const char* name, int group);
    QLabel* AddBoxIcon(const char* name, const char* icon, int group);
    void AddControl(QWidget* control, int group);
    void BuildColorBox();
    void FillDefaultLists();
    void ChooseCustomColor();
    int ControlWidth(const QWidget* control) const;
    int RowHeight() const;

    QWidget* pnlToolbar = nullptr;
    QWidget* pnlToolbar2 = nullptr;
    std::vector<QWidget*> FControls;
    std::vector<int> FGroupOf;
    int FGroupCount = 0;
    std::size_t FSplit = 0; // groups on the first row
    int FLastColorIndex = 0;
};

} // namespace quillmark::gui
