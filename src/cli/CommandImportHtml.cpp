#include "app/ProjectLoading.h"
#include "base/FileHelpers.h"
#include "base/QuillError.h"
#include "base/TextUtils.h"
#include "base/Translation.h"
#include "cli/CliArgs.h"
#include "cli/CliCommands.h"
#include "editor/HtmlImport.h"
#include "model/ProjectStorage.h"

#include <ostream>

namespace quillmark::cli {

namespace {

// The topic title: --title, else the file's name without its extension
// (the whole name for a file such as ".html").
std::string TopicTitle(const CliArgs& args, const std::string& file) {
    if (const std::optional<std::string> title = args.Option("title")) {
        if (Trim(*title).empty())
            throw UsageError("--title must not be empty");
        return *title;
    }
    const std::string stem = FileNameWithoutExt(file);
    return Trim(stem).empty() ? ExtractFileName(file) : stem;
}

} // namespace

void RunImportHtml(const std::vector<std::string>& words, std::ostream& out) {
    const CliArgs args(words, {"title"}, 2);
    const std::string& file = args.Positional(1);
    const std::string title = TopicTitle(args, file);
    TDocProject project;
    LoadProjectFromFile(args.Positional(0), project);
    if (!FileExists(file))
        throw QuillError(FormatText(Translate("HTML file not found: %s"), {file}));

    const std::string html = ImportHtmlFile(project.FRootPath, file);
    if (Trim(html).empty())
        throw QuillError(
            Translate("The selected HTML file does not contain importable body content."));
    const TTopic& topic = project.AddTopic(title, "");
    WriteTextFileUtf8(topic.FHtmlPath, html);
    SaveProjectFolder(project);
    out << topic.FID << "\n";
}

} // namespace quillmark::cli
