#pragma once

#include "app/UpdateCheck.h"

#include <QDialog>

class QLabel;
class QProgressBar;
class QPushButton;
class QScrollArea;

namespace quillmark::gui {

// The update dialog: tells about a newer version and downloads and starts
// its installer. Every decision is the update check's; this is its view.
class TfrmNewVersion final : public QDialog, public IUpdateDialogView {
public:
    explicit TfrmNewVersion(TUpdateCheck& check, QWidget* parent = nullptr);

    void SetCaption(const std::string& text) override;
    void SetMessage(const std::string& text) override;
    void SetUpdateNowCaption(const std::string& text) override;
    void SetUpdateNowEnabled(bool enabled) override;
    void SetCancelCaption(const std::string& text) override;
    void ShowProgressBar() override;
    void SetProgress(int percent) override;
    void ProcessPendingEvents() override;
    void ShowError(const std::string& text) override;
    void CloseDialog() override;

    // Escape and the window's close button.
    void reject() override;

private:
    int Scaled(int pixels) const;

    TUpdateCheck& FCheck;
    QLabel* imgIcon;
    QScrollArea* pnlMessage;
    QLabel* Label1;
    QProgressBar* ProgressBar1;
    QPushButton* btUpdateNow;
    QPushButton* btCancel;
};

// The update check of the program start, before the main window exists: asks
// the update server and, when it offers an update, shows the dialog. False
// when the program must end now (the installer was started, or this version
// may no longer be used). Needs the QApplication; never raises.
bool RunStartupUpdateCheck();

} // namespace quillmark::gui
