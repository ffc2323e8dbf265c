#include "gui/FormattingToolbar.h"

#include "editor/FormattingToolbarLogic.h"
#include "settings/SettingsDialogModel.h"
#include "gui/Icons.h"
#include "gui/QtText.h"
#include "gui/ToolbarArrangement.h"

#include <QAbstractItemView>
#include <QColorDialog>
#include <QComboBox>
#include <QFontDatabase>
#include <QFontInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
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

QColor ToQtColor(TColor color) {
    const TColor rgb = ColorToRgb(color);
    return QColor(ColorRed(rgb), ColorGreen(rgb), ColorBlue(rgb));
}

TColor FromQtColor(const QColor& color) {
    const QColor rgb = color.toRgb();
    return MakeColor(static_cast<uint8_t>(rgb.red()), static_cast<uint8_t>(rgb.green()),
                     static_cast<uint8_t>(rgb.blue()));
}

// The desktop's own colours, after the named ones.
std::vector<TNamedColor> SystemColors(const QPalette& palette) {
    return {
        {"Window Text", palette.color(QPalette::WindowText)},
        {"Window", palette.color(QPalette::Base)},
        {"Button Face", palette.color(QPalette::Button)},
        {"Highlight", palette.color(QPalette::Highlight)},
        {"Highlight Text", palette.color(QPalette::HighlightedText)},
        {"Gray Text", palette.color(QPalette::Disabled, QPalette::Text)},
    };
}

bool IsEnterKey(const QEvent* event) {
    if (event->type() != QEvent::KeyPress)
        return false;
    const int key = static_cast<const QKeyEvent*>(event)->key();
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

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
    // The note on a missing font goes when a listed font is shown.
    connect(cmbTextFont, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index >= 0)
            cmbTextFont->setToolTip(QString());
    });
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
    ConnectControls();
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
    std::vector<TNamedColor> colors = NamedColors();
    for (const TNamedColor& system : SystemColors(palette()))
        colors.push_back(system);
    for (const TNamedColor& named : colors) {
        cbTextColor->addItem(ColorSwatch(named.Color), QString::fromUtf8(named.Name), named.Color);
    }
    cbTextColor->addItem(QString::fromUtf8(kCustomColorEntry));
    cbTextColor->setCurrentIndex(0);
}

void TFormattingToolbar::Forward(const std::function<void(TFormattingToolbarLogic&)>& handler) {
    if (FLogic == nullptr)
        return;
    try {
        handler(*FLogic);
    } catch (const std::exception& error) {
        if (FOnError)
            FOnError(error.what());
    }
}

void TFormattingToolbar::Connect(TFormattingToolbarLogic* logic,
                                 std::function<void(const std::string&)> onError) {
    FLogic = logic;
    FOnError = std::move(onError);
}

void TFormattingToolbar::ConnectControls() {
    using TLogic = TFormattingToolbarLogic;
    const auto forwarder = [this](void (TLogic::*handler)()) {
        return [this, handler] { Forward([handler](TLogic& logic) { (logic.*handler)(); }); };
    };
    connect(btnBold, &QToolButton::clicked, this, forwarder(&TLogic::btnBoldClick));
    connect(btnItalic, &QToolButton::clicked, this, forwarder(&TLogic::btnItalicClick));
    connect(btnUnderline, &QToolButton::clicked, this, forwarder(&TLogic::btnUnderlineClick));

    // The two list buttons share a group in which both may be up: pressing
    // one releases the other.
    const auto listButton = [this, forwarder](QToolButton* button, QToolButton* other,
                                              void (TLogic::*handler)()) {
        connect(button, &QToolButton::clicked, this, [button, other, run = forwarder(handler)] {
            if (button->isChecked())
                other->setChecked(false);
            run();
        });
    };
    listButton(btnUL, btnOL, &TLogic::btnULClick);
    listButton(btnOL, btnUL, &TLogic::btnOLClick);

    // The alignment buttons act as radio buttons: the clicked one is down.
    const auto alignButton = [this, forwarder](QToolButton* button, void (TLogic::*handler)()) {
        connect(button, &QToolButton::clicked, this, [this, button, run = forwarder(handler)] {
            for (QToolButton* align : {btnAlignLeft, btnAlignCenter, btnAlignRight})
                align->setChecked(align == button);
            run();
        });
    };
    alignButton(btnAlignLeft, &TLogic::btnAlignLeftClick);
    alignButton(btnAlignCenter, &TLogic::btnAlignCenterClick);
    alignButton(btnAlignRight, &TLogic::btnAlignRightClick);

    // "activated" comes from the user only; the program's own changes of
    // the boxes are not forwarded.
    connect(cmbHeading, &QComboBox::activated, this, forwarder(&TLogic::cmbHeadingChange));
    connect(cmbFontSize, &QComboBox::activated, this, forwarder(&TLogic::cmbFontSizeSelect));
    connect(cmbLineSpacing, &QComboBox::activated, this, forwarder(&TLogic::cmbLineSpacingChange));
    connect(cmbTextFont, &QComboBox::activated, this, forwarder(&TLogic::cmbTextFontChange));
    connect(cbTextColor, &QComboBox::activated, this, [this, forwarder](int index) {
        if (index != cbTextColor->count() - 1)
            FLastColorIndex = index;
        if (FLogic != nullptr) {
            forwarder (&TLogic::cbTextColorChange)();
        } else if (CustomColorEntrySelected()) {
            ChooseCustomTextColor();
        }
    });

    for (QComboBox* box : {cmbFontSize, cmbLineSpacing}) {
        box->installEventFilter(this);
        box->lineEdit()->installEventFilter(this);
    }
}

bool TFormattingToolbar::eventFilter(QObject* watched, QEvent* event) {
    if (!IsEnterKey(event))
        return QWidget::eventFilter(watched, event);
    const bool sizeBox = watched == cmbFontSize || watched == cmbFontSize->lineEdit();
    const bool spacingBox = watched == cmbLineSpacing || watched == cmbLineSpacing->lineEdit();
    if (!sizeBox && !spacingBox)
        return QWidget::eventFilter(watched, event);
    // Enter is the box's own key: consumed even when nothing is sent, so
    // the box does not act on it.
    bool consumed = true;
    Forward([&](TFormattingToolbarLogic& logic) {
        consumed = sizeBox ? logic.cmbFontSizeKeyDown(TBoxKey::Enter)
                           : logic.cmbLineSpacingKeyDown(TBoxKey::Enter);
    });
    return consumed;
}

std::optional<TColor> TFormattingToolbar::ChooseCustomTextColor() {
    const QColor previous = cbTextColor->itemData(FLastColorIndex).isValid()
                                ? cbTextColor->itemData(FLastColorIndex).value<QColor>()
                                : QColor(Qt::black);
    const QColor chosen = QColorDialog::getColor(previous, window());
    if (!chosen.isValid()) {
        cbTextColor->setCurrentIndex(FLastColorIndex);
        return std::nullopt;
    }
    SelectTextColor(chosen);
    return FromQtColor(chosen);
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

QColor TFormattingToolbar::ShownTextColor() const {
    const QVariant data = cbTextColor->currentData();
    return data.isValid() ? data.value<QColor>() : QColor(Qt::black);
}

// ------------------------------------------------ IFormattingToolbarView

std::vector<std::string> TFormattingToolbar::InstalledFontNames() const {
    std::vector<std::string> names;
    for (const QString& family : QFontDatabase::families(QFontDatabase::Any)) {
        if (!QFontDatabase::isPrivateFamily(family))
            names.push_back(ToStdString(family));
    }
    return names;
}

std::string TFormattingToolbar::FontStandIn(const std::string& family) const {
    // The font system (fontconfig) matches a missing family to an installed
    // one, as the browser's font fallback does.
    return ToStdString(QFontInfo(QFont(ToQString(family))).family());
}

void TFormattingToolbar::ShowFontNotInList(const std::string& caption) {
    cmbTextFont->setCurrentIndex(-1);
    cmbTextFont->setPlaceholderText(ToQString(caption));
    cmbTextFont->setToolTip(ToQString(caption));
}

QToolButton* TFormattingToolbar::Button(TToolbarButton button) const {
    switch (button) {
    case TToolbarButton::btnBold:
        return btnBold;
    case TToolbarButton::btnItalic:
        return btnItalic;
    case TToolbarButton::btnUnderline:
        return btnUnderline;
    case TToolbarButton::btnUL:
        return btnUL;
    case TToolbarButton::btnOL:
        return btnOL;
    case TToolbarButton::btnAlignLeft:
        return btnAlignLeft;
    case TToolbarButton::btnAlignCenter:
        return btnAlignCenter;
    case TToolbarButton::btnAlignRight:
        return btnAlignRight;
    }
    return btnBold;
}

QComboBox* TFormattingToolbar::Box(TToolbarBox box) const {
    switch (box) {
    case TToolbarBox::cmbLineSpacing:
        return cmbLineSpacing;
    case TToolbarBox::cbTextColor:
        return cbTextColor;
    case TToolbarBox::cmbHeading:
        return cmbHeading;
    case TToolbarBox::cmbTextFont:
        return cmbTextFont;
    case TToolbarBox::cmbFontSize:
        return cmbFontSize;
    }
    return cmbHeading;
}

bool TFormattingToolbar::ButtonDown(TToolbarButton button) const {
    return Button(button)->isChecked();
}

void TFormattingToolbar::SetButtonDown(TToolbarButton button, bool down) {
    Button(button)->setChecked(down);
}

void TFormattingToolbar::SetItems(TToolbarBox box, const std::vector<std::string>& items) {
    QComboBox* combo = Box(box);
    combo->clear();
    for (const std::string& item : items)
        combo->addItem(ToQString(item));
    combo->setCurrentIndex(-1);
}

int TFormattingToolbar::ItemCount(TToolbarBox box) const {
    return Box(box)->count();
}

std::string TFormattingToolbar::ItemCaption(TToolbarBox box, int index) const {
    return ToStdString(Box(box)->itemText(index));
}

int TFormattingToolbar::ItemIndex(TToolbarBox box) const {
    return Box(box)->currentIndex();
}

void TFormattingToolbar::SetItemIndex(TToolbarBox box, int index) {
    Box(box)->setCurrentIndex(index);
}

std::string TFormattingToolbar::BoxText(TToolbarBox box) const {
    return ToStdString(Box(box)->currentText());
}

void TFormattingToolbar::SetBoxText(TToolbarBox box, const std::string& text) {
    QComboBox* combo = Box(box);
    if (combo->isEditable())
        combo->setEditText(ToQString(text));
}

bool TFormattingToolbar::BoxFocused(TToolbarBox box) const {
    const QComboBox* combo = Box(box);
    return combo->hasFocus() || (combo->lineEdit() != nullptr && combo->lineEdit()->hasFocus());
}

bool TFormattingToolbar::BoxDroppedDown(TToolbarBox box) const {
    return Box(box)->view()->isVisible();
}

TColor TFormattingToolbar::SelectedTextColor() const {
    return FromQtColor(ShownTextColor());
}

void TFormattingToolbar::SelectTextColor(TColor color) {
    SelectTextColor(ToQtColor(color));
}

bool TFormattingToolbar::CustomColorEntrySelected() const {
    return cbTextColor->currentIndex() == cbTextColor->count() - 1;
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
