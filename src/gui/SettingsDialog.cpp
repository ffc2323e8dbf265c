#include "gui/SettingsDialog.h"

#include "app/MainWindowState.h"
#include "gui/ColorSelector.h"
#include "gui/DialogMetrics.h"
#include "gui/WheelGuard.h"
#include "settings/SettingsTable.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QFontInfo>
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

template <typename Items> QComboBox* PickList(const Items& items) {
    auto* box = new QComboBox;
    for (const auto& item : items)
        box->addItem(ToQString(std::string(item)));
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

// A font the computer lacks stays the project's font: it heads the list,
// marked with the font its text is shown in, until another one is picked.
void TfrmProjectSettings::ShowFontName(QComboBox& box, const QString& name) {
    int index = name.isEmpty() ? -1 : box.findText(name, Qt::MatchExactly);
    if (index < 0 && !name.isEmpty()) {
        const QString standIn = QFontInfo(QFont(name)).family();
        box.insertItem(0, name);
        box.setItemData(0, ToQString(MissingFontCaption(ToStdString(name), ToStdString(standIn))),
                        Qt::ToolTipRole);
        QFont italic = box.font();
        italic.setItalic(true);
        box.setItemData(0, italic, Qt::FontRole);
        index = 0;
    }
    box.setCurrentIndex(index);
}

QWidget* TfrmProjectSettings::MakeControl(const TSettingsDialogRow& row) {
    switch (row.Kind) {
    case TSettingControl::Edit:
    case TSettingControl::Hidden:
        break;
    case TSettingControl::FontList: {
        QComboBox* box = PickList(FFontItems);
        box->setMaxVisibleItems(20);
        return box;
    }
    case TSettingControl::EditableList: {
        QComboBox* box = PickList(row.Items);
        box->setEditable(true);
        box->setInsertPolicy(QComboBox::NoInsert);
        return box;
    }
    case TSettingControl::ColorBox:
        return new TColorSelector;
    case TSettingControl::CheckBox:
        return new QCheckBox(Tr(ProjectSettingField(row.Setting).Caption));
    case TSettingControl::WordList:
        return PickList(ProjectSettingField(row.Setting).Words);
    }
    return new QLineEdit;
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

    FTop = Scaled(kFirstRowTop);
    for (const TSettingsDialogRow& row : SettingsDialogRows()) {
        if (row.Kind == TSettingControl::Hidden)
            continue;
        if (row.Section != nullptr)
            AddSection(row.Section);
        QWidget* control = MakeControl(row);
        control->setObjectName(QString::fromLatin1(row.Control));
        if (qobject_cast<QComboBox*>(control) != nullptr)
            TakeWheelOnlyWhenFocused(*control);
        // A check box carries its caption itself and starts at the label column.
        AddRow(row.Kind == TSettingControl::CheckBox ? nullptr
                                                     : ProjectSettingField(row.Setting).Caption,
               control, row.Width);
        FShown.push_back({&row, control});
    }
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
    for (const auto& [row, widget] : FShown) {
        const TSettingControlValue& value = FLoaded[row->Control];
        const QString text = ToQString(value.Text);
        switch (row->Kind) {
        case TSettingControl::Edit:
        case TSettingControl::Hidden:
            static_cast<QLineEdit*>(widget)->setText(text);
            break;
        case TSettingControl::FontList:
            ShowFontName(*static_cast<QComboBox*>(widget), text);
            break;
        case TSettingControl::EditableList: {
            auto* box = static_cast<QComboBox*>(widget);
            box->setCurrentIndex(box->findText(text, Qt::MatchExactly));
            box->setEditText(text);
            break;
        }
        case TSettingControl::ColorBox:
            static_cast<TColorSelector*>(widget)->SetSelected(value.Color);
            break;
        case TSettingControl::CheckBox:
            static_cast<QCheckBox*>(widget)->setChecked(value.Checked);
            break;
        case TSettingControl::WordList:
            static_cast<QComboBox*>(widget)->setCurrentIndex(value.Index);
            break;
        }
    }
}

bool TfrmProjectSettings::StoreControls() {
    TProjectSettingsControls controls = FLoaded; // the hidden boxes as loaded
    for (const auto& [row, widget] : FShown) {
        TSettingControlValue& value = controls[row->Control];
        switch (row->Kind) {
        case TSettingControl::Edit:
        case TSettingControl::Hidden:
            value.Text = ToStdString(static_cast<QLineEdit*>(widget)->text());
            break;
        case TSettingControl::FontList: {
            const auto* box = static_cast<QComboBox*>(widget);
            value.Text = ToStdString(box->currentIndex() < 0 ? QString() : box->currentText());
            break;
        }
        case TSettingControl::EditableList:
            value.Text = ToStdString(static_cast<QComboBox*>(widget)->currentText());
            break;
        case TSettingControl::ColorBox:
            value.Color = static_cast<TColorSelector*>(widget)->Selected();
            break;
        case TSettingControl::CheckBox:
            value.Checked = static_cast<QCheckBox*>(widget)->isChecked();
            break;
        case TSettingControl::WordList:
            value.Index = static_cast<QComboBox*>(widget)->currentIndex();
            break;
        }
    }
    const std::optional<std::string> invalid = quillmark::StoreControls(controls, FSettings);
    if (!invalid)
        return true;
    QMessageBox box(QMessageBox::Critical, ToQString(kApplicationTitle),
                    Tr("Some values are invalid. Please fix them."), QMessageBox::Ok, this);
    box.button(QMessageBox::Ok)->setText(Tr("OK"));
    box.exec();
    FocusInvalid(*invalid);
    return false;
}

void TfrmProjectSettings::FocusInvalid(const std::string& controlName) {
    auto* control = findChild<QWidget*>(ToQString(controlName));
    if (control == nullptr)
        return; // a hidden box: nothing to show
    if (auto* scroll = findChild<QScrollArea*>())
        scroll->ensureWidgetVisible(control);
    control->setFocus(Qt::OtherFocusReason);
    if (auto* edit = qobject_cast<QLineEdit*>(control))
        edit->selectAll();
    else if (auto* box = qobject_cast<QComboBox*>(control); box && box->lineEdit())
        box->lineEdit()->selectAll();
}

void TfrmProjectSettings::accept() {
    if (StoreControls())
        QDialog::accept();
}

} // namespace quillmark::gui
