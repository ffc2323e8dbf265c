#include "gui/StartScreen.h"

#include "base/FileHelpers.h"
#include "base/Translation.h"
#include "gui/QtText.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace quillmark::gui {

namespace {

constexpr int kFileNameRole = Qt::UserRole;

} // namespace

TStartScreen::TStartScreen(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("pnlStart"));
    auto* outer = new QHBoxLayout(this);
    auto* column = new QVBoxLayout;
    outer->addStretch(1);
    outer->addLayout(column, 3);
    outer->addStretch(1);

    FTitle = new QLabel(this);
    QFont titleFont = FTitle->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.8);
    FTitle->setFont(titleFont);
    column->addSpacing(40);
    column->addWidget(FTitle);
    column->addSpacing(16);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(AddButton("btnStartNew", &TStartScreen::newProjectClicked));
    buttons->addWidget(AddButton("btnStartOpen", &TStartScreen::openProjectClicked));
    buttons->addWidget(AddButton("btnStartSample", &TStartScreen::sampleProjectClicked));
    buttons->addStretch(1);
    column->addLayout(buttons);
    column->addSpacing(24);

    FRecentCaption = new QLabel(this);
    column->addWidget(FRecentCaption);
    FRecent = new QListWidget(this);
    FRecent->setObjectName(QStringLiteral("lstRecentProjects"));
    column->addWidget(FRecent, 1);
    connect(FRecent, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
        emit recentProjectChosen(item->data(kFileNameRole).toString());
    });

    auto* last = new QHBoxLayout;
    last->addStretch(1);
    last->addWidget(AddButton("btnStartContinue", &TStartScreen::continueClicked));
    column->addLayout(last);
    column->addSpacing(40);
}

QPushButton* TStartScreen::AddButton(const char* name, void (TStartScreen::*signal)()) {
    auto* button = new QPushButton(this);
    button->setObjectName(QString::fromLatin1(name));
    connect(button, &QPushButton::clicked, this, signal);
    return button;
}

void TStartScreen::Refresh(const std::vector<TRecentProject>& recent) {
    FTitle->setText(ToQString(Translate("Welcome to Quillmark")));
    const std::pair<const char*, const char*> captions[] = {
        {"btnStartNew", "New Project"},
        {"btnStartOpen", "Open Project..."},
        {"btnStartSample", "Open the Sample Project"},
        {"btnStartContinue", "Continue with an Empty Project"},
    };
    for (const auto& [name, caption] : captions)
        findChild<QPushButton*>(QString::fromLatin1(name))->setText(ToQString(Translate(caption)));
    FRecentCaption->setText(ToQString(Translate("Recent Projects")));

    FRecent->clear();
    for (const TRecentProject& project : recent) {
        std::string text = ExtractFileName(project.FileName) + "  —  " +
                           ExtractFileDir(project.FileName);
        if (!project.Exists)
            text += "  " + Translate("(missing)");
        auto* item = new QListWidgetItem(ToQString(text), FRecent);
        item->setData(kFileNameRole, ToQString(project.FileName));
        item->setToolTip(ToQString(project.FileName));
        if (!project.Exists) {
            QFont font = item->font();
            font.setItalic(true);
            item->setFont(font);
            item->setForeground(palette().color(QPalette::Disabled, QPalette::Text));
        }
    }
    FRecent->setVisible(!recent.empty());
    FRecentCaption->setVisible(!recent.empty());
}

} // namespace quillmark::gui
