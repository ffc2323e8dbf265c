#include "platform/ProgramSearch.h"

#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

namespace quillmark {

bool IsExecutableFile(const std::string& path) {
    struct stat info {};
    return !path.empty() && stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
           access(path.c_str(), X_OK) == 0;
}

std::string FindProgramOnPath(const std::string& name, const std::string& pathList) {
    if (name.empty())
        return {};
    if (name.find('/') != std::string::npos)
        return IsExecutableFile(name) ? name : std::string();
    size_t start = 0;
    while (start <= pathList.size()) {
        size_t end = pathList.find(':', start);
        if (end == std::string::npos)
            end = pathList.size();
        std::string folder = pathList.substr(start, end - start);
        if (folder.empty())
            folder = ".";
        const std::string candidate = folder.back() == '/' ? folder + name : folder + "/" + name;
        if (IsExecutableFile(candidate))
            return candidate;
        start = end + 1;
    }
    return {};
}

std::string FindProgramOnPath(const std::string& name) {
    const char* path = std::getenv("PATH");
    return FindProgramOnPath(name, path ? path : "/usr/local/bin:/usr/bin:/bin");
}

} // namespace quillmark
