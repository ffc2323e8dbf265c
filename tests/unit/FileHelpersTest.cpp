#include "TempFolder.h"
#include "TestHelpers.h"
#include "base/FileHelpers.h"
#include "base/QuillError.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace quillmark;
using quillmark::testing::TempFolder;

TEST(FileHelpers, JoinPath) {
    EXPECT_EQ(JoinPath("/a", ""), "/a/");
    EXPECT_EQ(JoinPath("/a/", "b"), "/a/b");
    EXPECT_EQ(JoinPath("/a", "b/c"), "/a/b/c");
    EXPECT_EQ(JoinPath("/a", "/abs"), "/abs");
    EXPECT_THROW(JoinPath("/a", std::string("b\0c", 3)), QuillError);
}

TEST(FileHelpers, PathPieces) {
    struct Case {
        const char* path;
        const char* name;
        const char* ext;
        const char* stem;
    };
    const Case cases[] = {
        {"/x/archive.tar.gz", "archive.tar.gz", ".gz", "archive.tar"},
        {"/x/README", "README", "", "README"},
        {"/x.d/README", "README", "", "README"},
        {"Logo.PNG", "Logo.PNG", ".PNG", "Logo"},
        {"/x/.hff", ".hff", ".hff", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ExtractFileName(c.path), c.name) << c.path;
        EXPECT_EQ(ExtractFileExt(c.path), c.ext) << c.path;
        EXPECT_EQ(FileNameWithoutExt(c.path), c.stem) << c.path;
    }
    EXPECT_EQ(ExtractFileDir("/x/y/z.html"), "/x/y");
    EXPECT_EQ(ExtractFileDir("/z.html"), "/");
}

TEST(FileHelpers, SanitizeFileName) {
    EXPECT_EQ(SanitizeFileName(" a:b "), "a_b");
    EXPECT_EQ(SanitizeFileName(""), "topic");
    EXPECT_EQ(SanitizeFileName(" \t "), "topic");
    EXPECT_EQ(SanitizeFileName("\"*/:<>?\\|x"), "_________x");
    EXPECT_EQ(SanitizeFileName("0123456789ABCDEF0123456789ABCDEF"),
              "0123456789ABCDEF0123456789ABCDEF");
}

TEST(FileHelpers, TextFilesAndByteOrderMarks) {
    TempFolder folder;
    const std::string plain = folder.Path("deep/er/plain.txt");
    WriteTextFileUtf8(plain, "h\xC3\xA9");
    EXPECT_EQ(ReadFileBytes(plain), "h\xC3\xA9");
    const std::string marked = folder.Path("marked.txt");
    WriteTextFileUtf8Bom(marked, "x");
    EXPECT_EQ(ReadFileBytes(marked), "\xEF\xBB\xBFx");
    EXPECT_EQ(ReadTextFileUtf8(marked), "x");
    EXPECT_THROW(ReadTextFileUtf8(folder.Path("missing.txt")), QuillError);
}

TEST(FileHelpers, FailedWriteKeepsThePreviousFileAndSaysSo) {
    TempFolder folder;
    const std::string path = folder.Path("project.json");
    WriteTextFileUtf8(path, "previous");

    const std::string error = quillmark::testing::ErrorUnderFileSizeLimit(
        16, [&] { WriteTextFileUtf8(path, std::string(4096, 'x')); });

    EXPECT_NE(error.find(path), std::string::npos) << error;
    EXPECT_EQ(ReadFileBytes(path), "previous");
    size_t files = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder.Root()))
        ++files;
    EXPECT_EQ(files, 1u) << "the temporary file must not stay behind";
}

TEST(FileHelpers, WriteIntoAFileInsteadOfAFolderFails) {
    TempFolder folder;
    WriteTextFileUtf8(folder.Path("blocker"), "I am a file");
    EXPECT_THROW(WriteTextFileUtf8(folder.Path("blocker/inside.txt"), "x"), QuillError);
    EXPECT_THROW(EnsureDir(folder.Path("blocker/sub")), QuillError);
}
