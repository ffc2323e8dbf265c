#include "app/ProjectLoading.h"
#include "cli/CliArgs.h"
#include "cli/CliCommands.h"
#include "publish/HelpIdMap.h"

#include <ostream>

namespace quillmark::cli {

void RunHelpIds(const std::vector<std::string>& words, std::ostream& out) {
    const CliArgs args(words, {"format"}, 1);
    const std::string formatName = args.Option("format").value_or("h");
    const std::optional<THelpIdMapFormat> format = HelpIdMapFormatNamed(formatName);
    if (!format)
        throw UsageError("unknown format \"" + formatName + "\" (h, json or csv)");
    TDocProject project;
    LoadProjectFromFile(args.Positional(0), project);
    out << PublishedHelpIdMap(project, *format);
}

} // namespace quillmark::cli
