#include "gui/InsertControls.h"

#include "app/InsertCommands.h"
#include "gui/FormattingToolbar.h"
#include "gui/MainForm.h"
#include "gui/QtText.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QToolButton>
#include <exception>
#include <functional>

namespace quillmark::gui {

namespace {

using TCommand = void (TInsertCommands::*)();

// Runs a command; an error that escapes it still ends in an error box.
std::function<void()> Runner(TfrmMain& window, TInsertCommands& commands, TCommand command) {
    return [&window, &commands, command] {
        try {
            (commands.*command)();
        } catch (const std::exception& error) {
            window.ShowUnexpectedError(error.what());
        }
    };
}

// The table menu is rebuilt each time it opens and pops up at the lower left
// corner of the arrow button.
void btnTableDropdownMenuClick(TfrmMain& window, TInsertCommands& commands, QMenu& menu,
                               QToolButton& button) {
    menu.clear();
    for (const TTableMenuItem& item : TInsertCommands::TableDropdownMenuItems()) {
        QAction* action = menu.addAction(ToQString(item.Caption));
        action->setData(item.Tag);
        QObject::connect(action, &QAction::triggered, &menu, [&window, &commands, tag = item.Tag] {
            try {
                commands.TableDropdownMenuItemClick(tag);
            } catch (const std::exception& error) {
                window.ShowUnexpectedError(error.what());
            }
        });
    }
    menu.popup(button.mapToGlobal(QPoint(0, button.height())));
}

} // namespace

QMenu* ConnectInsertControls(TfrmMain& window, TInsertCommands& commands) {
    // The Edit menu shows the editor's own keys; they stay the page's (and
    // every text box's) to handle, so the items take no keystrokes from them.
    const struct {
        const char* Action;
        TCommand Command;
        QKeySequence Keys;
    } editItems[] = {
        {"Undo1", &TInsertCommands::Undo1Click, QKeySequence::Undo},
        {"Redo1", &TInsertCommands::Redo1Click, QKeySequence(Qt::CTRL | Qt::Key_Y)},
        {"Cut1", &TInsertCommands::Cut1Click, QKeySequence::Cut},
        {"Copy1", &TInsertCommands::Copy1Click, QKeySequence::Copy},
        {"Paste1", &TInsertCommands::Paste1Click, QKeySequence::Paste},
        {"Delete1", &TInsertCommands::Delete1Click, QKeySequence::Delete},
        {"SelectAll1", &TInsertCommands::SelectAll1Click, QKeySequence::SelectAll},
    };
    for (const auto& item : editItems) {
        QAction* action = window.ActionNamed(item.Action);
        if (action == nullptr)
            continue;
        action->setShortcut(item.Keys);
        action->setShortcutContext(Qt::WidgetShortcut);
        QObject::connect(action, &QAction::triggered, &window,
                         Runner(window, commands, item.Command));
    }

    TFormattingToolbar& toolbar = window.FormattingToolbar();
    const std::pair<QToolButton*, TCommand> buttons[] = {
        {toolbar.btnLink, &TInsertCommands::btnLinkClick},
        {toolbar.btnTopicLink, &TInsertCommands::btnTopicLinkClick},
        {toolbar.btnImage, &TInsertCommands::btnImageClick},
        {toolbar.btnReplaceImage, &TInsertCommands::btnReplaceImageClick},
        {toolbar.btnInsertTable, &TInsertCommands::btnInsertTableClick},
        {toolbar.btnImportHTML, &TInsertCommands::btnImportHTMLClick},
    };
    for (const auto& [button, command] : buttons)
        QObject::connect(button, &QToolButton::clicked, &window, Runner(window, commands, command));

    auto* TableDropdownMenu = new QMenu(&window);
    TableDropdownMenu->setObjectName(QStringLiteral("TableDropdownMenu"));
    QToolButton* arrow = toolbar.btnTableDropdownMenu;
    QObject::connect(arrow, &QToolButton::clicked, &window,
                     [&window, &commands, TableDropdownMenu, arrow] {
                         btnTableDropdownMenuClick(window, commands, *TableDropdownMenu, *arrow);
                     });
    return TableDropdownMenu;
}

} // namespace quillmark::gui
