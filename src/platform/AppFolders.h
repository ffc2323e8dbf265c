#pragma once

#include <functional>
#include <string>

namespace quillmark {

// The GUI and the command-line tool share one per-user folder, so both use
// this name rather than their executables' names.
inline constexpr char kProgramName[] = "Quillmark";

// The folder of the running executable, with a trailing delimiter.
std::string ProgramFolder();

// True when the program runs from an installation (bin/quillmark beside
// share/quillmark/AppFiles), false when it runs from its build folder.
bool RunsInstalled(const std::string& programFolder);

// The folder of the program's own files (AppFiles, styles, transl.sv, the user
// manual), with a trailing delimiter: share/quillmark/ of the installation, or
// the program folder itself in the build folder, where they lie beside the
// binaries.
std::string ProgramFilesFolder(const std::string& programFolder);
std::string ProgramFilesFolder();

// Everything the application folder is chosen from. The system values read
// the process environment and the file system; tests pass their own.
struct AppFolderSources {
    std::function<std::string(const char* name)> GetEnv; // empty when unset
    std::string ProgramFolder;
    bool ProgramInstalled = false; // an installed program never writes beside itself
    std::function<bool(const std::string& folder)> IsWritableFolder;
};

AppFolderSources SystemAppFolderSources();

// "APPDATA" joined with the program name when that variable is set and not
// empty; otherwise, for a program that is not installed, the program folder
// joined with the program name when it can be written there; otherwise the per-user data folder ($XDG_DATA_HOME,
// else ~/.local/share) joined with the program name. The folder is created
// when missing (a QuillError when that fails); the result ends with "/".
std::string ApplicationFolder(const AppFolderSources& sources);
std::string ApplicationFolder();

// "Workspace/" below the application folder (not created here).
std::string WorkspaceFolder(const AppFolderSources& sources);
std::string WorkspaceFolder();

// "last_project.txt" in the application folder.
std::string LastProjectFilePath(const AppFolderSources& sources);
std::string LastProjectFilePath();

} // namespace quillmark
