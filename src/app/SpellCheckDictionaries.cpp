#include "app/SpellCheckDictionaries.h"

#include "base/FileHelpers.h"
#include "base/TextUtils.h"
#include "model/ProjectDictionary.h"
#include "platform/ProcessRunner.h"

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <unistd.h>

namespace quillmark {

namespace {

namespace fs = std::filesystem;

constexpr std::string_view kWordsPrefix = "quillmark-words-";

// "en_us" and "EN-US" name the same dictionary.
std::string NormalizedLanguage(std::string_view text) {
    std::string out = AsciiLower(Trim(text));
    std::replace(out.begin(), out.end(), '_', '-');
    return out;
}

std::string PrimaryLanguage(const std::string& normalized) {
    return normalized.substr(0, normalized.find('-'));
}

} // namespace

std::string PrepareDictionaryFolder(const std::string& programDictionaries,
                                    const std::string& userFolder) {
    std::error_code ec;
    fs::create_directories(userFolder, ec);
    for (fs::directory_iterator it(programDictionaries, ec), end; !ec && it != end;
         it.increment(ec)) {
        const fs::path& source = it->path();
        if (source.extension() != ".bdic" || !it->is_regular_file(ec))
            continue;
        const std::string target = (fs::path(userFolder) / source.filename()).string();
        try {
            const std::string bytes = ReadFileBytes(source.string());
            if (!FileExists(target) || ReadFileBytes(target) != bytes)
                WriteFileAtomically(target, bytes);
        } catch (const std::exception&) {
            // The checker goes on with what the folder holds.
        }
    }
    // Word lists made by runs that ended without removing theirs.
    const auto dayAgo = fs::file_time_type::clock::now() - std::chrono::hours(24);
    for (fs::directory_iterator it(userFolder, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code timeError;
        if (StartsWith(it->path().filename().string(), kWordsPrefix) &&
            fs::last_write_time(it->path(), timeError) < dayAgo && !timeError)
            fs::remove(it->path(), timeError);
    }
    return userFolder;
}

std::vector<std::string> AvailableDictionaries(const std::string& folder) {
    std::vector<std::string> names;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        const fs::path& path = it->path();
        if (path.extension() == ".bdic" && it->is_regular_file(ec) &&
            !StartsWith(path.stem().string(), kWordsPrefix))
            names.push_back(path.stem().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::string ChooseDictionary(const std::string& contentLanguage,
                             const std::vector<std::string>& available) {
    const std::string wanted = NormalizedLanguage(contentLanguage.empty() ? "en" : contentLanguage);
    const std::string primary = PrimaryLanguage(wanted);
    std::string sameLanguage;
    for (const std::string& name : available) {
        const std::string normalized = NormalizedLanguage(name);
        if (normalized == wanted || normalized == primary + "-" + primary)
            return name;
        if (sameLanguage.empty() && PrimaryLanguage(normalized) == primary)
            sameLanguage = name;
    }
    // "en" has no "en-en": its usual dictionary is American English.
    if (primary == "en")
        for (const std::string& name : available)
            if (NormalizedLanguage(name) == "en-us")
                return name;
    return sameLanguage;
}

std::string HunspellWordList(const std::vector<std::string>& words) {
    std::string out = std::to_string(words.size()) + "\n";
    for (const std::string& word : words) {
        for (const char c : word) {
            if (c == '/')
                out += '\\';
            out += c;
        }
        out += '\n';
    }
    return out;
}

TSpellCheckDictionaries::TSpellCheckDictionaries(TSpellCheckPlaces places, IProcessRunner& runner)
    : FPlaces(std::move(places)), FRunner(runner) {}

std::vector<std::string> TSpellCheckDictionaries::LanguagesFor(
    const std::string& rootPath, const std::string& contentLanguage) {
    FProblem.clear();
    const std::string language =
        ChooseDictionary(contentLanguage, AvailableDictionaries(FPlaces.DictionaryFolder));
    if (language.empty()) {
        FProblem = FormatText("No spell-check dictionary for the language \"%s\" in %s.",
                              {contentLanguage, FPlaces.DictionaryFolder});
        return {};
    }
    std::vector<std::string> languages{language};
    const std::vector<std::string> words = ReadProjectDictionary(rootPath);
    if (!words.empty()) {
        const std::string wordsName = MakeWordsDictionary(words);
        if (!wordsName.empty())
            languages.push_back(wordsName);
    }
    return languages;
}

std::string TSpellCheckDictionaries::MakeWordsDictionary(const std::vector<std::string>& words) {
    if (words == FWordsMade && !FWordsName.empty() &&
        FileExists(JoinPath(FPlaces.DictionaryFolder, FWordsName + ".bdic")))
        return FWordsName;
    if (FPlaces.Converter.empty()) {
        FProblem = "The dictionary converter (qwebengine_convert_dict) was not found: the "
                   "project's own words are still underlined.";
        return {};
    }
    // A new name each time: the checker loads a dictionary only when its
    // list of languages changes.
    const std::string name = std::string(kWordsPrefix) + std::to_string(::getpid()) + "-" +
                             std::to_string(++FGeneration);
    const std::string source = JoinPath(FPlaces.DictionaryFolder, name);
    const std::string target = source + ".bdic";
    try {
        WriteTextFileUtf8(source + ".aff", "SET UTF-8\n");
        // The converter refuses a list of one word; the program's own names
        // always join the list.
        std::vector<std::string> list = words;
        list.insert(list.end(), {"Quillmark", "quillmark-cli"});
        std::sort(list.begin(), list.end());
        list.erase(std::unique(list.begin(), list.end()), list.end());
        WriteTextFileUtf8(source + ".dic", HunspellWordList(list));
        TProcessRequest request;
        request.Program = FPlaces.Converter;
        request.Arguments = {source + ".dic", target};
        request.Timeout = std::chrono::seconds(30);
        const TProcessResult result = FRunner.Run(request);
        DeleteFileIfExists(source + ".aff");
        DeleteFileIfExists(source + ".dic");
        if (result.ExitCode != 0 || !FileExists(target)) {
            FProblem = "The project's word list could not be converted for the spell checker: " +
                       Trim(result.Output);
            return {};
        }
    } catch (const std::exception& e) {
        FProblem = e.what();
        return {};
    }
    if (!FWordsName.empty())
        DeleteFileIfExists(JoinPath(FPlaces.DictionaryFolder, FWordsName + ".bdic"));
    FWordsName = name;
    FWordsMade = words;
    return name;
}

} // namespace quillmark
