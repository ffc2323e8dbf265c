#include "app/CompilerPrompts.h"
#include "app/MainWindow.h"
#include "app/PublishFlow.h"
#include "base/FileHelpers.h"
#include "base/QuillError.h"
#include "base/TextUtils.h"
#include "base/Translation.h"
#include "publish/ChmExport.h"
#include "publish/LinkChecker.h"
#include "publish/OutputFormat.h"

namespace quillmark {

namespace {

const IOutputFormat& RequireFormat(const char* name) {
    const IOutputFormat* format = FindOutputFormat(name);
    if (format == nullptr)
        throw QuillError(
            FormatText(Translate("The output format \"%s\" is not available."), {name}));
    return *format;
}

// The status line after a run: "<what> exported: <file>" for the last
// output made, or what became of it otherwise.
std::string StatusAfterPublishing(const TWorkOutcome& outcome) {
    if (outcome.Cancelled)
        return outcome.Name + ": " + Translate("cancelled");
    if (!outcome.Error.empty())
        return outcome.Name + ": " + Translate("failed");
    return outcome.Name + " " + Translate("exported: ") + outcome.File;
}

} // namespace

TPublishContext TMainWindow::PublishContext() {
    return {FState.FProject, FState.FSettings, FPorts.Runner, FPorts.Clock, true, {}, {}};
}

TPublishJob TMainWindow::PublishJobFor(const char* formatName) {
    const IOutputFormat& format = RequireFormat(formatName);
    TPublishJob job;
    job.Folder = format.OutputFolder(FState.FProject);
    if (format.Name() == "webhelp") {
        job.Name = Translate("WebHelp");
    } else if (format.Name() == "pdf") {
        job.Name = Translate("PDF manual");
    } else {
        job.Name = Translate("CHM");
        // The compiler's questions (where is it, pick another one) are the
        // window's; declining them cancels the output.
        job.Publish = [this](const TPublishContext& context) {
            TWindowCompilerPrompts prompts(FPorts.Prompts);
            try {
                return ExportChm(context, prompts, FPlaces.CompilerPlaces);
            } catch (const TCompilerSelectionCancelled&) {
                throw TWorkCancelled();
            }
        };
        return job;
    }
    job.Publish = [&format](const TPublishContext& context) { return format.Publish(context); };
    return job;
}

void TMainWindow::PublishWithProgress(const std::vector<TPublishJob>& jobs) {
    if (jobs.empty())
        return;
    const std::string title = jobs.size() == 1 ? Translate("Publishing") + " " + jobs[0].Name
                                               : Translate("Publishing");
    const std::vector<TWorkOutcome> outcomes =
        RunPublishJobs(*FProgress, title, PublishContext(), jobs);
    SetStatusText(StatusAfterPublishing(outcomes.back()));
    const TOutcomeChoice choice = FProgress->Finish(outcomes);
    OpenChosenOutcome(choice, outcomes, FPorts.Shell, FPorts.Prompts);
}

void TMainWindow::PublishFormats(std::initializer_list<const char*> formatNames) {
    std::vector<TPublishJob> jobs;
    Guarded([&] {
        for (const char* formatName : formatNames)
            jobs.push_back(PublishJobFor(formatName));
    });
    PublishWithProgress(jobs);
}

// WebHelp publishes the pages as they are in the window without writing the
// project file; CHM and PDF save the project first (a declined Save As still
// publishes what is in the project folder).
void TMainWindow::btnExportWebClick() {
    bool saved = false;
    Guarded([&] {
        SaveProjectContent();
        saved = true;
    });
    if (saved)
        PublishFormats({"webhelp"});
}

void TMainWindow::btnExportChmClick() {
    btnSaveClick();
    PublishFormats({"chm"});
}

void TMainWindow::btnExportPdfClick() {
    btnSaveClick();
    PublishFormats({"pdf"});
}

// The three outputs in one go, under one progress display with one list of
// outcomes; the project is saved first, as for CHM and PDF.
void TMainWindow::PublishAll1Click() {
    btnSaveClick();
    PublishFormats({"webhelp", "chm", "pdf"});
}

void TMainWindow::btnCheckLinksClick() {
    Guarded([&] {
        const std::vector<TLinkIssue> issues = CheckLinks(FState.FProject);
        if (issues.empty()) {
            FPorts.Prompts.ShowInformation(Translate("No link issues found."));
            return;
        }
        std::string text;
        for (const TLinkIssue& issue : issues)
            text += FormatText("%s: %s", {issue.TopicTitle, issue.Issue}) + "\r\n";
        FPorts.Prompts.ShowWarning(text);
    });
}

} // namespace quillmark
