#include "publish/PdfExport.h"

#include "base/FileHelpers.h"
#include "model/DocProject.h"
#include "publish/PublishSteps.h"
#include "publish/SettingsCss.h"
#include "settings/ProjectSettings.h"

#include <filesystem>

namespace quillmark {

std::string TPdfOutputFormat::OutputFolder(const TDocProject& project) const {
    return ProjectBuildFolder(project, "pdf");
}

std::string TPdfOutputFormat::Publish(const TPublishContext& context) const {
    return ExportPdf(context, OutputFolder(context.Project));
}

void CopyFolderTree(const std::string& source, const std::string& target) {
    CopyFolderFiles(source, target);
}

std::string ExportPdf(const TPublishContext& context, const std::string& outputFolder) {
    const TDocProject& project = context.Project;
    EnsureDir(outputFolder);
    const std::string manual = JoinPath(outputFolder, "manual.html");
    const std::string pdf = JoinPath(outputFolder, "manual.pdf");
    for (const std::string& stale : {manual, pdf}) {
        std::error_code ignored;
        std::filesystem::remove(stale, ignored);
    }
    WriteManualHtml(manual, project);
    const TProjectSettings settings = ReadSettingsAfresh(project);
    WriteTextFileUtf8(JoinPath(outputFolder, "style.css"),
                      ComposeTargetCss(project, &settings, TStylesheetTarget::stPdf));
    const std::string assets = JoinPath(project.FRootPath, "assets");
    if (DirectoryExists(assets))
        CopyFolderTree(assets, EnsureOutputSubfolder(outputFolder, "assets"));
    if (!context.RunOutsideProgram)
        return manual;
    if (context.Progress)
        context.Progress("Printing manual.pdf");
    PrintHtmlToPdf(context.Runner, context.Clock, manual, pdf, context.ProgramPath);
    return pdf;
}

} // namespace quillmark
