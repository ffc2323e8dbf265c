#include "gui/FindReplacePanel.h"

#include "base/Translation.h"
#include "gui/QtText.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace quillmark::gui {

namespace {

constexpr int kTopicRole = Qt::UserRole;
constexpr int kHitRole = Qt::UserRole + 1;

QString Tr(const char* text) { return ToQString(Translate(text)); }

template <typename TWidget>
TWidget* Named(TWidget* widget, const char* name) {
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

const char* FieldLabel(TSearchField field) {
    switch (field) {
    case TSearchField::Title:
        return "Title";
    case TSearchField::Header:
        return "Header";
    case TSearchField::Page:
        break;
    }
    return "Page";
}

} // namespace

TFindReplacePanel::TFindReplacePanel(TProjectFindReplace& command, QWidget* parent)
    : QDockWidget(Tr("Find and Replace"), parent), FCommand(command) {
    setObjectName(QStringLiteral("pnlFindReplace"));
    setAllowedAreas(Qt::LeftDockWidgetArea | Qt::RightDockWidgetArea | Qt::BottomDockWidgetArea);
    auto* body = new QWidget(this);
    auto* layout = new QVBoxLayout(body);

    auto* fields = new QFormLayout;
    edFind = Named(new QLineEdit(body), "edProjectFind");
    edFind->setClearButtonEnabled(true);
    edReplace = Named(new QLineEdit(body), "edProjectReplace");
    edReplace->setClearButtonEnabled(true);
    edReplace->setPlaceholderText(Tr("$1 names a group of a regular expression"));
    fields->addRow(Tr("Find:"), edFind);
    fields->addRow(Tr("Replace with:"), edReplace);
    layout->addLayout(fields);

    auto* options = new QGridLayout;
    chkMatchCase = Named(new QCheckBox(Tr("Match case"), body), "chkMatchCase");
    chkWholeWord = Named(new QCheckBox(Tr("Whole word"), body), "chkWholeWord");
    chkRegex = Named(new QCheckBox(Tr("Regular expression"), body), "chkRegex");
    chkTitles = Named(new QCheckBox(Tr("Search titles too"), body), "chkTitles");
    options->addWidget(chkMatchCase, 0, 0);
    options->addWidget(chkWholeWord, 0, 1);
    options->addWidget(chkRegex, 1, 0);
    options->addWidget(chkTitles, 1, 1);
    layout->addLayout(options);

    auto* buttons = new QGridLayout;
    btnFindAll = Named(new QPushButton(Tr("Find All"), body), "btnFindAll");
    btnFindAll->setDefault(true);
    btnReplace = Named(new QPushButton(Tr("Replace"), body), "btnReplace");
    btnReplaceInTopic = Named(new QPushButton(Tr("Replace in Topic"), body), "btnReplaceInTopic");
    btnReplaceAll = Named(new QPushButton(Tr("Replace All"), body), "btnReplaceAll");
    btnUndoReplace = Named(new QPushButton(Tr("Undo Replace"), body), "btnUndoReplace");
    buttons->addWidget(btnFindAll, 0, 0);
    buttons->addWidget(btnReplace, 0, 1);
    buttons->addWidget(btnReplaceInTopic, 1, 0);
    buttons->addWidget(btnReplaceAll, 1, 1);
    buttons->addWidget(btnUndoReplace, 2, 1);
    layout->addLayout(buttons);

    tvResults = Named(new QTreeWidget(body), "tvFindResults");
    tvResults->setHeaderHidden(true);
    tvResults->setRootIsDecorated(true);
    tvResults->setUniformRowHeights(true);
    tvResults->setTextElideMode(Qt::ElideRight);
    layout->addWidget(tvResults, 1);
    lbStatus = Named(new QLabel(body), "lbFindStatus");
    lbStatus->setWordWrap(true);
    layout->addWidget(lbStatus);
    setWidget(body);

    connect(edFind, &QLineEdit::returnPressed, this, &TFindReplacePanel::btnFindAllClick);
    connect(btnFindAll, &QPushButton::clicked, this, &TFindReplacePanel::btnFindAllClick);
    connect(btnReplace, &QPushButton::clicked, this, &TFindReplacePanel::btnReplaceClick);
    connect(btnReplaceInTopic, &QPushButton::clicked, this,
            &TFindReplacePanel::btnReplaceInTopicClick);
    connect(btnReplaceAll, &QPushButton::clicked, this, &TFindReplacePanel::btnReplaceAllClick);
    connect(btnUndoReplace, &QPushButton::clicked, this,
            &TFindReplacePanel::btnUndoReplaceClick);
    connect(tvResults, &QTreeWidget::currentItemChanged, this, [this] { UpdateButtons(); });
    connect(tvResults, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* item) {
        const auto [topic, hit] = IndexesOf(item);
        if (topic >= 0)
            FCommand.OpenHit(static_cast<size_t>(topic), static_cast<size_t>(hit < 0 ? 0 : hit));
    });
    UpdateButtons();
}

void TFindReplacePanel::Open() {
    show();
    raise();
    edFind->setFocus(Qt::ShortcutFocusReason);
    edFind->selectAll();
}

QString TFindReplacePanel::StatusText() const { return lbStatus->text(); }

TTextQuery TFindReplacePanel::Query() const {
    TTextQuery query;
    query.Text = ToStdString(edFind->text());
    query.MatchCase = chkMatchCase->isChecked();
    query.WholeWord = chkWholeWord->isChecked();
    query.RegularExpression = chkRegex->isChecked();
    return query;
}

std::pair<int, int> TFindReplacePanel::IndexesOf(const QTreeWidgetItem* item) {
    if (item == nullptr)
        return {-1, -1};
    return {item->data(0, kTopicRole).toInt(), item->data(0, kHitRole).toInt()};
}

void TFindReplacePanel::ShowStatus(const TFindReplaceStatus& status) {
    lbStatus->setText(ToQString(status.Text));
    lbStatus->setStyleSheet(status.Failed ? QStringLiteral("color: #b3261e;") : QString());
    FillResults();
}

void TFindReplacePanel::FillResults() {
    tvResults->clear();
    const std::vector<TTopicHits>& results = FCommand.Results();
    for (size_t t = 0; t < results.size(); ++t) {
        const TTopicHits& topic = results[t];
        auto* topicItem = new QTreeWidgetItem(tvResults);
        topicItem->setText(0, QStringLiteral("%1 (%2)")
                                  .arg(ToQString(topic.Title))
                                  .arg(topic.Hits.size()));
        QFont bold = topicItem->font(0);
        bold.setBold(true);
        topicItem->setFont(0, bold);
        topicItem->setData(0, kTopicRole, static_cast<int>(t));
        topicItem->setData(0, kHitRole, -1);
        for (size_t h = 0; h < topic.Hits.size(); ++h) {
            const TSearchHit& hit = topic.Hits[h];
            auto* hitItem = new QTreeWidgetItem(topicItem);
            const QString field = Tr(FieldLabel(hit.Field));
            hitItem->setText(0, hit.Field == TSearchField::Page
                                    ? ToQString(hit.Context)
                                    : QStringLiteral("[%1] %2").arg(field, ToQString(hit.Context)));
            hitItem->setToolTip(0, ToQString(hit.Context));
            hitItem->setData(0, kTopicRole, static_cast<int>(t));
            hitItem->setData(0, kHitRole, static_cast<int>(h));
        }
    }
    tvResults->expandAll();
    UpdateButtons();
}

void TFindReplacePanel::UpdateButtons() {
    const auto [topic, hit] = IndexesOf(tvResults->currentItem());
    const bool any = !FCommand.Results().empty();
    btnReplace->setEnabled(hit >= 0);
    btnReplaceInTopic->setEnabled(topic >= 0);
    btnReplaceAll->setEnabled(any);
    btnUndoReplace->setEnabled(FCommand.CanUndo());
}

void TFindReplacePanel::btnFindAllClick() {
    FSearched = Query();
    FSearchedTitles = chkTitles->isChecked();
    ShowStatus(FCommand.Search(FSearched, FSearchedTitles));
}

bool TFindReplacePanel::ResultsAreCurrent() {
    const TTextQuery query = Query();
    if (query.Text == FSearched.Text && query.MatchCase == FSearched.MatchCase &&
        query.WholeWord == FSearched.WholeWord &&
        query.RegularExpression == FSearched.RegularExpression &&
        chkTitles->isChecked() == FSearchedTitles)
        return true;
    btnFindAllClick();
    return false;
}

void TFindReplacePanel::btnReplaceClick() {
    const auto [topic, hit] = IndexesOf(tvResults->currentItem());
    if (hit < 0 || !ResultsAreCurrent())
        return;
    ShowStatus(FCommand.ReplaceHit(static_cast<size_t>(topic), static_cast<size_t>(hit),
                                   ToStdString(edReplace->text())));
}

void TFindReplacePanel::btnReplaceInTopicClick() {
    const auto [topic, hit] = IndexesOf(tvResults->currentItem());
    if (topic < 0 || !ResultsAreCurrent())
        return;
    ShowStatus(
        FCommand.ReplaceInTopic(static_cast<size_t>(topic), ToStdString(edReplace->text())));
}

void TFindReplacePanel::btnReplaceAllClick() {
    if (ResultsAreCurrent())
        ShowStatus(FCommand.ReplaceAll(ToStdString(edReplace->text())));
}

void TFindReplacePanel::btnUndoReplaceClick() { ShowStatus(FCommand.UndoReplace()); }

} // namespace quillmark::gui
