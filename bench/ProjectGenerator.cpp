#include "ProjectGenerator.h"

#include "app/ProgramFiles.h"
#include "base/FileHelpers.h"
#include "model/DocProject.h"
#include "model/HeaderFiles.h"
#include "model/ProjectStorage.h"
#include "platform/AppFolders.h"
#include "reuse/ReusableContent.h"
#include "settings/ProjectSettings.h"

#include <filesystem>
#include <random>
#include <vector>

namespace quillmark::bench {

namespace {

constexpr int kGroupSize = 111; // a root, its 10 children and their 100 children

std::string ParentOf(int index, const std::vector<std::string>& ids) {
    const int group = index / kGroupSize * kGroupSize;
    const int k = index % kGroupSize;
    if (k == 0)
        return "";
    if (k <= 10)
        return ids[group];
    return ids[group + 1 + (k - 11) / 10];
}

std::string Link(const std::string& id, const std::string& text) {
    return "<a href=\"doc:" + id + "\">" + text + "</a>";
}

std::string PageHtml(int index, const std::vector<std::string>& ids, std::mt19937& random) {
    const std::string n = std::to_string(index);
    std::string html = "<h1>Topic " + n + " of {var:Product}</h1>";
    html += "<p>This page explains feature " + n +
            " of {var:Product} {var:Version}. It is generated for measuring how fast a project "
            "is published; the text is long enough to look like real documentation.</p>";
    html += "{snip:Note}";
    for (int section = 0; section < 3; ++section) {
        html += "<h2>Section " + std::to_string(section) + "</h2>";
        html += "<p>Open the <b>settings</b> panel, choose <i>Options</i> and press OK. See " +
                Link(ids[random() % ids.size()], "a related topic") + " and " +
                Link(ids[random() % ids.size()], "another one") + " for details.</p>";
        html += "<ul><li>First step of " + n +
                "</li><li>Second step with {var:Var3}</li>"
                "<li>Third step</li></ul>";
    }
    html += "<table><tbody>";
    for (int row = 0; row < 4; ++row) {
        html += "<tr>";
        for (int cell = 0; cell < 4; ++cell)
            html += "<td style=\"background-color: rgb(255, 255, 255)\">Cell " +
                    std::to_string(row) + "." + std::to_string(cell) + "</td>";
        html += "</tr>";
    }
    html += "</tbody></table>";
    html += "<p><img src=\"assets/images/picture" + std::to_string(index % 10) +
            ".png\" alt=\"Picture\"></p>";
    html += "{begincond:Beta}<p>Beta builds show an extra toolbar.</p>{endcond}";
    html += "{begincond:Pro}<p>The professional edition adds scripting to topic " + n +
            ".</p>{endcond}";
    while (html.size() < 4800)
        html += "<p>More explanation of {var:Product}: filler text that stands for the prose "
                "an author writes around each step of a procedure.</p>";
    return html;
}

void WriteReusableContent(const TDocProject& project) {
    TReusableProjectContent store;
    store.FVariables.push_back({"Product", "Aurora Lamp"});
    store.FVariables.push_back({"Version", "2.1"});
    for (int v = 0; v < 20; ++v)
        store.FVariables.push_back({"Var" + std::to_string(v), "value " + std::to_string(v)});
    store.FSnippets.push_back({"Note", "<p class=\"note\">Note: {var:Product} needs power.</p>"});
    store.FConditions.push_back({"Beta", false});
    store.FConditions.push_back({"Pro", true});
    store.SaveToProject(project);
}

} // namespace

std::string GenerateProject(const std::string& folder, int topics) {
    std::filesystem::remove_all(folder);
    const std::string projectFile = JoinPath(folder, "Generated.hff");
    TDocProject project;
    project.Clear();
    project.FTitle = "Generated";
    project.SetRootPath(IncludeTrailingPathDelimiter(JoinPath(folder, "Generated")));
    EnsureProjectFolders(project.FRootPath);
    CopyProgramFiles(ProgramFilesFolder(), project.FRootPath);

    std::vector<std::string> ids;
    ids.reserve(topics);
    for (int i = 0; i < topics; ++i)
        ids.push_back(project.AddTopic("Topic " + std::to_string(i), ParentOf(i, ids)).FID);
    std::mt19937 random(42);
    for (int i = 0; i < topics; ++i) {
        WriteTextFileUtf8(project.TopicPagePath(ids[i]), PageHtml(i, ids, random));
        WriteHeaderFiles(project.FRootPath, ids[i],
                         "<div style=\"font-size:14px;\"><b>Topic " + std::to_string(i) +
                             "</b></div>",
                         "#E7EFF5");
    }
    for (int p = 0; p < 10; ++p)
        WriteTextFileUtf8(
            JoinPath(project.FRootPath, "assets/images/picture" + std::to_string(p) + ".png"),
            std::string(20000, static_cast<char>('a' + p)));
    WriteReusableContent(project);
    TProjectSettings settings;
    settings.SaveToFile(TProjectSettings::DefaultSettingsPathForProject(project.FRootPath));
    WriteProjectFile(projectFile, project);
    return projectFile;
}

} // namespace quillmark::bench
