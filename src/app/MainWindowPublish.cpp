#include "app/CompilerPrompts.h"
#include "app/MainWindow.h"
#include "base/FileHelpers.h"
#include "base/QuillError.h"
#include "base/TextUtils.h"
#include "base/Translation.h"
#include "platform/Shell.h"
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

// Restores the normal cursor when the command ends, also on an error.
class TBusyScope {
public:
    explicit TBusyScope(IMainWindowView& view) : FView(view) { FView.SetBusy(true); }
    ~TBusyScope() { FView.SetBusy(false); }
    TBusyScope(const TBusyScope&) = delete;
    TBusyScope& operator=(const TBusyScope&) = delete;

private:
    IMainWindowView& FView;
};

} // namespace

TPublishContext TMainWindow::PublishContext() {
    return {FState.FProject, FState.FSettings, FPorts.Runner, FPorts.Clock, true, {}, {}};
}

void TMainWindow::btnExportWebClick() {
    Guarded([&] {
        SaveProjectContent();
        TPublishContext context = PublishContext();
        const std::string index = RequireFormat("webhelp").Publish(context);
        SetStatusText("WebHelp exported: " + index);
        FPorts.Shell.OpenPath(index);
    });
}

void TMainWindow::btnExportChmClick() {
    btnSaveClick();
    TBusyScope busy(FPorts.View);
    try {
        TWindowCompilerPrompts prompts(FPorts.Prompts);
        TPublishContext context = PublishContext();
        const std::string chm = ExportChm(context, prompts, FPlaces.CompilerPlaces);
        SetStatusText("CHM exported: " + chm);
        FPorts.Shell.OpenPath(chm);
    } catch (const TCompilerSelectionCancelled&) {
        SetStatusText("CHM export cancelled");
    } catch (const std::exception& e) {
        FPorts.Prompts.ShowError(std::string("CHM export failed: ") + e.what());
    }
}

void TMainWindow::btnExportPdfClick() {
    btnSaveClick();
    Guarded([&] {
        TBusyScope busy(FPorts.View);
        const IOutputFormat& pdf = RequireFormat("pdf");
        TPublishContext context = PublishContext();
        const std::string result = pdf.Publish(context);
        const std::string manual = JoinPath(pdf.OutputFolder(FState.FProject), "manual.html");
        SetStatusText(Translate("Manual HTML exported: ") + manual);
        FPorts.Shell.OpenPath(result);
    });
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
