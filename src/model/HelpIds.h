#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quillmark {

class TDocProject;
struct TTopic;

// Help ID numbers run from 1 to the largest signed 32-bit number, which
// every help API and map format can carry.
inline constexpr int kHighestHelpNumber = 2147483647;
// The number given to the first help ID of a project.
inline constexpr int kFirstHelpNumber = 1000;

// A help ID of a topic: the symbolic name a program uses for the topic (a C
// identifier such as IDH_PAIRING) and, when it has one, its number.
struct THelpId {
    std::string FName;
    int FNumber = 0; // 0: no number

    bool operator==(const THelpId&) const = default;
};

// The number written in decimal digits, without sign or anything else, from
// 1 to kHighestHelpNumber; 0 for any other text.
int HelpNumberFromText(std::string_view text);

// Letters A-Z and a-z, digits and underscores, not starting with a digit.
bool IsHelpIdName(std::string_view name);

// One help ID as the outputs publish it, with its topic.
struct THelpIdEntry {
    std::string Name;
    int Number = 0; // 0: no number
    const TTopic* Topic = nullptr;
};

// The help IDs every output publishes: those with a valid name, each name
// and each number taken once (a later duplicate, in the order of the topics
// in the tree file, is left out; the link check reports it), sorted by
// number, the IDs without a number last, then by name.
std::vector<THelpIdEntry> ProjectHelpIds(const TDocProject& project);

// The same entries, of the topics `included` accepts only.
std::vector<THelpIdEntry> ProjectHelpIds(const TDocProject& project,
                                         bool (*included)(const TTopic& topic));

// What is wrong with the help IDs of a project: names that are no C
// identifiers, names and numbers used twice (names compared with letter
// case). Each problem names the topic that carries the later ID.
struct THelpIdProblem {
    std::string TopicID;
    std::string Text;
};
std::vector<THelpIdProblem> HelpIdProblems(const TDocProject& project);

// Fails with a QuillError naming the clash when one of `ids`, given to the
// topic `topicId`, repeats a name or number of another topic or of an
// earlier entry of `ids`.
void RequireUniqueHelpIds(const TDocProject& project, const std::string& topicId,
                          const std::vector<THelpId>& ids);

// Gives every ID of `ids` without a number the next free one: one above the
// highest number of the project's other topics and of `ids`, or 1000 when
// there is none. Fails with a QuillError when the numbers run out.
void AssignHelpNumbers(const TDocProject& project, const std::string& topicId,
                       std::vector<THelpId>& ids);

} // namespace quillmark
