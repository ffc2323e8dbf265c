#include "publish/PdfExport.h"

#include "base/FileHelpers.h"
#include "base/QuillError.h"
#include "model/DocProject.h"
#include "publish/OutputRecord.h"
#include "publish/PdfManual.h"
#include "publish/PdfNamedDestinations.h"
#include "publish/PublishSteps.h"
#include "publish/SettingsCss.h"
#include "settings/ProjectSettings.h"

#include <filesystem>

namespace quillmark {

namespace {

// The first print shows where each topic starts; the second one is final
// unless a number still moved a page break (it cannot while the numbers fit
// their boxes), and then the manual is printed again with the pages found.
constexpr int kMaxPrints = 4;

// The start page of every printed topic in a PDF made from the manual: the
// page of the destination the browser wrote for the topic's heading.
TTopicPages ReadTopicPages(const std::string& pdfPath, const TManualDocument& manual) {
    const auto destinations = ReadNamedDestinationPages(pdfPath);
    TTopicPages pages;
    for (const TContentsEntry& entry : manual.Contents())
        if (const auto found = destinations.find(entry.Id); found != destinations.end())
            pages.emplace(entry.Id, found->second);
    return pages;
}

void ReportStep(const TPublishContext& context, const std::string& step) {
    if (context.Progress)
        context.Progress(step);
}

// Prints "manual.html" to "manual.pdf" with the page numbers of its
// contents and index filled in, leaving "manual.html" with those numbers.
void PrintManualWithPageNumbers(const TPublishContext& context, const TManualDocument& manual,
                                const std::string& manualPath, const std::string& pdfPath) {
    TPdfPrinter printer(context.Runner, context.Clock, context.ProgramPath);
    const std::string draft = printer.ScratchPath("draft.pdf");
    ReportStep(context, "Laying out the pages of manual.pdf");
    printer.Print(manualPath, draft, false);
    TTopicPages pages = ReadTopicPages(draft, manual);
    for (int print = 2;; ++print) {
        manual.Write(manualPath, pages);
        ReportStep(context, "Printing manual.pdf");
        printer.Print(manualPath, pdfPath);
        TTopicPages printed = ReadTopicPages(pdfPath, manual);
        if (printed == pages)
            return;
        if (print == kMaxPrints)
            throw QuillError("The page numbers of manual.pdf did not settle after " +
                             std::to_string(kMaxPrints) + " prints.");
        pages = std::move(printed);
    }
}

} // namespace

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
    const std::string manualPath = JoinPath(outputFolder, "manual.html");
    const std::string pdfPath = JoinPath(outputFolder, "manual.pdf");
    for (const std::string& stale : {manualPath, pdfPath}) {
        std::error_code ignored;
        std::filesystem::remove(stale, ignored);
    }
    const TProjectSettings settings = ReadSettingsAfresh(project);
    const TManualDocument manual(project, settings);
    manual.Write(manualPath, {});
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
        return manualPath;
    }
    PrintManualWithPageNumbers(context, manual, manualPath, pdfPath);
    record.Add("manual.pdf");
    record.Finish();
    return pdfPath;
}

} // namespace quillmark
