#include "app/ProjectLoading.h"
#include "base/FileHelpers.h"
#include "cli/CliArgs.h"
#include "cli/CliCommands.h"
#include "model/ProjectLinks.h"
#include "reuse/TokenExpansion.h"

#include <ostream>

namespace quillmark::cli {

void RunExpand(const std::vector<std::string>& words, std::ostream& out) {
    const CliArgs args(words, {}, 2);
    TDocProject project;
    LoadProjectFromFile(args.Positional(0), project);
    const TTopic& topic = project.GetTopic(args.Positional(1));
    // A missing page publishes as empty, as in the exports.
    std::string html;
    ReadProjectTextFile(project.FRootPath, topic.FHtmlPath, html);
    out << ExpandNamingTopic(topic, [&] { return ExpandReusableContent(project, html); });
}

} // namespace quillmark::cli
