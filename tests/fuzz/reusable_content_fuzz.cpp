// The reusable-content file: any file loads or fails with a QuillError naming
// it, and what was loaded saves and loads back the same.
#include "FuzzInput.h"
#include "base/QuillError.h"
#include "model/DocProject.h"
#include "reuse/ReusableContent.h"

using namespace quillmark;
using namespace quillmark::fuzz;

namespace {

template <typename Entry, typename Field>
bool SameLists(const std::vector<Entry>& a, const std::vector<Entry>& b, Field field) {
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (a[i].Name != b[i].Name || a[i].*field != b[i].*field)
            return false;
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    ClearScratchFolder();
    PutFile("project/meta/reusable_content.json", AsText(data, size));
    TDocProject project;
    project.FRootPath = ScratchFolder() + "project/";
    TReusableProjectContent store;
    try {
        store.LoadFromProject(project, TDamagedFile::Fail);
    } catch (const QuillError& e) {
        QM_FUZZ_CHECK(std::string_view(e.what()).find("reusable_content.json") !=
                      std::string_view::npos);
        return 0;
    }
    TDocProject copy;
    copy.FRootPath = ScratchFolder() + "copy/";
    store.SaveToProject(copy);
    TReusableProjectContent back;
    back.LoadFromProject(copy, TDamagedFile::Fail);
    QM_FUZZ_CHECK(SameLists(store.FVariables, back.FVariables, &TReusableVariable::Value));
    QM_FUZZ_CHECK(SameLists(store.FSnippets, back.FSnippets, &TReusableSnippet::Html));
    QM_FUZZ_CHECK(SameLists(store.FConditions, back.FConditions, &TReusableCondition::Enabled));
    return 0;
}
