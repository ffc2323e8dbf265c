#include "publish/WebHelpExport.h"

#include "base/Color.h"
#include "base/FileHelpers.h"
#include "base/TextUtils.h"
#include "model/DocProject.h"
#include "model/ProjectLinks.h"
#include "publish/OutputFile.h"
#include "publish/OutputRecord.h"
#include "publish/ParallelWork.h"
#include "publish/PublishSteps.h"
#include "publish/SettingsCss.h"
#include "publish/TopicSections.h"
#include "publish/WebHelpAppearance.h"
#include "publish/WebHelpIndexes.h"
#include "publish/WebHelpPage.h"
#include "publish/WebHelpTopicPage.h"
#include "publish/WebHelpSearchData.h"
#include "settings/ProjectSettings.h"
#include "settings/SettingsTable.h"

#include <algorithm>
#include <filesystem>
#include <vector>

namespace quillmark {

namespace {

constexpr const char* kCssHref = "../style.css";

struct TWrittenPages {
    std::vector<std::string> SearchEntries; // entries of search.json, in topic order
    std::vector<TSearchTopic> SearchTopics; // the compact search data, in the same order
};

// Writes the page of every exported topic and returns what the search files
// need of each, in the same order. Pages are independent, so several are
// made at once on separate threads.
TWrittenPages WriteWebHelpPages(const TDocProject& project, const TProjectSettings& settings,
                                const std::string& topicsFolder,
                                const std::function<void(const std::string&)>& progress) {
    const std::vector<const TTopic*> topics = ExportedTopics(project, &TTopic::FExcludeWeb);
    TTopicExpander expander(project);
    const TWebHelpTopicPageMaker pages(project, settings);
    TWrittenPages written;
    written.SearchEntries.resize(topics.size());
    written.SearchTopics.resize(topics.size());
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
        written.SearchEntries[i] = WebHelpSearchEntry(topic, text);
        TSectionedPage page = pages.Make(topic, expanded, kCssHref);
        // The folder exists already.
        WriteOutputFile(JoinPath(topicsFolder, topic.FID + ".html"), page.Html);
        TSearchTopic& search = written.SearchTopics[i];
        search.Topic = &topic;
        search.Words = CollectTopicSearchWords(topic, page.Sections);
        search.Sections = std::move(page.Sections);
    };
    ForEachIndexInParallel(
        topics.size(), [&] { return TItemWork(writePage); },
        [&](size_t done) { ReportProgress(progress, "Writing pages", done, topics.size()); });
    return written;
}

// The files of the template folder: the three every template has (a
// missing one fails the copy), then the others in name order.
std::vector<std::string> TemplateFiles(const std::string& templateFolder) {
    const std::vector<std::string> required = {"app.html", "app.js", "app.css"};
    std::vector<std::string> others;
    std::error_code ec;
    for (std::filesystem::directory_iterator it(templateFolder, ec), end; !ec && it != end;
         it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (std::find(required.begin(), required.end(), name) == required.end() &&
            it->is_regular_file(ec) && IsSafePathComponent(name))
            others.push_back(name);
    }
    std::sort(others.begin(), others.end());
    std::vector<std::string> names = required;
    names.insert(names.end(), others.begin(), others.end());
    return names;
}

} // namespace

std::string TWebHelpOutputFormat::OutputFolder(const TDocProject& project) const {
    return ProjectBuildFolder(project, "webhelp");
}

std::string TWebHelpOutputFormat::Publish(const TPublishContext& context) const {
    const std::string outputFolder = EnsureDir(OutputFolder(context.Project));
    TOutputRecord record(outputFolder);
    record.AddAll(ExportWebHelp(context.Project, outputFolder, context.Progress));
    record.AddAll(CopyWebHelpTemplate(context.Project, context.Settings, outputFolder));
    ApplyWebHelpTitle(context.Project, outputFolder);
    record.Finish();
    return JoinPath(outputFolder, "index.html");
}

std::vector<std::string> ExportWebHelp(const TDocProject& project,
                                       const std::string& outputFolder,
                                       const std::function<void(const std::string&)>& progress) {
    EnsureDir(outputFolder);
    const TProjectSettings settings = ReadSettingsAfresh(project);
    const std::string topicsFolder = EnsureOutputSubfolder(outputFolder, "topics");
    EnsureOutputSubfolder(outputFolder, "assets");
    const TWrittenPages pages = WriteWebHelpPages(project, settings, topicsFolder, progress);
    std::vector<std::string> written;
    for (const TSearchTopic& topic : pages.SearchTopics)
        written.push_back("topics/" + topic.Topic->FID + ".html");
    for (const std::string& asset : CopyProjectAssets(project, outputFolder))
        written.push_back(asset);
    WriteOutputFile(JoinPath(outputFolder, "style.css"),
                    ComposeTargetCss(project, &settings, TStylesheetTarget::stWebHelp) +
                        WebHelpDarkCss(settings));
    WriteWebHelpToc(project, outputFolder);
    WriteWebHelpSearchIndex(outputFolder, pages.SearchEntries);
    written.insert(written.end(), {"style.css", "toc.json", "toc.js", "search.json", "search.js"});
    for (std::string& file : WriteWebHelpSearchData(outputFolder, pages.SearchTopics))
        written.push_back(std::move(file));
    written.push_back(WriteWebHelpIndexTerms(project, outputFolder));
    for (std::string& file : WriteWebHelpContextMap(project, outputFolder))
        written.push_back(std::move(file));
    return written;
}

std::vector<std::string> CopyWebHelpTemplate(const TDocProject& project,
                                             const TProjectSettings& settings,
                                             const std::string& outputFolder) {
    const std::string templateFolder = JoinPath(project.FRootPath, "internal/webhelp");
    if (project.FRootPath.empty() || !DirectoryExists(templateFolder))
        return {};
    std::vector<std::string> written;
    for (const std::string& name : TemplateFiles(templateFolder)) {
        written.push_back(name == "app.html" ? "index.html" : name);
        CopyFileIntoOutput(JoinPath(templateFolder, name), JoinPath(outputFolder, written.back()));
    }
    const std::string appCss = JoinPath(outputFolder, "app.css");
    try {
        std::string css = ReadTextFileUtf8(appCss);
        css = ReplaceAll(css, "__SV_TOC_COLOR__", ColorToHtml(settings.TocTextColor));
        css = ReplaceAll(css, "__SV_TOC_SIZE__", std::to_string(settings.TocTextSize));
        css = ReplaceAll(css, "__SV_LEFT_BG__", ColorToHtml(settings.DefaultPageBgColor));
        WriteTextFileUtf8(appCss, css);
    } catch (const std::exception&) {
        // The site works with the template's own colours; publishing goes on.
    }
    return written;
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
