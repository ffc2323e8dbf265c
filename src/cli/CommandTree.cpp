#include "app/ProjectLoading.h"
#include "cli/CliArgs.h"
#include "cli/CliCommands.h"
#include "model/TopicTreeOrder.h"

#include <ostream>

namespace quillmark::cli {

void PrintTopicTree(std::ostream& out, const TDocProject& project,
                    const std::vector<TTopicTreeEntry>& entries) {
    for (const TTopicTreeEntry& entry : entries)
        out << std::string(2 * static_cast<size_t>(entry.Depth), ' ') << entry.Id << '\t'
            << project.GetTopic(entry.Id).FTitle << '\n';
}

void RunTree(const std::vector<std::string>& words, std::ostream& out) {
    const CliArgs args(words, {}, 1);
    TDocProject project;
    LoadProjectFromFile(args.Positional(0), project);
    PrintTopicTree(out, project, TopicTreeOrder(project));
}

} // namespace quillmark::cli
