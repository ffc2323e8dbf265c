#include "app/WindowTitle.h"

#include "base/TextUtils.h"

namespace quillmark {

std::string FormatWindowTitle(const std::string& applicationTitle, bool dirty,
                              const std::string& projectTitle, const std::string& projectFile) {
    const std::string star = dirty ? "*" : "";
    if (projectFile.empty())
        return FormatText("%s%s - %s", {applicationTitle, star, projectTitle});
    return FormatText("%s%s - %s [%s]", {applicationTitle, star, projectTitle, projectFile});
}

} // namespace quillmark
