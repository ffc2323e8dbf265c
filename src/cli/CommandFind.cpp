#include "app/ProjectLoading.h"
#include "base/QuillError.h"
#include "base/TextQuery.h"
#include "cli/CliArgs.h"
#include "cli/CliCommands.h"
#include "model/ProjectSearch.h"

#include <optional>
#include <ostream>

namespace quillmark::cli {

void RunFind(const std::vector<std::string>& words, std::ostream& out) {
    std::vector<std::string> rest = words;
    TTextQuery query;
    query.RegularExpression = TakeSwitch(rest, "--regex");
    query.MatchCase = TakeSwitch(rest, "--match-case");
    query.WholeWord = TakeSwitch(rest, "--whole-word");
    TProjectSearchOptions options;
    options.Titles = TakeSwitch(rest, "--titles");
    const CliArgs args(rest, {}, 2);
    query.Text = args.Positional(1);
    if (query.Text.empty())
        throw UsageError("the text to find is empty");

    // A pattern that does not compile is wrong usage, told apart from
    // "nothing found" (1).
    std::optional<TTextMatcher> matcher;
    try {
        matcher.emplace(query);
    } catch (const QuillError& e) {
        throw UsageError(e.what());
    }
    TDocProject project;
    LoadProjectFromFile(args.Positional(0), project);
    TStoredTopicTexts texts(project.FRootPath);
    const std::vector<TTopicHits> found = SearchProject(project, texts, *matcher, options);
    for (const TTopicHits& topic : found)
        for (const TSearchHit& hit : topic.Hits)
            out << topic.Title << ": " << hit.Context << "\n";
    if (found.empty())
        throw ExitStatus{1};
}

} // namespace quillmark::cli
