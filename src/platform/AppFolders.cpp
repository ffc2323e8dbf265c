#include "platform/AppFolders.h"

#include "base/FileHelpers.h"

#include <cstdlib>
#include <filesystem>
#include <pwd.h>
#include <unistd.h>

namespace quillmark {

namespace {

// Where the installation puts the program's files, relative to its bin folder
// (defined by CMake from the install directories).
constexpr char kInstalledFilesFromProgram[] = QUILLMARK_INSTALLED_FILES_FROM_BIN;

std::string SystemEnv(const char* name) {
    const char* value = std::getenv(name);
    return value ? std::string(value) : std::string();
}

std::string UserHomeFolder(const AppFolderSources& sources) {
    std::string home = sources.GetEnv ? sources.GetEnv("HOME") : std::string();
    if (!home.empty())
        return home;
    // Without HOME (a service, a stripped environment) the account database
    // still knows the home folder.
    if (const passwd* entry = getpwuid(getuid()); entry && entry->pw_dir)
        return entry->pw_dir;
    return "/tmp";
}

std::string UserDataFolder(const AppFolderSources& sources) {
    const std::string xdg = sources.GetEnv ? sources.GetEnv("XDG_DATA_HOME") : std::string();
    // XDG_DATA_HOME counts only when absolute, as the XDG base directory rules say.
    if (!xdg.empty() && xdg.front() == kPathDelim)
        return xdg;
    return JoinPath(UserHomeFolder(sources), ".local/share");
}

std::string ChooseApplicationFolder(const AppFolderSources& sources) {
    const std::string appData = sources.GetEnv ? sources.GetEnv("APPDATA") : std::string();
    if (!appData.empty())
        return JoinPath(appData, kProgramName);

    if (!sources.ProgramInstalled && !sources.ProgramFolder.empty() && sources.IsWritableFolder) {
        const std::string besideProgram = JoinPath(sources.ProgramFolder, kProgramName);
        const std::string folderToWrite =
            DirectoryExists(besideProgram) ? besideProgram : sources.ProgramFolder;
        if (sources.IsWritableFolder(folderToWrite))
            return besideProgram;
    }
    return JoinPath(UserDataFolder(sources), kProgramName);
}

} // namespace

std::string ProgramFolder() {
    std::error_code ec;
    const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec || exe.empty())
        return IncludeTrailingPathDelimiter(AbsolutePath("."));
    return IncludeTrailingPathDelimiter(exe.parent_path().string());
}

bool RunsInstalled(const std::string& programFolder) {
    return DirectoryExists(JoinPath(programFolder, kInstalledFilesFromProgram) + "/AppFiles");
}

std::string ProgramFilesFolder(const std::string& programFolder) {
    if (!RunsInstalled(programFolder))
        return programFolder;
    // Without "..": the folder may be shown to the user and compared as text.
    return IncludeTrailingPathDelimiter(
        std::filesystem::path(JoinPath(programFolder, kInstalledFilesFromProgram))
            .lexically_normal()
            .string());
}

std::string ProgramFilesFolder() { return ProgramFilesFolder(ProgramFolder()); }

AppFolderSources SystemAppFolderSources() {
    AppFolderSources sources;
    sources.GetEnv = SystemEnv;
    sources.ProgramFolder = ProgramFolder();
    sources.ProgramInstalled = RunsInstalled(sources.ProgramFolder);
    sources.IsWritableFolder = [](const std::string& folder) {
        return DirectoryExists(folder) && access(folder.c_str(), W_OK | X_OK) == 0;
    };
    return sources;
}

std::string ApplicationFolder(const AppFolderSources& sources) {
    return IncludeTrailingPathDelimiter(EnsureDir(ChooseApplicationFolder(sources)));
}

std::string ApplicationFolder() { return ApplicationFolder(SystemAppFolderSources()); }

std::string WorkspaceFolder(const AppFolderSources& sources) {
    return JoinPath(ApplicationFolder(sources), "Workspace/");
}

std::string WorkspaceFolder() { return WorkspaceFolder(SystemAppFolderSources()); }

std::string LastProjectFilePath(const AppFolderSources& sources) {
    return JoinPath(ApplicationFolder(sources), "last_project.txt");
}

std::string LastProjectFilePath() { return LastProjectFilePath(SystemAppFolderSources()); }

} // namespace quillmark
