#include "gui/ColorSelector.h"

#include "base/Translation.h"
#include "gui/QtText.h"

#include <QColorDialog>
#include <QPainter>
#include <QPixmap>

namespace quillmark::gui {

namespace {

struct TNamedEntry {
    const char* Name;
    TColor Color;
};

// The standard sixteen, the four extended colours, then the system colours
// by their index.
const TNamedEntry kNamedColors[] = {
    {"Black", MakeColor(0, 0, 0)},
    {"Maroon", MakeColor(128, 0, 0)},
    {"Green", MakeColor(0, 128, 0)},
    {"Olive", MakeColor(128, 128, 0)},
    {"Navy", MakeColor(0, 0, 128)},
    {"Purple", MakeColor(128, 0, 128)},
    {"Teal", MakeColor(0, 128, 128)},
    {"Gray", MakeColor(128, 128, 128)},
    {"Silver", MakeColor(192, 192, 192)},
    {"Red", MakeColor(255, 0, 0)},
    {"Lime", MakeColor(0, 255, 0)},
    {"Yellow", MakeColor(255, 255, 0)},
    {"Blue", MakeColor(0, 0, 255)},
    {"Fuchsia", MakeColor(255, 0, 255)},
    {"Aqua", MakeColor(0, 255, 255)},
    {"White", MakeColor(255, 255, 255)},
    {"Money Green", MakeColor(192, 220, 192)},
    {"Sky Blue", MakeColor(166, 202, 240)},
    {"Cream", MakeColor(255, 251, 240)},
    {"Medium Gray", MakeColor(160, 160, 164)},
    {"Scroll Bar", SystemColor(0)},
    {"Background", SystemColor(1)},
    {"Active Caption", SystemColor(2)},
    {"Inactive Caption", SystemColor(3)},
    {"Menu", SystemColor(4)},
    {"Window", SystemColor(5)},
    {"Window Frame", SystemColor(6)},
    {"Menu Text", SystemColor(7)},
    {"Window Text", SystemColor(8)},
    {"Caption Text", SystemColor(9)},
    {"Active Border", SystemColor(10)},
    {"Inactive Border", SystemColor(11)},
    {"App Workspace", SystemColor(12)},
    {"Highlight", SystemColor(13)},
    {"Highlight Text", SystemColor(14)},
    {"Button Face", SystemColor(15)},
    {"Button Shadow", SystemColor(16)},
    {"Gray Text", SystemColor(17)},
    {"Button Text", SystemColor(18)},
    {"Inactive Caption Text", SystemColor(19)},
    {"Button Highlight", SystemColor(20)},
    {"3D Dark Shadow", SystemColor(21)},
    {"3D Light", SystemColor(22)},
    {"Info Text", SystemColor(23)},
    {"Info Background", SystemColor(24)},
    {"Hot Light", SystemColor(26)},
    {"Gradient Active Caption", SystemColor(27)},
    {"Gradient Inactive Caption", SystemColor(28)},
    {"Menu Highlight", SystemColor(29)},
    {"Menu Bar", SystemColor(30)},
};

constexpr int kColorRole = Qt::UserRole;
constexpr int kCustomRole = Qt::UserRole + 1;

QColor ToQColor(TColor color) {
    const TColor rgb = ColorToRgb(color);
    return QColor(ColorRed(rgb), ColorGreen(rgb), ColorBlue(rgb));
}

TColor FromQColor(const QColor& color) {
    return MakeColor(static_cast<uint8_t>(color.red()), static_cast<uint8_t>(color.green()),
                     static_cast<uint8_t>(color.blue()));
}

QIcon Swatch(TColor color, int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(ToQColor(color));
    QPainter painter(&pixmap);
    painter.setPen(QColor(110, 110, 110));
    painter.drawRect(0, 0, size - 1, size - 1);
    return QIcon(pixmap);
}

} // namespace

TColorSelector::TColorSelector(QWidget* parent) : QComboBox(parent) {
    const int swatch = fontMetrics().height() - 2;
    setIconSize(QSize(swatch, swatch));
    setMaxVisibleItems(20);
    for (const TNamedEntry& entry : kNamedColors)
        addItem(Swatch(entry.Color, swatch), QString::fromUtf8(entry.Name),
                QVariant::fromValue<uint>(entry.Color));
    addItem(ToQString(Translate("Custom...")));
    connect(this, &QComboBox::activated, this, &TColorSelector::EntryActivated);
}

void TColorSelector::SetSelected(TColor color) {
    int found = -1;
    for (int i = 0; i < ChooserIndex() && found < 0; ++i) {
        if (itemData(i, kCustomRole).toBool())
            continue;
        const TColor named = itemData(i, kColorRole).toUInt();
        const bool same = IsSystemColor(color)
                              ? named == color
                              : !IsSystemColor(named) && named == ColorToRgb(color);
        if (same)
            found = i;
    }
    if (found < 0) {
        SetCustomColor(color);
        found = CustomIndex();
    }
    setCurrentIndex(found);
    FLastIndex = found;
}

TColor TColorSelector::Selected() const {
    return itemData(currentIndex(), kColorRole).toUInt();
}

int TColorSelector::CustomIndex() const {
    for (int i = 0; i < count(); ++i)
        if (itemData(i, kCustomRole).toBool())
            return i;
    return -1;
}

void TColorSelector::SetCustomColor(TColor color) {
    const QString text = ToQString(ColorToHtml(color));
    const QIcon icon = Swatch(color, iconSize().width());
    int index = CustomIndex();
    if (index < 0) {
        index = ChooserIndex();
        insertItem(index, icon, text, QVariant::fromValue<uint>(ColorToRgb(color)));
        setItemData(index, true, kCustomRole);
    } else {
        setItemIcon(index, icon);
        setItemText(index, text);
        setItemData(index, QVariant::fromValue<uint>(ColorToRgb(color)), kColorRole);
    }
}

void TColorSelector::EntryActivated(int index) {
    if (index != ChooserIndex()) {
        FLastIndex = index;
        return;
    }
    const QColor chosen = QColorDialog::getColor(
        ToQColor(itemData(FLastIndex, kColorRole).toUInt()), this, ToQString(Translate("Color")));
    if (!chosen.isValid()) {
        setCurrentIndex(FLastIndex);
        return;
    }
    SetSelected(FromQColor(chosen));
}

} // namespace quillmark::gui
