#include "editor/HtmlImportCommand.h"

#include "base/FileHelpers.h"
#include "base/TextUtils.h"
#include "base/Translation.h"
#include "editor/HtmlImport.h"

namespace quillmark {

namespace {

THtmlImportOutcome Information(std::string message) {
    return {THtmlImportOutcome::TAction::ShowInformation, "", std::move(message)};
}

} // namespace

THtmlImportOutcome btnImportHTMLClick(const THtmlImportRequest& request,
                                      const THtmlFileChooser& chooseHtmlFile) {
    if (request.ProjectFolder.empty() || request.CurrentTopicID.empty())
        return Information(Translate("Please open or create a project and select a topic first."));
    if (!request.EditorReady)
        return Information(Translate("The editor is not ready yet."));

    const std::optional<std::string> file = chooseHtmlFile();
    if (!file)
        return {};
    std::string html = ImportHtmlFile(request.ProjectFolder, *file);
    if (Trim(html).empty())
        return Information(
            Translate("The selected HTML file does not contain importable body content."));
    return {THtmlImportOutcome::TAction::InsertHtml, std::move(html),
            Translate("Inserted HTML: ") + ExtractFileName(*file)};
}

} // namespace quillmark
