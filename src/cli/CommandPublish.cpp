#include "app/ProgramFiles.h"
#include "app/ProjectLoading.h"
#include "cli/CliArgs.h"
#include "cli/CliCommands.h"
#include "platform/AppFolders.h"
#include "platform/Clock.h"
#include "platform/ProcessRunner.h"
#include "publish/OutputFormat.h"
#include "publish/PublishSteps.h"
#include "settings/ProjectSettings.h"

#include <algorithm>
#include <iostream>
#include <unistd.h>

namespace quillmark::cli {

namespace {

std::vector<const IOutputFormat*> SelectedFormats(const std::string& name) {
    std::vector<const IOutputFormat*> formats;
    if (name == "all") {
        for (const auto& format : OutputFormats())
            formats.push_back(format.get());
    } else if (const IOutputFormat* format = FindOutputFormat(name)) {
        formats.push_back(format);
    } else {
        std::string known;
        for (const auto& format : OutputFormats())
            known += format->Name() + "|";
        throw UsageError("unknown format \"" + name + "\" (" + known + "all)");
    }
    return formats;
}

// On a terminal, progress lines replace each other on standard error.
std::function<void(const std::string&)> TerminalProgress(const std::string& format) {
    if (isatty(STDERR_FILENO) == 0)
        return {};
    return [format](const std::string& line) {
        std::cerr << "\r" << format << ": " << line << "\x1b[K" << std::flush;
    };
}

} // namespace

void RunPublish(const std::vector<std::string>& words, std::ostream& out) {
    std::vector<std::string> rest = words;
    const bool noCompile = TakeSwitch(rest, "--no-compile");
    const bool noPrint = TakeSwitch(rest, "--no-print");
    const CliArgs args(rest, {"format"}, 1);
    const std::optional<std::string> formatName = args.Option("format");
    if (!formatName)
        throw UsageError("option --format is required");
    const std::vector<const IOutputFormat*> formats = SelectedFormats(*formatName);

    TDocProject project;
    LoadProjectFromFile(args.Positional(0), project);
    // As opening the project does, so that the site gets the program's
    // current template.
    CopyProgramFiles(ProgramFilesFolder(), project.FRootPath);
    const TProjectSettings settings = ReadSettingsAfresh(project);
    const std::unique_ptr<IProcessRunner> runner = MakeSystemProcessRunner();
    TSteadyClock clock;

    for (const IOutputFormat* format : formats) {
        TPublishContext context{project, settings, *runner, clock, true, {}, {}};
        context.RunOutsideProgram =
            !((format->Name() == "chm" && noCompile) || (format->Name() == "pdf" && noPrint));
        context.Progress = TerminalProgress(format->Name());
        const std::string mainFile = format->Publish(context);
        if (context.Progress)
            std::cerr << "\r\x1b[K" << std::flush;
        out << mainFile << "\n" << std::flush;
    }
}

} // namespace quillmark::cli
