#include "gui/TopicPropertiesPanel.h"

#include "gui/QtText.h"
#include "gui/WheelGuard.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace quillmark::gui {

namespace {

template <typename T> T* Named(T* widget, const char* name) {
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

QPlainTextEdit* LinesBox(QWidget* parent, const char* name) {
    auto* box = Named(new QPlainTextEdit(parent), name);
    box->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    box->setLineWrapMode(QPlainTextEdit::NoWrap);
    box->setTabChangesFocus(true);
    return box;
}

} // namespace

// The captions of this panel are fixed English texts; they are not part of
// the interface translation.
TTopicPropertiesPanel::TTopicPropertiesPanel(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("pnlProperties"));
    lblKeywords = Named(new QLabel(QStringLiteral("Keywords (one per line)"), this), "lblKeywords");
    memKeywords = LinesBox(this, "memKeywords");
    lblIndex = Named(new QLabel(QStringLiteral("Index entries (one per line)"), this), "lblIndex");
    memIndex = LinesBox(this, "memIndex");
    lblHelpIds = Named(new QLabel(QStringLiteral("Help IDs (one per line: NAME or NAME = NUMBER)"),
                                  this),
                       "lblHelpIds");
    memHelpIds = LinesBox(this, "memHelpIds");
    memHelpIds->setToolTip(
        QStringLiteral("Names by which a program opens this topic for context-sensitive help, "
                       "such as IDH_PAIRING = 1001. IDs without a number reach programs by name "
                       "only."));
    btnAssignHelpNumbers =
        Named(new QPushButton(QStringLiteral("Assign Numbers"), this), "btnAssignHelpNumbers");
    btnAssignHelpNumbers->setToolTip(
        QStringLiteral("Gives each help ID without a number the next free number"));
    chkExcludeWeb =
        Named(new QCheckBox(QStringLiteral("Exclude from WebHelp"), this), "chkExcludeWeb");
    chkExcludeChm = Named(new QCheckBox(QStringLiteral("Exclude from CHM"), this), "chkExcludeChm");
    chkExcludePdf = Named(new QCheckBox(QStringLiteral("Exclude from PDF"), this), "chkExcludePdf");
    btnApplyProps = Named(new QPushButton(QStringLiteral("Apply"), this), "btnApplyProps");
    lblStyle = Named(new QLabel(QStringLiteral("Style profile"), this), "lblStyle");
    cbStyle = Named(new QComboBox(this), "cbStyle");
    TakeWheelOnlyWhenFocused(*cbStyle);
    lblKeywords->setBuddy(memKeywords);
    lblIndex->setBuddy(memIndex);
    lblHelpIds->setBuddy(memHelpIds);
    lblStyle->setBuddy(cbStyle);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(10, 8, 10, 8);
    layout->setSpacing(6);
    layout->addWidget(lblKeywords);
    layout->addWidget(memKeywords, 1);
    layout->addWidget(lblIndex);
    layout->addWidget(memIndex, 1);
    layout->addWidget(lblHelpIds);
    layout->addWidget(memHelpIds, 1);
    auto* numbersRow = new QHBoxLayout;
    numbersRow->addStretch(1);
    numbersRow->addWidget(btnAssignHelpNumbers);
    layout->addLayout(numbersRow);
    layout->addWidget(chkExcludeWeb);
    layout->addWidget(chkExcludeChm);
    layout->addWidget(chkExcludePdf);
    auto* applyRow = new QHBoxLayout;
    applyRow->addStretch(1);
    applyRow->addWidget(btnApplyProps);
    layout->addLayout(applyRow);
    layout->addSpacing(12);
    layout->addWidget(lblStyle);
    layout->addWidget(cbStyle);

    connect(btnApplyProps, &QPushButton::clicked, this, &TTopicPropertiesPanel::applyClicked);
    connect(btnAssignHelpNumbers, &QPushButton::clicked, this,
            &TTopicPropertiesPanel::assignNumbersClicked);
    connect(cbStyle, &QComboBox::activated, this,
            [this](int index) { emit styleChosen(cbStyle->itemText(index)); });
}

void TTopicPropertiesPanel::ShowFields(const TTopicPropertyFields& fields) {
    memKeywords->setPlainText(ToQString(fields.Keywords));
    memIndex->setPlainText(ToQString(fields.IndexEntries));
    memHelpIds->setPlainText(ToQString(fields.HelpIds));
    chkExcludeWeb->setChecked(fields.ExcludeWeb);
    chkExcludeChm->setChecked(fields.ExcludeChm);
    chkExcludePdf->setChecked(fields.ExcludePdf);
}

TTopicPropertyFields TTopicPropertiesPanel::ReadFields() const {
    TTopicPropertyFields fields;
    fields.Keywords = ToStdString(memKeywords->toPlainText());
    fields.IndexEntries = ToStdString(memIndex->toPlainText());
    fields.HelpIds = ToStdString(memHelpIds->toPlainText());
    fields.ExcludeWeb = chkExcludeWeb->isChecked();
    fields.ExcludeChm = chkExcludeChm->isChecked();
    fields.ExcludePdf = chkExcludePdf->isChecked();
    return fields;
}

void TTopicPropertiesPanel::SetStyleProfiles(const std::vector<std::string>& names,
                                             int selectedIndex) {
    const QSignalBlocker blocker(cbStyle);
    cbStyle->clear();
    for (const std::string& name : names) {
        cbStyle->addItem(ToQString(name));
    }
    cbStyle->setCurrentIndex(selectedIndex < cbStyle->count() ? selectedIndex : -1);
}

} // namespace quillmark::gui
