#pragma once

#include "settings/SettingsDialogModel.h"

#include <QDialog>
#include <vector>

class QComboBox;
class QLabel;
class QPushButton;

namespace quillmark::gui {

// The "Project Settings" dialog: the project's title, default font, colours,
// contents-tree appearance, copyright footer, link and table styles, one
// control for each row of SettingsDialogRows. OK is taken only when every
// value is valid; otherwise the dialog says so and stays open with the first
// invalid box focused, the author's entries kept.
class TfrmProjectSettings final : public QDialog {
    Q_OBJECT
public:
    // Shows the dialog for the settings; true when the author confirmed,
    // with `Settings` then holding the new values. Cancel leaves them as
    // they were.
    static bool Execute(QWidget* AOwner, TProjectSettings& Settings);

    TfrmProjectSettings(QWidget* AOwner, TProjectSettings& Settings);

    // The control of that name (TSettingsDialogRow::Control); null when the
    // dialog shows none of that name and type.
    template <typename T> T* Control(const char* name) const {
        return findChild<T*>(QString::fromLatin1(name));
    }

    QPushButton* btnOk = nullptr;
    QPushButton* btnCancel = nullptr;

    void accept() override;

private:
    // A control shown for a row of SettingsDialogRows.
    struct TShownControl {
        const TSettingsDialogRow* Row;
        QWidget* Widget;
    };

    void BuildControls();
    QWidget* MakeControl(const TSettingsDialogRow& row);
    static void ShowFontName(QComboBox& box, const QString& name);
    void LoadControls();
    // Validates the controls into the settings; false (settings untouched)
    // at the first invalid value, which is then focused.
    bool StoreControls();
    void FocusInvalid(const std::string& controlName);
    int Scaled(int pixels) const;
    QLabel* AddSection(const char* heading);
    void AddRow(const char* label, QWidget* control, int width);
    void PlaceButtons();

    TProjectSettings& FSettings;
    // Every control as loaded, the hidden boxes included.
    TProjectSettingsControls FLoaded;
    std::vector<TShownControl> FShown;
    std::vector<std::string> FFontItems;
    QWidget* FRows = nullptr;
    QWidget* FButtonPanel = nullptr;
    int FTop = 0;
    int FLineHeight = 0;

protected:
    void resizeEvent(QResizeEvent* event) override;
};

} // namespace quillmark::gui
