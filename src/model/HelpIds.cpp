#include "model/HelpIds.h"

#include "base/QuillError.h"
#include "base/TextUtils.h"
#include "base/Translation.h"
#include "model/DocProject.h"

#include <algorithm>
#include <charconv>
#include <unordered_map>

namespace quillmark {

namespace {

bool IsAsciiLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

bool IsAsciiDigit(char c) {
    return c >= '0' && c <= '9';
}

// Where a name or number was first seen.
struct TFirstUse {
    const TTopic* Topic;
    std::string Name;
};

// Walks every help ID of the project in the order of the topics in the tree
// file, telling `visit` the ID, its topic, and the earlier use of its name
// and of its number (null when none).
template <typename Visit> void WalkHelpIds(const TDocProject& project, Visit visit) {
    std::unordered_map<std::string, TFirstUse> names;
    std::unordered_map<int, TFirstUse> numbers;
    for (const std::string& id : project.FTopics.Ids()) {
        const TTopic* topic = project.FTopics.Find(id);
        if (topic == nullptr)
            continue;
        for (const THelpId& help : topic->FHelpIds) {
            const auto name = names.try_emplace(help.FName, TFirstUse{topic, help.FName});
            const TFirstUse* numberUse = nullptr;
            if (help.FNumber != 0) {
                const auto number = numbers.try_emplace(help.FNumber, TFirstUse{topic, help.FName});
                if (!number.second)
                    numberUse = &number.first->second;
            }
            visit(*topic, help, name.second ? nullptr : &name.first->second, numberUse);
        }
    }
}

std::string Quoted(const std::string& text) {
    return "\"" + text + "\"";
}

} // namespace

int HelpNumberFromText(std::string_view text) {
    int number = 0;
    const char* last = text.data() + text.size();
    const auto [end, ec] = std::from_chars(text.data(), last, number);
    if (text.empty() || !IsAsciiDigit(text.front()) || ec != std::errc() || end != last)
        return 0;
    return number; // 0 stays "no number"
}

bool IsHelpIdName(std::string_view name) {
    if (name.empty() || IsAsciiDigit(name.front()))
        return false;
    return std::all_of(name.begin(), name.end(),
                       [](char c) { return IsAsciiLetter(c) || IsAsciiDigit(c) || c == '_'; });
}

std::vector<THelpIdEntry> ProjectHelpIds(const TDocProject& project,
                                         bool (*included)(const TTopic& topic)) {
    std::vector<THelpIdEntry> entries;
    WalkHelpIds(project, [&](const TTopic& topic, const THelpId& help, const TFirstUse* sameName,
                             const TFirstUse* sameNumber) {
        if (sameName == nullptr && sameNumber == nullptr && IsHelpIdName(help.FName) &&
            (included == nullptr || included(topic)))
            entries.push_back({help.FName, help.FNumber, &topic});
    });
    std::sort(entries.begin(), entries.end(), [](const THelpIdEntry& a, const THelpIdEntry& b) {
        const unsigned ka = static_cast<unsigned>(a.Number) - 1; // 0 sorts last
        const unsigned kb = static_cast<unsigned>(b.Number) - 1;
        return ka != kb ? ka < kb : a.Name < b.Name;
    });
    return entries;
}

std::vector<THelpIdEntry> ProjectHelpIds(const TDocProject& project) {
    return ProjectHelpIds(project, nullptr);
}

std::vector<THelpIdProblem> HelpIdProblems(const TDocProject& project) {
    std::vector<THelpIdProblem> problems;
    WalkHelpIds(project, [&](const TTopic& topic, const THelpId& help, const TFirstUse* sameName,
                             const TFirstUse* sameNumber) {
        if (!IsHelpIdName(help.FName))
            problems.push_back({topic.FID, "Help ID is not a C identifier: " + Quoted(help.FName)});
        if (sameName != nullptr)
            problems.push_back({topic.FID, "Duplicate help ID: " + help.FName +
                                               " (also on the topic " +
                                               Quoted(sameName->Topic->FTitle) + ")"});
        if (sameNumber != nullptr)
            problems.push_back({topic.FID, "Duplicate help ID number: " +
                                               std::to_string(help.FNumber) + " of " + help.FName +
                                               " (also " + sameNumber->Name + " on the topic " +
                                               Quoted(sameNumber->Topic->FTitle) + ")"});
    });
    return problems;
}

void RequireUniqueHelpIds(const TDocProject& project, const std::string& topicId,
                          const std::vector<THelpId>& ids) {
    // The project as it would be with `ids` on the topic, the topic's IDs
    // looked at last so that a clash is reported on them.
    std::unordered_map<std::string, const TTopic*> names;
    std::unordered_map<int, std::pair<const TTopic*, std::string>> numbers;
    for (const std::string& id : project.FTopics.Ids()) {
        const TTopic* topic = project.FTopics.Find(id);
        if (topic == nullptr || id == topicId)
            continue;
        for (const THelpId& help : topic->FHelpIds) {
            names.try_emplace(help.FName, topic);
            if (help.FNumber != 0)
                numbers.try_emplace(help.FNumber, topic, help.FName);
        }
    }
    const TTopic* self = project.FTopics.Find(topicId);
    for (const THelpId& help : ids) {
        const auto name = names.try_emplace(help.FName, self);
        if (!name.second && name.first->second == self)
            throw QuillError(
                FormatText(Translate("The help ID %s is given twice."), {help.FName}));
        if (!name.second)
            throw QuillError(FormatText(Translate("The help ID %s is already used by the topic "
                                                  "\"%s\"."),
                                        {help.FName, name.first->second->FTitle}));
        if (help.FNumber == 0)
            continue;
        const auto number = numbers.try_emplace(help.FNumber, self, help.FName);
        const auto& [owner, ownerName] = number.first->second;
        if (!number.second && owner == self)
            throw QuillError(FormatText(Translate("The help ID number %s is given twice."),
                                        {std::to_string(help.FNumber)}));
        if (!number.second)
            throw QuillError(FormatText(
                Translate("The help ID number %s of %s is already used by %s of the topic "
                          "\"%s\"."),
                {std::to_string(help.FNumber), help.FName, ownerName, owner->FTitle}));
    }
}

void AssignHelpNumbers(const TDocProject& project, const std::string& topicId,
                       std::vector<THelpId>& ids) {
    int highest = 0;
    for (const std::string& id : project.FTopics.Ids())
        if (const TTopic* topic = project.FTopics.Find(id); topic != nullptr && id != topicId)
            for (const THelpId& help : topic->FHelpIds)
                highest = std::max(highest, help.FNumber);
    for (const THelpId& help : ids)
        highest = std::max(highest, help.FNumber);
    for (THelpId& help : ids) {
        if (help.FNumber != 0)
            continue;
        if (highest == kHighestHelpNumber)
            throw QuillError(FormatText(Translate("No help ID number is free above %s."),
                                        {std::to_string(highest)}));
        highest = highest == 0 ? kFirstHelpNumber : highest + 1;
        help.FNumber = highest;
    }
}

} // namespace quillmark
