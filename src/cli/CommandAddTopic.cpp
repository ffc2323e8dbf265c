#include "app/ProjectLoading.h"
#include "cli/CliArgs.h"
#include "cli/CliCommands.h"
#include "editor/DefaultContent.h"
#include "model/TopicCreation.h"
#include "settings/ProjectSettings.h"

#include <ostream>

namespace quillmark::cli {

void RunAddTopic(const std::vector<std::string>& words, std::ostream& out) {
    const CliArgs args(words, {"title", "parent"}, 1);
    const std::optional<std::string> title = args.Option("title");
    if (!title)
        throw UsageError("--title is required");
    TDocProject project;
    LoadProjectFromFile(args.Positional(0), project);

    // The new page takes the project's default paragraph, as in the editor.
    TProjectSettings settings;
    settings.LoadFromFile(TProjectSettings::DefaultSettingsPathForProject(project.FRootPath));
    const TTopic& topic = AddTopicWithPage(project, *title, args.Option("parent").value_or(""),
                                           DefaultParagraphHtml(settings));
    out << topic.FID << "\n";
}

} // namespace quillmark::cli
