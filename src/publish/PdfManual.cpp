#include "publish/PdfManual.h"

#include "base/Regex.h"
#include "base/TextUtils.h"
#include "model/DocProject.h"
#include "publish/HtmlHelpers.h"
#include "publish/OutputFile.h"
#include "publish/PageAnchors.h"
#include "publish/ParallelWork.h"
#include "publish/PdfExport.h"
#include "publish/PdfTopicHeading.h"
#include "publish/PublishSteps.h"
#include "settings/ProjectSettings.h"
#include "settings/SettingsTable.h"

#include <array>
#include <string_view>
#include <unordered_set>

namespace quillmark {
namespace {

// Links point at the heading of their target, whether or not it is printed,
// or at the anchor inside it (anchors of each page are scoped by its topic).
TDocLinkResolver SectionLinkResolver(const TDocProject& project) {
    return [&project](const std::string& id) -> std::string {
        return project.HasTopic(id) ? "#" + id : "";
    };
}

std::string SectionAnchorLink(const std::string& id, const std::string& anchor) {
    return "#" + ScopedAnchor(id, anchor);
}

// The anchors of the page's leading heading, which the topic's heading
// replaces, as empty targets inside the topic's heading.
std::string RemovedAnchorTargets(std::string_view page, std::string_view printed) {
    const std::unordered_set<std::string> kept = PageAnchors(printed);
    std::string targets;
    for (const std::string& anchor : PageAnchors(page))
        if (kept.count(anchor) == 0)
            targets += "<span id=\"" + EscapeHtml(anchor) + "\"></span>";
    return targets;
}

struct TSectionEntry {
    const TTopic* Topic;
    int Depth;
};

// The printed topics below and including `id`, depth first. An explicit
// stack keeps deep trees from exhausting the call stack, and each topic
// comes once even when child lists form a cycle.
std::vector<TSectionEntry> SectionOrder(const TDocProject& project, const std::string& id,
                                        std::unordered_set<std::string>& seen) {
    std::vector<TSectionEntry> order;
    std::vector<std::pair<std::string, int>> pending{{id, 0}};
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

const char* DepthClass(int depth) {
    return depth == 0 ? "chapter" : depth == 1 ? "section" : "subsection";
}

using TSectionLines = std::array<std::string, 4>;

// A topic's section: its one heading (the destination of every link to the
// topic) and its page, on the chapter's named page.
TSectionLines SectionLines(const TDocProject& project, const TSectionEntry& entry, int chapter,
                           TTopicExpander& expander) {
    const TTopic& topic = *entry.Topic;
    const std::string html = RewriteDocLinks(
        ScopePageAnchors(expander.Expand(topic, ReadTopicSource(project, topic.FID)), topic.FID),
        SectionLinkResolver(project), SectionAnchorLink);
    const TPrintedTopic printed = PrepareTopicForManual(html, topic.FTitle, entry.Depth);
    const std::string tag = "h" + std::to_string(TopicHeadingLevel(entry.Depth));
    const std::string depthClass = DepthClass(entry.Depth);
    return {"<section class=\"topic " + depthClass + "\" style=\"page: chapter-" +
                std::to_string(chapter) + "\">",
            "<" + tag + " id=\"" + EscapeHtml(topic.FID) + "\" class=\"topic-title " + depthClass + "\">" +
                RemovedAnchorTargets(html, printed.Html) + EncodeHtml(printed.HeadingText) + "</" +
                tag + ">",
            printed.Html, "</section>"};
}

void AppendLines(std::vector<std::string>& lines, const std::vector<std::string>& more) {
    lines.insert(lines.end(), more.begin(), more.end());
}

} // namespace

TManualDocument::TManualDocument(const TDocProject& project, const TProjectSettings& settings) {
    // The printed topics and the chapter each belongs to.
    std::vector<TSectionEntry> order;
    std::vector<int> chapterOf;
    std::vector<std::string> chapterTitles;
    std::unordered_set<std::string> seen;
    for (const std::string& root : project.FRootTopicIDs) {
        const std::vector<TSectionEntry> chapter = SectionOrder(project, root, seen);
        if (chapter.empty())
            continue;
        chapterTitles.push_back(chapter.front().Topic->FTitle);
        for (const TSectionEntry& entry : chapter) {
            order.push_back(entry);
            chapterOf.push_back(static_cast<int>(chapterTitles.size()));
            contents_.push_back({entry.Topic->FID, entry.Topic->FTitle, entry.Depth});
        }
    }

    std::unordered_set<const TTopic*> printed;
    for (const TSectionEntry& entry : order)
        printed.insert(entry.Topic);
    index_ = BuildTopicIndex(project, [&](const TTopic& topic) { return printed.count(&topic) != 0; });

    TTopicExpander expander(project);
    head_ = {
        "<!doctype html>",
        // The language lets Chromium hyphenate and pick fonts for the text.
        "<html lang=\"" + EscapeHtml(SettingTextOrDefault(settings, "ContentLanguage")) + "\">",
        "<head>",
        "<meta charset=\"utf-8\">",
        "<title>" + EncodeHtml(project.FTitle) + "</title>",
        "<link rel=\"stylesheet\" href=\"style.css\">",
        "<style>",
    };
    AppendLines(head_, ManualStyleLines(settings, chapterTitles));
    AppendLines(head_, {"</style>", "</head>", "<body>"});
    AppendLines(head_, CoverLines(project, settings, expander));

    // The sections are made several at once on separate threads.
    std::vector<TSectionLines> sections(order.size());
    ForEachIndexInParallel(
        order.size(),
        [&] {
            return TItemWork([&](size_t i) {
                sections[i] = SectionLines(project, order[i], chapterOf[i], expander);
            });
        },
        {});
    sections_.reserve(4 * sections.size());
    for (TSectionLines& section : sections)
        for (std::string& line : section)
            sections_.push_back(std::move(line));
}

std::vector<std::string> TManualDocument::Lines(const TTopicPages& pages) const {
    std::vector<std::string> lines = head_;
    AppendLines(lines, ContentsLines(contents_, pages));
    AppendLines(lines, sections_);
    AppendLines(lines, IndexLines(index_, pages));
    AppendLines(lines, {"</body>", "</html>"});
    return lines;
}

std::string TManualDocument::Text(const TTopicPages& pages) const {
    std::string text;
    for (const std::string& line : Lines(pages)) {
        text += line;
        text += "\r\n";
    }
    return text;
}

void TManualDocument::Write(const std::string& path, const TTopicPages& pages) const {
    const std::vector<std::string> lines = Lines(pages);
    std::vector<std::string_view> pieces;
    pieces.reserve(2 * lines.size());
    for (const std::string& line : lines) {
        pieces.push_back(line);
        pieces.push_back("\r\n");
    }
    WriteOutputFile(path, pieces);
}

std::string BuildManualHtml(const TDocProject& project, const TProjectSettings& settings) {
    return TManualDocument(project, settings).Text({});
}

std::string StripTagsToText(std::string_view html) {
    // "<" opens a tag that runs to the next ">" (or the end); a ">" outside a
    // tag goes too.
    static const Regex tags("<[^>]*>?|>");
    return Trim(ReplaceAll(DecodeHtml(tags.Replace(html, "")), "\u00A0", " "));
}

} // namespace quillmark
