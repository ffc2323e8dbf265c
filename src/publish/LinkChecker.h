#pragma once

#include <string>
#include <vector>

namespace quillmark {

class TDocProject;

// One finding of the link check.
struct TLinkIssue {
    std::string TopicID;
    std::string TopicTitle; // the title at the time of the check
    std::string Issue;
};

// Reads every topic's page file as it is on disk, in dictionary order and
// whatever its exclusion flags, and lists per topic: a missing page file
// ("Missing HTML file: " and the stored path; nothing else is checked for
// that topic), then topic links naming no topic ("Broken internal link:
// doc:" and the identifier as written; "Missing anchor: doc:<id>#<anchor>" for
// a link to an anchor the target's page lacks), then double-quoted src/href values
// that lead to no file ("Missing local reference: " and the value as
// written).
//
// A local reference is looked up without its query or fragment, against the
// project folder (where the editor resolves it) and against the folder of
// the topic's page; found in either, it is fine. Web addresses, other URL
// schemes ("data:", "ftp:" …), network paths ("//host/…") and in-page
// anchors are not local references. A value that cannot be a path at all
// is reported as missing. A page file that cannot be read fails the check.
//
// Then the problems of the help IDs (HelpIdProblems): names that are no C
// identifiers, names and numbers used twice.
//
// Last, every "*.html" file of the topics folder that no topic owns, in the
// order of the names: the file's name as the title, "Page file without a
// topic: " and its path as the issue, and no topic identifier.
std::vector<TLinkIssue> CheckLinks(const TDocProject& project);

} // namespace quillmark
