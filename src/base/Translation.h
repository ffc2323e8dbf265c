#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace quillmark {

struct TranslationKeyHash {
    using is_transparent = void;
    size_t operator()(std::string_view text) const { return std::hash<std::string_view>{}(text); }
};

// The program's texts are written in English and looked up here when shown.
// The table is loaded once at program start and read everywhere after; it is
// the one piece of program-wide state.
struct TranslationState {
    // Entry k of every language is the same text; entry 0 is the language's
    // own name, entry 1 its code, entries 2.. the program's texts.
    std::vector<std::vector<std::string>> TranslationTable;
    int CurrentLanguageIndex = 0;
    std::string CurrentLanguageCode;
    // English text to its entry position (the first one when a text repeats),
    // built together with the table by SetTranslationTable.
    std::unordered_map<std::string, size_t, TranslationKeyHash, std::equal_to<>> EntryOfText;
};

TranslationState& Translation();

// The text in the current language, or the text itself without translation.
std::string Translate(std::string_view text);

// Replaces the table (and its lookup index); the language becomes the first.
void SetTranslationTable(std::vector<std::vector<std::string>> table);

// Reads the translation file format: the number of languages n on the first
// line, then groups of n lines, group k holding entry k of every language.
// Line ends may be CR LF, LF or CR; a byte-order mark is skipped. An
// incomplete last group is ignored. Without a usable table (the first line is
// no positive number, or the languages lack their name and code) the table is
// emptied and the result is false. The language becomes the first.
bool LoadTranslationTable(std::string_view text);

// Program start: the code is the stored one when there is one, otherwise the
// default code; the table comes from the file; the current language is the
// first whose code matches, ignoring letter case. A missing or unusable file
// leaves the program in the first language (English) without a message.
void LoadTranslation(const std::string& filePath, const std::optional<std::string>& storedCode,
                     const std::string& defaultCode);
void LoadTranslation(const std::string& filePath, const std::optional<std::string>& storedCode);

// The language code for the user's locale (LANGUAGE, LC_ALL, LC_MESSAGES,
// LANG, with LANGUAGE ignored under the C locale as gettext does): one of
// ar cn cs de el es fr hu it jp kr nl pl pt tr, otherwise "en".
std::string DefaultLanguageCode(const std::function<std::string(const char* name)>& getEnv);
std::string DefaultLanguageCode();

// Makes the language at `index` current (the Language menu); false and no
// change when there is no such language.
bool SelectLanguage(int index);

// Back to the state before loading: no table, first language, no code.
void ResetTranslation();

} // namespace quillmark
