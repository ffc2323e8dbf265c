#include "editor/HtmlImportCommand.h"

#include "base/FileHelpers.h"
#include "base/TextUtils.h"
#include "base/Translation.h"
#include "editor/HtmlImport.h"

namespace quillmark {

namespace {

THtmlImportOutcome Information(std::string message) {
    return {THtmlImportOutcome::TAction::ShowInformation, "", std::move(message), ""};
}

std::string ListedFiles(const std::vector<std::string>& files) {
    std::string list;
    for (const std::string& file : files)
        list += "\r\n" + file;
    return list;
}

} // namespace

THtmlImportOutcome btnImportHTMLClick(const THtmlImportRequest& request,
                                      const THtmlFileChooser& chooseHtmlFile,
                                      const TOutsideFilesQuestion& copyOutsideFiles) {
    if (request.ProjectFolder.empty() || request.CurrentTopicID.empty())
        return Information(Translate("Please open or create a project and select a topic first."));
    if (!request.EditorReady)
        return Information(Translate("The editor is not ready yet."));

    const std::optional<std::string> file = chooseHtmlFile();
    if (!file)
        return {};
    THtmlImportRules rules;
    const std::vector<std::string> outside = FindOutsideFiles(request.ProjectFolder, *file);
    if (!outside.empty() && copyOutsideFiles)
        rules.CopyOutsideFiles = copyOutsideFiles(
            Translate("The page refers to files outside its folder:") + ListedFiles(outside) +
            "\r\n\r\n" +
            Translate("Copy them into the project as well? Otherwise their references stay as "
                      "they are."));
    THtmlImportSkipped skipped;
    std::string html = ImportHtmlFile(request.ProjectFolder, *file, rules, &skipped);
    if (Trim(html).empty())
        return Information(
            Translate("The selected HTML file does not contain importable body content."));
    THtmlImportOutcome outcome{THtmlImportOutcome::TAction::InsertHtml, std::move(html),
                               Translate("Inserted HTML: ") + ExtractFileName(*file), ""};
    if (!skipped.NeverCopied.empty())
        outcome.Warning = Translate("These files are not copied: they are no regular files or "
                                    "belong to the system. Their references stay as they are:") +
                          ListedFiles(skipped.NeverCopied);
    return outcome;
}

} // namespace quillmark
