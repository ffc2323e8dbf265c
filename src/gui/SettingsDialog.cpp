#include "gui/SettingsDialog.h"

#include "app/MainWindowState.h"
#include "gui/ColorSelector.h"
#include "gui/DialogMetrics.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>
#include <algorithm>

namespace quillmark::gui {

namespace {

// Measures in pixels at 96 dots per inch.
constexpr int kLeft = 12;
constexpr int kLabelWidth = 300;
constexpr int kControlLeft = 330;
constexpr int kFirstRowTop = 12;
constexpr int kButtonPanelHeight = 56;
constexpr int kButtonWidth = 90;

QComboBox* PickList(QWidget* parent, const std::vector<std::string>& items) {
    auto* box = new QComboBox(parent);
    for (const std::string& item : items)
        box->addItem(ToQString(item));
    return box;
}

} // namespace

bool TfrmProjectSettings::Execute(QWidget* AOwner, TProjectSettings& Settings) {
    TfrmProjectSettings dialog(AOwner, Settings);
    return dialog.exec() == QDialog::Accepted;
}

TfrmProjectSettings::TfrmProjectSettings(QWidget* AOwner, TProjectSettings& Settings)
    : QDialog(AOwner), FSettings(Settings) {
    setObjectName(QStringLiteral("frmProjectSettings"));
    BuildControls();
    LoadControls();
}

int TfrmProjectSettings::Scaled(int pixels) const {
    return ScaledBy(this, pixels);
}

QLabel* TfrmProjectSettings::AddSection(const char* heading) {
    FTop += Scaled(8);
    auto* label = new QLabel(Tr(heading), FRows);
    QFont bold = label->font();
    bold.setBold(true);
    label->setFont(bold);
    label->move(Scaled(kLeft), FTop);
    label->adjustSize();
    FTop += FLineHeight + Scaled(14);
    return label;
}

void TfrmProjectSettings::AddRow(const char* label, QWidget* control, int width) {
    const int controlHeight = std::max(Scaled(24), FLineHeight + Scaled(8));
    control->setParent(FRows);
    if (label != nullptr) {
        auto* caption = new QLabel(Tr(label), FRows);
        caption->setGeometry(Scaled(kLeft), FTop, Scaled(kLabelWidth), controlHeight);
        caption->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        caption->setBuddy(control);
        control->setGeometry(Scaled(kControlLeft), FTop, Scaled(width), controlHeight);
    } else {
        control->setGeometry(Scaled(kLeft), FTop, Scaled(width), controlHeight);
    }
    FTop += std::max(Scaled(30), FLineHeight + Scaled(12));
}

void TfrmProjectSettings::BuildControls() {
    setWindowTitle(Tr("Project Settings"));
    setSizeGripEnabled(true);
    FLineHeight = TextHeight(this);

    auto* scroll = new QScrollArea(this);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll->setWidgetResizable(true);
    scroll->verticalScrollBar()->setTracking(true);
    FRows = new QWidget(scroll);
    FRows->resize(Scaled(660), Scaled(780));

    FFontItems.clear();
    for (const QString& family : QFontDatabase::families())
        FFontItems.push_back(ToStdString(family));
    FFontItems = SortedFontFamilies(std::move(FFontItems));

    edProjTitle = new QLineEdit;
    cmbFontName = PickList(nullptr, FFontItems);
    cmbFontName->setMaxVisibleItems(20);
    cmbBodyFontSize = PickList(nullptr, BodyFontSizeItems());
    cmbBodyFontSize->setEditable(true);
    cmbBodyFontSize->setInsertPolicy(QComboBox::NoInsert);
    cbTextColor = new TColorSelector;
    edLineSpacing = new QLineEdit;
    cbPageBg = new TColorSelector;
    cbHeaderBg = new TColorSelector;
    cbTocTextColor = new TColorSelector;
    edTocTextSize = new QLineEdit;
    chkCopyright = new QCheckBox(Tr("Enable copyright footer"));
    edCopyrightText = new QLineEdit;
    cbLinkColor = new TColorSelector;
    cmbLinkStyle = PickList(nullptr, LinkStyleItems());
    cmbTableBorderStyle = PickList(nullptr, TableBorderStyleItems());
    edTableBorderWidth = new QLineEdit;
    cbTableBorderColor = new TColorSelector;
    cmbPdfPaperSize = PickList(nullptr, PdfPaperSizeItems());
    edPdfMarginTop = new QLineEdit;
    edPdfMarginBottom = new QLineEdit;
    edPdfMarginInner = new QLineEdit;
    edPdfMarginOuter = new QLineEdit;
    edPdfCoverSubtitle = new QLineEdit;
    edPdfCoverVersion = new QLineEdit;
    edPdfCoverPicture = new QLineEdit;
    edPdfCoverPicture->setPlaceholderText(QStringLiteral("assets/images/cover.png"));

    FTop = Scaled(kFirstRowTop);
    AddSection("Project Title");
    AddRow("Title:", edProjTitle, 260);
    AddSection("Default Font");
    AddRow("Font title:", cmbFontName, 260);
    AddRow("Font size:", cmbBodyFontSize, 90);
    AddRow("Font Color:", cbTextColor, 220);
    AddRow("Default line interval (e.g. 1.5):", edLineSpacing, 90);
    AddSection("Background Colors (WebHelp, CHM)");
    AddRow("Page background color:", cbPageBg, 220);
    AddRow("Header background color:", cbHeaderBg, 220);
    AddSection("Content tree appearance");
    AddRow("Tree text color:", cbTocTextColor, 220);
    AddRow("Tree text size:", edTocTextSize, 90);
    AddSection("WebHelp footer");
    AddRow(nullptr, chkCopyright, 320);
    AddRow("Footer text:", edCopyrightText, 260);
    AddSection("Link style");
    AddRow("Link color:", cbLinkColor, 220);
    AddRow("Link style:", cmbLinkStyle, 140);
    AddSection("Table style");
    AddRow("Border style:", cmbTableBorderStyle, 140);
    AddRow("Border width (px):", edTableBorderWidth, 90);
    AddRow("Border color:", cbTableBorderColor, 220);
    AddSection("PDF manual");
    AddRow("Paper size:", cmbPdfPaperSize, 140);
    AddRow("Top margin (mm):", edPdfMarginTop, 90);
    AddRow("Bottom margin (mm):", edPdfMarginBottom, 90);
    AddRow("Inner margin (mm):", edPdfMarginInner, 90);
    AddRow("Outer margin (mm):", edPdfMarginOuter, 90);
    AddRow("Cover subtitle:", edPdfCoverSubtitle, 260);
    AddRow("Cover version line:", edPdfCoverVersion, 260);
    AddRow("Cover picture (in the project):", edPdfCoverPicture, 260);
    FTop += Scaled(20);
    FRows->setMinimumSize(Scaled(kControlLeft + 260 + kLeft), FTop);
    scroll->setWidget(FRows);

    FButtonPanel = new QWidget(this);
    FButtonPanel->setFixedHeight(Scaled(kButtonPanelHeight));
    btnOk = new QPushButton(Tr("OK"), FButtonPanel);
    btnCancel = new QPushButton(Tr("Cancel"), FButtonPanel);
    btnOk->setObjectName(QStringLiteral("btnOk"));
    btnCancel->setObjectName(QStringLiteral("btnCancel"));
    btnOk->setDefault(true);
    connect(btnOk, &QPushButton::clicked, this, &QDialog::accept);
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(scroll, 1);
    layout->addWidget(FButtonPanel);

    const QRect work = WorkAreaOf(parentWidget() != nullptr ? *parentWidget() : *this);
    PlaceDialog(*this, work,
                QSize(std::max(Scaled(660), work.width() / 4),
                      std::max(Scaled(780), work.height() * 3 / 4)),
                QSize(Scaled(660), Scaled(560)), work.center());
    PlaceButtons();
}

void TfrmProjectSettings::PlaceButtons() {
    const int height = std::max(Scaled(24), FLineHeight + Scaled(8)) + Scaled(4);
    const int width = FButtonPanel->width();
    btnOk->setGeometry(width - Scaled(200), Scaled(10), Scaled(kButtonWidth), height);
    btnCancel->setGeometry(width - Scaled(100), Scaled(10), Scaled(kButtonWidth), height);
}

void TfrmProjectSettings::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    FButtonPanel->resize(width(), FButtonPanel->height());
    PlaceButtons();
}

void TfrmProjectSettings::LoadControls() {
    FLoaded = quillmark::LoadControls(FSettings, FFontItems);
    const TProjectSettingsControls& c = FLoaded;
    cmbFontName->setCurrentIndex(cmbFontName->findText(ToQString(c.cmbFontName), Qt::MatchExactly));
    if (c.cmbFontName.empty())
        cmbFontName->setCurrentIndex(-1);
    cmbBodyFontSize->setCurrentIndex(
        cmbBodyFontSize->findText(ToQString(c.cmbBodyFontSize), Qt::MatchExactly));
    cmbBodyFontSize->setEditText(ToQString(c.cmbBodyFontSize));
    cbTextColor->SetSelected(c.cbTextColor);
    edLineSpacing->setText(ToQString(c.edLineSpacing));
    cbPageBg->SetSelected(c.cbPageBg);
    cbHeaderBg->SetSelected(c.cbHeaderBg);
    cbTocTextColor->SetSelected(c.cbTocTextColor);
    edTocTextSize->setText(ToQString(c.edTocTextSize));
    edProjTitle->setText(ToQString(c.edProjTitle));
    chkCopyright->setChecked(c.chkCopyright);
    edCopyrightText->setText(ToQString(c.edCopyrightText));
    cbLinkColor->SetSelected(c.cbLinkColor);
    cmbLinkStyle->setCurrentIndex(c.cmbLinkStyle);
    cbTableBorderColor->SetSelected(c.cbTableBorderColor);
    cmbTableBorderStyle->setCurrentIndex(c.cmbTableBorderStyle);
    edTableBorderWidth->setText(ToQString(c.edTableBorderWidth));
    cmbPdfPaperSize->setCurrentIndex(c.cmbPdfPaperSize);
    edPdfMarginTop->setText(ToQString(c.edPdfMarginTop));
    edPdfMarginBottom->setText(ToQString(c.edPdfMarginBottom));
    edPdfMarginInner->setText(ToQString(c.edPdfMarginInner));
    edPdfMarginOuter->setText(ToQString(c.edPdfMarginOuter));
    edPdfCoverSubtitle->setText(ToQString(c.edPdfCoverSubtitle));
    edPdfCoverVersion->setText(ToQString(c.edPdfCoverVersion));
    edPdfCoverPicture->setText(ToQString(c.edPdfCoverPicture));
}

bool TfrmProjectSettings::StoreControls() {
    TProjectSettingsControls c = FLoaded; // the hidden boxes as loaded
    c.edProjTitle = ToStdString(edProjTitle->text());
    c.cmbFontName =
        ToStdString(cmbFontName->currentIndex() < 0 ? QString() : cmbFontName->currentText());
    c.cmbBodyFontSize = ToStdString(cmbBodyFontSize->currentText());
    c.cbTextColor = cbTextColor->Selected();
    c.edLineSpacing = ToStdString(edLineSpacing->text());
    c.cbPageBg = cbPageBg->Selected();
    c.cbHeaderBg = cbHeaderBg->Selected();
    c.cbTocTextColor = cbTocTextColor->Selected();
    c.edTocTextSize = ToStdString(edTocTextSize->text());
    c.chkCopyright = chkCopyright->isChecked();
    c.edCopyrightText = ToStdString(edCopyrightText->text());
    c.cbLinkColor = cbLinkColor->Selected();
    c.cmbLinkStyle = cmbLinkStyle->currentIndex();
    c.cbTableBorderColor = cbTableBorderColor->Selected();
    c.cmbTableBorderStyle = cmbTableBorderStyle->currentIndex();
    c.edTableBorderWidth = ToStdString(edTableBorderWidth->text());
    c.cmbPdfPaperSize = cmbPdfPaperSize->currentIndex();
    c.edPdfMarginTop = ToStdString(edPdfMarginTop->text());
    c.edPdfMarginBottom = ToStdString(edPdfMarginBottom->text());
    c.edPdfMarginInner = ToStdString(edPdfMarginInner->text());
    c.edPdfMarginOuter = ToStdString(edPdfMarginOuter->text());
    c.edPdfCoverSubtitle = ToStdString(edPdfCoverSubtitle->text());
    c.edPdfCoverVersion = ToStdString(edPdfCoverVersion->text());
    c.edPdfCoverPicture = ToStdString(edPdfCoverPicture->text());

    QWidget* invalid = nullptr;
    switch (quillmark::StoreControls(c, FSettings)) {
    case TInvalidSettingsField::None:
        return true;
    case TInvalidSettingsField::HeadingSizes:
    case TInvalidSettingsField::BodyFontSize:
        invalid = cmbBodyFontSize;
        break;
    case TInvalidSettingsField::LineSpacing:
        invalid = edLineSpacing;
        break;
    case TInvalidSettingsField::TocTextSize:
        invalid = edTocTextSize;
        break;
    case TInvalidSettingsField::TableBorderWidth:
        invalid = edTableBorderWidth;
        break;
    case TInvalidSettingsField::PdfMargins:
        invalid = FirstInvalidMargin();
        break;
    }
    QMessageBox box(QMessageBox::Critical, ToQString(kApplicationTitle),
                    Tr("Some values are invalid. Please fix them."), QMessageBox::Ok, this);
    box.button(QMessageBox::Ok)->setText(Tr("OK"));
    box.exec();
    if (auto* scroll = findChild<QScrollArea*>())
        scroll->ensureWidgetVisible(invalid);
    invalid->setFocus(Qt::OtherFocusReason);
    if (auto* edit = qobject_cast<QLineEdit*>(invalid))
        edit->selectAll();
    else if (auto* box = qobject_cast<QComboBox*>(invalid); box && box->lineEdit())
        box->lineEdit()->selectAll();
    return false;
}

QLineEdit* TfrmProjectSettings::FirstInvalidMargin() const {
    for (QLineEdit* box : {edPdfMarginTop, edPdfMarginBottom, edPdfMarginInner, edPdfMarginOuter})
        if (!ParseWholeNumber(ToStdString(box->text())))
            return box;
    return edPdfMarginTop;
}

void TfrmProjectSettings::accept() {
    if (StoreControls())
        QDialog::accept();
}

} // namespace quillmark::gui
