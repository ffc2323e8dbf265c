#include "app/ProgramFiles.h"

#include "base/FileHelpers.h"
#include "base/QuillError.h"
#include "model/ProjectLinks.h"

#include <filesystem>

namespace quillmark {

void CopyProgramFiles(const std::string& programFolder, const std::string& rootPath) {
    RequireProjectFoldersInside(rootPath);
    const std::string editorFolder = EnsureDir(JoinPath(rootPath, "internal/editor"));
    const std::string editorPage = JoinPath(programFolder, "AppFiles/editor/editor.html");
    if (FileExists(editorPage))
        CopyFileReplacing(editorPage, JoinPath(editorFolder, "editor.html"));

    const std::string webhelpFolder = EnsureDir(JoinPath(rootPath, "internal/webhelp"));
    const std::string webhelpSource = JoinPath(programFolder, "AppFiles/webhelp");
    if (DirectoryExists(webhelpSource)) {
        std::error_code ec;
        std::filesystem::directory_iterator files(webhelpSource, ec);
        if (ec)
            throw QuillError("Cannot read folder \"" + webhelpSource + "\": " + ec.message());
        for (const auto& entry : files) {
            if (entry.is_regular_file())
                CopyFileReplacing(entry.path().string(),
                                  JoinPath(webhelpFolder, entry.path().filename().string()));
        }
    }

    const std::string defaultCss = JoinPath(programFolder, "styles/default.css");
    const std::string projectCss = JoinPath(rootPath, "styles/default.css");
    if (FileExists(defaultCss) && !FileExists(projectCss)) {
        EnsureDir(JoinPath(rootPath, "styles"));
        CopyFileReplacing(defaultCss, projectCss);
    }
}

} // namespace quillmark
