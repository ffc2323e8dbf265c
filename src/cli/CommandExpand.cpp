#include "app/ProjectLoading.h"
#include "base/FileHelpers.h"
#include "cli/CliArgs.h"
#include "cli/CliCommands.h"
#include "reuse/TokenExpansion.h"

#include <ostream>

namespace quillmark::cli {

void RunExpand(const std::vector<std::string>& words, std::ostream& out) {
    const CliArgs args(words, {}, 2);
    TDocProject project;
    LoadProjectFromFile(args.Positional(0), project);
    const TTopic& topic = project.GetTopic(args.Positional(1));
    // A missing page publishes as empty, as in the exports.
    const std::string html = FileExists(topic.FHtmlPath) ? ReadTextFileUtf8(topic.FHtmlPath) : "";
    out << ExpandReusableContent(project, html);
}

} // namespace quillmark::cli
