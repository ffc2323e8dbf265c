// The settings file: any file loads or fails with a QuillError, and settings
// once applied (and clamped) save to a line that loads back unchanged.
#include "FuzzInput.h"
#include "base/Json.h"
#include "base/QuillError.h"
#include "settings/ProjectSettings.h"

using namespace quillmark;
using namespace quillmark::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    ClearScratchFolder();
    const std::string path = PutFile("meta/project_settings.json", AsText(data, size));
    TProjectSettings settings;
    try {
        if (!settings.LoadFromFile(path))
            return 0;
    } catch (const QuillError&) {
        return 0;
    }
    const std::string line = WriteJson(settings.ToJson());
    TProjectSettings back;
    back.FromJson(*ParseJson(line));
    QM_FUZZ_CHECK(WriteJson(back.ToJson()) == line);
    return 0;
}
