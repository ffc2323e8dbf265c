#include "base/Translation.h"

namespace quillmark {

TranslationState& Translation() {
    static TranslationState state;
    return state;
}

std::string Translate(std::string_view text) {
    const TranslationState& state = Translation();
    if (state.CurrentLanguageIndex <= 0 ||
        state.CurrentLanguageIndex >= static_cast<int>(state.TranslationTable.size()))
        return std::string(text);
    const std::vector<std::string>& english = state.TranslationTable[0];
    const std::vector<std::string>& current = state.TranslationTable[state.CurrentLanguageIndex];
    for (size_t k = 2; k < english.size(); ++k) {
        if (english[k] == text)
            return (k < current.size() && !current[k].empty()) ? current[k] : std::string(text);
    }
    return std::string(text);
}

} // namespace quillmark
