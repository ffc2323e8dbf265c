#include "gui/SpellChecking.h"

#include "app/MainWindow.h"
#include "app/SpellCheckDictionaries.h"
#include "base/FileHelpers.h"
#include "base/Translation.h"
#include "editor/EditorBridge.h"
#include "gui/MainForm.h"
#include "gui/QtText.h"
#include "model/ProjectDictionary.h"
#include "platform/AppFolders.h"
#include "platform/ProgramSearch.h"
#include "settings/ProjectSettings.h"

#include <QAction>
#include <QLibraryInfo>
#include <QMenu>
#include <QWebEngineContextMenuRequest>
#include <QWebEngineProfile>
#include <QWebEngineView>
#include <QtGlobal>
#include <exception>

namespace quillmark::gui {

namespace {

constexpr char kDictionariesVariable[] = "QTWEBENGINE_DICTIONARIES_PATH";

std::string DictionaryFolder() {
    return qEnvironmentVariable(kDictionariesVariable).toStdString();
}

// qwebengine_convert_dict: on PATH, else where Qt keeps its tools.
std::string FindConverter() {
    const std::string onPath = FindProgramOnPath("qwebengine_convert_dict");
    if (!onPath.empty())
        return onPath;
    const std::string beside =
        JoinPath(ToStdString(QLibraryInfo::path(QLibraryInfo::LibraryExecutablesPath)),
                 "qwebengine_convert_dict");
    return IsExecutableFile(beside) ? beside : std::string();
}

} // namespace

void PrepareSpellCheckDictionaries() {
    if (qEnvironmentVariableIsSet(kDictionariesVariable))
        return;
    const std::string folder = PrepareDictionaryFolder(
        JoinPath(ProgramFolder(), "qtwebengine_dictionaries"),
        JoinPath(ApplicationFolder(), "dictionaries"));
    qputenv(kDictionariesVariable, QByteArray::fromStdString(folder));
}

TSpellChecking::TSpellChecking(TfrmMain& window, TMainWindow& logic, TEditorBridge& bridge,
                               IProcessRunner& runner)
    : FWindow(window), FLogic(logic), FBridge(bridge),
      FDictionaries(std::make_unique<TSpellCheckDictionaries>(
          TSpellCheckPlaces{DictionaryFolder(), FindConverter()}, runner)) {
    QWebEngineView& view = FWindow.EdgeWebView();
    view.setContextMenuPolicy(Qt::CustomContextMenu);
    connect(&view, &QWidget::customContextMenuRequested, this, [this](const QPoint& point) {
        QMenu* menu = CreateContextMenu();
        menu->setAttribute(Qt::WA_DeleteOnClose);
        menu->popup(FWindow.EdgeWebView().mapToGlobal(point));
    });
}

TSpellChecking::~TSpellChecking() = default;

void TSpellChecking::Refresh() {
    const TMainWindowState& state = FLogic.State();
    QStringList languages;
    for (const std::string& language :
         FDictionaries->LanguagesFor(state.FProject.FRootPath, state.FSettings.ContentLanguage))
        languages << ToQString(language);
    const std::string& problem = FDictionaries->Problem();
    if (!problem.empty() && problem != FReportedProblem)
        FLogic.SetStatusText(Translate("Spell checking: ") + problem);
    FReportedProblem = problem;
    if (languages == FLanguages)
        return;
    FLanguages = languages;
    QWebEngineProfile* profile = FWindow.EdgeWebView().page()->profile();
    profile->setSpellCheckLanguages(FLanguages);
    profile->setSpellCheckEnabled(!FLanguages.isEmpty());
    // The page checks its text again with the new dictionaries.
    const TProgrammaticScope programmatic(FBridge);
    FBridge.ExecCommand("recheckSpelling");
}

void TSpellChecking::AddToDictionary(const QString& word) {
    try {
        if (AddToProjectDictionary(FLogic.State().FProject.FRootPath, ToStdString(word)))
            FLogic.SetStatusText(Translate("Added to the project's dictionary: ") +
                                 ToStdString(word));
        Refresh();
    } catch (const std::exception& error) {
        FWindow.ShowUnexpectedError(error.what());
    }
}

QMenu* TSpellChecking::CreateContextMenu() {
    QWebEngineView& view = FWindow.EdgeWebView();
    QMenu* menu = view.createStandardContextMenu();
    const QWebEngineContextMenuRequest* request = view.lastContextMenuRequest();
    if (request == nullptr || request->misspelledWord().isEmpty())
        return menu;
    // The browser's menu starts with the checker's suggestions; "Add to
    // Dictionary" follows them.
    const QStringList suggestions = request->spellCheckerSuggestions();
    const QList<QAction*> actions = menu->actions();
    qsizetype after = 0;
    while (after < actions.size() && suggestions.contains(actions[after]->text()))
        ++after;
    QAction* before = after < actions.size() ? actions[after] : nullptr;
    if (suggestions.isEmpty()) {
        auto* none = new QAction(ToQString(Translate("No suggestions")), menu);
        none->setEnabled(false);
        menu->insertAction(before, none);
    }
    auto* add = new QAction(ToQString(Translate("Add to Dictionary")), menu);
    add->setObjectName(QStringLiteral("AddToDictionary"));
    connect(add, &QAction::triggered, this,
            [this, word = request->misspelledWord()] { AddToDictionary(word); });
    menu->insertAction(before, add);
    if (before != nullptr && !before->isSeparator())
        menu->insertSeparator(before);
    return menu;
}

} // namespace quillmark::gui
