#include "editor/AssetFiles.h"

#include "base/FileHelpers.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <random>

using namespace quillmark;
namespace fs = std::filesystem;

namespace {

class AssetFilesTest : public ::testing::Test {
protected:
    void SetUp() override {
        FRoot = (fs::temp_directory_path() /
                 ("quillmark-assets-" + std::to_string(std::random_device{}())))
                    .string() +
                "/";
        fs::create_directories(FRoot);
    }
    void TearDown() override { fs::remove_all(FRoot); }

    void Touch(const std::string& relativePath) {
        WriteTextFileUtf8(JoinPath(FRoot, relativePath), "x");
    }

    std::string FRoot;
    std::string FUrl;
    std::string FTarget;
};

} // namespace

TEST_F(AssetFilesTest, ChoosesFolderByLowerCaseExtension) {
    struct Case {
        std::string source;
        std::string url;
    };
    const Case cases[] = {
        {"/src/photo.png", "assets/images/photo.png"},
        {"/src/Logo.PNG", "assets/images/Logo.PNG"},
        {"/src/pic.JPEG", "assets/images/pic.JPEG"},
        {"/src/icon.avif", "assets/images/icon.avif"},
        {"/src/font.WOFF2", "assets/fonts/font.WOFF2"},
        {"/src/clip.ogv", "assets/media/clip.ogv"},
        {"/src/song.m4a", "assets/media/song.m4a"},
        {"/src/site.CSS", "assets/css/site.CSS"},
        {"/src/archive.tar.gz", "assets/files/archive.tar.gz"},
        {"/src/README", "assets/files/README"},
        {"/src/name.", "assets/files/name."},
        {"/src.d/noext", "assets/files/noext"},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(PrepareAssetByExtension(FRoot, c.source, FUrl, FTarget)) << c.source;
        EXPECT_EQ(FUrl, c.url);
        EXPECT_EQ(FTarget, FRoot + c.url);
    }
}

TEST_F(AssetFilesTest, NumbersCollisionsFromTwo) {
    struct Case {
        std::string existing[2];
        std::string source;
        std::string url;
    };
    const Case cases[] = {
        {{"assets/images/photo.png", "assets/images/photo_2.png"},
         "/a/photo.png",
         "assets/images/photo_3.png"},
        {{"assets/files/archive.tar.gz", ""}, "/a/archive.tar.gz", "assets/files/archive.tar_2.gz"},
        {{"assets/files/README", ""}, "/a/README", "assets/files/README_2"},
        {{"assets/files/.bashrc", ""}, "/a/.bashrc", "assets/files/_2.bashrc"},
        // The file system decides; on a case-sensitive one this is no collision.
        {{"assets/images/logo.png", ""}, "/a/Logo.png", "assets/images/Logo.png"},
    };
    for (const Case& c : cases) {
        for (const std::string& existing : c.existing)
            if (!existing.empty())
                Touch(existing);
        ASSERT_TRUE(PrepareAssetByExtension(FRoot, c.source, FUrl, FTarget)) << c.source;
        EXPECT_EQ(FUrl, c.url);
        EXPECT_EQ(FTarget, FRoot + c.url);
        EXPECT_FALSE(fs::exists(FTarget));
    }
}

TEST_F(AssetFilesTest, AFolderOrDanglingLinkAlsoTakesTheName) {
    fs::create_directories(FRoot + "assets/images/photo.png");
    fs::create_symlink(FRoot + "missing", FRoot + "assets/images/photo_2.png");
    ASSERT_TRUE(PrepareImageAsset(FRoot, "/a/photo.png", FUrl, FTarget));
    EXPECT_EQ(FUrl, "assets/images/photo_3.png");
}

TEST_F(AssetFilesTest, FixedFolderVariantsIgnoreTheExtension) {
    ASSERT_TRUE(PrepareImageAsset(FRoot, "/a/x.css", FUrl, FTarget));
    EXPECT_EQ(FUrl, "assets/images/x.css");
    ASSERT_TRUE(PrepareCssAsset(FRoot, "/a/x.png", FUrl, FTarget));
    EXPECT_EQ(FUrl, "assets/css/x.png");
    EXPECT_EQ(FTarget, FRoot + "assets/css/x.png");
    // The URL prefix is used as given, independent of the folder on disk.
    ASSERT_TRUE(PrepareAssetTarget(FRoot, "/a/y.bin", "assets/files", "media-url", FUrl, FTarget));
    EXPECT_EQ(FUrl, "media-url/y.bin");
    EXPECT_EQ(FTarget, FRoot + "assets/files/y.bin");
}

TEST_F(AssetFilesTest, CreatesTheFolderEvenWhenNothingIsCopied) {
    ASSERT_TRUE(PrepareAssetByExtension(FRoot, "/a/song.mp3", FUrl, FTarget));
    EXPECT_TRUE(DirectoryExists(FRoot + "assets/media"));
    EXPECT_FALSE(FileExists(FTarget));
}

TEST_F(AssetFilesTest, EmptyInputsGiveFalseAndCreateNothing) {
    struct Case {
        std::string project, source, folder, url;
    };
    const Case cases[] = {
        {"", "/a/x.png", "assets/images", "assets/images"},
        {FRoot, "", "assets/images", "assets/images"},
        {FRoot, "/a/x.png", "", "assets/images"},
        {FRoot, "/a/x.png", "assets/images", ""},
        // A source path without a final file name has no name to give.
        {FRoot, "/a/", "assets/images", "assets/images"},
        {FRoot, "/a/..", "assets/images", "assets/images"},
        {FRoot, ".", "assets/images", "assets/images"},
    };
    for (const Case& c : cases) {
        FUrl = "stale";
        FTarget = "stale";
        EXPECT_FALSE(PrepareAssetTarget(c.project, c.source, c.folder, c.url, FUrl, FTarget))
            << c.source;
        EXPECT_EQ(FUrl, "");
        EXPECT_EQ(FTarget, "");
    }
    EXPECT_FALSE(fs::exists(FRoot + "assets"));
    EXPECT_FALSE(PrepareImageAsset("", "/a/x.png", FUrl, FTarget));
}

TEST_F(AssetFilesTest, OnlyTheFinalNameOfTheSourceIsUsed) {
    for (const std::string source :
         {"../../evil.png", "/tmp/../../evil.png", "..\\..\\evil.png", "C:\\pics\\evil.png"}) {
        ASSERT_TRUE(PrepareAssetByExtension(FRoot, source, FUrl, FTarget)) << source;
        EXPECT_EQ(FUrl, "assets/images/evil.png") << source;
        EXPECT_EQ(FTarget, FRoot + "assets/images/evil.png") << source;
    }
}

TEST_F(AssetFilesTest, ReservedNamesAreNotHandedOutTwice) {
    TAssetNameReservations reservations;
    std::string firstUrl, firstTarget;
    ASSERT_TRUE(PrepareCssAsset(FRoot, "/a/site.css", firstUrl, firstTarget, &reservations));
    ASSERT_TRUE(PrepareCssAsset(FRoot, "/b/site.css", FUrl, FTarget, &reservations));
    EXPECT_EQ(firstUrl, "assets/css/site.css");
    EXPECT_EQ(FUrl, "assets/css/site_2.css");
    EXPECT_TRUE(reservations.IsReserved(firstTarget));
    EXPECT_TRUE(reservations.IsReserved(FRoot + "assets//css/./site_2.css"));

    // Disk and reservations together: the next free name skips both.
    Touch("assets/css/site_3.css");
    ASSERT_TRUE(PrepareCssAsset(FRoot, "/c/site.css", FUrl, FTarget, &reservations));
    EXPECT_EQ(FUrl, "assets/css/site_4.css");

    // Without the reservations only the disk counts.
    ASSERT_TRUE(PrepareCssAsset(FRoot, "/d/site.css", FUrl, FTarget));
    EXPECT_EQ(FUrl, "assets/css/site.css");

    reservations.Clear();
    EXPECT_FALSE(reservations.IsReserved(firstTarget));
}
