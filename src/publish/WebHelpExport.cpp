#include "publish/WebHelpExport.h"

#include "base/Color.h"
#include "base/FileHelpers.h"
#include "base/TextUtils.h"
#include "model/DocProject.h"
#include "model/ProjectLinks.h"
#include "publish/OutputFile.h"
#include "publish/ParallelWork.h"
#include "publish/PublishSteps.h"
#include "publish/SettingsCss.h"
#include "publish/WebHelpIndexes.h"
#include "publish/WebHelpPage.h"
#include "settings/ProjectSettings.h"

#include <vector>

namespace quillmark {

namespace {

constexpr const char* kCssHref = "../style.css";

// Writes the page of every exported topic and returns each topic's entry of
// the search index, in the same order. Pages are independent, so several are
// made at once on separate threads.
std::vector<std::string> WriteWebHelpPages(const TDocProject& project,
                                           const TProjectSettings& settings,
                                           const std::string& topicsFolder,
                                           const std::function<void(const std::string&)>& progress) {
    const std::string pageBg = ColorToHtml(settings.DefaultPageBgColor);
    const std::string footer = WebHelpFooterHtml(settings);
    const TDocLinkResolver resolver = ExportedPageLinkResolver(project, &TTopic::FExcludeWeb);
    const std::vector<const TTopic*> topics = ExportedTopics(project, &TTopic::FExcludeWeb);
    TTopicExpander expander(project);
    const TPageHeaderResolver headers(project, TPageHeaderVariant::WebHelp);
    std::vector<std::string> searchEntries(topics.size());
    const auto writePage = [&](size_t i) {
        const TTopic& topic = *topics[i];
        const std::string sourcePath = TopicSourcePath(project, topic.FID);
        std::string source;
        ReadProjectTextFile(project.FRootPath, sourcePath, source);
        const bool blank = Trim(source).empty();
        const std::string expanded =
            expander.Expand(topic, WebHelpPageSource(source, topic.FTitle));
        // The index holds the text of the page the topic names, which is
        // nearly always the one just read.
        const std::string text = topic.FHtmlPath != sourcePath
                                     ? StoredPageSearchText(project, topic, expander)
                                 : blank ? ExtractPlainText(expander.Expand(topic, source))
                                         : ExtractPlainText(expanded);
        searchEntries[i] = WebHelpSearchEntry(topic, text);
        const TPageHeader header = headers.Resolve(topic.FID);
        // The folder exists already.
        WriteOutputFile(JoinPath(topicsFolder, topic.FID + ".html"),
                        BuildWebHelpPage(PrepareWebHelpBody(expanded, resolver), header.Html,
                                         header.Background, pageBg, kCssHref, footer));
    };
    ForEachIndexInParallel(
        topics.size(), [&] { return TItemWork(writePage); },
        [&](size_t done) { ReportProgress(progress, "Writing pages", done, topics.size()); });
    return searchEntries;
}

} // namespace

std::string TWebHelpOutputFormat::OutputFolder(const TDocProject& project) const {
    return ProjectBuildFolder(project, "webhelp");
}

std::string TWebHelpOutputFormat::Publish(const TPublishContext& context) const {
    const std::string outputFolder = EnsureDir(OutputFolder(context.Project));
    ExportWebHelp(context.Project, outputFolder, context.Progress);
    CopyWebHelpTemplate(context.Project, context.Settings, outputFolder);
    ApplyWebHelpTitle(context.Project, outputFolder);
    return JoinPath(outputFolder, "index.html");
}

void ExportWebHelp(const TDocProject& project, const std::string& outputFolder,
                   const std::function<void(const std::string&)>& progress) {
    EnsureDir(outputFolder);
    const TProjectSettings settings = ReadSettingsAfresh(project);
    const std::string topicsFolder = EnsureOutputSubfolder(outputFolder, "topics");
    EnsureOutputSubfolder(outputFolder, "assets");
    const std::vector<std::string> searchEntries =
        WriteWebHelpPages(project, settings, topicsFolder, progress);
    CopyProjectAssets(project, outputFolder);
    WriteTextFileUtf8(JoinPath(outputFolder, "style.css"),
                      ComposeTargetCss(project, &settings, TStylesheetTarget::stWebHelp));
    WriteWebHelpToc(project, outputFolder);
    WriteWebHelpSearchIndex(outputFolder, searchEntries);
}

void CopyWebHelpTemplate(const TDocProject& project, const TProjectSettings& settings,
                         const std::string& outputFolder) {
    const std::string templateFolder = JoinPath(project.FRootPath, "internal/webhelp");
    if (project.FRootPath.empty() || !DirectoryExists(templateFolder))
        return;
    CopyFileIntoOutput(JoinPath(templateFolder, "app.html"), JoinPath(outputFolder, "index.html"));
    CopyFileIntoOutput(JoinPath(templateFolder, "app.js"), JoinPath(outputFolder, "app.js"));
    const std::string appCss = JoinPath(outputFolder, "app.css");
    CopyFileIntoOutput(JoinPath(templateFolder, "app.css"), appCss);
    try {
        std::string css = ReadTextFileUtf8(appCss);
        css = ReplaceAll(css, "__SV_TOC_COLOR__", ColorToHtml(settings.TocTextColor));
        css = ReplaceAll(css, "__SV_TOC_SIZE__", std::to_string(settings.TocTextSize));
        css = ReplaceAll(css, "__SV_LEFT_BG__", ColorToHtml(settings.DefaultPageBgColor));
        WriteTextFileUtf8(appCss, css);
    } catch (const std::exception&) {
        // The site works with the template's own colours; publishing goes on.
    }
}

void ApplyWebHelpTitle(const TDocProject& project, const std::string& outputFolder) {
    const std::string indexHtml = JoinPath(outputFolder, "index.html");
    if (!FileExists(indexHtml))
        return;
    std::string text = ReadTextFileUtf8(indexHtml);
    constexpr std::string_view kTemplateTitle = "<title>WebHelp</title>";
    const size_t at = text.find(kTemplateTitle);
    if (at == std::string::npos)
        return;
    text.replace(at, kTemplateTitle.size(), "<title>" + EscapeHtml(project.FTitle) + "</title>");
    WriteTextFileUtf8(indexHtml, text);
}

} // namespace quillmark
