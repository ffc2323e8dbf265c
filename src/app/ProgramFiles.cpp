#include "app/ProgramFiles.h"

#include "base/FileHelpers.h"
#include "base/QuillError.h"
#include "model/ProjectLinks.h"
#include "publish/OutputFile.h"

#include <filesystem>

namespace quillmark {

namespace {

// Through the writer of output files: a file that holds the bytes already is
// left alone (opening a project on a full disk still works), anything else
// in its place, a link included, is replaced whole.
void InstallProgramFile(const std::string& source, const std::string& target) {
    WriteOutputFile(target, ReadFileBytes(source));
}

} // namespace

void CopyProgramFiles(const std::string& programFolder, const std::string& rootPath) {
    RequireProjectFoldersInside(rootPath);
    const std::string editorFolder = EnsureDir(JoinPath(rootPath, "internal/editor"));
    const std::string editorPage = JoinPath(programFolder, "AppFiles/editor/editor.html");
    if (FileExists(editorPage))
        InstallProgramFile(editorPage, JoinPath(editorFolder, "editor.html"));

    const std::string webhelpFolder = EnsureDir(JoinPath(rootPath, "internal/webhelp"));
    const std::string webhelpSource = JoinPath(programFolder, "AppFiles/webhelp");
    if (DirectoryExists(webhelpSource)) {
        std::error_code ec;
        std::filesystem::directory_iterator files(webhelpSource, ec);
        if (ec)
            throw QuillError("Cannot read folder \"" + webhelpSource + "\": " + ec.message());
        for (const auto& entry : files) {
            if (entry.is_regular_file())
                InstallProgramFile(entry.path().string(),
                                   JoinPath(webhelpFolder, entry.path().filename().string()));
        }
    }

    const std::string defaultCss = JoinPath(programFolder, "styles/default.css");
    const std::string projectCss = JoinPath(rootPath, "styles/default.css");
    if (FileExists(defaultCss) && !FileExists(projectCss)) {
        EnsureDir(JoinPath(rootPath, "styles"));
        InstallProgramFile(defaultCss, projectCss);
    }
}

} // namespace quillmark
