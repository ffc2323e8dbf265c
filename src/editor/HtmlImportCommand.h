#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace quillmark {

// The filter of the open dialog for the HTML file, in the form
// "description|patterns|description|patterns".
inline constexpr const char* kHtmlImportFileFilter =
    "HTML files (*.html;*.htm)|*.html;*.htm|All files (*.*)|*.*";

// What the main window knows when "Add HTML..." is clicked.
struct THtmlImportRequest {
    std::string ProjectFolder;  // empty when no project is open
    std::string CurrentTopicID; // empty when no topic is current
    bool EditorReady = false;   // the page has reported "ready" and the bridge exists
};

// What the window does next.
struct THtmlImportOutcome {
    enum class TAction {
        None,            // the file dialog was cancelled
        ShowInformation, // show Message as an information box with an OK button
        InsertHtml,      // send "insertHTML" with Html (origin "user"), mark the
                         // project modified, show Message as the status text,
                         // Warning (when not empty) in a warning box, and
                         // focus the editor
    };
    TAction Action = TAction::None;
    std::string Html;
    std::string Message;
    std::string Warning; // the files that could not be copied, when there are any
};

// Shows the open dialog (kHtmlImportFileFilter; path and file must exist)
// and gives the chosen path, or nothing when it is cancelled.
using THtmlFileChooser = std::function<std::optional<std::string>()>;

// Asks the author whether files outside the page's folder (listed in the
// question) are copied too; true for yes.
using TOutsideFilesQuestion = std::function<bool(const std::string& question)>;

// The "Add HTML..." command up to the insertion: checks that a topic and
// the editor are ready, lets the user choose the file, asks about the files
// it names outside its folder (when there are any; without a question they
// are left out) and imports it into the project's asset folders. A failure
// of the import raises a QuillError (nothing to insert; copies already made
// stay).
THtmlImportOutcome btnImportHTMLClick(const THtmlImportRequest& request,
                                      const THtmlFileChooser& chooseHtmlFile,
                                      const TOutsideFilesQuestion& copyOutsideFiles = {});

} // namespace quillmark
