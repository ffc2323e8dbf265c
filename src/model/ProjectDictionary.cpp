#include "model/ProjectDictionary.h"

#include "base/FileHelpers.h"
#include "base/QuillError.h"
#include "base/TextUtils.h"
#include "base/Utf.h"
#include "model/ProjectLinks.h"

#include <algorithm>

namespace quillmark {

namespace {

constexpr size_t kMaxWordBytes = 100;

} // namespace

std::string ProjectDictionaryPath(const std::string& rootPath) {
    return JoinPath(rootPath, "meta/dictionary.txt");
}

bool IsDictionaryWord(const std::string& word) {
    if (word.empty() || word.size() > kMaxWordBytes || !IsValidUtf8(word) || word[0] == '#')
        return false;
    size_t pos = 0;
    while (pos < word.size()) {
        const char32_t c = DecodeUtf8(word, pos);
        if (c <= 0x20 || c == 0x7F || (c >= 0x80 && c <= 0x9F) || c == 0xA0 || c == 0x2028 ||
            c == 0x2029 || c == 0xFEFF || (c >= 0x2000 && c <= 0x200B) || c == 0x3000)
            return false;
    }
    return true;
}

std::vector<std::string> ReadProjectDictionary(const std::string& rootPath) {
    std::string text;
    if (!ReadProjectTextFile(rootPath, ProjectDictionaryPath(rootPath), text))
        return {};
    std::vector<std::string> words;
    for (const std::string& line : SplitLines(text)) {
        std::string word = Trim(line);
        if (IsDictionaryWord(word))
            words.push_back(std::move(word));
    }
    std::sort(words.begin(), words.end());
    words.erase(std::unique(words.begin(), words.end()), words.end());
    return words;
}

bool AddToProjectDictionary(const std::string& rootPath, const std::string& word) {
    const std::string trimmed = Trim(word);
    if (!IsDictionaryWord(trimmed))
        throw QuillError("Only a single word can be added to the dictionary.");
    std::vector<std::string> words = ReadProjectDictionary(rootPath);
    const auto place = std::lower_bound(words.begin(), words.end(), trimmed);
    if (place != words.end() && *place == trimmed)
        return false;
    words.insert(place, trimmed);
    std::string text;
    for (const std::string& each : words)
        text += each + "\n";
    RequireFolderInsideProject(rootPath, JoinPath(rootPath, "meta"));
    WriteTextFileUtf8(ProjectDictionaryPath(rootPath), text);
    return true;
}

} // namespace quillmark
