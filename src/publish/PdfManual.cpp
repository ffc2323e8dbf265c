#include "base/FileHelpers.h"
#include "base/Regex.h"
#include "base/TextUtils.h"
#include "model/DocProject.h"
#include "model/ProjectLinks.h"
#include "publish/HtmlHelpers.h"
#include "publish/OutputFile.h"
#include "publish/ParallelWork.h"
#include "publish/PdfExport.h"
#include "publish/PublishSteps.h"

#include <algorithm>
#include <array>
#include <string_view>
#include <unordered_set>

namespace quillmark {
namespace {

// Links point at the section of their target, whether or not it is printed.
TDocLinkResolver SectionLinkResolver(const TDocProject& project) {
    return [&project](const std::string& id) -> std::string {
        return project.HasTopic(id) ? "#" + id : "";
    };
}

struct TSectionEntry {
    const TTopic* Topic;
    int Depth;
};

// The printed topics below and including `id`, depth first. An explicit
// stack keeps deep trees from exhausting the call stack, and each topic
// comes once even when child lists form a cycle.
std::vector<TSectionEntry> SectionOrder(const TDocProject& project, const std::string& id,
                                        int depth) {
    std::vector<TSectionEntry> order;
    std::vector<std::pair<std::string, int>> pending{{id, depth}};
    std::unordered_set<std::string> seen;
    while (!pending.empty()) {
        const auto [current, level] = pending.back();
        pending.pop_back();
        const TTopic* topic = project.FTopics.Find(current);
        if (topic == nullptr || topic->FExcludePdf || !seen.insert(current).second)
            continue;
        order.push_back({topic, level});
        for (auto child = topic->FChildren.rbegin(); child != topic->FChildren.rend(); ++child)
            pending.emplace_back(*child, level + 1);
    }
    return order;
}

using TSectionLines = std::array<std::string, 4>;

TSectionLines SectionLines(const TDocProject& project, const TSectionEntry& entry,
                           TTopicExpander& expander) {
    const TTopic& topic = *entry.Topic;
    // The page is read first: that refuses an identifier that is no safe
    // file name before it names a header file.
    const std::string html = RewriteDocLinks(
        expander.Expand(topic, ReadTopicSource(project, topic.FID)), SectionLinkResolver(project));
    const std::string tag = HeadingTag(entry.Depth);
    const std::string heading = ReadHeaderText(project, topic.FID, topic.FTitle);
    return {"<section id=\"" + topic.FID + "\">",
            "<" + tag + ">" + EncodeHtml(heading) + "</" + tag + ">", html, "</section>"};
}

// Appends the lines of the sections in `order`; the sections are made
// several at once on separate threads.
void AppendSections(const TDocProject& project, const std::vector<TSectionEntry>& order,
                    std::vector<std::string>& lines, TTopicExpander& expander) {
    std::vector<TSectionLines> sections(order.size());
    ForEachIndexInParallel(
        order.size(),
        [&] {
            return TItemWork(
                [&](size_t i) { sections[i] = SectionLines(project, order[i], expander); });
        },
        {});
    for (TSectionLines& section : sections)
        for (std::string& line : section)
            lines.push_back(std::move(line));
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
    const std::string& root = project.FRootPath;
    const std::string meta = JoinPath(root, "meta");
    std::string html;
    if (!ReadProjectTextFile(root, JoinPath(meta, "header_" + id + ".html"), html))
        ReadProjectTextFile(root, JoinPath(meta, "header_default.html"), html);
    const std::string text = StripTagsToText(html);
    return text.empty() ? fallback : text;
}

void AppendTopicSection(const TDocProject& project, const std::string& id,
                        std::vector<std::string>& lines, int depth) {
    TTopicExpander expander(project);
    AppendSections(project, SectionOrder(project, id, depth), lines, expander);
}

std::vector<std::string> BuildManualLines(const TDocProject& project) {
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
        AppendSections(project, SectionOrder(project, id, 0), lines, expander);
    lines.push_back("</body>");
    lines.push_back("</html>");
    return lines;
}

std::string BuildManualHtml(const TDocProject& project) {
    std::string text;
    for (const std::string& line : BuildManualLines(project)) {
        text += line;
        text += "\r\n";
    }
    return text;
}

void WriteManualHtml(const std::string& path, const TDocProject& project) {
    const std::vector<std::string> lines = BuildManualLines(project);
    std::vector<std::string_view> pieces;
    pieces.reserve(2 * lines.size());
    for (const std::string& line : lines) {
        pieces.push_back(line);
        pieces.push_back("\r\n");
    }
    WriteOutputFile(path, pieces);
}

} // namespace quillmark
