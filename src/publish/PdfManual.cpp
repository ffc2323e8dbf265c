#include "base/FileHelpers.h"
#include "base/Regex.h"
#include "base/TextUtils.h"
#include "model/DocProject.h"
#include "publish/HtmlHelpers.h"
#include "publish/PdfExport.h"
#include "publish/PublishSteps.h"

#include <algorithm>
#include <unordered_set>

namespace quillmark {
namespace {

// Links point at the section of their target, whether or not it is printed.
TDocLinkResolver SectionLinkResolver(const TDocProject& project) {
    return [&project](const std::string& id) -> std::string {
        return project.HasTopic(id) ? "#" + id : "";
    };
}

void AppendSection(const TDocProject& project, const TTopic& topic, int depth,
                   TTopicExpander& expander, std::vector<std::string>& lines) {
    // The page is read first: that refuses an identifier that is no safe
    // file name before it names a header file.
    const std::string html = RewriteDocLinks(expander.Expand(ReadTopicSource(project, topic.FID)),
                                             SectionLinkResolver(project));
    const std::string tag = HeadingTag(depth);
    const std::string heading = ReadHeaderText(project, topic.FID, topic.FTitle);
    lines.push_back("<section id=\"" + topic.FID + "\">");
    lines.push_back("<" + tag + ">" + EncodeHtml(heading) + "</" + tag + ">");
    lines.push_back(html);
    lines.push_back("</section>");
}

void AppendSections(const TDocProject& project, const std::string& id,
                    std::vector<std::string>& lines, int depth, TTopicExpander& expander) {
    // Depth first with an explicit stack: deep trees cannot exhaust the call
    // stack, and each topic is printed once even when child lists form a
    // cycle.
    std::vector<std::pair<std::string, int>> pending{{id, depth}};
    std::unordered_set<std::string> seen;
    while (!pending.empty()) {
        const auto [current, level] = pending.back();
        pending.pop_back();
        const TTopic* topic = project.FTopics.Find(current);
        if (topic == nullptr || topic->FExcludePdf || !seen.insert(current).second)
            continue;
        AppendSection(project, *topic, level, expander, lines);
        for (auto child = topic->FChildren.rbegin(); child != topic->FChildren.rend(); ++child)
            pending.emplace_back(*child, level + 1);
    }
}

} // namespace

std::string HeadingTag(int depth) {
    return "h" + std::to_string(std::clamp(depth + 1, 1, 6));
}

std::string StripTagsToText(std::string_view html) {
    // "<" opens a tag that runs to the next ">" (or the end); a ">" outside a
    // tag goes too.
    static const Regex tags("<[^>]*>?|>");
    return Trim(ReplaceAll(DecodeHtml(tags.Replace(html, "")), "\u00A0", " "));
}

std::string ReadHeaderText(const TDocProject& project, const std::string& id,
                           const std::string& fallback) {
    const std::string meta = JoinPath(project.FRootPath, "meta");
    std::string file = JoinPath(meta, "header_" + id + ".html");
    if (!FileExists(file))
        file = JoinPath(meta, "header_default.html");
    const std::string text = FileExists(file) ? StripTagsToText(ReadTextFileUtf8(file)) : "";
    return text.empty() ? fallback : text;
}

void AppendTopicSection(const TDocProject& project, const std::string& id,
                        std::vector<std::string>& lines, int depth) {
    TTopicExpander expander(project);
    AppendSections(project, id, lines, depth, expander);
}

std::string BuildManualHtml(const TDocProject& project) {
    std::vector<std::string> lines = {
        "<!doctype html>",
        "<html>",
        "<head>",
        "<meta charset=\"utf-8\">",
        "<title>" + EncodeHtml(project.FTitle) + "</title>",
        "<link rel=\"stylesheet\" href=\"style.css\">",
        "<style>",
        "@page {",
        "  size: auto;",
        "  margin: 0mm;",
        "}",
        "html, body { margin:20; }",
        "</style>",
        "</head>",
        "<body>",
    };
    TTopicExpander expander(project);
    for (const std::string& id : project.FRootTopicIDs)
        AppendSections(project, id, lines, 0, expander);
    lines.push_back("</body>");
    lines.push_back("</html>");
    std::string text;
    for (const std::string& line : lines) {
        text += line;
        text += "\r\n";
    }
    return text;
}

} // namespace quillmark
