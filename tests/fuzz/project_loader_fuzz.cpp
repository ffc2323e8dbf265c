// The project and tree loader as the command-line tool runs it: a project
// file and the four files of its folder (input parts in the order
// "P.hff", project.json, meta/topics.json, meta/project_settings.json,
// meta/reusable_content.json). Any files load or fail with a QuillError; a
// loaded tree can be walked whatever cycles it holds, its help IDs checked
// and mapped in every format, and it saves to files that load back to the
// same tree.
#include "FuzzInput.h"
#include "app/ProjectLoading.h"
#include "base/FileHelpers.h"
#include "base/QuillError.h"
#include "model/ProjectStorage.h"
#include "model/TopicTreeOrder.h"
#include "publish/HelpIdMap.h"

using namespace quillmark;
using namespace quillmark::fuzz;

namespace {

// The tree files of a project saved into `folder`.
std::string SavedTree(TDocProject& project, const std::string& folder) {
    project.SetRootPath(ScratchFolder() + folder);
    SaveProjectFolder(project);
    return ReadFileBytes(project.FRootPath + "project.json") + "\n" +
           ReadFileBytes(project.FRootPath + "meta/topics.json");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const char* const kFiles[] = {"P.hff", "P/project.json", "P/meta/topics.json",
                                         "P/meta/project_settings.json",
                                         "P/meta/reusable_content.json"};
    ClearScratchFolder();
    const std::vector<std::string> parts = Parts(AsText(data, size), std::size(kFiles));
    for (size_t i = 0; i < parts.size(); ++i)
        if (!parts[i].empty() || i == 0)
            PutFile(kFiles[i], parts[i]);

    TDocProject project;
    try {
        LoadProjectFromFile(ScratchFolder() + "P.hff", project);
    } catch (const QuillError&) {
        return 0;
    }
    TopicTreeOrder(project);
    HelpIdProblems(project);
    for (const THelpIdMapFormat format :
         {THelpIdMapFormat::Header, THelpIdMapFormat::Json, THelpIdMapFormat::Csv})
        HelpIdMapText(project, format, {});
    // Only names that are C identifiers reach the header and the CHM map.
    for (const THelpIdEntry& entry : ProjectHelpIds(project))
        QM_FUZZ_CHECK(IsHelpIdName(entry.Name));
    const std::string saved = SavedTree(project, "saved/");
    TDocProject back;
    LoadProjectFolder(ScratchFolder() + "saved/", back);
    QM_FUZZ_CHECK(SavedTree(back, "again/") == saved);
    return 0;
}
