#pragma once

#include "app/ProgressDisplay.h"

#include <QObject>
#include <QPointer>
#include <atomic>

class QDialog;
class QLabel;
class QProgressBar;
class QPushButton;
class QVBoxLayout;
class QWidget;

namespace quillmark::gui {

// The progress of long work as a modal dialog over the window: the title,
// the current step under a busy bar and Cancel; then, in the same dialog,
// one line per outcome with Open, Open Folder and Copy Path. The work runs
// on a thread of its own while the dialog's event loop keeps the window
// painted; its steps reach the dialog as queued calls.
class TQtProgressDisplay final : public QObject, public IProgressDisplay {
    Q_OBJECT
public:
    explicit TQtProgressDisplay(QWidget* owner);
    ~TQtProgressDisplay() override;

    void Begin(const std::string& title) override;
    void Run(const std::function<void()>& work) override;
    void Step(const std::string& text) override;
    bool CancelRequested() const override { return FCancelRequested.load(); }
    TOutcomeChoice Finish(const std::vector<TWorkOutcome>& outcomes) override;

    // The dialog while it is shown (tests find its buttons by name).
    QDialog* Dialog() const { return FDialog; }

private:
    void AddOutcomeRow(QVBoxLayout& rows, const TWorkOutcome& outcome, size_t index,
                       TOutcomeChoice& choice);

    QPointer<QWidget> FOwner;
    QPointer<QDialog> FDialog;
    QPointer<QLabel> FStep;
    QPointer<QProgressBar> FBar;
    QPointer<QPushButton> FCancel;
    std::atomic<bool> FCancelRequested{false};
};

} // namespace quillmark::gui
