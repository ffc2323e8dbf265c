#include "publish/ChmExport.h"

#include "base/CodePage.h"
#include "base/Color.h"
#include "base/FileHelpers.h"
#include "base/TextUtils.h"
#include "model/DocProject.h"
#include "publish/HelpCompiler.h"
#include "publish/OutputFile.h"
#include "publish/OutputRecord.h"
#include "publish/ParallelWork.h"
#include "publish/PublishSteps.h"
#include "publish/SettingsCss.h"
#include "settings/ProjectSettings.h"
#include "settings/SettingsTable.h"

namespace quillmark {
namespace {

std::string ChmFooterHtml(const TProjectSettings& settings) {
    if (!settings.CopyrightEnabled || Trim(settings.CopyrightText).empty())
        return {};
    return "<div class=\"sv-footer\">" + EncodeHtml(settings.CopyrightText) + "</div>";
}

// Pages sit in "topics", one folder below the assets: pictures, and the
// style sheets and files a page links to (an imported page's look).
std::string MoveAssetAddressesUp(std::string html) {
    for (const char* attribute : {"src", "href"})
        for (const char* prefix : {"assets/", "/assets/"})
            html = ReplaceAllIgnoreCase(html, std::string(attribute) + "=\"" + prefix,
                                        std::string(attribute) + "=\"../assets/");
    return html;
}

// Writes the page of every exported topic, several at once on separate
// threads, and returns the page list of the project file.
std::vector<std::string> WriteChmPages(const TDocProject& project, const TProjectSettings& settings,
                                       const std::string& topicsFolder,
                                       const std::function<void(const std::string&)>& progress) {
    const std::string pageBg = ColorToHtml(settings.DefaultPageBgColor);
    const std::string headerRowColor = ColorToHtml(settings.DefaultHeaderBgColor);
    const std::string footer = ChmFooterHtml(settings);
    const std::string language = SettingTextOrDefault(settings, "ContentLanguage");
    const TDocLinkResolver resolver = ExportedPageLinkResolver(project, &TTopic::FExcludeChm);
    const std::vector<const TTopic*> topics = ExportedTopics(project, &TTopic::FExcludeChm);
    TTopicExpander expander(project);
    const TPageHeaderResolver headers(project, TPageHeaderVariant::Chm);
    const auto writePage = [&](size_t i) {
        const std::string& id = topics[i]->FID;
        std::string body = expander.Expand(*topics[i], ReadTopicSource(project, id));
        body = MoveAssetAddressesUp(RewriteDocLinks(body, resolver));
        const TPageHeader header = headers.Resolve(id);
        body = ApplyHeaderRowColor(ClearWhiteBackgrounds(body, TWhiteBackgroundList::Chm),
                                   headerRowColor);
        const std::string page = RemoveInvisibleChars(BuildChmPage(
            {topics[i]->FTitle, language, body, header.Html, header.Background, pageBg,
             footer}));
        WriteOutputFile(JoinPath(topicsFolder, id + ".html"),
                        Utf8ToCodePageWithCharRefs(page, "WINDOWS-1251"));
    };
    ForEachIndexInParallel(
        topics.size(), [&] { return TItemWork(writePage); },
        [&](size_t done) { ReportProgress(progress, "Writing pages", done, topics.size()); });

    std::vector<std::string> pages;
    pages.reserve(topics.size());
    for (const TTopic* topic : topics)
        pages.push_back("topics/" + topic->FID + ".html");
    return pages;
}

} // namespace

std::string TChmOutputFormat::OutputFolder(const TDocProject& project) const {
    return ProjectBuildFolder(project, "chm");
}

std::string TChmOutputFormat::Publish(const TPublishContext& context) const {
    TSilentCompilerPrompts prompts;
    const THelpCompilerPlaces places = SystemHelpCompilerPlaces();
    try {
        return ExportChm(context, prompts, places);
    } catch (const TCompilerSelectionCancelled&) {
        // Without a user to ask, a missing compiler is an error to act on.
        throw QuillError("The HTML Help compiler chmcmd was not found. Install it (Debian "
                         "package fp-utils) or store its path as HhcPath in the [CHM] section "
                         "of " +
                         places.SettingsFile + ".");
    }
}

std::string ExportChm(const TPublishContext& context, IHelpCompilerPrompts& prompts,
                      const THelpCompilerPlaces& places) {
    const TDocProject& project = context.Project;
    const std::string outputFolder = EnsureDir(ProjectBuildFolder(project, "chm"));
    const std::string topicsFolder = EnsureOutputSubfolder(outputFolder, "topics");
    const TProjectSettings settings = ReadSettingsAfresh(project);
    TOutputRecord record(outputFolder);
    WriteTextFileUtf8(JoinPath(outputFolder, "style.css"),
                      ComposeTargetCss(project, &settings, TStylesheetTarget::stChm));
    record.AddAll(CopyProjectAssets(project, outputFolder));
    const std::vector<std::string> pages =
        WriteChmPages(project, settings, topicsFolder, context.Progress);
    record.AddAll(pages);
    NormalizeChmJpegs(project, outputFolder);
    WriteChmToc(project, outputFolder);
    WriteChmIndex(project, outputFolder);
    record.AddAll({"style.css", "toc.hhc", "index.hhk", "project.hhp"});
    const TChmHelpIdFiles helpIdFiles = WriteChmHelpIdFiles(project, outputFolder);
    record.AddAll(helpIdFiles.Written);
    if (context.RunOutsideProgram)
        record.Add(kChmCompiledFile);
    else
        record.Keep(kChmCompiledFile);
    // Stale pages and assets go before the project file lists the assets.
    record.Finish();

    TChmProjectOptions options{kChmCompiledFile, FirstChmTopicFile(project), project.FTitle,
                               SettingTextOrDefault(settings, "ContentLanguage"),
                               !helpIdFiles.Written.empty()};
    if (options.DefaultTopic.empty() && !pages.empty())
        options.DefaultTopic = pages.front();
    std::vector<std::string> listed = pages;
    listed.insert(listed.end(), helpIdFiles.Pages.begin(), helpIdFiles.Pages.end());
    WriteChmProjectFile(outputFolder, options, listed);

    const std::string projectFile = JoinPath(outputFolder, "project.hhp");
    if (!context.RunOutsideProgram)
        return projectFile;
    if (context.Progress)
        context.Progress("Compiling help.chm");
    CompileChm(projectFile, outputFolder, kChmCompiledFile, context.Runner, prompts, places,
               context.ProgramPath);
    return JoinPath(outputFolder, kChmCompiledFile);
}

} // namespace quillmark
