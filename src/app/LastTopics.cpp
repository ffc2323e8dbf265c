#include "app/LastTopics.h"

#include "platform/IniStore.h"

#include <cstdint>
#include <cstdio>
#include <exception>

namespace quillmark {

namespace {

constexpr char kLastTopicSection[] = "LastTopic";

// A project file's path may hold characters no INI key can: the key is a
// stable digest of it (64-bit FNV-1a in hex).
std::string ProjectKey(const std::string& projectFile) {
    std::uint64_t hash = 14695981039346656037ull;
    for (const unsigned char c : projectFile) {
        hash ^= c;
        hash *= 1099511628211ull;
    }
    char key[20];
    std::snprintf(key, sizeof key, "%016llx", static_cast<unsigned long long>(hash));
    return key;
}

} // namespace

std::string LastTopicOf(const std::string& settingsFile, const std::string& projectFile) {
    if (projectFile.empty())
        return "";
    return TIniStore(settingsFile).ReadString(kLastTopicSection, ProjectKey(projectFile), "");
}

void RememberLastTopic(const std::string& settingsFile, const std::string& projectFile,
                       const std::string& topicId) {
    if (projectFile.empty() || topicId.empty())
        return;
    try {
        const TIniStore store(settingsFile);
        if (store.ReadString(kLastTopicSection, ProjectKey(projectFile), "") != topicId)
            TIniStore(settingsFile).WriteString(kLastTopicSection, ProjectKey(projectFile), topicId);
    } catch (const std::exception&) {
        // Only the next opening's choice of topic depends on it.
    }
}

} // namespace quillmark
