#include "app/ProjectLoading.h"
#include "cli/CliArgs.h"
#include "cli/CliCommands.h"
#include "model/TopicTreeOrder.h"

#include <ostream>

namespace quillmark::cli {

void RunTree(const std::vector<std::string>& words, std::ostream& out) {
    const CliArgs args(words, {}, 1);
    TDocProject project;
    LoadProjectFromFile(args.Positional(0), project);
    for (const TTopicTreeEntry& entry : TopicTreeOrder(project))
        out << std::string(2 * static_cast<size_t>(entry.Depth), ' ') << entry.Id << '\t'
            << project.GetTopic(entry.Id).FTitle << '\n';
}

} // namespace quillmark::cli
