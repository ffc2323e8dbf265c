// libFuzzer target: a project's settings file. Whatever it holds, loading
// gives settings within their ranges that are saved and read back the same.
#include "base/Json.h"
#include "base/QuillError.h"
#include "settings/ProjectSettings.h"
#include "settings/SettingsTable.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>
#include <unistd.h>

using namespace quillmark;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::string path = "/tmp/quillmark-fuzz-" + std::to_string(getpid()) + ".json";
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    TProjectSettings settings;
    try {
        if (!settings.LoadFromFile(path))
            return 0;
    } catch (const QuillError&) {
        return 0; // an integer member holding a fraction
    }
    for (const TSettingField& field : ProjectSettingFields()) {
        if (field.Kind == TSettingKind::Integer) {
            const int32_t value = SettingValue<int32_t>(settings, field);
            if ((field.Min && value < *field.Min) || (field.Max && value > *field.Max))
                std::abort();
        } else if (field.Kind == TSettingKind::Word) {
            const std::string& word = SettingValue<std::string>(settings, field);
            if (std::find(field.Words.begin(), field.Words.end(), word) == field.Words.end())
                std::abort();
        }
    }
    settings.SaveToFile(path);
    TProjectSettings back;
    if (!back.LoadFromFile(path) || WriteJson(back.ToJson()) != WriteJson(settings.ToJson()))
        std::abort();
    return 0;
}
