// A folder of Markdown pages imported into a project: "mkdocs.yml" and two
// pages, cut from the input at "=====" lines. No input crashes the import;
// it fails only with a QuillError, and whatever it does, it writes nothing
// outside the project folder.
#include "FuzzInput.h"
#include "base/QuillError.h"
#include "editor/MarkdownFolderImport.h"
#include "model/DocProject.h"
#include "model/ProjectStorage.h"

#include <filesystem>

using namespace quillmark;
using namespace quillmark::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    ClearScratchFolder();
    const std::vector<std::string> parts = Parts(AsText(data, size), 3);
    PutFile("src/mkdocs.yml", parts[0]);
    PutFile("src/docs/a.md", parts[1]);
    PutFile("src/docs/sub/b.md", parts[2]);
    PutFile("src/docs/pic.png", "png");

    TDocProject project;
    project.Clear();
    project.FRootPath = ScratchFolder() + "project/";
    EnsureProjectFolders(project.FRootPath);
    try {
        const TMarkdownImportReport report = ImportMarkdownFolder(project, ScratchFolder() + "src");
        QM_FUZZ_CHECK(report.TopicCount == project.FTopics.Ids().size());
        MarkdownImportReportLines(report);
    } catch (const QuillError&) {
        QM_FUZZ_CHECK(project.FTopics.Ids().empty());
    }
    // The source folder holds only what the input put there.
    size_t files = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(ScratchFolder() + "src"))
        files += entry.is_regular_file() ? 1 : 0;
    QM_FUZZ_CHECK(files == 4);
    return 0;
}
