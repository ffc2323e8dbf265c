#include "gui/FindBar.h"

#include "base/Translation.h"
#include "gui/QtText.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QShortcut>
#include <QStyle>
#include <QToolButton>

namespace quillmark::gui {

namespace {

QString Tr(const char* text) { return ToQString(Translate(text)); }

QToolButton* ArrowButton(QWidget* parent, Qt::ArrowType arrow, const char* hint,
                         const char* name) {
    auto* button = new QToolButton(parent);
    button->setArrowType(arrow);
    button->setAutoRaise(true);
    button->setToolTip(Tr(hint));
    button->setObjectName(QString::fromLatin1(name));
    return button;
}

} // namespace

TFindBar::TFindBar(TFindInTopic& finder, QWidget* parent) : QWidget(parent), FFinder(finder) {
    setObjectName(QStringLiteral("pnlFindBar"));
    setAutoFillBackground(true);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(8, 4, 8, 4);
    layout->setSpacing(6);

    auto* label = new QLabel(Tr("Find:"), this);
    edFind = new QLineEdit(this);
    edFind->setObjectName(QStringLiteral("edFind"));
    edFind->setClearButtonEnabled(true);
    edFind->setPlaceholderText(Tr("Find in topic"));
    edFind->setMinimumWidth(220);
    label->setBuddy(edFind);
    btnPrevious = ArrowButton(this, Qt::UpArrow, "Previous match (Shift+Enter)", "btnFindPrevious");
    btnNext = ArrowButton(this, Qt::DownArrow, "Next match (Enter)", "btnFindNext");
    chkMatchCase = new QCheckBox(Tr("Match case"), this);
    chkMatchCase->setObjectName(QStringLiteral("chkFindMatchCase"));
    chkWholeWord = new QCheckBox(Tr("Whole word"), this);
    chkWholeWord->setObjectName(QStringLiteral("chkFindWholeWord"));
    lbCount = new QLabel(this);
    lbCount->setObjectName(QStringLiteral("lbFindCount"));
    lbCount->setMinimumWidth(90);
    btnClose = new QToolButton(this);
    btnClose->setObjectName(QStringLiteral("btnFindClose"));
    btnClose->setAutoRaise(true);
    btnClose->setIcon(style()->standardIcon(QStyle::SP_TitleBarCloseButton));
    btnClose->setToolTip(Tr("Close (Esc)"));

    layout->addWidget(label);
    layout->addWidget(edFind, 1);
    layout->addWidget(btnPrevious);
    layout->addWidget(btnNext);
    layout->addWidget(chkMatchCase);
    layout->addWidget(chkWholeWord);
    layout->addWidget(lbCount);
    layout->addStretch();
    layout->addWidget(btnClose);

    connect(edFind, &QLineEdit::textEdited, this, [this] { FindNow(TFindDirection::Here); });
    connect(edFind, &QLineEdit::returnPressed, this, [this] { FindNow(TFindDirection::Next); });
    connect(btnNext, &QToolButton::clicked, this, [this] { FindNow(TFindDirection::Next); });
    connect(btnPrevious, &QToolButton::clicked, this,
            [this] { FindNow(TFindDirection::Previous); });
    for (QCheckBox* option : {chkMatchCase, chkWholeWord})
        connect(option, &QCheckBox::toggled, this, [this] { FindNow(TFindDirection::Here); });
    connect(btnClose, &QToolButton::clicked, this, &TFindBar::Close);
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    escape->setContext(Qt::WidgetWithChildrenShortcut);
    connect(escape, &QShortcut::activated, this, &TFindBar::Close);
    auto* previous = new QShortcut(QKeySequence(Qt::SHIFT | Qt::Key_Return), this);
    previous->setContext(Qt::WidgetWithChildrenShortcut);
    connect(previous, &QShortcut::activated, this, [this] { FindNow(TFindDirection::Previous); });

    FFinder.SetOnResult([this](const std::string& text, bool found) {
        lbCount->setText(ToQString(text));
        // A text that is nowhere in the topic shows in red, as in a browser.
        edFind->setStyleSheet(!found && !edFind->text().isEmpty()
                                  ? QStringLiteral("QLineEdit { background: #fde7e9; }")
                                  : QString());
    });
    hide();
}

TFindBar::~TFindBar() { FFinder.SetOnResult(nullptr); }

QString TFindBar::CountText() const { return lbCount->text(); }

TTextQuery TFindBar::Query() const {
    TTextQuery query;
    query.Text = ToStdString(edFind->text());
    query.MatchCase = chkMatchCase->isChecked();
    query.WholeWord = chkWholeWord->isChecked();
    return query;
}

void TFindBar::FindNow(TFindDirection direction) {
    if (isVisible())
        FFinder.Find(Query(), direction);
}

void TFindBar::Open() {
    show();
    edFind->setFocus(Qt::ShortcutFocusReason);
    edFind->selectAll();
    FindNow(TFindDirection::Here);
}

void TFindBar::Close() {
    if (!isVisible())
        return;
    hide();
    lbCount->clear();
    FFinder.Close();
    emit closed();
}

} // namespace quillmark::gui
