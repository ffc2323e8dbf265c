#include "gui/FormattingToolbar.h"

#include "base/Translation.h"
#include "gui/Icons.h"
#include "gui/QtText.h"
#include "gui/ToolbarArrangement.h"

#include <QColorDialog>
#include <QComboBox>
#include <QFontDatabase>
#include <QLabel>
#include <QPainter>
#include <QToolButton>
#include <algorithm>

namespace quillmark::gui {

namespace {

constexpr int kIconSize = 20;
constexpr int kControlSpacing = 2;
constexpr int kRowMargin = 4;
constexpr int kRowPadding = 3;

// A thin vertical line between groups of buttons.
class TToolbarSeparator final : public QWidget {
public:
    explicit TToolbarSeparator(QWidget* parent) : QWidget(parent) {
        setFixedSize(9, kIconSize + 6);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setPen(palette().color(QPalette::Mid));
        const int x = width() / 2;
        painter.drawLine(x, 3, x, height() - 4);
    }
};

struct TNamedColor {
    const char* Name;
    QColor Color;
};

// The standard colours, then the extended ones, with readable names.
const std::vector<TNamedColor>& NamedColors() {
    static const std::vector<TNamedColor> colors = {
        {"Black", QColor(0, 0, 0)},
        {"Maroon", QColor(128, 0, 0)},
        {"Green", QColor(0, 128, 0)},
        {"Olive", QColor(128, 128, 0)},
        {"Navy", QColor(0, 0, 128)},
        {"Purple", QColor(128, 0, 128)},
        {"Teal", QColor(0, 128, 128)},
        {"Gray", QColor(128, 128, 128)},
        {"Silver", QColor(192, 192, 192)},
        {"Red", QColor(255, 0, 0)},
        {"Lime", QColor(0, 255, 0)},
        {"Yellow", QColor(255, 255, 0)},
        {"Blue", QColor(0, 0, 255)},
        {"Fuchsia", QColor(255, 0, 255)},
        {"Aqua", QColor(0, 255, 255)},
        {"White", QColor(255, 255, 255)},
        {"Money Green", QColor(192, 220, 192)},
        {"Sky Blue", QColor(166, 202, 240)},
        {"Cream", QColor(255, 251, 240)},
        {"Medium Gray", QColor(160, 160, 164)},
    };
    return colors;
}

QIcon ColorSwatch(const QColor& color) {
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(120, 120, 120), 2));
    painter.setBrush(color);
    painter.drawRoundedRect(QRectF(3, 3, 26, 26), 4, 4);
    return QIcon(pixmap);
}

const char kCustomColorEntry[] = "Custom...";

} // namespace

TFormattingToolbar::TFormattingToolbar(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("pnlToolbarArea"));
    // The rows are bands of this widget; the controls are placed in them by
    // ArrangeToolbar and never change parents, so moving a group between the
    // rows is a change of position only.
    pnlToolbar = new QWidget(this);
    pnlToolbar->setObjectName(QStringLiteral("pnlToolbar"));
    pnlToolbar2 = new QWidget(this);
    pnlToolbar2->setObjectName(QStringLiteral("pnlToolbar2"));
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);

    btnBold = AddButton("btnBold", "bold", true, 0);
    btnItalic = AddButton("btnItalic", "italic", true, 1);
    btnUnderline = AddButton("btnUnderline", "underline", true, 2);
    AddSeparator("sepStyle", 3);
    btnUL = AddButton("btnUL", "bullet-list", true, 4);
    btnOL = AddButton("btnOL", "numbered-list", true, 5);
    AddSeparator("sepList", 6);
    btnAlignLeft = AddButton("btnAlignLeft", "align-left", true, 7);
    btnAlignCenter = AddButton("btnAlignCenter", "align-center", true, 8);
    btnAlignRight = AddButton("btnAlignRight", "align-right", true, 9);
    AddSeparator("sepAlign", 10);
    btnLink = AddButton("btnLink", "link", false, 11);
    btnTopicLink = AddButton("btnTopicLink", "topic-link", false, 12);
    btnImage = AddButton("btnImage", "image", false, 13);
    btnReplaceImage = AddButton("btnReplaceImage", "replace-image", false, 14);
    btnInsertTable = AddButton("btnInsertTable", "table", false, 15);
    btnTableDropdownMenu = AddButton("btnTableDropdownMenu", "table-menu", false, 16);
    btnTableDropdownMenu->setIconSize(QSize(12, kIconSize));
    btnImportHTML = AddButton("btnImportHTML", "html-file", false, 17);
    AddSeparator("sepInsert", 18);

    imgLineSpacing = AddBoxIcon("imgLineSpacing", "line-spacing", 19);
    cmbLineSpacing = new QComboBox(this);
    cmbLineSpacing->setEditable(true);
    cmbLineSpacing->setFixedWidth(72);
    AddControl(cmbLineSpacing, 19);

    imgFontColor = AddBoxIcon("imgFontColor", "font-color", 20);
    cbTextColor = new QComboBox(this);
    cbTextColor->setFixedWidth(136);
    AddControl(cbTextColor, 20);

    imgHeading = AddBoxIcon("imgHeading", "heading", 21);
    cmbHeading = new QComboBox(this);
    cmbHeading->setFixedWidth(128);
    AddControl(cmbHeading, 21);

    imgFontName = AddBoxIcon("imgFontName", "font-name", 22);
    cmbTextFont = new QComboBox(this);
    cmbTextFont->setFixedWidth(176);
    cmbTextFont->setMaxVisibleItems(20);
    AddControl(cmbTextFont, 22);

    imgFontSize = AddBoxIcon("imgFontSize", "font-size", 23);
    cmbFontSize = new QComboBox(this);
    cmbFontSize->setEditable(true);
    cmbFontSize->setCompleter(nullptr);
    cmbFontSize->setInsertPolicy(QComboBox::NoInsert);
    cmbFontSize->setFixedWidth(64);
    AddControl(cmbFontSize, 23);

    cmbLineSpacing->setObjectName(QStringLiteral("cmbLineSpacing"));
    cbTextColor->setObjectName(QStringLiteral("cbTextColor"));
    cmbHeading->setObjectName(QStringLiteral("cmbHeading"));
    cmbTextFont->setObjectName(QStringLiteral("cmbTextFont"));
    cmbFontSize->setObjectName(QStringLiteral("cmbFontSize"));
    cmbLineSpacing->setInsertPolicy(QComboBox::NoInsert);

    const std::vector<std::pair<QWidget*, const char*>> hints = {
        {btnBold, "Bold"},
        {btnItalic, "Italic"},
        {btnUnderline, "Underline"},
        {btnUL, "Bullet List"},
        {btnOL, "Numeric List"},
        {btnAlignLeft, "Left Align"},
        {btnAlignCenter, "Center Align"},
        {btnAlignRight, "Right Align"},
        {btnLink, "Create Link..."},
        {btnTopicLink, "Create Topic Link..."},
        {btnImage, "Add Image..."},
        {btnReplaceImage, "Replace Image..."},
        {btnInsertTable, "Add Table..."},
        {btnImportHTML, "Add HTML..."},
        {imgLineSpacing, "Line Spacing"},
        {imgFontColor, "Font Color"},
        {imgHeading, "Text Heading"},
        {imgFontName, "Font Name"},
        {imgFontSize, "Font Size"},
    };
    for (const auto& [control, hint] : hints) {
        control->setToolTip(QString::fromUtf8(hint));
    }

    BuildColorBox();
    FillDefaultLists();
    ArrangeToolbar();
}

QToolButton* TFormattingToolbar::AddButton(const char* name, const char* icon, bool checkable,
                                           int group) {
    auto* button = new QToolButton(this);
    button->setObjectName(QString::fromLatin1(name));
    button->setIcon(ProgramIcon(icon));
    button->setIconSize(QSize(kIconSize, kIconSize));
    button->setAutoRaise(true);
    button->setCheckable(checkable);
    button->setFocusPolicy(Qt::NoFocus);
    AddControl(button, group);
    return button;
}

QWidget* TFormattingToolbar::AddSeparator(const char* name, int group) {
    auto* separator = new TToolbarSeparator(this);
    separator->setObjectName(QString::fromLatin1(name));
    AddControl(separator, group);
    return separator;
}

QLabel* TFormattingToolbar::AddBoxIcon(const char* name, const char* icon, int group) {
    auto* label = new QLabel(this);
    label->setObjectName(QString::fromLatin1(name));
    label->setPixmap(ProgramIcon(icon).pixmap(QSize(kIconSize, kIconSize), devicePixelRatioF()));
    label->setFixedSize(kIconSize + 6, kIconSize + 6);
    label->setAlignment(Qt::AlignCenter);
    AddControl(label, group);
    return label;
}

void TFormattingToolbar::AddControl(QWidget* control, int group) {
    FControls.push_back(control);
    FGroupOf.push_back(group);
    FGroupCount = std::max(FGroupCount, group + 1);
}

void TFormattingToolbar::BuildColorBox() {
    cbTextColor->setIconSize(QSize(14, 14));
    for (const TNamedColor& named : NamedColors()) {
        cbTextColor->addItem(ColorSwatch(named.Color), QString::fromUtf8(named.Name), named.Color);
    }
    cbTextColor->addItem(QString::fromUtf8(kCustomColorEntry));
    cbTextColor->setCurrentIndex(0);
    connect(cbTextColor, &QComboBox::activated, this, [this](int index) {
        if (index == cbTextColor->count() - 1) {
            ChooseCustomColor();
        } else {
            FLastColorIndex = index;
        }
    });
}

void TFormattingToolbar::ChooseCustomColor() {
    const QColor chosen = QColorDialog::getColor(SelectedTextColor(), window());
    if (!chosen.isValid()) {
        cbTextColor->setCurrentIndex(FLastColorIndex);
        return;
    }
    SelectTextColor(chosen);
    // The box changed by the user's choice: the "activated" handlers of the
    // window see the custom colour as chosen from the list.
    emit cbTextColor->activated(cbTextColor->currentIndex());
}

void TFormattingToolbar::SelectTextColor(const QColor& color) {
    const QColor rgb = color.toRgb();
    const int customEntry = cbTextColor->count() - 1;
    for (int i = 0; i < customEntry; ++i) {
        if (cbTextColor->itemData(i).value<QColor>().rgb() == rgb.rgb()) {
            cbTextColor->setCurrentIndex(i);
            FLastColorIndex = i;
            return;
        }
    }
    cbTextColor->insertItem(customEntry, ColorSwatch(rgb), rgb.name(QColor::HexRgb).toUpper(), rgb);
    cbTextColor->setCurrentIndex(customEntry);
    FLastColorIndex = customEntry;
}

QColor TFormattingToolbar::SelectedTextColor() const {
    const QVariant data = cbTextColor->currentData();
    return data.isValid() ? data.value<QColor>() : QColor(Qt::black);
}

void TFormattingToolbar::FillDefaultLists() {
    QStringList fonts = QFontDatabase::families(QFontDatabase::Any);
    std::sort(fonts.begin(), fonts.end(), [](const QString& a, const QString& b) {
        return QString::compare(a, b, Qt::CaseInsensitive) < 0;
    });
    fonts.erase(std::unique(fonts.begin(), fonts.end(),
                            [](const QString& a, const QString& b) {
                                return QString::compare(a, b, Qt::CaseInsensitive) == 0;
                            }),
                fonts.end());
    cmbTextFont->addItems(fonts);
    if (!fonts.isEmpty()) {
        cmbTextFont->setCurrentIndex(0);
    }

    cmbLineSpacing->addItems({"1.0", "1.15", "1.2", "1.5", "2.0"});
    cmbLineSpacing->setCurrentIndex(3);

    for (int size : {8, 9, 10, 11, 12, 14, 16, 18, 20, 22, 24, 26, 28, 32, 36, 40, 48, 60, 72}) {
        cmbFontSize->addItem(QString::number(size));
    }
    cmbFontSize->setCurrentIndex(std::max(0, cmbFontSize->findText(QStringLiteral("14"))));

    cmbHeading->addItems({ToQString(Translate("Standard text")), "H1", "H2", "H3"});
    cmbHeading->setCurrentIndex(0);

    btnAlignLeft->setChecked(true);
}

int TFormattingToolbar::ControlWidth(const QWidget* control) const {
    if (control->isHidden()) {
        return 0;
    }
    return std::clamp(control->sizeHint().width(), control->minimumWidth(),
                      control->maximumWidth());
}

int TFormattingToolbar::RowHeight() const {
    int height = 0;
    for (const QWidget* control : FControls) {
        height = std::max(height, std::clamp(control->sizeHint().height(), control->minimumHeight(),
                                             control->maximumHeight()));
    }
    return height + 2 * kRowPadding;
}

void TFormattingToolbar::ArrangeToolbar() {
    const int available = width() - 2 * kRowMargin;
    if (available <= 0) {
        return;
    }
    std::vector<int> groupWidths(static_cast<std::size_t>(FGroupCount), 0);
    for (std::size_t i = 0; i < FControls.size(); ++i) {
        const int width = ControlWidth(FControls[i]);
        if (width > 0) {
            groupWidths[static_cast<std::size_t>(FGroupOf[i])] += width + kControlSpacing;
        }
    }
    // The last control of a row needs no spacing after it.
    FSplit = GroupsOnFirstRow(groupWidths, available + kControlSpacing);
    const bool twoRows = FSplit < groupWidths.size();

    // Never so narrow that the second row would overflow.
    const int minimumWidth = WidthForTwoRows(groupWidths) - kControlSpacing + 2 * kRowMargin;
    if (this->minimumWidth() != minimumWidth) {
        setMinimumWidth(minimumWidth);
    }

    const int rowHeight = RowHeight();
    pnlToolbar->setGeometry(0, 0, width(), rowHeight);
    pnlToolbar2->setGeometry(0, rowHeight, width(), rowHeight);
    pnlToolbar2->setVisible(twoRows);
    int x[2] = {kRowMargin, kRowMargin};
    for (std::size_t i = 0; i < FControls.size(); ++i) {
        QWidget* control = FControls[i];
        if (control->isHidden()) {
            continue;
        }
        const int row = static_cast<std::size_t>(FGroupOf[i]) < FSplit ? 0 : 1;
        const int controlWidth = ControlWidth(control);
        const int controlHeight = std::clamp(control->sizeHint().height(), control->minimumHeight(),
                                             control->maximumHeight());
        const int top = row * rowHeight + std::max(0, (rowHeight - controlHeight) / 2);
        control->setGeometry(x[row], top, controlWidth, controlHeight);
        control->raise();
        x[row] += controlWidth + kControlSpacing;
    }
    const int height = rowHeight * (twoRows ? 2 : 1);
    if (minimumHeight() != height || maximumHeight() != height) {
        setFixedHeight(height);
    }
}

bool TFormattingToolbar::SecondRowVisible() const {
    return !pnlToolbar2->isHidden();
}

std::vector<QWidget*> TFormattingToolbar::RowControls(int row) const {
    std::vector<QWidget*> controls;
    for (std::size_t i = 0; i < FControls.size(); ++i) {
        const int controlRow = static_cast<std::size_t>(FGroupOf[i]) < FSplit ? 0 : 1;
        if (controlRow == row) {
            controls.push_back(FControls[i]);
        }
    }
    return controls;
}

void TFormattingToolbar::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::Midlight).darker(110));
    painter.drawLine(0, height() - 1, width(), height() - 1);
}

void TFormattingToolbar::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    ArrangeToolbar();
}

} // namespace quillmark::gui
