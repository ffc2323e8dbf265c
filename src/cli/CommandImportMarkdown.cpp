#include "app/ProjectLoading.h"
#include "cli/CliArgs.h"
#include "cli/CliCommands.h"
#include "editor/MarkdownFolderImport.h"
#include "model/TopicTreeOrder.h"

#include <iostream>

namespace quillmark::cli {

void RunImportMarkdown(const std::vector<std::string>& words, std::ostream& out) {
    std::vector<std::string> rest = words;
    TMarkdownImportOptions options;
    options.CopyOutsideFiles = TakeSwitch(rest, "--allow-outside-files");
    const CliArgs args(rest, {"under"}, 2);
    options.ParentID = args.Option("under").value_or("");
    TDocProject project;
    LoadProjectFromFile(args.Positional(0), project);

    const TMarkdownImportReport report = ImportMarkdownFolder(project, args.Positional(1), options);
    // The new topics as "tree" prints them.
    PrintTopicTree(out, project, TopicTreeOrder(project, report.RootIDs));
    for (const std::string& line : MarkdownImportReportLines(report))
        std::cerr << "quillmark-cli: warning: " << line << "\n";
}

} // namespace quillmark::cli
