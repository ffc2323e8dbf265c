#include "publish/PublishSteps.h"

#include "TempFolder.h"
#include "TestHelpers.h"
#include "base/FileHelpers.h"
#include "model/DocProject.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace quillmark {
namespace {

using testing::ErrorOf;
using testing::TempFolder;

TEST(PublishStepsTest, PageHeaderPrefersTopicFilesAndFallsBackToTheTitle) {
    struct Case {
        const char* what;
        const char* defaultHtml; // nullptr: no file
        const char* defaultBg;
        const char* topicHtml;
        const char* topicBg;
        TPageHeaderVariant variant;
        const char* html;
        const char* background;
    };
    // The title is text in both variants, never markup.
    const char* fallback = "<div style=\"font-size:14px;\"><b>A &amp; &lt;B&gt; &#39;C&#39;</b></div>";
    const Case cases[] = {
        {"no files", nullptr, nullptr, nullptr, nullptr, TPageHeaderVariant::WebHelp, fallback,
         "#fafafa"},
        {"defaults", "<p>D</p>", " #111111\r\n", nullptr, nullptr, TPageHeaderVariant::WebHelp,
         "<p>D</p>", "#111111"},
        {"topic wins", "<p>D</p>", "#111111", "<p>T</p>", "#222222", TPageHeaderVariant::WebHelp,
         "<p>T</p>", "#222222"},
        {"empty topic file beats default", "<p>D</p>", "#111111", " \n", "",
         TPageHeaderVariant::WebHelp, fallback, "#fafafa"},
        {"chm encodes title", nullptr, nullptr, nullptr, nullptr, TPageHeaderVariant::Chm,
         "<div style=\"font-size:14px;\"><b>A &amp; &lt;B&gt; 'C'</b></div>", "#fafafa"},
    };
    for (const Case& c : cases) {
        TempFolder temp;
        TDocProject project;
        project.FRootPath = temp.Root();
        project.FTitle = "A & <B> 'C'";
        const auto put = [&](const char* name, const char* text) {
            if (text != nullptr)
                WriteTextFileUtf8(temp.Path(std::string("meta/") + name), text);
        };
        put("header_default.html", c.defaultHtml);
        put("headerbg_default.txt", c.defaultBg);
        put("header_a_b.html", c.topicHtml);
        put("headerbg_a_b.txt", c.topicBg);
        const TPageHeader header = ResolvePageHeader(project, " a:b ", c.variant);
        EXPECT_EQ(header.Html, c.html) << c.what;
        EXPECT_EQ(header.Background, c.background) << c.what;
    }
}

TEST(PublishStepsTest, ReferencesThatLeaveTheFolderResolveToNothing) {
    TempFolder temp;
    fs::create_directories(temp.Path("out/assets/images"));
    fs::create_directories(temp.Path("elsewhere"));
    fs::create_directory_symlink(temp.Path("elsewhere"), temp.Path("out/assets/linked"));
    const std::string out = temp.Path("out");
    EXPECT_EQ(ResolveInsideFolder(out, "assets/images/a.jpg"), out + "/assets/images/a.jpg");
    EXPECT_EQ(ResolveInsideFolder(out, "assets/./images//a.jpg"), out + "/assets/images/a.jpg");
    for (const char* escaping :
         {"", "/etc/passwd", "../x.jpg", "assets/../../x.jpg", "assets/linked/x.jpg"})
        EXPECT_EQ(ResolveInsideFolder(out, escaping), "") << escaping;
}

TEST(PublishStepsTest, OutputSubfolderReplacesLinksAndRefusesParentSteps) {
    TempFolder temp;
    fs::create_directories(temp.Path("elsewhere"));
    fs::create_directories(temp.Path("out"));
    fs::create_directory_symlink(temp.Path("elsewhere"), temp.Path("out/topics"));
    EXPECT_EQ(EnsureOutputSubfolder(temp.Path("out"), "topics"), temp.Path("out/topics"));
    EXPECT_FALSE(fs::is_symlink(temp.Path("out/topics")));
    EXPECT_TRUE(fs::is_directory(temp.Path("out/topics")));
    EXPECT_TRUE(fs::is_directory(temp.Path("elsewhere")));
    EXPECT_EQ(ErrorOf([&] { EnsureOutputSubfolder(temp.Path("out"), "a/../../b"); }),
              "Invalid output folder name: \"a/../../b\"");
}

TEST(PublishStepsTest, FolderCopyTakesNothingFromOutsideTheSource) {
    TempFolder temp;
    WriteTextFileUtf8(temp.Path("secret.txt"), "secret");
    WriteTextFileUtf8(temp.Path("assets/images/a.png"), "a");
    fs::create_directories(temp.Path("assets/empty"));
    fs::create_symlink(temp.Path("secret.txt"), temp.Path("assets/leak.txt"));
    fs::create_symlink(temp.Path("assets/images/a.png"), temp.Path("assets/alias.png"));
    fs::create_directory_symlink(temp.Root(), temp.Path("assets/images/loop"));

    CopyFolderContents(temp.Path("assets"), temp.Path("contents"));
    EXPECT_EQ(ReadFileBytes(temp.Path("contents/images/a.png")), "a");
    EXPECT_EQ(ReadFileBytes(temp.Path("contents/alias.png")), "a");
    EXPECT_FALSE(fs::is_symlink(temp.Path("contents/alias.png")));
    EXPECT_FALSE(fs::exists(temp.Path("contents/leak.txt")));
    EXPECT_FALSE(fs::exists(temp.Path("contents/images/loop")));
    EXPECT_TRUE(fs::is_directory(temp.Path("contents/empty")));

    CopyFolderFiles(temp.Path("assets"), temp.Path("files"));
    EXPECT_EQ(ReadFileBytes(temp.Path("files/images/a.png")), "a");
    EXPECT_FALSE(fs::exists(temp.Path("files/empty")));
    CopyFolderFiles(temp.Path("missing"), temp.Path("none"));
    EXPECT_FALSE(fs::exists(temp.Path("none")));
}

TEST(PublishStepsTest, ExportedTopicsFollowTheFlagAndDictionaryOrder) {
    TDocProject project;
    for (const char* id : {"B", "A", "C"}) {
        auto topic = std::make_unique<TTopic>();
        topic->FID = id;
        topic->FExcludeChm = std::string(id) == "A";
        project.FTopics.Add(std::move(topic));
    }
    std::string ids;
    for (const TTopic* topic : ExportedTopics(project, &TTopic::FExcludeChm))
        ids += topic->FID;
    EXPECT_EQ(ids, "BC");
    EXPECT_EQ(ExportedTopics(project, &TTopic::FExcludeWeb).size(), 3u);
}

} // namespace
} // namespace quillmark
