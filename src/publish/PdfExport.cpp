#include "publish/PdfExport.h"

#include "base/FileHelpers.h"
#include "model/DocProject.h"
#include "publish/OutputRecord.h"
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

std::vector<std::string> CopyFolderTree(const std::string& source, const std::string& target) {
    return CopyFolderFiles(source, target);
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
    TOutputRecord record(outputFolder);
    record.AddAll({"manual.html", "style.css"});
    const std::string assets = JoinPath(project.FRootPath, "assets");
    if (DirectoryExists(assets))
        for (const std::string& file :
             CopyFolderTree(assets, EnsureOutputSubfolder(outputFolder, "assets")))
            record.Add("assets/" + file);
    if (!context.RunOutsideProgram) {
        record.Finish();
        return manual;
    }
    if (context.Progress)
        context.Progress("Printing manual.pdf");
    PrintHtmlToPdf(context.Runner, manual, pdf, context.ProgramPath);
    record.Add("manual.pdf");
    record.Finish();
    return pdf;
}

} // namespace quillmark
