// The settings file: any file loads or fails with a QuillError, every number
// and word ends within its setting's limits, and settings once applied save
// to a line that loads back unchanged.
#include "FuzzInput.h"
#include "base/Json.h"
#include "base/QuillError.h"
#include "settings/ProjectSettings.h"
#include "settings/SettingsTable.h"

#include <algorithm>

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
    for (const TSettingField& field : ProjectSettingFields()) {
        if (field.Kind == TSettingKind::Integer) {
            const int32_t value = SettingValue<int32_t>(settings, field);
            QM_FUZZ_CHECK(!field.Min || value >= *field.Min);
            QM_FUZZ_CHECK(!field.Max || value <= *field.Max);
        } else if (field.Kind == TSettingKind::Word) {
            const std::string& word = SettingValue<std::string>(settings, field);
            QM_FUZZ_CHECK(std::find(field.Words.begin(), field.Words.end(), word) !=
                          field.Words.end());
        }
    }
    const std::string line = WriteJson(settings.ToJson());
    TProjectSettings back;
    back.FromJson(*ParseJson(line));
    QM_FUZZ_CHECK(WriteJson(back.ToJson()) == line);
    return 0;
}
