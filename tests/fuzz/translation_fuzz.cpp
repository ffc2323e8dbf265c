// The translation table: any file loads or is refused, and every language
// of a loaded table can be chosen and looked up.
#include "FuzzInput.h"
#include "base/Translation.h"

using namespace quillmark;
using namespace quillmark::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text = AsText(data, size);
    if (LoadTranslationTable(text)) {
        const TranslationState& state = Translation();
        QM_FUZZ_CHECK(!state.TranslationTable.empty());
        const std::vector<std::string> keys = state.TranslationTable[0];
        for (size_t language = 0; language < state.TranslationTable.size(); ++language) {
            QM_FUZZ_CHECK(SelectLanguage(static_cast<int>(language)));
            for (const std::string& key : keys)
                Translate(key);
            Translate(text.substr(0, 64));
        }
        QM_FUZZ_CHECK(!SelectLanguage(static_cast<int>(state.TranslationTable.size())));
    }
    ResetTranslation();
    return 0;
}
