#include "gui/QtProgressDisplay.h"

#include "gui/DialogMetrics.h"
#include "gui/QtText.h"

#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QEventLoop>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>
#include <exception>
#include <thread>

namespace quillmark::gui {

namespace {

// While work runs, Escape and the frame's close button press Cancel instead
// of hiding the dialog; afterwards they close it.
class TProgressDialog final : public QDialog {
public:
    TProgressDialog(QWidget* owner, std::function<bool()> whileWorking)
        : QDialog(owner), FWhileWorking(std::move(whileWorking)) {}

    void reject() override {
        if (!FWhileWorking())
            QDialog::reject();
    }

private:
    std::function<bool()> FWhileWorking;
};

} // namespace

TQtProgressDisplay::TQtProgressDisplay(QWidget* owner) : FOwner(owner) {}

TQtProgressDisplay::~TQtProgressDisplay() {
    delete FDialog;
}

void TQtProgressDisplay::Begin(const std::string& title) {
    delete FDialog;
    FCancelRequested = false;
    FDialog = new TProgressDialog(FOwner, [this] {
        if (!FCancel || !FCancel->isVisible())
            return false;
        if (FCancel->isEnabled())
            FCancel->click();
        return true;
    });
    FDialog->setObjectName(QStringLiteral("ProgressDialog"));
    FDialog->setWindowTitle(ToQString(title));
    FDialog->setWindowModality(Qt::ApplicationModal);
    auto* layout = new QVBoxLayout(FDialog);
    auto* heading = new QLabel(ToQString(title), FDialog);
    QFont bold = heading->font();
    bold.setBold(true);
    heading->setFont(bold);
    layout->addWidget(heading);
    FStep = new QLabel(FDialog);
    FStep->setObjectName(QStringLiteral("ProgressStep"));
    FStep->setMinimumWidth(ScaledBy(FDialog, 420));
    FStep->setWordWrap(true);
    layout->addWidget(FStep);
    FBar = new QProgressBar(FDialog);
    FBar->setRange(0, 0); // steps without a known total: a busy bar
    layout->addWidget(FBar);
    auto* buttons = new QDialogButtonBox(FDialog);
    FCancel = buttons->addButton(Tr("Cancel"), QDialogButtonBox::RejectRole);
    FCancel->setObjectName(QStringLiteral("ProgressCancel"));
    QObject::connect(FCancel, &QPushButton::clicked, this, [this] {
        FCancelRequested = true;
        FCancel->setEnabled(false);
        FStep->setText(FStep->text() + QStringLiteral("\n") +
                       Tr("Cancelling after the current step..."));
    });
    layout->addWidget(buttons);
    FDialog->show();
}

void TQtProgressDisplay::Run(const std::function<void()>& work) {
    QEventLoop loop;
    std::exception_ptr failure;
    std::thread worker([&] {
        try {
            work();
        } catch (...) {
            failure = std::current_exception();
        }
        QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
    });
    // Only the dialog takes input meanwhile (it is modal); the loop keeps
    // the window painted and the steps coming in.
    loop.exec();
    worker.join();
    if (failure)
        std::rethrow_exception(failure);
}

void TQtProgressDisplay::Step(const std::string& text) {
    QMetaObject::invokeMethod(
        this,
        [this, shown = ToQString(text)] {
            if (FStep && !FCancelRequested)
                FStep->setText(shown);
        },
        Qt::QueuedConnection);
}

void TQtProgressDisplay::AddOutcomeRow(QVBoxLayout& rows, const TWorkOutcome& outcome,
                                       size_t index, TOutcomeChoice& choice) {
    auto* row = new QVBoxLayout;
    QString text;
    if (outcome.Cancelled)
        text = ToQString(outcome.Name) + QStringLiteral(": ") + Tr("cancelled");
    else if (!outcome.Error.empty())
        text = ToQString(outcome.Name) + QStringLiteral(": ") + Tr("failed") +
               QStringLiteral("\n") + ToQString(outcome.Error).replace(QStringLiteral("\r\n"),
                                                                       QStringLiteral("\n"));
    else
        text = ToQString(outcome.Name) + QStringLiteral(": ") +
               QDir::toNativeSeparators(ToQString(outcome.File));
    auto* label = new QLabel(text, FDialog);
    label->setObjectName(QStringLiteral("Outcome%1").arg(index));
    label->setWordWrap(true);
    label->setMinimumWidth(ScaledBy(FDialog, 460));
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    const QStyle::StandardPixmap icon =
        outcome.Succeeded() ? QStyle::SP_DialogApplyButton
                            : (outcome.Cancelled ? QStyle::SP_MessageBoxInformation
                                                 : QStyle::SP_MessageBoxCritical);
    auto* iconLabel = new QLabel(FDialog);
    const int side = TextHeight(FDialog);
    iconLabel->setPixmap(FDialog->style()->standardIcon(icon).pixmap(side, side));
    auto* line = new QHBoxLayout;
    line->addWidget(iconLabel, 0, Qt::AlignTop);
    line->addWidget(label, 1);
    row->addLayout(line);

    auto* actions = new QHBoxLayout;
    actions->addStretch();
    const auto addAction = [&](const char* caption, const QString& name, auto onClick) {
        auto* button = new QPushButton(Tr(caption), FDialog);
        button->setObjectName(name + QString::number(index));
        button->setAutoDefault(false);
        QObject::connect(button, &QPushButton::clicked, FDialog, onClick);
        actions->addWidget(button);
        return button;
    };
    if (outcome.Succeeded()) {
        QPushButton* open = addAction("Open", QStringLiteral("OpenFile"), [this, &choice, index] {
            choice = {TOutcomeAction::OpenFile, index};
            FDialog->accept();
        });
        if (index == 0) {
            open->setDefault(true);
            open->setFocus();
        }
        const QString path = QDir::toNativeSeparators(ToQString(outcome.File));
        addAction("Copy Path", QStringLiteral("CopyPath"),
                  [path] { QGuiApplication::clipboard()->setText(path); });
    }
    if (!outcome.Folder.empty())
        addAction("Open Folder", QStringLiteral("OpenFolder"), [this, &choice, index] {
            choice = {TOutcomeAction::OpenFolder, index};
            FDialog->accept();
        });
    row->addLayout(actions);
    rows.addLayout(row);
}

TOutcomeChoice TQtProgressDisplay::Finish(const std::vector<TWorkOutcome>& outcomes) {
    TOutcomeChoice choice;
    if (!FDialog)
        return choice;
    FBar->hide();
    FCancel->hide();
    FStep->hide();
    auto* layout = static_cast<QVBoxLayout*>(FDialog->layout());
    auto* rows = new QVBoxLayout;
    for (size_t i = 0; i < outcomes.size(); ++i)
        AddOutcomeRow(*rows, outcomes[i], i, choice);
    layout->insertLayout(layout->count() - 1, rows);
    auto* buttons = qobject_cast<QDialogButtonBox*>(layout->itemAt(layout->count() - 1)->widget());
    // The box lays its buttons out again (showing them) when one is added.
    buttons->removeButton(FCancel);
    FCancel->deleteLater();
    QPushButton* close = buttons->addButton(Tr("Close"), QDialogButtonBox::AcceptRole);
    close->setObjectName(QStringLiteral("ProgressClose"));
    close->setAutoDefault(false);
    QObject::connect(close, &QPushButton::clicked, FDialog, &QDialog::accept);
    FDialog->adjustSize();
    FDialog->exec();
    delete FDialog;
    return choice;
}

} // namespace quillmark::gui
