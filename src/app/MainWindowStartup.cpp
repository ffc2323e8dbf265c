#include "app/MainWindow.h"
#include "app/ProgramFiles.h"
#include "app/UpdateCheck.h"
#include "base/FileHelpers.h"
#include "base/TextUtils.h"
#include "base/Translation.h"
#include "model/ProjectStorage.h"
#include "platform/Shell.h"

#include <charconv>
#include <chrono>
#include <filesystem>

namespace quillmark {

namespace {

constexpr char kManualFile[] = "Quillmark.chm";
constexpr char kWebManualFile[] = "manual/index.html";

std::string CurrentYearText() {
    const auto today = std::chrono::year_month_day(
        std::chrono::floor<std::chrono::days>(std::chrono::system_clock::now()));
    return std::to_string(static_cast<int>(today.year()));
}

bool IsProjectFilePath(const std::string& path) {
    return !path.empty() && FileExists(path) && AsciiSameText(ExtractFileExt(path), ".hff");
}

// The path of a "file://" address: the host part dropped, "%XX" decoded
// (a "%" without two hexadecimal digits stays as it is).
std::string FileUrlToPath(std::string_view url) {
    std::string_view rest = url.substr(7);
    if (!rest.empty() && rest.front() != '/') {
        const size_t slash = rest.find('/');
        rest = slash == std::string_view::npos ? std::string_view() : rest.substr(slash);
    }
    std::string path;
    for (size_t i = 0; i < rest.size(); ++i) {
        unsigned value = 0;
        const char* digits = rest.data() + i + 1;
        if (rest[i] == '%' && i + 2 < rest.size() &&
            std::from_chars(digits, digits + 2, value, 16).ptr == digits + 2) {
            path += static_cast<char>(value);
            i += 2;
        } else {
            path += rest[i];
        }
    }
    return path;
}

} // namespace

std::string TMainWindow::NormalizePath(const std::string& text) {
    std::string path = Trim(text);
    // A stray quotation mark before the path (or a quoted path) comes from
    // shortcuts and scripts that quote badly.
    while (!path.empty() && path.front() == '"')
        path.erase(0, 1);
    while (!path.empty() && path.back() == '"')
        path.pop_back();
    path = Trim(path);
    if (AsciiStartsWithIgnoreCase(path, "file://"))
        path = FileUrlToPath(path);
    if (path.empty())
        return path;
    return AbsolutePath(path);
}

std::string TMainWindow::ResetWorkspaceFolder() {
    const std::string workspace = IncludeTrailingPathDelimiter(FPlaces.WorkspaceFolder);
    // Only a folder named "Workspace" is ever deleted, so a wrong setting can
    // never empty another folder.
    if (ExtractFileName(ExcludeTrailingPathDelimiter(workspace)) == "Workspace") {
        std::error_code ignored;
        std::filesystem::remove_all(ExcludeTrailingPathDelimiter(workspace), ignored);
    }
    EnsureDir(workspace);
    return workspace;
}

void TMainWindow::CopyProgramFiles() {
    ::quillmark::CopyProgramFiles(FPlaces.ProgramFolder, FState.FProject.FRootPath);
}

void TMainWindow::StartWorkspaceProject() {
    const std::string workspace = ResetWorkspaceFolder();
    DiscardUnsavedState();
    TDocProject& project = FState.FProject;
    project.Clear();
    project.FRootPath = workspace;
    project.FTitle = kUntitledDocumentation;
    project.FStyleProfile = "default";
    FEditor->ApplyEditorBaseHref();
    EnsureProjectFolders(workspace);
    CopyProgramFiles();
    FState.FSettings.SetDefaults();
    SaveSettingsQuietly();
    ApplySettingsToWindow();
    if (FEditor->IsEditorReady())
        FEditor->ApplySettingsToEditor();
    project.AddTopic(Translate("Welcome"), "");
    FState.FProjectFileName.clear();
}

bool TMainWindow::TryOpenStartProject(const std::string& candidate) {
    try {
        OpenProject(candidate);
        return true;
    } catch (const std::exception& e) {
        FPorts.Prompts.ShowError(e.what());
        return false;
    }
}

void TMainWindow::FormCreate(const std::vector<std::string>& arguments) {
    FPorts.View.SetHomepageAddress(kVendorHomePage);
    FState.FProjectDirty = false;
    FState.FProjectFileName.clear();

    bool opened = false;
    bool attempted = false;
    if (!arguments.empty()) {
        const std::string candidate = NormalizePath(arguments.front());
        if (IsProjectFilePath(candidate)) {
            attempted = true;
            opened = TryOpenStartProject(candidate);
        }
    }
    if (!attempted && FileExists(FPlaces.LastProjectFile)) {
        std::string candidate;
        try {
            candidate = NormalizePath(ReadTextFileUtf8(FPlaces.LastProjectFile));
        } catch (const std::exception&) {
            candidate.clear();
        }
        if (IsProjectFilePath(candidate))
            opened = TryOpenStartProject(candidate);
    }
    // An opened project has loaded its settings already; loading them again
    // would repeat any warning about them.
    if (!opened) {
        StartWorkspaceProject();
        Guarded([&] { LoadProjectSettings(); });
    }
    FillStyleProfiles();
    FPorts.View.NavigateToEditor(EditorPagePath());
    RebuildTree();
    SelectStartNode();
    UpdateWindowTitle();
    BuildLanguageMenu();
    TranslateMainWindow();
    FPorts.View.SetStartScreenVisible(!opened);
}

bool TMainWindow::FormCloseQuery() {
    bool mayClose = false;
    Guarded([&] { mayClose = ConfirmSaveChanges(); });
    return mayClose;
}

void TMainWindow::UserManual1Click() {
    const std::string chmManual = JoinPath(FPlaces.ProgramFolder, kManualFile);
    // Many desktops have no CHM viewer: the WebHelp copy opens in the browser.
    const std::string webManual = JoinPath(FPlaces.ProgramFolder, kWebManualFile);
    const bool useWeb =
        FileExists(webManual) && (!FileExists(chmManual) || !FPorts.Shell.HasViewerFor(chmManual));
    const std::string manual = useWeb ? webManual : chmManual;
    if (!FileExists(manual)) {
        FPorts.Prompts.ShowError(Translate("The Quillmark user manual could not be found:") +
                                 "\r\n\r\n" + manual);
        return;
    }
    if (!FPorts.Shell.OpenPath(manual))
        FPorts.Prompts.ShowError(Translate("The Quillmark user manual could not be opened:") +
                                 "\r\n\r\n" + manual);
}

void TMainWindow::VisitWebsite1Click() {
    FPorts.Shell.OpenPath(kVendorHomePage);
}

void TMainWindow::ContactUs1Click() {
    FPorts.Shell.OpenPath(std::string(kVendorHomePage) + "support.html");
}

void TMainWindow::About1Click() {
    FPorts.Prompts.ShowInformation(
        std::string(kApplicationTitle) + "\r\n" + Translate("Version: ") +
        ShownVersion(kRunningVersionTenths) + "\r\n\r\n" + Translate("Website: ") +
        kVendorHomePage + "\r\n\r\n" +
        FormatText("Copyright (c) %s Quillmark. All rights reserved.", {CurrentYearText()}));
}

} // namespace quillmark
