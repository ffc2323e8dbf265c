#include "model/ProjectStorage.h"

#include "TempFolder.h"
#include "TestHelpers.h"
#include "base/FileHelpers.h"
#include "base/Json.h"
#include "base/QuillError.h"

#include <filesystem>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace quillmark;
using quillmark::testing::ErrorOf;
using quillmark::testing::TempFolder;
using ::testing::ElementsAre;
using ::testing::HasSubstr;

namespace {

const std::string kIdA = "AAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAA";
const std::string kIdB = "BBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBB";

// A project with fixed identifiers: root A (title with é) with child B.
void FillSample(TDocProject& project, const std::string& root) {
    project.Clear();
    project.FRootPath = root;
    project.FTitle = "Caf\xC3\xA9 Guide";
    auto a = std::make_unique<TTopic>();
    a->FID = kIdA;
    a->FTitle = "Start";
    a->FChildren = {kIdB};
    a->FKeywords = {"k1", "k/2"};
    a->FExcludePdf = true;
    auto b = std::make_unique<TTopic>();
    b->FID = kIdB;
    b->FTitle = "Child";
    b->FParentID = kIdA;
    b->FIndexEntries = {"idx"};
    project.FTopics.Add(std::move(a));
    project.FTopics.Add(std::move(b));
    project.FRootTopicIDs = {kIdA};
}

class ProjectStorageTest : public ::testing::Test {
protected:
    TempFolder folder;
    TDocProject project;

    void WriteTree(const std::string& json) { WriteTextFileUtf8(folder.Path("meta/topics.json"), json); }
    std::string LoadError() {
        return ErrorOf([&] { LoadProjectFolder(folder.Root(), project); });
    }
};

} // namespace

TEST_F(ProjectStorageTest, SaveWritesExactCompactAsciiFiles) {
    FillSample(project, folder.Root());
    SaveProjectFolder(project);
    EXPECT_EQ(ReadFileBytes(folder.Path("project.json")),
              R"({"title":"Caf\u00E9 Guide","styleProfile":"default"})");
    EXPECT_EQ(ReadFileBytes(folder.Path("meta/topics.json")),
              R"({"rootTopicIds":[")" + kIdA + R"("],"topics":[)"
              R"({"id":")" + kIdA + R"(","title":"Start","htmlPath":"topics\\)" + kIdA +
                  R"(.html","parentId":"","excludeWeb":false,"excludeChm":false,"excludePdf":true,)"
                  R"("children":[")" + kIdB + R"("],"keywords":["k1","k\/2"],"index":[]},)"
              R"({"id":")" + kIdB + R"(","title":"Child","htmlPath":"topics\\)" + kIdB +
                  R"(.html","parentId":")" + kIdA +
                  R"(","excludeWeb":false,"excludeChm":false,"excludePdf":false,)"
                  R"("children":[],"keywords":[],"index":["idx"]}]})");
}

// Saving an unchanged project writes nothing; a change is written, and a
// valid file that starts with a byte-order mark is written over, not kept.
TEST_F(ProjectStorageTest, SavingAnUnchangedProjectRewritesNothing) {
    FillSample(project, folder.Root());
    SaveProjectFolder(project);
    struct stat before {};
    ::stat(folder.Path("meta/topics.json").c_str(), &before);
    SaveProjectFolder(project);
    struct stat after {};
    ::stat(folder.Path("meta/topics.json").c_str(), &after);
    EXPECT_EQ(after.st_ino, before.st_ino);

    WriteFileAtomically(folder.Path("meta/topics.json"),
                        "\xEF\xBB\xBF" + ReadFileBytes(folder.Path("meta/topics.json")));
    project.AddTopic("Fresh", "");
    SaveProjectFolder(project);
    EXPECT_THAT(ReadFileBytes(folder.Path("meta/topics.json")), HasSubstr("\"Fresh\""));
    EXPECT_FALSE(std::filesystem::exists(folder.Path("meta/topics.json.unreadable")));
}

TEST_F(ProjectStorageTest, RoundTripKeepsEverything) {
    FillSample(project, folder.Root());
    SaveProjectFolder(project);
    TDocProject loaded;
    LoadProjectFolder(folder.Root(), loaded);
    EXPECT_EQ(loaded.FTitle, "Caf\xC3\xA9 Guide");
    EXPECT_EQ(loaded.FStyleProfile, "default");
    EXPECT_THAT(loaded.FRootTopicIDs, ElementsAre(kIdA));
    EXPECT_THAT(loaded.FTopics.Ids(), ElementsAre(kIdA, kIdB));
    const TTopic& a = loaded.GetTopic(kIdA);
    EXPECT_THAT(a.FKeywords, ElementsAre("k1", "k/2"));
    EXPECT_TRUE(a.FExcludePdf);
    EXPECT_EQ(loaded.GetTopic(kIdB).FParentID, kIdA);
    EXPECT_THAT(loaded.GetTopic(kIdB).FIndexEntries, ElementsAre("idx"));
}

// Only a topic with help IDs carries "helpIds", after "index"; an ID
// without a number has no "number".
TEST_F(ProjectStorageTest, HelpIdsAreWrittenOnlyForTopicsThatHaveThem) {
    FillSample(project, folder.Root());
    project.GetTopic(kIdB).FHelpIds = {{"IDH_PAIRING", 1001}, {"IDH_later", 0}};
    SaveProjectFolder(project);
    const std::string tree = ReadFileBytes(folder.Path("meta/topics.json"));
    EXPECT_THAT(tree, HasSubstr(R"("keywords":["k1","k\/2"],"index":[]},)"));
    EXPECT_THAT(tree, HasSubstr(R"("index":["idx"],"helpIds":[{"name":"IDH_PAIRING","number":1001},)"
                                R"({"name":"IDH_later"}]}]})"));

    TDocProject loaded;
    LoadProjectFolder(folder.Root(), loaded);
    EXPECT_EQ(loaded.GetTopic(kIdB).FHelpIds, project.GetTopic(kIdB).FHelpIds);
    EXPECT_TRUE(loaded.GetTopic(kIdA).FHelpIds.empty());
}

// The tree files of the sample project and of the user manual load and save
// back byte for byte (the manual has no help IDs, the sample has two).
TEST(ProjectStorageFilesTest, ShippedTreeFilesSaveBackUnchanged) {
    for (const char* folder : {"examples/AuroraLamp/", "docs/manual/Quillmark/"}) {
        const std::string source = std::string(QUILLMARK_SOURCE_DIR) + "/" + folder;
        TDocProject project;
        LoadProjectFolder(source, project);
        ASSERT_FALSE(project.FTopics.Empty()) << folder;
        TempFolder copy;
        project.SetRootPath(copy.Root());
        SaveProjectFolder(project);
        EXPECT_EQ(ReadFileBytes(copy.Path("meta/topics.json")),
                  ReadFileBytes(source + "meta/topics.json"))
            << folder;
    }
}

TEST_F(ProjectStorageTest, LoadIsLenientWhereTheFormatAllows) {
    WriteTextFileUtf8(folder.Path("project.json"), "\xEF\xBB\xBF{\"styleProfile\":\"\"}");
    WriteTree(R"({"rootTopicIds":["x", 7],"topics":[
        {"id":"x","title":"X","htmlPath":"C:\\elsewhere\\x.html","excludePdf":"TRUE",
         "excludeWeb":"yes","children":["gone"],
         "helpIds":[{"name":""},{"number":7},{"name":"not a name"},{"name":"IDH_X","number":7}]},
        {"title":"no id"}, {"id":""}]})");
    LoadProjectFolder(folder.Root(), project);
    EXPECT_EQ(project.FTitle, "Untitled Documentation");
    EXPECT_EQ(project.FStyleProfile, "default");
    EXPECT_THAT(project.FRootTopicIDs, ElementsAre("x", "7"));
    ASSERT_EQ(project.FTopics.Size(), 1u);
    const TTopic& x = project.GetTopic("x");
    EXPECT_EQ(x.FHtmlPath, folder.Root() + "topics/x.html");
    EXPECT_TRUE(x.FExcludePdf);
    EXPECT_FALSE(x.FExcludeWeb);
    EXPECT_FALSE(x.FExcludeChm);
    EXPECT_THAT(x.FChildren, ElementsAre("gone"));
    // Nameless IDs are skipped; a name that is no identifier is kept for the
    // author to mend (the link check reports it).
    EXPECT_EQ(x.FHelpIds, (std::vector<THelpId>{{"not a name", 0}, {"IDH_X", 7}}));
}

TEST_F(ProjectStorageTest, UnparsableFilesReadAsMissing) {
    WriteTextFileUtf8(folder.Path("project.json"), "{title:");
    WriteTree("not json");
    LoadProjectFolder(folder.Root(), project);
    EXPECT_EQ(project.FTitle, "Untitled Documentation");
    EXPECT_TRUE(project.FTopics.Empty());
}

TEST_F(ProjectStorageTest, WrongTypesAndBadIdentifiersFailTheLoad) {
    struct Case {
        std::string tree;
        std::string messagePart;
    };
    const Case cases[] = {
        {R"([])", "does not hold a JSON object"},
        {R"({"topics":"x"})", "\"topics\" is not an array"},
        {R"({"rootTopicIds":{}})", "\"rootTopicIds\" is not an array"},
        {R"({"topics":[1]})", "is not an object"},
        {R"({"topics":[{"id":"a","children":"b"}]})", "\"children\" is not an array"},
        {R"({"topics":[{"id":"a"},{"id":"a"}]})", "\"a\" occurs twice"},
        {R"({"topics":[{"id":"..\/..\/evil"}]})", "\"../../evil\" is not allowed"},
        {R"({"topics":[{"id":"a\\b"}]})", "is not allowed"},
        {R"({"topics":[{"id":".."}]})", "\"..\" is not allowed"},
        {R"({"topics":[{"id":"."}]})", "\".\" is not allowed"},
        {R"({"topics":[{"id":"a\nb"}]})", "\"a\\x0Ab\" is not allowed"},
        {R"({"topics":[{"id":"a","helpIds":{}}]})", "\"helpIds\" is not an array"},
        {R"({"topics":[{"id":"a","helpIds":["IDH_A"]}]})", "\"helpIds\" is not an object"},
        {R"({"topics":[{"id":"a","helpIds":[{"name":"IDH_A","number":"1001"}]}]})",
         "\"IDH_A\" has the number \"1001\""},
        {R"({"topics":[{"id":"a","helpIds":[{"name":"IDH_A","number":0}]}]})", "number \"0\""},
        {R"({"topics":[{"id":"a","helpIds":[{"name":"IDH_A","number":-5}]}]})", "number \"-5\""},
        {R"({"topics":[{"id":"a","helpIds":[{"name":"IDH_A","number":1.5}]}]})", "\"1.5\""},
        {R"({"topics":[{"id":"a","helpIds":[{"name":"IDH_A","number":2147483648}]}]})",
         "\"2147483648\""},
    };
    for (const Case& c : cases) {
        WriteTree(c.tree);
        const std::string error = LoadError();
        EXPECT_THAT(error, HasSubstr(c.messagePart)) << c.tree;
        EXPECT_THAT(error, HasSubstr("topics.json")) << c.tree;
        EXPECT_TRUE(project.FTopics.Empty()) << c.tree;
    }
    // Nothing was written beside the tree file by the failed loads.
    EXPECT_FALSE(std::filesystem::exists(folder.Path("topics")));
}

TEST_F(ProjectStorageTest, UnreadableTreeFileIsKeptBeforeBeingWrittenOver) {
    WriteTree("{ hand edited, broken");
    LoadProjectFolder(folder.Root(), project);
    project.AddTopic("Fresh", "");
    SaveProjectFolder(project);
    EXPECT_EQ(ReadFileBytes(folder.Path("meta/topics.json.unreadable")), "{ hand edited, broken");

    WriteTree("broken again");
    SaveProjectFolder(project);
    EXPECT_EQ(ReadFileBytes(folder.Path("meta/topics.json.unreadable")), "{ hand edited, broken");
    EXPECT_EQ(ReadFileBytes(folder.Path("meta/topics.json.unreadable.2")), "broken again");
    TDocProject reloaded;
    LoadProjectFolder(folder.Root(), reloaded);
    EXPECT_EQ(reloaded.FTopics.Size(), 1u);
}

TEST_F(ProjectStorageTest, ProjectFileFormat) {
    FillSample(project, "/unused/");
    const std::string hff = folder.Path("docs/a.hff");
    WriteProjectFile(hff, project);
    const std::string bytes = ReadFileBytes(hff);
    const std::string root = folder.Path("docs/a");
    // The folder beside the file is stored relative to it.
    EXPECT_EQ(bytes,
              "\xEF\xBB\xBF{\"version\":\"1.0\",\"title\":\"Caf\\u00E9 Guide\",\"root\":\"a\"}");
    EXPECT_TRUE(FileExists(root + "/project.json"));
    EXPECT_TRUE(FileExists(root + "/meta/topics.json"));
    EXPECT_EQ(ReadFileBytes(root + "/project.json").front(), '{');
    EXPECT_EQ(project.FRootPath, "/unused/");

    const TProjectFileInfo info = ReadProjectFile(hff);
    EXPECT_EQ(info.Folder, root);
    EXPECT_EQ(info.Title, "Caf\xC3\xA9 Guide");
}

TEST_F(ProjectStorageTest, CopiedOrMovedProjectOpensItsNeighbourFolder) {
    namespace fs = std::filesystem;
    FillSample(project, "/unused/");
    WriteProjectFile(folder.Path("old/a.hff"), project);
    fs::rename(folder.Path("old"), folder.Path("new"));
    EXPECT_EQ(ReadProjectFile(folder.Path("new/a.hff")).Folder, folder.Path("new/a"));

    // A copy of the file and its folder opens the copy, also when the file
    // was written with an absolute "root" whose folder is still there.
    WriteProjectFile(folder.Path("orig/a.hff"), project);
    const std::string absolute = "\xEF\xBB\xBF{\"version\":\"1.0\",\"title\":\"T\",\"root\":\"" +
                                 folder.Path("orig/a") + "\"}";
    for (const std::string& file : {ReadFileBytes(folder.Path("orig/a.hff")), absolute}) {
        fs::remove_all(folder.Path("copy"));
        fs::create_directories(folder.Path("copy"));
        WriteTextFileUtf8(folder.Path("copy/a.hff"), file);
        fs::copy(folder.Path("orig/a"), folder.Path("copy/a"), fs::copy_options::recursive);
        EXPECT_EQ(ReadProjectFile(folder.Path("copy/a.hff")).Folder, folder.Path("copy/a"));
    }
    // Without a project beside it, an absolute "root" elsewhere is opened.
    WriteTextFileUtf8(folder.Path("single/b.hff"), absolute);
    EXPECT_EQ(ReadProjectFile(folder.Path("single/b.hff")).Folder, folder.Path("orig/a"));
    // A folder elsewhere is stored as it is.
    WriteProjectFile(folder.Path("single/c.hff"), project, folder.Path("orig/a/"));
    EXPECT_THAT(ReadFileBytes(folder.Path("single/c.hff")),
                HasSubstr(WriteJson(JsonValue::String(folder.Path("orig/a")))));
}

TEST_F(ProjectStorageTest, ProjectFileErrors) {
    const std::string hff = folder.Path("p.hff");
    EXPECT_EQ(ErrorOf([&] { ReadProjectFile(hff); }), "Project file not found: " + hff);
    for (const char* bad : {"nope", "[1]"}) {
        WriteTextFileUtf8(hff, bad);
        EXPECT_EQ(ErrorOf([&] { ReadProjectFile(hff); }), "Invalid project file: " + hff);
    }
    WriteTextFileUtf8(hff, R"({"title":"T"})");
    EXPECT_THAT(ErrorOf([&] { ReadProjectFile(hff); }), HasSubstr("\"root\""));
    WriteTextFileUtf8(hff, R"({"root":"x"})");
    EXPECT_THAT(ErrorOf([&] { ReadProjectFile(hff); }), HasSubstr("\"title\""));

    WriteTextFileUtf8(hff, R"({"title":"T","root":""})");
    EXPECT_EQ(ReadProjectFile(hff).Folder, folder.Path("p"));
}

TEST_F(ProjectStorageTest, EnsureProjectFoldersCreatesTheLayout) {
    EnsureProjectFolders(folder.Path("proj"));
    for (const char* sub : {"topics", "meta", "assets/images", "build", "styles",
                            "internal/editor", "internal/webhelp"})
        EXPECT_TRUE(DirectoryExists(folder.Path("proj/") + sub)) << sub;
}
