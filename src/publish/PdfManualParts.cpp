#include "base/FileHelpers.h"
#include "base/TextUtils.h"
#include "model/DocProject.h"
#include "publish/HtmlHelpers.h"
#include "publish/PdfManual.h"
#include "publish/PublishSteps.h"
#include "settings/ProjectSettings.h"

#include <algorithm>
#include <map>

namespace quillmark {

namespace {

constexpr std::string_view kAssetsPrefix = "assets/";
constexpr int kDeepestContentsIndent = 5;

// A cover line of the settings as HTML: the text encoded, then its tokens
// expanded (variable values arrive encoded); empty when the setting is.
std::string ExpandedLine(const std::string& setting, TTopicExpander& expander) {
    const std::string text = Trim(setting);
    return text.empty() ? "" : expander.ExpandOutsideTopics(EncodeHtml(text));
}

std::string Paragraph(const char* cssClass, const std::string& html) {
    return "<p class=\"" + std::string(cssClass) + "\">" + html + "</p>";
}

// The heading of an index group: "A" for the group "a"; letters beyond
// ASCII as the folded group gives them.
std::string GroupHeading(std::string group) {
    if (group.size() == 1 && group[0] >= 'a' && group[0] <= 'z')
        group[0] = static_cast<char>(group[0] - 'a' + 'A');
    return group;
}

} // namespace

std::string CoverPictureAddress(const TDocProject& project, const std::string& setting) {
    const std::string relative = ReplaceAll(Trim(setting), "\\", "/");
    if (project.FRootPath.empty() || !StartsWith(relative, kAssetsPrefix))
        return "";
    const std::string path = ResolveInsideFolder(JoinPath(project.FRootPath, "assets"),
                                                 relative.substr(kAssetsPrefix.size()));
    if (path.empty() || !FileExists(path))
        return "";
    return PercentEncodePath(relative);
}

std::vector<std::string> CoverLines(const TDocProject& project, const TProjectSettings& settings,
                                    TTopicExpander& expander) {
    std::vector<std::string> lines = {"<div class=\"manual-cover\">",
                                      "<div class=\"manual-cover-main\">"};
    if (const std::string picture = CoverPictureAddress(project, settings.PdfCoverPicture);
        !picture.empty())
        lines.push_back("<img class=\"manual-cover-picture\" src=\"" + picture + "\" alt=\"\">");
    lines.push_back(Paragraph("manual-cover-title", EncodeHtml(project.FTitle)));
    if (const std::string subtitle = ExpandedLine(settings.PdfCoverSubtitle, expander);
        !subtitle.empty())
        lines.push_back(Paragraph("manual-cover-subtitle", subtitle));
    if (const std::string version = ExpandedLine(settings.PdfCoverVersion, expander);
        !version.empty())
        lines.push_back(Paragraph("manual-cover-version", version));
    lines.push_back("</div>");
    if (settings.CopyrightEnabled && !Trim(settings.CopyrightText).empty())
        lines.push_back(Paragraph("manual-cover-copyright", EncodeHtml(settings.CopyrightText)));
    lines.push_back("</div>");
    return lines;
}

std::vector<std::string> ContentsLines(const std::vector<TContentsEntry>& contents,
                                       const TTopicPages& pages) {
    if (contents.empty())
        return {};
    std::vector<std::string> lines = {"<nav class=\"manual-contents\">",
                                      "<h1 class=\"manual-part-title\">Contents</h1>"};
    lines.reserve(contents.size() + 3);
    for (const TContentsEntry& entry : contents) {
        const auto page = pages.find(entry.Id);
        const std::string number = page == pages.end() ? "" : std::to_string(page->second);
        lines.push_back("<a class=\"toc-entry toc-depth-" +
                        std::to_string(std::min(entry.Depth, kDeepestContentsIndent)) +
                        "\" href=\"#" + EscapeHtml(entry.Id) + "\"><span class=\"toc-title\">" +
                        EncodeHtml(entry.Title) +
                        "</span><span class=\"toc-leader\"></span><span class=\"toc-page\">" +
                        number + "</span></a>");
    }
    lines.push_back("</nav>");
    return lines;
}

std::vector<std::string> IndexLines(const std::vector<TTopicIndexEntry>& index,
                                    const TTopicPages& pages) {
    if (index.empty())
        return {};
    std::vector<std::string> lines = {"<section class=\"manual-index\">",
                                      "<h1 class=\"manual-part-title\">Index</h1>",
                                      "<div class=\"index-columns\">"};
    std::string group;
    for (const TTopicIndexEntry& entry : index) {
        if (const std::string initial = TopicIndexGroup(entry); initial != group) {
            group = initial;
            lines.push_back("<p class=\"index-letter\">" + EncodeHtml(GroupHeading(group)) + "</p>");
        }
        // One link per page, in page order; topics without a known page by title.
        std::map<int, const TTopic*> byPage;
        std::vector<const TTopic*> unnumbered;
        for (const TTopic* topic : entry.Topics) {
            if (const auto page = pages.find(topic->FID); page != pages.end())
                byPage.emplace(page->second, topic);
            else
                unnumbered.push_back(topic);
        }
        std::string line = "<p class=\"index-entry\">" + EncodeHtml(entry.Term);
        const auto link = [&](const TTopic& topic, const std::string& text) {
            line += ", <a href=\"#" + EscapeHtml(topic.FID) + "\">" + text + "</a>";
        };
        for (const auto& [page, topic] : byPage)
            link(*topic, std::to_string(page));
        for (const TTopic* topic : unnumbered)
            link(*topic, EncodeHtml(topic->FTitle));
        lines.push_back(line + "</p>");
    }
    lines.push_back("</div>");
    lines.push_back("</section>");
    return lines;
}

} // namespace quillmark
