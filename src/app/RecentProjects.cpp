#include "app/RecentProjects.h"

#include "base/FileHelpers.h"
#include "platform/IniStore.h"

#include <algorithm>

namespace quillmark {

namespace {

constexpr char kRecentSection[] = "RecentProjects";

std::string KeyOf(std::size_t index) {
    return "File" + std::to_string(index + 1);
}

// An INI value is one trimmed line: no control characters, no spaces at
// either end.
bool IsStorable(const std::string& fileName) {
    return !fileName.empty() && fileName.front() != ' ' && fileName.back() != ' ' &&
           std::none_of(fileName.begin(), fileName.end(),
                        [](char c) { return static_cast<unsigned char>(c) < 0x20; });
}

} // namespace

std::vector<std::string> TRecentProjects::FileNames() const {
    const TIniStore store(FIniFile);
    std::vector<std::string> names;
    for (std::size_t i = 0; i < kMaxRecentProjects; ++i) {
        const std::string name = store.ReadString(kRecentSection, KeyOf(i), "");
        if (!name.empty() && std::find(names.begin(), names.end(), name) == names.end())
            names.push_back(name);
    }
    return names;
}

void TRecentProjects::Store(const std::vector<std::string>& fileNames) {
    TIniStore store(FIniFile);
    for (std::size_t i = 0; i < kMaxRecentProjects; ++i)
        store.WriteString(kRecentSection, KeyOf(i), i < fileNames.size() ? fileNames[i] : "");
}

std::vector<TRecentProject> TRecentProjects::List() const {
    std::vector<TRecentProject> list;
    for (const std::string& name : FileNames())
        list.push_back({name, FileExists(name)});
    return list;
}

void TRecentProjects::Add(const std::string& fileName) {
    if (!IsStorable(fileName))
        return;
    std::vector<std::string> names = FileNames();
    std::erase(names, fileName);
    names.insert(names.begin(), fileName);
    if (names.size() > kMaxRecentProjects)
        names.resize(kMaxRecentProjects);
    Store(names);
}

void TRecentProjects::Remove(const std::string& fileName) {
    std::vector<std::string> names = FileNames();
    if (std::erase(names, fileName) > 0)
        Store(names);
}

void TRecentProjects::RemoveMissing() {
    std::vector<std::string> names = FileNames();
    if (std::erase_if(names, [](const std::string& name) { return !FileExists(name); }) > 0)
        Store(names);
}

} // namespace quillmark
