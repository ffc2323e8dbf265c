#pragma once

#include <QObject>
#include <QStringList>
#include <memory>
#include <string>

class QMenu;
class QPoint;

namespace quillmark {
class IProcessRunner;
class TEditorBridge;
class TMainWindow;
class TSpellCheckDictionaries;
} // namespace quillmark

namespace quillmark::gui {

class TfrmMain;

// Before the QApplication exists: points the browser's spell checker at the
// per-user dictionary folder (a copy of the dictionaries the build made,
// beside the program in qtwebengine_dictionaries), unless the environment
// names one already (QTWEBENGINE_DICTIONARIES_PATH).
void PrepareSpellCheckDictionaries();

// Spell checking in the editor page: the browser's own checker underlines
// misspelt words with the dictionary of the project's content language and
// the project's word list; the editor's context menu offers the checker's
// suggestions and "Add to Dictionary", which adds the word to the project's
// meta/dictionary.txt.
class TSpellChecking final : public QObject {
    Q_OBJECT
public:
    TSpellChecking(TfrmMain& window, TMainWindow& logic, TEditorBridge& bridge,
                   IProcessRunner& runner);
    ~TSpellChecking() override;

    // Follows the open project and its content language (after a project
    // opened or its settings changed).
    void Refresh();
    // The checker's languages; empty when spell checking is off.
    QStringList Languages() const { return FLanguages; }
    // Adds the word to the project's word list and checks again.
    void AddToDictionary(const QString& word);
    // The editor's context menu at a point of the browser control, with the
    // spelling items first when the point is on a misspelt word.
    QMenu* CreateContextMenu();

private:
    TfrmMain& FWindow;
    TMainWindow& FLogic;
    TEditorBridge& FBridge;
    std::unique_ptr<TSpellCheckDictionaries> FDictionaries;
    QStringList FLanguages;
    std::string FReportedProblem;
};

} // namespace quillmark::gui
