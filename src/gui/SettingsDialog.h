#pragma once

#include "settings/SettingsDialogModel.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollArea;
class QVBoxLayout;

namespace quillmark::gui {

class TColorSelector;

// The "Project Settings" dialog: the project's title, default font, colours,
// contents-tree appearance, copyright footer, link and table styles, and the
// paper, margins and cover of the printed manual. OK is
// taken only when every value is valid; otherwise the dialog says so and
// stays open with the first invalid box focused, the author's entries kept.
class TfrmProjectSettings final : public QDialog {
    Q_OBJECT
public:
    // Shows the dialog for the settings; true when the author confirmed,
    // with `Settings` then holding the new values. Cancel leaves them as
    // they were.
    static bool Execute(QWidget* AOwner, TProjectSettings& Settings);

    TfrmProjectSettings(QWidget* AOwner, TProjectSettings& Settings);

    // The controls, for the window tests.
    QLineEdit* edProjTitle = nullptr;
    QComboBox* cmbFontName = nullptr;
    QComboBox* cmbBodyFontSize = nullptr;
    TColorSelector* cbTextColor = nullptr;
    QLineEdit* edLineSpacing = nullptr;
    TColorSelector* cbPageBg = nullptr;
    TColorSelector* cbHeaderBg = nullptr;
    TColorSelector* cbTocTextColor = nullptr;
    QLineEdit* edTocTextSize = nullptr;
    QCheckBox* chkCopyright = nullptr;
    QLineEdit* edCopyrightText = nullptr;
    TColorSelector* cbLinkColor = nullptr;
    QComboBox* cmbLinkStyle = nullptr;
    QComboBox* cmbTableBorderStyle = nullptr;
    QLineEdit* edTableBorderWidth = nullptr;
    TColorSelector* cbTableBorderColor = nullptr;
    QComboBox* cmbPdfPaperSize = nullptr;
    QLineEdit* edPdfMarginTop = nullptr;
    QLineEdit* edPdfMarginBottom = nullptr;
    QLineEdit* edPdfMarginInner = nullptr;
    QLineEdit* edPdfMarginOuter = nullptr;
    QLineEdit* edPdfCoverSubtitle = nullptr;
    QLineEdit* edPdfCoverVersion = nullptr;
    QLineEdit* edPdfCoverPicture = nullptr;
    QPushButton* btnOk = nullptr;
    QPushButton* btnCancel = nullptr;

    void accept() override;

private:
    void BuildControls();
    void LoadControls();
    // Validates the controls into the settings; false (settings untouched)
    // at the first invalid value, which is then focused.
    bool StoreControls();
    QLineEdit* FirstInvalidMargin() const;
    int Scaled(int pixels) const;
    QLabel* AddSection(const char* heading);
    void AddRow(const char* label, QWidget* control, int width);
    void PlaceButtons();

    TProjectSettings& FSettings;
    // Every control as loaded, the hidden boxes included.
    TProjectSettingsControls FLoaded;
    std::vector<std::string> FFontItems;
    QWidget* FRows = nullptr;
    QWidget* FButtonPanel = nullptr;
    int FTop = 0;
    int FLineHeight = 0;

protected:
    void resizeEvent(QResizeEvent* event) override;
};

} // namespace quillmark::gui
