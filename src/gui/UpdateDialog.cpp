#include "gui/UpdateDialog.h"

#include "app/MainWindowState.h"
#include "gui/QtShell.h"
#include "gui/QtText.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <QVBoxLayout>
#include <algorithm>
#include <filesystem>

namespace quillmark::gui {

namespace {

constexpr int kMessageWidth = 380;
constexpr int kMaxMessageHeight = 320;
constexpr int kIconSize = 48;

// The core ends lines with "\r\n"; Qt's plain text wants "\n" alone.
QString ShownText(const std::string& text) {
    return ToQString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

QIcon UpdateIcon(const QStyle* style) {
    return QIcon::fromTheme(QStringLiteral("system-software-update"),
                            style->standardIcon(QStyle::SP_BrowserReload));
}

} // namespace

TfrmNewVersion::TfrmNewVersion(TUpdateCheck& check, QWidget* parent)
    : QDialog(parent), FCheck(check) {
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    imgIcon = new QLabel(this);
    imgIcon->setPixmap(UpdateIcon(style()).pixmap(Scaled(kIconSize)));
    imgIcon->setAlignment(Qt::AlignTop | Qt::AlignHCenter);

    // The text comes from the update server: shown as text, never as markup.
    Label1 = new QLabel;
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setTextFormat(Qt::PlainText);
    Label1->setWordWrap(true);
    Label1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Label1->setTextInteractionFlags(Qt::TextSelectableByMouse);
    Label1->setFixedWidth(Scaled(kMessageWidth));

    // A long list of changes scrolls instead of stretching the dialog.
    pnlMessage = new QScrollArea(this);
    pnlMessage->setWidget(Label1);
    pnlMessage->setFrameShape(QFrame::NoFrame);
    pnlMessage->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    pnlMessage->setBackgroundRole(QPalette::Window);

    ProgressBar1 = new QProgressBar(this);
    ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
    ProgressBar1->setRange(0, 100);
    ProgressBar1->setValue(0);
    ProgressBar1->setVisible(false);

    btUpdateNow = new QPushButton(this);
    btUpdateNow->setObjectName(QStringLiteral("btUpdateNow"));
    btUpdateNow->setDefault(true);
    btCancel = new QPushButton(this);
    btCancel->setObjectName(QStringLiteral("btCancel"));

    auto* top = new QHBoxLayout;
    top->setSpacing(Scaled(16));
    top->addWidget(imgIcon, 0, Qt::AlignTop);
    top->addWidget(pnlMessage, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(btUpdateNow);
    buttons->addWidget(btCancel);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(Scaled(16), Scaled(16), Scaled(16), Scaled(12));
    layout->setSpacing(Scaled(12));
    layout->addLayout(top);
    layout->addWidget(ProgressBar1);
    layout->addLayout(buttons);
    // Fixed border: the dialog takes the size its contents need.
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(btUpdateNow, &QPushButton::clicked, this, [this] { FCheck.btUpdateNowClick(); });
    connect(btCancel, &QPushButton::clicked, this, [this] { FCheck.btCancelClick(); });
    connect(this, &QDialog::finished, this, [this] { FCheck.FormClose(); });

    FCheck.FormShow(*this);
}

int TfrmNewVersion::Scaled(int pixels) const {
    return pixels * logicalDpiX() / 96;
}

void TfrmNewVersion::SetCaption(const std::string& text) {
    setWindowTitle(ToQString(text));
}

void TfrmNewVersion::SetMessage(const std::string& text) {
    Label1->setText(ShownText(text));
    Label1->setFixedHeight(Label1->heightForWidth(Label1->width()));
    const bool scrolls = Label1->height() > Scaled(kMaxMessageHeight);
    pnlMessage->setFixedSize(
        Label1->width() + (scrolls ? pnlMessage->verticalScrollBar()->sizeHint().width() : 0),
        std::min(Label1->height(), Scaled(kMaxMessageHeight)));
}

void TfrmNewVersion::SetUpdateNowCaption(const std::string& text) {
    btUpdateNow->setText(ToQString(text));
}

void TfrmNewVersion::SetUpdateNowEnabled(bool enabled) {
    btUpdateNow->setEnabled(enabled);
}

void TfrmNewVersion::SetCancelCaption(const std::string& text) {
    btCancel->setText(ToQString(text));
}

void TfrmNewVersion::ShowProgressBar() {
    ProgressBar1->setVisible(true);
}

void TfrmNewVersion::SetProgress(int percent) {
    ProgressBar1->setValue(percent);
    ProgressBar1->repaint();
}

void TfrmNewVersion::ProcessPendingEvents() {
    QApplication::processEvents();
}

void TfrmNewVersion::ShowError(const std::string& text) {
    QMessageBox::critical(this, QString::fromLatin1(kApplicationTitle), ShownText(text));
}

void TfrmNewVersion::CloseDialog() {
    QDialog::reject();
}

void TfrmNewVersion::reject() {
    if (FCheck.FormCloseQuery()) {
        QDialog::reject();
    }
}

bool RunStartupUpdateCheck() {
    const TUpdateServer server = UpdateServerFromEnvironment();
    if (server.BaseUrl.empty()) {
        return true;
    }
    try {
        const std::unique_ptr<IHttpClient> http = MakeCurlHttpClient();
        TQtShell shell;
        TUpdateCheck check(*http, shell, server, std::filesystem::temp_directory_path().string());
        if (!check.CheckForUpdate()) {
            return true;
        }
        TfrmNewVersion dialog(check);
        dialog.exec();
        return check.Outcome() == TUpdateOutcome::Continue;
    } catch (const std::exception&) {
        // The check never stands in the way of the program start.
        return true;
    }
}

} // namespace quillmark::gui
