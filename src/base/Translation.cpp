#include "base/Translation.h"

#include "base/FileHelpers.h"
#include "base/TextUtils.h"
#include "base/Utf.h"

#include <algorithm>
#include <cstdlib>
#include <exception>
#include <utility>

namespace quillmark {

namespace {

constexpr size_t kFirstTextEntry = 2;

std::optional<size_t> ParseLanguageCount(std::string_view line) {
    const std::string text = Trim(line);
    if (text.empty() || text.size() > 9)
        return std::nullopt;
    size_t value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + static_cast<size_t>(c - '0');
    }
    return value;
}

std::string SystemEnv(const char* name) {
    const char* value = std::getenv(name);
    return value ? std::string(value) : std::string();
}

bool IsCLocale(std::string_view locale) {
    return locale.empty() || locale == "C" || locale == "POSIX" || StartsWith(locale, "C.");
}

// "de_AT.UTF-8@euro" -> "de".
std::string LanguageOfLocale(std::string_view locale) {
    return AsciiLower(locale.substr(0, locale.find_first_of("_.@-")));
}

} // namespace

TranslationState& Translation() {
    static TranslationState state;
    return state;
}

std::string Translate(std::string_view text) {
    const TranslationState& state = Translation();
    if (state.CurrentLanguageIndex <= 0 ||
        state.CurrentLanguageIndex >= static_cast<int>(state.TranslationTable.size()))
        return std::string(text);
    const auto found = state.EntryOfText.find(text);
    if (found == state.EntryOfText.end())
        return std::string(text);
    const std::vector<std::string>& current = state.TranslationTable[state.CurrentLanguageIndex];
    const size_t k = found->second;
    return (k < current.size() && !current[k].empty()) ? current[k] : std::string(text);
}

void SetTranslationTable(std::vector<std::vector<std::string>> table) {
    TranslationState& state = Translation();
    state.TranslationTable = std::move(table);
    state.CurrentLanguageIndex = 0;
    state.EntryOfText.clear();
    if (state.TranslationTable.empty())
        return;
    const std::vector<std::string>& english = state.TranslationTable.front();
    for (size_t k = kFirstTextEntry; k < english.size(); ++k) {
        // An empty line is no program text; looking it up would turn "" into
        // whatever stands beside it.
        if (!english[k].empty())
            state.EntryOfText.emplace(english[k], k);
    }
}

bool LoadTranslationTable(std::string_view text) {
    const std::vector<std::string> lines = SplitLines(DecodeTextWithBom(text));
    const std::optional<size_t> languages =
        lines.empty() ? std::nullopt : ParseLanguageCount(lines.front());
    // Zero languages would leave nothing to divide the lines by; fewer than
    // two entries would leave the languages without name and code.
    const size_t entries = (languages && *languages > 0) ? (lines.size() - 1) / *languages : 0;
    if (entries < kFirstTextEntry) {
        SetTranslationTable({});
        return false;
    }
    std::vector<std::vector<std::string>> table(*languages);
    for (size_t i = 0; i < *languages; ++i) {
        table[i].reserve(entries);
        for (size_t k = 0; k < entries; ++k)
            table[i].push_back(lines[1 + k * *languages + i]);
    }
    SetTranslationTable(std::move(table));
    return true;
}

void LoadTranslation(const std::string& filePath, const std::optional<std::string>& storedCode,
                     const std::string& defaultCode) {
    TranslationState& state = Translation();
    state.CurrentLanguageCode = storedCode ? *storedCode : defaultCode;
    std::string bytes;
    try {
        bytes = ReadFileBytes(filePath);
    } catch (const std::exception&) {
        SetTranslationTable({});
        return;
    }
    if (!LoadTranslationTable(bytes))
        return;
    for (size_t i = 0; i < state.TranslationTable.size(); ++i) {
        const std::vector<std::string>& language = state.TranslationTable[i];
        if (language.size() > 1 && AsciiSameText(language[1], state.CurrentLanguageCode)) {
            state.CurrentLanguageIndex = static_cast<int>(i);
            return;
        }
    }
}

void LoadTranslation(const std::string& filePath, const std::optional<std::string>& storedCode) {
    LoadTranslation(filePath, storedCode, storedCode ? std::string() : DefaultLanguageCode());
}

std::string DefaultLanguageCode(const std::function<std::string(const char* name)>& getEnv) {
    const auto env = [&](const char* name) { return getEnv ? getEnv(name) : std::string(); };
    std::string locale;
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        locale = env(name);
        if (!locale.empty())
            break;
    }
    std::string chosen;
    if (!IsCLocale(locale)) {
        // LANGUAGE is a priority list such as "de:en"; its first entry leads.
        const std::string list = env("LANGUAGE");
        for (size_t start = 0; start <= list.size() && chosen.empty();) {
            const size_t colon = std::min(list.find(':', start), list.size());
            chosen = list.substr(start, colon - start);
            start = colon + 1;
        }
    }
    if (chosen.empty())
        chosen = locale;

    static const std::pair<std::string_view, std::string_view> kCodes[] = {
        {"ar", "ar"}, {"zh", "cn"}, {"cs", "cs"}, {"de", "de"}, {"el", "el"},
        {"es", "es"}, {"fr", "fr"}, {"hu", "hu"}, {"it", "it"}, {"ja", "jp"},
        {"ko", "kr"}, {"nl", "nl"}, {"pl", "pl"}, {"pt", "pt"}, {"tr", "tr"},
    };
    const std::string language = LanguageOfLocale(chosen);
    for (const auto& [localeLanguage, code] : kCodes) {
        if (language == localeLanguage)
            return std::string(code);
    }
    return "en";
}

std::string DefaultLanguageCode() { return DefaultLanguageCode(SystemEnv); }

bool SelectLanguage(int index) {
    TranslationState& state = Translation();
    if (index < 0 || index >= static_cast<int>(state.TranslationTable.size()))
        return false;
    const std::vector<std::string>& language = state.TranslationTable[index];
    state.CurrentLanguageIndex = index;
    state.CurrentLanguageCode = language.size() > 1 ? language[1] : std::string();
    return true;
}

void ResetTranslation() {
    SetTranslationTable({});
    Translation().CurrentLanguageCode.clear();
}

} // namespace quillmark
