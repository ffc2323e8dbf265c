#include "gui/MenuAccessKeys.h"

#include "app/AccessKeys.h"
#include "gui/QtText.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

namespace quillmark::gui {

namespace {

constexpr char kPlainCaption[] = "quillmarkPlainCaption";
constexpr char kShownCaption[] = "quillmarkShownCaption";

// The caption without the access key this code gave it; a caption set since
// then is taken as it is.
QString PlainCaption(const QAction& action) {
    if (action.property(kShownCaption).toString() == action.text())
        return action.property(kPlainCaption).toString();
    return action.text();
}

void ApplyToActions(const QList<QAction*>& actions) {
    std::vector<QAction*> captioned;
    std::vector<std::string> captions;
    for (QAction* action : actions) {
        if (action->isSeparator() || action->text().isEmpty())
            continue;
        captioned.push_back(action);
        captions.push_back(ToStdString(PlainCaption(*action)));
    }
    const std::vector<std::string> keyed = WithAccessKeys(captions);
    for (size_t i = 0; i < captioned.size(); ++i) {
        const QString shown = ToQString(keyed[i]);
        captioned[i]->setProperty(kPlainCaption, ToQString(captions[i]));
        captioned[i]->setProperty(kShownCaption, shown);
        captioned[i]->setText(shown);
        if (QMenu* menu = captioned[i]->menu())
            ApplyToActions(menu->actions());
    }
}

} // namespace

void ApplyAccessKeys(QMenuBar& menuBar) {
    ApplyToActions(menuBar.actions());
}

} // namespace quillmark::gui
