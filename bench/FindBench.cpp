// Measures the project search of Find and Replace and `quillmark-cli find`
// over a generated project (default 10,000 topics of about 5 KB each): the
// search in the text a reader sees (pages and headers read, references
// decoded, tags skipped, matched with PCRE2) beside the baseline of reading
// the same files and looking for the bytes with std::string::find, and the
// replacement worked out for every topic.
#include "ProjectGenerator.h"
#include "app/ProjectLoading.h"
#include "base/TextQuery.h"
#include "model/ProjectLinks.h"
#include "model/ProjectSearch.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>

using namespace quillmark;

namespace {

double Seconds(const std::function<void()>& work) {
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

} // namespace

int main(int argc, char** argv) {
    const int topics = argc > 1 ? std::atoi(argv[1]) : 10000;
    const std::string folder =
        (std::filesystem::temp_directory_path() / "quillmark-find-bench").string();
    const std::string projectFile = bench::GenerateProject(folder, topics);
    TDocProject project;
    LoadProjectFromFile(projectFile, project);
    TStoredTopicTexts texts(project.FRootPath);

    // Once to warm the file cache, so both runs read from memory.
    SearchProject(project, texts, TTextMatcher(TTextQuery{"topic"}), {});
    size_t rawCount = 0;
    const double raw = Seconds([&] {
        for (const std::string& id : project.FTopics.Ids()) {
            std::string html;
            ReadProjectTextFile(project.FRootPath, project.GetTopic(id).FHtmlPath, html);
            for (size_t at = html.find("topic"); at != std::string::npos;
                 at = html.find("topic", at + 5))
                ++rawCount;
        }
    });
    size_t hits = 0;
    const double literal = Seconds([&] {
        for (const TTopicHits& topic :
             SearchProject(project, texts, TTextMatcher(TTextQuery{"topic"}), {}))
            hits += topic.Hits.size();
    });
    size_t regexHits = 0;
    const double regex = Seconds([&] {
        for (const TTopicHits& topic : SearchProject(
                 project, texts, TTextMatcher(TTextQuery{"top\\w+ \\d+", false, true, true}), {}))
            regexHits += topic.Hits.size();
    });
    size_t changes = 0;
    const TTextMatcher matcher(TTextQuery{"topic"});
    const double replace = Seconds([&] {
        for (const std::string& id : project.FTopics.Ids())
            changes += ReplaceInTopic(project, texts, matcher, {}, id, "subject").size();
    });
    std::printf("%d topics\n", topics);
    std::printf("baseline: read pages + std::string::find   %.3f s (%zu byte matches)\n", raw,
                rawCount);
    std::printf("search, literal, pages and headers         %.3f s (%zu matches)\n", literal, hits);
    std::printf("search, regular expression, whole word     %.3f s (%zu matches)\n", regex,
                regexHits);
    std::printf("replace all, worked out for every topic    %.3f s (%zu fields)\n", replace,
                changes);
    std::filesystem::remove_all(folder);
    return 0;
}
