// Measures token expansion over a generated project: the store loaded for
// every topic (each call reads meta/reusable_content.json) against the store
// loaded once per publishing run and shared by every topic.
#include "base/FileHelpers.h"
#include "model/DocProject.h"
#include "reuse/ReusableContent.h"
#include "reuse/TokenExpansion.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

using namespace quillmark;

namespace {

std::string TopicHtml(int i) {
    std::string html;
    for (int p = 0; p < 20; ++p) {
        html += "<p>Paragraph " + std::to_string(p) + " of topic " + std::to_string(i) +
                " about {var:Product} version {var:Version}.</p>";
        if (p % 5 == 0)
            html += "{snip:Note}{begincond:Beta}<p>beta only</p>{endcond}";
    }
    return html;
}

double Seconds(const std::function<void()>& work) {
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

} // namespace

int main(int argc, char** argv) {
    const int topics = argc > 1 ? std::atoi(argv[1]) : 3000;
    const std::string root =
        (std::filesystem::temp_directory_path() / "quillmark-expansion-bench/").string();
    std::filesystem::remove_all(root);
    TDocProject project;
    project.Clear();
    project.FRootPath = root;

    TReusableProjectContent store;
    for (int v = 0; v < 50; ++v)
        store.FVariables.push_back({"Var" + std::to_string(v), "value " + std::to_string(v)});
    store.FVariables.push_back({"Product", "Aurora"});
    store.FVariables.push_back({"Version", "2.1"});
    store.FSnippets.push_back({"Note", "<p class=\"note\">{var:Product} note</p>"});
    store.FConditions.push_back({"Beta", false});
    store.SaveToProject(project);

    std::vector<std::string> pages;
    for (int i = 0; i < topics; ++i)
        pages.push_back(TopicHtml(i));

    size_t perTopicBytes = 0;
    const double perTopic = Seconds([&] {
        for (const std::string& html : pages)
            perTopicBytes += ExpandReusableContent(project, html).size();
    });
    size_t sharedBytes = 0;
    const double shared = Seconds([&] {
        TReusableProjectContent loaded;
        loaded.LoadFromProject(project);
        for (const std::string& html : pages)
            sharedBytes += ExpandReusableContent(loaded, html).size();
    });
    std::printf("%d topics: store loaded per topic %.3f s, store loaded once %.3f s (%.1fx)%s\n",
                topics, perTopic, shared, perTopic / shared,
                perTopicBytes == sharedBytes ? "" : "  OUTPUTS DIFFER");
    std::filesystem::remove_all(root);
    return perTopicBytes == sharedBytes ? 0 : 1;
}
