#include "app/ProjectCreation.h"
#include "model/DocProject.h"
#include "cli/CliArgs.h"
#include "cli/CliCommands.h"
#include "platform/AppFolders.h"

#include <ostream>

namespace quillmark::cli {

void RunNew(const std::vector<std::string>& words, std::ostream& out) {
    const CliArgs args(words, {"title"}, 1);
    const std::string title = args.Option("title").value_or(kUntitledDocumentation);
    out << CreateProjectFile(args.Positional(0), title, ProgramFilesFolder()) << "\n";
}

} // namespace quillmark::cli
