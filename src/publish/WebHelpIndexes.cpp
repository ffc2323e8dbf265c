#include "publish/WebHelpIndexes.h"

#include "base/FileHelpers.h"
#include "base/Json.h"
#include "model/DocProject.h"
#include "model/HelpIds.h"
#include "model/ProjectLinks.h"
#include "model/TopicTreeOrder.h"
#include "publish/HtmlHelpers.h"
#include "publish/OutputFile.h"
#include "publish/PublishSteps.h"
#include "publish/TopicIndex.h"

#include <vector>

namespace quillmark {

namespace {

// "id", "title" and "file" of a topic, the members that open both a contents
// node and a search entry.
void AppendTopicMembers(std::string& out, const TTopic& topic) {
    out += "{\"id\":";
    AppendJsonString(out, topic.FID);
    out += ",\"title\":";
    AppendJsonString(out, topic.FTitle);
    out += ",\"file\":";
    AppendJsonString(out, "topics/" + topic.FID + ".html");
}

std::string JoinKeywords(const std::vector<std::string>& keywords) {
    std::string joined;
    for (size_t i = 0; i < keywords.size(); ++i) {
        if (i > 0)
            joined += ' ';
        joined += keywords[i];
    }
    return joined;
}

// "<name>.json" holds the JSON made of `pieces`; "<name>.js" the same
// after `scriptPrefix` and followed by ";".
void WriteJsonAndScript(const std::string& outputFolder, const std::string& name,
                        std::string_view scriptPrefix, std::vector<std::string_view> pieces) {
    WriteOutputFile(JoinPath(outputFolder, name + ".json"), pieces);
    pieces.insert(pieces.begin(), scriptPrefix);
    pieces.push_back(";");
    WriteOutputFile(JoinPath(outputFolder, name + ".js"), pieces);
}

} // namespace

std::string BuildWebHelpTocJson(const TDocProject& project) {
    std::string out = "{\"roots\":[";
    // One flag per open array (the roots, then each open node's children):
    // whether it holds an element already.
    std::vector<bool> hasElement{false};
    int skipBelow = -1; // depth of an excluded topic whose subtree is skipped
    for (const TTopicTreeEntry& entry : TopicTreeOrder(project)) {
        if (skipBelow >= 0 && entry.Depth > skipBelow)
            continue;
        skipBelow = -1;
        const TTopic& topic = *project.FTopics.Find(entry.Id);
        if (topic.FExcludeWeb) {
            skipBelow = entry.Depth;
            continue;
        }
        while (hasElement.size() > static_cast<size_t>(entry.Depth) + 1) {
            out += "]}";
            hasElement.pop_back();
        }
        if (hasElement.back())
            out += ',';
        hasElement.back() = true;
        AppendTopicMembers(out, topic);
        out += ",\"children\":[";
        hasElement.push_back(false);
    }
    while (hasElement.size() > 1) {
        out += "]}";
        hasElement.pop_back();
    }
    out += "]}";
    return out;
}

std::string WebHelpSearchEntry(const TTopic& topic, std::string_view text) {
    std::string out;
    out.reserve(text.size() + 256);
    AppendTopicMembers(out, topic);
    out += ",\"text\":";
    AppendJsonString(out, text);
    out += ",\"keywords\":";
    AppendJsonString(out, JoinKeywords(topic.FKeywords));
    out += '}';
    return out;
}

std::string StoredPageSearchText(const TDocProject& project, const TTopic& topic,
                                 TTopicExpander& expander) {
    std::string html;
    if (topic.FHtmlPath.empty() || !ReadProjectTextFile(project.FRootPath, topic.FHtmlPath, html))
        return "";
    return ExtractPlainText(expander.Expand(topic, html));
}

void WriteWebHelpToc(const TDocProject& project, const std::string& outputFolder) {
    const std::string json = BuildWebHelpTocJson(project);
    WriteJsonAndScript(outputFolder, "toc", "window.__SV_TOC = ", {json});
}

void WriteWebHelpSearchIndex(const std::string& outputFolder,
                             const std::vector<std::string>& entries) {
    std::vector<std::string_view> pieces;
    pieces.reserve(2 * entries.size() + 2);
    pieces.push_back("{\"topics\":[");
    for (size_t i = 0; i < entries.size(); ++i) {
        if (i > 0)
            pieces.push_back(",");
        pieces.push_back(entries[i]);
    }
    pieces.push_back("]}");
    WriteJsonAndScript(outputFolder, "search", "window.__SV_SEARCH = ", std::move(pieces));
}

std::string WriteWebHelpIndexTerms(const TDocProject& project, const std::string& outputFolder) {
    std::string out = "window.__SV_TERMS = {\"entries\":[";
    const auto entries =
        BuildTopicIndex(project, [](const TTopic& topic) { return !topic.FExcludeWeb; });
    for (size_t i = 0; i < entries.size(); ++i) {
        out += i > 0 ? ",[" : "[";
        AppendJsonString(out, entries[i].Term);
        out += ',';
        AppendJsonString(out, TopicIndexGroup(entries[i]));
        out += ",[";
        for (size_t t = 0; t < entries[i].Topics.size(); ++t) {
            out += t > 0 ? ",[" : "[";
            AppendJsonString(out, entries[i].Topics[t]->FID);
            out += ',';
            AppendJsonString(out, entries[i].Topics[t]->FTitle);
            out += ']';
        }
        out += "]]";
    }
    out += "]};";
    const std::string name = "index-terms.js";
    WriteOutputFile(JoinPath(outputFolder, name), out);
    return name;
}

std::vector<std::string> WriteWebHelpContextMap(const TDocProject& project,
                                                const std::string& outputFolder) {
    const std::vector<THelpIdEntry> entries =
        ProjectHelpIds(project, [](const TTopic& topic) { return !topic.FExcludeWeb; });
    if (entries.empty())
        return {};
    JsonValue list = JsonValue::Array();
    for (const THelpIdEntry& entry : entries) {
        JsonValue item = JsonValue::Object();
        item.Add("name", JsonValue::String(entry.Name));
        item.Add("number", entry.Number != 0 ? JsonValue::Integer(entry.Number) : JsonValue());
        item.Add("topic", JsonValue::String(entry.Topic->FID));
        item.Add("file", JsonValue::String("topics/" + entry.Topic->FID + ".html"));
        list.Append(std::move(item));
    }
    WriteOutputFile(JoinPath(outputFolder, "context.js"),
                    {"window.__SV_CONTEXT = ", WriteJson(list), ";"});
    return {"context.js"};
}

} // namespace quillmark
