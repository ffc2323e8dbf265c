#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace quillmark {

inline constexpr std::size_t kMaxRecentProjects = 10;

struct TRecentProject {
    std::string FileName; // the full path of the ".hff" file
    bool Exists = false;
};

// The recently opened projects, most recent first, kept in the per-user INI
// file (section "RecentProjects", keys "File1" to "File10").
class TRecentProjects {
public:
    explicit TRecentProjects(std::string iniFile) : FIniFile(std::move(iniFile)) {}

    // The list as stored, each entry with whether its file still exists.
    std::vector<TRecentProject> List() const;
    // Puts the file first (once), keeping at most ten. A path that cannot be
    // stored as one INI line is not kept.
    void Add(const std::string& fileName);
    void Remove(const std::string& fileName);
    void RemoveMissing();

private:
    std::vector<std::string> FileNames() const;
    void Store(const std::vector<std::string>& fileNames);

    std::string FIniFile;
};

} // namespace quillmark
