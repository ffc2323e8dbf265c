#include "app/MainWindow.h"
#include "base/Translation.h"
#include "platform/IniStore.h"

namespace quillmark {

namespace {

struct TCaptionSource {
    const char* Control;
    const char* English;
    bool IsHint;
};

// Every caption and hint of the main window that follows the interface
// language, with the English text it is translated from.
constexpr TCaptionSource kMainWindowCaptions[] = {
    {"File1", "File", false},
    {"NewProject", "New Project", false},
    {"Open1", "Open Project...", false},
    {"mmRecentProjects", "Recent Projects", false},
    {"Save1", "Save Project", false},
    {"SaveProjectAs1", "Save Project As...", false},
    {"Exit1", "Exit", false},
    {"opic1", "Topic", false},
    {"NewRootTopic1", "New Root Topic...", false},
    {"NewChildTopic1", "New Child Topic...", false},
    {"RemoveTopic1", "Remove Topic", false},
    {"Move1", "Move", false},
    {"Up1", "Up", false},
    {"Down1", "Down", false},
    {"ChangeParent1", "Move Level Up", false},
    {"Rename1", "Rename...", false},
    {"TopicProperties1", "Properties...", false},
    {"Preview1", "Preview", false},
    {"Edit1", "Edit", false},
    {"Undo1", "Undo", false},
    {"Redo1", "Redo", false},
    {"UndoDelete1", "Undo Delete", false},
    {"Cut1", "Cut", false},
    {"Copy1", "Copy", false},
    {"Paste1", "Paste", false},
    {"Delete1", "Delete", false},
    {"SelectAll1", "Select All", false},
    {"Publish1", "Publish", false},
    {"WebHelp1", "WebHelp", false},
    {"CHM1", "CHM", false},
    {"PDF1", "PDF", false},
    {"CheckLinks1", "Check Links", false},
    {"OpenOutputFolder1", "Open Output Folder", false},
    {"Import1", "Import", false},
    {"ImportMarkdownFolder1", "Markdown Folder...", false},
    {"ools1", "Tools", false},
    {"ProjectSettings1", "Project Settings...", false},
    {"VariablesSnippetsConditions1", "Variables, Snippets, Conditions...", false},
    {"mmLanguage", "Language", false},
    {"Help1", "Help", false},
    {"ContactUs1", "Contact Us", false},
    {"VisitWebsite1", "Visit Website", false},
    {"About1", "About...", false},
    {"UserManual1", "User Manual", false},
    {"btnNewProject", "New Project", true},
    {"btnOpenProject", "Open Project...", true},
    {"btnSave", "Save Project", true},
    {"btnProjectSettings", "Project Settings...", true},
    {"btnVariablesConditionsSnippets", "Variables, Snippets, Conditions...", true},
    {"btnDeleteTopic", "Remove Topic", true},
    {"btnNewSubTopic", "Add Child Topic...", true},
    {"btnNewRootTopic", "Add Root Topic...", true},
    {"btnBold", "Bold", true},
    {"btnItalic", "Italic", true},
    {"btnUnderline", "Underline", true},
    {"btnUL", "Bullet List", true},
    {"btnOL", "Numeric List", true},
    {"btnAlignLeft", "Left Align", true},
    {"btnAlignCenter", "Center Align", true},
    {"btnAlignRight", "Right Align", true},
    {"btnLink", "Create Link...", true},
    {"btnTopicLink", "Create Topic Link...", true},
    {"btnImage", "Add Image...", true},
    {"btnReplaceImage", "Replace Image...", true},
    {"btnInsertTable", "Add Table...", true},
    {"btnImportHTML", "Add HTML...", true},
    {"imgLineSpacing", "Line Spacing", true},
    {"imgFontColor", "Font Color", true},
    {"imgHeading", "Text Heading", true},
    {"imgFontName", "Font Name", true},
    {"imgFontSize", "Font Size", true},
};

} // namespace

void TMainWindow::BuildLanguageMenu() {
    const TranslationState& translation = Translation();
    std::vector<std::string> names;
    for (const std::vector<std::string>& language : translation.TranslationTable)
        names.push_back(language.empty() ? std::string() : language.front());
    FPorts.View.SetLanguageMenu(names, names.empty() ? -1 : translation.CurrentLanguageIndex);
}

void TMainWindow::LanguageMenuItemClick(int index) {
    if (!SelectLanguage(index))
        return;
    try {
        TIniStore(FPlaces.UserSettingsFile)
            .WriteString(kLanguageSection, kCurrentLanguageKey, Translation().CurrentLanguageCode);
    } catch (const std::exception&) {
        // The choice then lasts until the program ends.
    }
    BuildLanguageMenu();
    TranslateMainWindow();
}

void TMainWindow::TranslateMainWindow() {
    std::vector<TControlCaption> captions;
    for (const TCaptionSource& source : kMainWindowCaptions)
        captions.push_back({source.Control, Translate(source.English), source.IsHint});
    FPorts.View.SetCaptions(captions);
}

} // namespace quillmark
