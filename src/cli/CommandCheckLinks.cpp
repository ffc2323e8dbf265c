#include "app/ProjectLoading.h"
#include "base/TextUtils.h"
#include "base/Translation.h"
#include "cli/CliArgs.h"
#include "cli/CliCommands.h"
#include "publish/LinkChecker.h"

#include <ostream>

namespace quillmark::cli {

void RunCheckLinks(const std::vector<std::string>& words, std::ostream& out) {
    const CliArgs args(words, {}, 1);
    TDocProject project;
    LoadProjectFromFile(args.Positional(0), project);
    const std::vector<TLinkIssue> issues = CheckLinks(project);
    if (issues.empty()) {
        out << Translate("No link issues found.") << "\n";
        return;
    }
    for (const TLinkIssue& issue : issues)
        out << FormatText("%s: %s", {issue.TopicTitle, issue.Issue}) << "\n";
    throw ExitStatus{1};
}

} // namespace quillmark::cli
