#include "publish/OutputRecord.h"

#include "TempFolder.h"
#include "base/FileHelpers.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace quillmark {
namespace {

using testing::TempFolder;

const std::string kFirstLine =
    "# Files Quillmark wrote here; the next publish deletes those it no longer writes.\n";

TEST(OutputRecordTest, ReadsOnlyPlainRelativePathsOfARecord) {
    const std::string text = kFirstLine +
                             "index.html\r\n"
                             "topics/A.html\n"
                             "../outside.txt\n"
                             "/etc/passwd\n"
                             "assets//a.png\n"
                             "assets/./a.png\n"
                             "topics/..\n"
                             "\n"
                             "a\tb\n"
                             "assets/images/b c.png";
    EXPECT_EQ(ParseOutputRecord(text),
              (std::vector<std::string>{"index.html", "topics/A.html", "assets/images/b c.png"}));
    // Without its first line the text is no record at all.
    EXPECT_TRUE(ParseOutputRecord("index.html\ntopics/A.html\n").empty());
    EXPECT_EQ(ParseOutputRecord(FormatOutputRecord({"a.html", "b/c.js"})),
              (std::vector<std::string>{"a.html", "b/c.js"}));
}

class OutputRecordFolderTest : public ::testing::Test {
protected:
    void Write(const std::string& relative) { WriteTextFileUtf8(temp.Path("out/" + relative), "x"); }
    bool Exists(const std::string& relative) const {
        std::error_code ec;
        return fs::exists(fs::symlink_status(temp.Path("out/" + relative), ec));
    }
    std::vector<std::string> Publish(const std::vector<std::string>& files) {
        TOutputRecord record(temp.Path("out"));
        for (const std::string& file : files)
            Write(file);
        record.AddAll(files);
        return record.Finish();
    }
    TempFolder temp;
};

TEST_F(OutputRecordFolderTest, DeletesOnlyRecordedFilesTheNextRunDoesNotWrite) {
    Write("mine.txt");
    Write("topics/old-unrecorded.html");
    // The first run finds no record and deletes nothing.
    EXPECT_TRUE(Publish({"index.html", "topics/A.html", "topics/B.html", "assets/img/x.png"}).empty());
    EXPECT_EQ(Publish({"index.html", "topics/A.html"}),
              (std::vector<std::string>{"topics/B.html", "assets/img/x.png"}));
    EXPECT_FALSE(Exists("topics/B.html"));
    EXPECT_FALSE(Exists("assets")) << "folders left empty go too";
    for (const char* kept : {"mine.txt", "topics/old-unrecorded.html", "topics/A.html", "index.html"})
        EXPECT_TRUE(Exists(kept)) << kept;
    // Kept entries survive a run that does not write them.
    TOutputRecord record(temp.Path("out"));
    record.Keep("index.html");
    record.Keep("never-recorded.html");
    EXPECT_EQ(record.Finish(), std::vector<std::string>{"topics/A.html"});
    EXPECT_TRUE(Exists("index.html"));
}

TEST_F(OutputRecordFolderTest, AHostileRecordNeverReachesOutsideTheFolder) {
    WriteTextFileUtf8(temp.Path("victim.txt"), "keep");
    WriteTextFileUtf8(temp.Path("elsewhere/victim.txt"), "keep");
    fs::create_directories(temp.Path("out/sub"));
    fs::create_symlink(temp.Path("elsewhere"), temp.Path("out/linked"));
    fs::create_symlink(temp.Path("victim.txt"), temp.Path("out/link-to-file"));
    WriteTextFileUtf8(temp.Path("out/" + std::string(kOutputRecordName)),
                      kFirstLine + "../victim.txt\nlinked/victim.txt\nsub\n" +
                          temp.Path("victim.txt") + "\nlink-to-file\n");
    TOutputRecord(temp.Path("out")).Finish();
    EXPECT_EQ(ReadTextFileUtf8(temp.Path("victim.txt")), "keep");
    EXPECT_EQ(ReadTextFileUtf8(temp.Path("elsewhere/victim.txt")), "keep");
    EXPECT_TRUE(fs::is_directory(temp.Path("out/sub")));
}

} // namespace
} // namespace quillmark
