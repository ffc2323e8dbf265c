#include "app/ProjectLoading.h"

#include "TempFolder.h"
#include "TestHelpers.h"
#include "app/ProjectCreation.h"
#include "base/FileHelpers.h"
#include "model/ProjectStorage.h"
#include "reuse/ReusableContent.h"
#include "settings/ProjectSettings.h"

#include <filesystem>
#include <functional>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <map>

namespace fs = std::filesystem;

namespace quillmark {
namespace {

using testing::ErrorOf;
using ::testing::HasSubstr;
using testing::TempFolder;

// Every file below the folder with its bytes, to show that nothing changed.
std::map<std::string, std::string> Snapshot(const std::string& folder) {
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(folder))
        if (entry.is_regular_file())
            files[entry.path().string()] = ReadFileBytes(entry.path().string());
    return files;
}

std::string Nested(size_t depth) {
    return std::string(depth, '[') + std::string(depth, ']');
}

class ProjectLoadingTest : public ::testing::Test {
protected:
    ProjectLoadingTest() {
        CreateProjectFile(hff, "Guide", QUILLMARK_RESOURCES_DIR);
        WriteTextFileUtf8(
            folder + "meta/reusable_content.json",
            R"({"variables":[{"name":"V","value":"1"}],"snippets":[],"conditions":[]})");
    }

    TempFolder temp;
    std::string hff = temp.Path("Guide.hff");
    std::string folder = temp.Path("Guide/");
};

const char* const kFiles[] = {"Guide.hff", "Guide/project.json", "Guide/meta/topics.json",
                              "Guide/meta/project_settings.json",
                              "Guide/meta/reusable_content.json"};

// Every reader of a project file fails on a deeply nested document with a
// message naming the file, instead of running out of stack.
TEST_F(ProjectLoadingTest, DeepDocumentsFailEveryReaderNamingTheFile) {
    const std::map<std::string, std::function<void()>> readers = {
        {"Guide.hff", [&] { ReadProjectFile(hff); }},
        {"Guide/project.json",
         [&] {
             TDocProject p;
             LoadProjectFolder(folder, p);
         }},
        {"Guide/meta/topics.json",
         [&] {
             TDocProject p;
             LoadProjectFolder(folder, p);
         }},
        {"Guide/meta/project_settings.json",
         [&] { TProjectSettings().LoadFromFile(folder + "meta/project_settings.json"); }},
        {"Guide/meta/reusable_content.json", [&] {
             TDocProject p;
             p.FRootPath = folder;
             TReusableProjectContent().LoadFromProject(p);
         }}};
    for (const char* file : kFiles) {
        const std::string path = temp.Path(file);
        const std::string kept = ReadFileBytes(path);
        WriteTextFileUtf8(path, Nested(500000));
        const auto before = Snapshot(temp.Root());
        for (const auto& read : {readers.at(file), std::function<void()>([&] {
                                     TDocProject p;
                                     LoadProjectFromFile(hff, p);
                                 })}) {
            const std::string error = ErrorOf(read);
            EXPECT_THAT(error, HasSubstr(path)) << file;
            EXPECT_THAT(error, HasSubstr("nested more than 512 levels deep")) << file;
        }
        EXPECT_EQ(Snapshot(temp.Root()), before) << file;
        WriteTextFileUtf8(path, kept);
    }
}

// For the command-line tool, a file that is there but damaged is an error
// naming it, not an empty project.
TEST_F(ProjectLoadingTest, DamagedFilesFailNamingTheFile) {
    for (const char* file : kFiles) {
        const std::string path = temp.Path(file);
        const std::string kept = ReadFileBytes(path);
        WriteTextFileUtf8(path, kept.substr(0, kept.size() - 1)); // one byte cut off
        TDocProject project;
        EXPECT_THAT(ErrorOf([&] { LoadProjectFromFile(hff, project); }), HasSubstr(path)) << file;
        WriteTextFileUtf8(path, kept);
    }
    fs::remove(folder + "meta/reusable_content.json");
    fs::create_directory(folder + "meta/reusable_content.json");
    TDocProject project;
    EXPECT_THAT(ErrorOf([&] { LoadProjectFromFile(hff, project); }),
                HasSubstr(folder + "meta/reusable_content.json"));
}

TEST_F(ProjectLoadingTest, MissingSettingsAndReusableContentKeepTheDefaults) {
    fs::remove(folder + "meta/project_settings.json");
    fs::remove(folder + "meta/reusable_content.json");
    TDocProject project;
    LoadProjectFromFile(hff, project);
    EXPECT_EQ(project.FTitle, "Guide");
    EXPECT_EQ(project.FTopics.Size(), 1u);
}

} // namespace
} // namespace quillmark
