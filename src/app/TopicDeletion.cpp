#include "app/TopicDeletion.h"

#include "app/MainWindowState.h"
#include "base/TextUtils.h"
#include "base/Translation.h"
#include "model/ProjectLinks.h"
#include "publish/HtmlHelpers.h"

#include <algorithm>
#include <set>

namespace quillmark {

namespace {

// The topic and every topic below it.
std::set<std::string> TopicWithDescendants(const TDocProject& project, const std::string& id) {
    std::set<std::string> ids{id};
    std::vector<std::string> pending{id};
    while (!pending.empty()) {
        const std::string next = pending.back();
        pending.pop_back();
        for (const std::string& child : project.GetTopic(next).FChildren)
            if (project.HasTopic(child) && ids.insert(child).second)
                pending.push_back(child);
    }
    return ids;
}

std::string KnownPageHtml(const TMainWindowState& state, const std::string& id) {
    if (const auto cached = state.FUnsavedTopicHtml.find(id); cached != state.FUnsavedTopicHtml.end())
        return cached->second;
    std::string html;
    ReadProjectTextFile(state.FProject.FRootPath, state.FProject.TopicPagePath(id), html);
    return html;
}

bool LinksToAny(const std::string& html, const std::set<std::string>& ids) {
    const std::vector<std::string> links = ExtractDocLinkIds(html);
    return std::any_of(links.begin(), links.end(), [&](const std::string& link) {
        return std::any_of(ids.begin(), ids.end(),
                           [&](const std::string& id) { return AsciiSameText(link, id); });
    });
}

} // namespace

std::string DeleteTopicQuestion(const TMainWindowState& state, const std::string& topicId) {
    const TDocProject& project = state.FProject;
    const std::set<std::string> deleted = TopicWithDescendants(project, topicId);
    std::string question =
        deleted.size() > 1
            ? FormatText(Translate("Delete the topic \"%s\" with its subtopics (%s)?"),
                         {project.GetTopic(topicId).FTitle, std::to_string(deleted.size() - 1)})
            : FormatText(Translate("Delete the topic \"%s\"?"), {project.GetTopic(topicId).FTitle});
    std::string linking;
    for (const std::string& id : project.FTopics.Ids())
        if (!deleted.contains(id) && LinksToAny(KnownPageHtml(state, id), deleted))
            linking += "\r\n  " + project.GetTopic(id).FTitle;
    if (!linking.empty())
        question += "\r\n\r\n" + Translate("Links to it from these topics will lead nowhere:") +
                    linking;
    return question;
}

} // namespace quillmark
