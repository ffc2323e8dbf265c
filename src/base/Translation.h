#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quillmark {

// The program's texts are written in English and looked up here when shown.
// The table is loaded once at program start and read everywhere after; it is
// the one piece of program-wide state.
struct TranslationState {
    // Entry k of every language is the same text; entry 0 is the language's
    // own name, entry 1 its code, entries 2.. the program's texts.
    std::vector<std::vector<std::string>> TranslationTable;
    int CurrentLanguageIndex = 0;
    std::string CurrentLanguageCode;
};

TranslationState& Translation();

// The text in the current language, or the text itself without translation.
std::string Translate(std::string_view text);

} // namespace quillmark
