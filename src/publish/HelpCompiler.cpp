#include "publish/HelpCompiler.h"

#include "base/CodePage.h"
#include "base/FileHelpers.h"
#include "base/TextUtils.h"
#include "base/Utf.h"
#include "platform/AppFolders.h"
#include "platform/IniStore.h"
#include "platform/ProcessRunner.h"
#include "platform/ProgramSearch.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>

namespace quillmark {
namespace {

namespace fs = std::filesystem;

constexpr char kCrLf[] = "\r\n";
// The compiler's output in a message is cut to its last this many bytes.
constexpr size_t kMaxOutputInMessage = 3000;

const char* const kCompilerNames[] = {"chmcmd", "hhc.exe"};

std::string EnvValue(const THelpCompilerPlaces& places, const char* name) {
    return places.GetEnv ? places.GetEnv(name) : std::string();
}

std::string OutputTail(const std::string& output) {
    const std::string trimmed = Trim(output);
    if (trimmed.size() <= kMaxOutputInMessage)
        return trimmed;
    return "..." + trimmed.substr(trimmed.size() - kMaxOutputInMessage);
}

// When the compiled file was last written; nullopt when it does not exist.
std::optional<fs::file_time_type> WriteTime(const std::string& fileName) {
    std::error_code ec;
    const fs::file_time_type time = fs::last_write_time(fileName, ec);
    if (ec || !FileExists(fileName))
        return std::nullopt;
    return time;
}

// Lines "Warning: File <name> does not exist" name the sources the
// compiler could not find.
std::vector<std::string> MissingSourceFiles(const std::string& output) {
    std::vector<std::string> missing;
    for (const std::string& line : SplitLines(output)) {
        const std::string text = Trim(line);
        constexpr std::string_view kBegin = "Warning: File ";
        constexpr std::string_view kEnd = " does not exist";
        if (StartsWith(text, kBegin) && text.size() > kBegin.size() + kEnd.size() &&
            text.compare(text.size() - kEnd.size(), kEnd.size(), kEnd) == 0)
            missing.push_back(
                text.substr(kBegin.size(), text.size() - kBegin.size() - kEnd.size()));
    }
    return missing;
}

// Why a run left no usable compiled file, in words the author can act on.
std::string FailedRunMessage(const std::string& compiledFile, TCompilerRun run, bool fileExists) {
    // chmcmd echoes names from the project file, which is in Windows-1251.
    if (!IsValidUtf8(run.Output))
        run.Output = CodePageToUtf8(run.Output, "WINDOWS-1251");
    std::string message = "The HTML Help compiler did not create " + compiledFile + " (exit code " +
                          std::to_string(run.ExitCode) + ").";
    const std::vector<std::string> missing = MissingSourceFiles(run.Output);
    if (!missing.empty()) {
        message += std::string(kCrLf) + "These files of the help project are missing:";
        bool nonAscii = false;
        for (const std::string& name : missing) {
            message += std::string(kCrLf) + name;
            nonAscii = nonAscii || std::any_of(name.begin(), name.end(),
                                               [](char c) { return (c & 0x80) != 0; });
        }
        // The project file names them in Windows-1251, the file system in
        // UTF-8, so chmcmd cannot find files whose names are not ASCII.
        if (nonAscii)
            message += std::string(kCrLf) + kCrLf +
                       "chmcmd finds no file whose name has letters outside ASCII: rename such "
                       "files (and the references to them) with ASCII letters only.";
    } else if (run.ExitCode != 0 && fileExists) {
        message += std::string(kCrLf) +
                   "The compiler stopped while writing the help file. chmcmd does this when "
                   "full-text search is on and no topic page contains a word in plain ASCII "
                   "letters: add such a word (for example a heading) to a topic.";
    }
    const std::string tail = OutputTail(run.Output);
    if (!tail.empty())
        message += std::string(kCrLf) + kCrLf + "Compiler output:" + kCrLf + tail;
    return message;
}

} // namespace

TCompilerSelectionCancelled::TCompilerSelectionCancelled() : QuillError(kCompilerCancelledText) {}

THelpCompilerPlaces SystemHelpCompilerPlaces() {
    THelpCompilerPlaces places;
    places.SettingsFile = ChmSettingsPath();
    places.ProgramFolder = ProgramFolder();
    places.GetEnv = [](const char* name) {
        const char* value = std::getenv(name);
        return std::string(value ? value : "");
    };
    return places;
}

std::string ChmSettingsPath() {
    return PerUserSettingsPath();
}

std::string ReadHhcPath(const THelpCompilerPlaces& places) {
    if (places.SettingsFile.empty())
        return {};
    return Trim(TIniStore(places.SettingsFile).ReadString(kChmSection, kHhcPathKey, ""));
}

void WriteHhcPath(const THelpCompilerPlaces& places, const std::string& path) {
    TIniStore(places.SettingsFile).WriteString(kChmSection, kHhcPathKey, path);
}

bool IsHelpCompilerFileName(const std::string& fileName) {
    for (const char* name : kCompilerNames)
        if (AsciiSameText(fileName, name))
            return true;
    return false;
}

std::string FindHtmlHelpCompiler(const THelpCompilerPlaces& places) {
    std::vector<std::string> candidates;
    candidates.push_back(ReadHhcPath(places));
    if (!places.ProgramFolder.empty())
        for (const char* name : kCompilerNames)
            candidates.push_back(JoinPath(places.ProgramFolder, name));
    for (const char* variable : {"ProgramFiles(x86)", "ProgramFiles", "ProgramW6432"}) {
        const std::string folder = EnvValue(places, variable);
        if (!folder.empty())
            candidates.push_back(JoinPath(folder, "HTML Help Workshop/hhc.exe"));
    }
    for (const std::string& candidate : candidates)
        if (!candidate.empty() && FileExists(candidate))
            return candidate;
    const std::string path = EnvValue(places, "PATH");
    for (const char* name : kCompilerNames) {
        const std::string found = FindProgramOnPath(name, path);
        if (!found.empty())
            return found;
    }
    return {};
}

std::optional<std::string> LocateHtmlHelpCompiler(const THelpCompilerPlaces& places,
                                                  IHelpCompilerPrompts& prompts) {
    TCompilerFileDialog dialog;
    dialog.Title = kLocateCompilerTitle;
    dialog.Filters = {{"HTML Help compiler (chmcmd, hhc.exe)", {"chmcmd", "hhc.exe"}},
                      {"All files (*)", {"*"}}};
    dialog.FileName = "chmcmd";
    dialog.InitialFolder = "/usr/bin";
    for (;;) {
        const std::optional<std::string> picked = prompts.PickFile(dialog);
        if (!picked)
            return std::nullopt;
        const std::string path = AbsolutePath(*picked);
        if (!IsHelpCompilerFileName(ExtractFileName(path))) {
            prompts.ShowWarning(kWrongCompilerNameText);
            continue;
        }
        if (!FileExists(path)) {
            prompts.ShowWarning(kPickedFileMissingText);
            continue;
        }
        WriteHhcPath(places, path);
        return path;
    }
}

TCompilerRun RunAndWait(IProcessRunner& runner, const std::string& program,
                        const std::vector<std::string>& arguments, const std::string& workingFolder,
                        long long timeoutMs) {
    if (Trim(program).empty() || !FileExists(program))
        throw QuillError(
            FormatText("The HTML Help compiler was not found at:%s%s", {kCrLf, program}));
    TProcessRequest request;
    request.Program = program;
    request.Arguments = arguments;
    request.WorkingFolder = workingFolder;
    request.Timeout = std::chrono::milliseconds(timeoutMs);
    const TProcessResult result = runner.Run(request);
    if (!result.Started)
        throw QuillError(
            FormatText("Could not start:%s%s%s%s", {kCrLf, program, kCrLf, result.Output}));
    if (result.TimedOut)
        throw QuillError("The HTML Help compiler did not finish within " +
                         std::to_string(timeoutMs / 1000) + " seconds and was ended:" + kCrLf +
                         program);
    return TCompilerRun{result.ExitCode, result.Output};
}

void CompileChm(const std::string& projectFilePath, const std::string& workingFolder,
                const std::string& compiledFile, IProcessRunner& runner,
                IHelpCompilerPrompts& prompts, const THelpCompilerPlaces& places,
                const std::string& compilerPath) {
    std::string compiler = compilerPath.empty() ? FindHtmlHelpCompiler(places) : compilerPath;
    if (compiler.empty()) {
        prompts.ShowInformation(kCompilerNotFoundText);
        const std::optional<std::string> picked = LocateHtmlHelpCompiler(places, prompts);
        if (!picked)
            throw TCompilerSelectionCancelled();
        compiler = *picked;
    }

    const std::string compiledPath = JoinPath(workingFolder, compiledFile);
    // The compiler writes through a link in the help file's place; removing
    // the link (not its target) keeps its output inside the output folder.
    std::error_code linkError;
    if (fs::is_symlink(fs::symlink_status(compiledPath, linkError)))
        fs::remove(compiledPath, linkError);
    const std::optional<fs::file_time_type> before = WriteTime(compiledPath);
    // File times come from a coarser clock than now(); a second of slack
    // keeps a file written right after the start from looking old.
    const fs::file_time_type runStart = fs::file_time_type::clock::now() - std::chrono::seconds(1);
    // The compiler runs in the working folder: a relative project path
    // would be looked up from there.
    const std::vector<std::string> arguments = {AbsolutePath(projectFilePath)};
    TCompilerRun run;
    try {
        run = RunAndWait(runner, compiler, arguments, workingFolder);
    } catch (const QuillError& failure) {
        const std::string question =
            std::string("Quillmark could not execute the configured HTML Help compiler:") + kCrLf +
            compiler + kCrLf + kCrLf + failure.what() + kCrLf + kCrLf +
            "Would you like to select a different chmcmd file?";
        if (!prompts.AskYesNoError(question))
            throw;
        const std::optional<std::string> picked = LocateHtmlHelpCompiler(places, prompts);
        if (!picked)
            throw TCompilerSelectionCancelled();
        run = RunAndWait(runner, *picked, arguments, workingFolder);
    }

    // Only a non-empty file written by this run counts as compiled help.
    const std::optional<fs::file_time_type> after = WriteTime(compiledPath);
    std::error_code ec;
    const bool written = after && fs::file_size(compiledPath, ec) > 0 && !ec &&
                         *after >= runStart && (!before || *after != *before);
    if (!written)
        throw QuillError(FailedRunMessage(compiledFile, run, after.has_value()));
}

} // namespace quillmark
