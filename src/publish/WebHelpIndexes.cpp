#include "publish/WebHelpIndexes.h"

#include "base/FileHelpers.h"
#include "base/Json.h"
#include "model/DocProject.h"
#include "model/TopicTreeOrder.h"
#include "publish/HtmlHelpers.h"
#include "publish/PublishSteps.h"

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

std::string SearchTextFromStoredPage(const TTopic& topic, TTopicExpander& expander) {
    if (topic.FHtmlPath.empty() || !FileExists(topic.FHtmlPath))
        return "";
    return ExtractPlainText(expander.Expand(ReadTextFileUtf8(topic.FHtmlPath)));
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

void WriteJsonAndScript(const std::string& outputFolder, const std::string& name,
                        const char* scriptPrefix, const std::string& json) {
    WriteTextFileUtf8(JoinPath(outputFolder, name + ".json"), json);
    std::string script = scriptPrefix;
    script.reserve(script.size() + json.size() + 1);
    script += json;
    script += ';';
    WriteTextFileUtf8(JoinPath(outputFolder, name + ".js"), script);
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

std::string BuildWebHelpSearchJson(const TDocProject& project, const TSearchTexts& knownTexts) {
    TTopicExpander expander(project);
    std::string out = "{\"topics\":[";
    bool first = true;
    for (const TTopic* topic : ExportedTopics(project, &TTopic::FExcludeWeb)) {
        if (!first)
            out += ',';
        first = false;
        AppendTopicMembers(out, *topic);
        out += ",\"text\":";
        const auto known = knownTexts.find(topic->FID);
        if (known != knownTexts.end())
            AppendJsonString(out, known->second);
        else
            AppendJsonString(out, SearchTextFromStoredPage(*topic, expander));
        out += ",\"keywords\":";
        AppendJsonString(out, JoinKeywords(topic->FKeywords));
        out += '}';
    }
    out += "]}";
    return out;
}

void WriteWebHelpToc(const TDocProject& project, const std::string& outputFolder) {
    WriteJsonAndScript(outputFolder, "toc", "window.__SV_TOC = ", BuildWebHelpTocJson(project));
}

void WriteWebHelpSearchIndex(const TDocProject& project, const std::string& outputFolder,
                             const TSearchTexts& knownTexts) {
    WriteJsonAndScript(outputFolder, "search",
                       "window.__SV_SEARCH = ", BuildWebHelpSearchJson(project, knownTexts));
}

} // namespace quillmark
