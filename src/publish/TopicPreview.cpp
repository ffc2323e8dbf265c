#include "publish/TopicPreview.h"

#include "base/FileHelpers.h"
#include "base/TextUtils.h"
#include "model/DocProject.h"
#include "model/ProjectLinks.h"
#include "publish/PublishSteps.h"
#include "publish/SettingsCss.h"
#include "publish/WebHelpAppearance.h"
#include "publish/WebHelpPage.h"
#include "publish/WebHelpTopicPage.h"
#include "settings/ProjectSettings.h"

namespace quillmark {

namespace {

constexpr char kPreviewPage[] = "internal/topic-preview.html";
constexpr char kPreviewCss[] = "topic-preview.css";
// A site page loads the site's scripts from the folder above it. The
// preview loads the appearance script from the project's copy of the site
// template and leaves out the page script, which would take it to the site.
constexpr char kSiteScripts[] =
    "<script src=\"../shared.js\"></script><script src=\"../topic.js\"></script>";
constexpr char kPreviewScripts[] = "<script src=\"webhelp/shared.js\"></script>";

} // namespace

std::string TopicPreviewPath(const std::string& rootPath) {
    return JoinPath(rootPath, kPreviewPage);
}

std::string WriteTopicPreview(const TDocProject& project, const std::string& topicId,
                              const std::string& pageHtml) {
    const TTopic& topic = project.GetTopic(topicId);
    const std::string internal = JoinPath(project.FRootPath, "internal");
    RequireFolderInsideProject(project.FRootPath, internal);
    const TProjectSettings settings = ReadSettingsAfresh(project);
    TTopicExpander expander(project);
    const std::string expanded = expander.Expand(topic, WebHelpPageSource(pageHtml, topic.FTitle));
    const std::string page = TWebHelpTopicPageMaker(project, settings)
                                 .Make(topic, expanded, kPreviewCss)
                                 .Html;
    WriteTextFileUtf8(JoinPath(internal, kPreviewCss),
                      ComposeTargetCss(project, &settings, TStylesheetTarget::stWebHelp) +
                          WebHelpDarkCss(settings));
    const std::string path = TopicPreviewPath(project.FRootPath);
    WriteTextFileUtf8(path, ReplaceAll(page, kSiteScripts, kPreviewScripts));
    return path;
}

} // namespace quillmark
