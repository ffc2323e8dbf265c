// The recent-projects list in the per-user INI file: any file gives at most
// ten distinct entries, and adding a project puts it first, once, with the
// list still at most ten long and readable again.
#include "FuzzInput.h"
#include "app/RecentProjects.h"
#include "base/QuillError.h"

#include <algorithm>
#include <set>

using namespace quillmark;
using namespace quillmark::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    ClearScratchFolder();
    TRecentProjects recent(PutFile("settings.ini", AsText(data, size)));
    std::vector<TRecentProject> list = recent.List();
    QM_FUZZ_CHECK(list.size() <= kMaxRecentProjects);
    std::set<std::string> names;
    for (const TRecentProject& project : list)
        QM_FUZZ_CHECK(names.insert(project.FileName).second);
    const std::string added = ScratchFolder() + "Added.hff";
    try {
        recent.Add(added);
    } catch (const QuillError&) {
        return 0; // a file the INI store cannot rewrite
    }
    list = recent.List();
    QM_FUZZ_CHECK(!list.empty() && list.front().FileName == added);
    QM_FUZZ_CHECK(list.size() <= kMaxRecentProjects);
    QM_FUZZ_CHECK(std::count_if(list.begin(), list.end(), [&](const TRecentProject& p) {
                      return p.FileName == added;
                  }) == 1);
    return 0;
}
