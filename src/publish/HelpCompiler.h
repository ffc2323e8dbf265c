#pragma once

#include "base/QuillError.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace quillmark {

class IProcessRunner;

// The user-facing texts of the compiler handling. On this platform the
// compiler is "chmcmd" of the Free Pascal utilities; "hhc.exe" is accepted too.
inline constexpr char kCompilerNotFoundText[] =
    "Quillmark could not find the HTML Help compiler (chmcmd).\r\n\r\n"
    "Please select chmcmd (installed with the Free Pascal utilities, package fp-utils).\r\n"
    "Quillmark will remember this location for future CHM exports.";
inline constexpr char kLocateCompilerTitle[] = "Locate the HTML Help compiler (chmcmd)";
inline constexpr char kWrongCompilerNameText[] =
    "Please select the HTML Help compiler file named chmcmd.";
inline constexpr char kPickedFileMissingText[] = "The selected file does not exist.";
inline constexpr char kCompilerCancelledText[] =
    "CHM export was cancelled because chmcmd was not selected.";

// The user declined to pick a help compiler: the export ends quietly.
class TCompilerSelectionCancelled : public QuillError {
public:
    TCompilerSelectionCancelled();
};

// One entry of the file dialog's filter list: a description and the
// patterns it offers ("chmcmd", "hhc.exe", "*").
struct TFileFilter {
    std::string Description;
    std::vector<std::string> Patterns;
};

// What the dialog that locates the compiler shows.
struct TCompilerFileDialog {
    std::string Title;
    std::vector<TFileFilter> Filters;
    std::string FileName;      // preset file name
    std::string InitialFolder; // may be empty
};

// The questions the compiler handling asks the user. The window shows them
// as message boxes and a file dialog; the command-line tool asks nothing.
class IHelpCompilerPrompts {
public:
    virtual ~IHelpCompilerPrompts() = default;
    // An information box with an OK button.
    virtual void ShowInformation(const std::string& text) = 0;
    // A warning box with an OK button.
    virtual void ShowWarning(const std::string& text) = 0;
    // An error box with Yes and No buttons; true for Yes.
    virtual bool AskYesNoError(const std::string& text) = 0;
    // An open-file dialog for an existing file; nullopt when cancelled.
    virtual std::optional<std::string> PickFile(const TCompilerFileDialog& dialog) = 0;
};

// Prompts for a run without a user: shows nothing, answers No and cancels
// every dialog.
class TSilentCompilerPrompts final : public IHelpCompilerPrompts {
public:
    void ShowInformation(const std::string&) override {}
    void ShowWarning(const std::string&) override {}
    bool AskYesNoError(const std::string&) override { return false; }
    std::optional<std::string> PickFile(const TCompilerFileDialog&) override {
        return std::nullopt;
    }
};

// Where the compiler is looked for. The system values read the process
// environment, the program folder and the per-user settings file; tests
// pass their own.
struct THelpCompilerPlaces {
    std::string SettingsFile;                            // the per-user INI file
    std::string ProgramFolder;                           // the folder of the running program
    std::function<std::string(const char* name)> GetEnv; // empty when unset
};

THelpCompilerPlaces SystemHelpCompilerPlaces();

// "settings.ini" in the per-user application folder (folder created).
std::string ChmSettingsPath();

// The stored compiler path (trimmed), or empty.
std::string ReadHhcPath(const THelpCompilerPlaces& places);
// Stores the path and writes the settings file at once.
void WriteHhcPath(const THelpCompilerPlaces& places, const std::string& path);

// Whether a file name is one of the compiler's ("chmcmd", "hhc.exe"),
// letter case ignored.
bool IsHelpCompilerFileName(const std::string& fileName);

// The first compiler that exists: the stored path, then "chmcmd" and
// "hhc.exe" in the program folder, then "HTML Help Workshop/hhc.exe" in
// the folders of "ProgramFiles(x86)", "ProgramFiles" and "ProgramW6432",
// then "chmcmd" and "hhc.exe" on PATH. Empty when there is none.
std::string FindHtmlHelpCompiler(const THelpCompilerPlaces& places);

// Lets the user pick the compiler until a file of the right name that
// exists is chosen (stored, then returned) or the dialog is cancelled
// (nullopt).
std::optional<std::string> LocateHtmlHelpCompiler(const THelpCompilerPlaces& places,
                                                  IHelpCompilerPrompts& prompts);

// What one run of the compiler gave.
struct TCompilerRun {
    int ExitCode = -1;
    std::string Output; // standard output and error of the compiler
};

// Runs the program with the arguments in the working folder and waits for
// it, at most `timeoutMs`. A missing program, one that cannot be started and
// one that has to be ended because it ran too long raise a QuillError.
TCompilerRun RunAndWait(IProcessRunner& runner, const std::string& program,
                        const std::vector<std::string>& arguments, const std::string& workingFolder,
                        long long timeoutMs = 5 * 60 * 1000);

// Compiles the help project: finds (or asks for) the compiler, runs it on the
// project file and checks that it wrote the compiled file named in the
// project (`compiledFile`, relative to the working folder) during this run.
// `compilerPath` not empty: that compiler is used and nothing is looked up.
// Raises TCompilerSelectionCancelled when the user declines to pick a
// compiler and a QuillError for every other failure.
void CompileChm(const std::string& projectFilePath, const std::string& workingFolder,
                const std::string& compiledFile, IProcessRunner& runner,
                IHelpCompilerPrompts& prompts, const THelpCompilerPlaces& places,
                const std::string& compilerPath = {});

} // namespace quillmark
