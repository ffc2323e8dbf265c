#include "app/ProjectLoading.h"
#include "base/FileHelpers.h"
#include "base/QuillError.h"
#include "base/TextUtils.h"
#include "base/Translation.h"
#include "cli/CliArgs.h"
#include "cli/CliCommands.h"
#include "editor/HtmlImport.h"
#include "model/TopicCreation.h"

#include <iostream>

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

// The files left out, on standard error: the result on standard output
// stays the identifier alone.
void WarnAboutSkippedFiles(const THtmlImportSkipped& skipped) {
    const auto list = [](const char* heading, const std::vector<std::string>& files) {
        if (files.empty())
            return;
        std::cerr << "quillmark-cli: warning: " << heading << "\n";
        for (const std::string& file : files)
            std::cerr << "  " << file << "\n";
    };
    list("not copied, outside the page's folder (--allow-outside-files copies them):",
         skipped.OutsideFiles);
    list("not copied, no regular file or a file of the system:", skipped.NeverCopied);
}

} // namespace

void RunImportHtml(const std::vector<std::string>& words, std::ostream& out) {
    std::vector<std::string> rest = words;
    THtmlImportRules rules;
    rules.CopyOutsideFiles = TakeSwitch(rest, "--allow-outside-files");
    const CliArgs args(rest, {"title"}, 2);
    const std::string& file = args.Positional(1);
    const std::string title = TopicTitle(args, file);
    TDocProject project;
    LoadProjectFromFile(args.Positional(0), project);
    if (!FileExists(file))
        throw QuillError(FormatText(Translate("HTML file not found: %s"), {file}));

    THtmlImportSkipped skipped;
    const std::string html = ImportHtmlFile(project.FRootPath, file, rules, &skipped);
    WarnAboutSkippedFiles(skipped);
    if (Trim(html).empty())
        throw QuillError(
            Translate("The selected HTML file does not contain importable body content."));
    const TTopic& topic = AddTopicWithPage(project, title, "", html);
    out << topic.FID << "\n";
}

} // namespace quillmark::cli
