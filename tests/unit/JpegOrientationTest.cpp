#include "publish/JpegOrientation.h"

#include "JpegFixture.h"
#include "TempFolder.h"
#include "base/FileHelpers.h"
#include "base/QuillError.h"

#include <gtest/gtest.h>

namespace quillmark {
namespace {

using namespace testing;

const std::string kSoi = "\xFF\xD8";

TEST(JpegOrientationTest, ReadsTheOrientationOfTheFirstExifBlock) {
    const std::string rest = JpegSegment(0xDB, std::string(67, '\1')) + "\xFF\xDA";
    struct Case {
        const char* Name;
        std::string Bytes;
        int Orientation;
    } cases[] = {
        {"little endian", kSoi + JpegSegment(0xE1, ExifBlock(true, 6)) + rest, 6},
        {"big endian", kSoi + JpegSegment(0xE1, ExifBlock(false, 8)) + rest, 8},
        {"value outside the entry", kSoi + JpegSegment(0xE1, ExifBlock(true, 3, 2)) + rest, 3},
        {"after other segments",
         kSoi + JpegSegment(0xE0, "JFIF\0xxxxxxxxx") + JpegSegment(0xE1, ExifBlock(false, 3)), 3},
        {"XMP block first",
         kSoi + JpegSegment(0xE1, "http://ns.adobe.com/xap/1.0/\0<x/>") +
             JpegSegment(0xE1, ExifBlock(true, 8)),
         8},
        {"fill bytes before the marker",
         kSoi + "\xFF\xFF" + JpegSegment(0xE1, ExifBlock(true, 6)).substr(1), 6},
        {"no EXIF block", kSoi + JpegSegment(0xE0, "JFIF\0xxxxxxxxx") + rest, 1},
        {"EXIF after the scan",
         kSoi + std::string("\xFF\xDA\0\x02", 4) + JpegSegment(0xE1, ExifBlock(true, 6)), 1},
        {"not a JPEG", "\x89PNG\r\n\x1A\n" + JpegSegment(0xE1, ExifBlock(true, 6)), 1},
        {"truncated EXIF block", kSoi + JpegSegment(0xE1, ExifBlock(true, 6)).substr(0, 20), 1},
        {"bad TIFF header",
         kSoi + JpegSegment(0xE1, std::string("Exif\0\0XX\x2A\0\x08\0\0\0\0\0", 16)), 1},
        {"empty", "", 1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ReadJpegOrientationFromBytes(c.Bytes), c.Orientation) << c.Name;
}

TEST(JpegOrientationTest, TurnsThePixelsUpright) {
    TempFolder folder;
    const std::string jpeg = MakeTestJpeg();
    struct Case {
        int Orientation;
        unsigned Width, Height;
        // Where the red half ends up: a point inside it and one inside blue.
        unsigned RedX, RedY, BlueX, BlueY;
    } cases[] = {
        {3, 16, 8, 12, 4, 3, 4}, // turned 180 degrees: red on the right
        {6, 8, 16, 4, 3, 4, 12}, // clockwise: red on top
        {8, 8, 16, 4, 12, 4, 3}, // counter-clockwise: red at the bottom
    };
    for (const Case& c : cases) {
        const std::string file = folder.Path("photo" + std::to_string(c.Orientation) + ".JPG");
        WriteFileAtomically(file, WithOrientation(jpeg, c.Orientation));
        ASSERT_EQ(ReadJpegOrientation(file), c.Orientation);
        ApplyJpegOrientation(file);
        const std::string written = ReadFileBytes(file);
        EXPECT_EQ(ReadJpegOrientationFromBytes(written), 1) << c.Orientation;
        EXPECT_EQ(written.find("Exif"), std::string::npos) << c.Orientation;
        const DecodedJpeg d = DecodeTestJpeg(written);
        EXPECT_EQ(d.Width, c.Width) << c.Orientation;
        EXPECT_EQ(d.Height, c.Height) << c.Orientation;
        EXPECT_TRUE(d.IsRed(c.RedX, c.RedY)) << c.Orientation;
        EXPECT_TRUE(d.IsBlue(c.BlueX, c.BlueY)) << c.Orientation;
    }
}

TEST(JpegOrientationTest, LeavesOtherFilesAlone) {
    TempFolder folder;
    const std::string jpeg = MakeTestJpeg();
    struct Case {
        const char* Name;
        std::string Bytes;
    } cases[] = {
        {"upright.jpg", WithOrientation(jpeg, 1)},
        {"mirrored.jpeg", WithOrientation(jpeg, 2)},
        {"photo.png", WithOrientation(jpeg, 6)},
    };
    for (const Case& c : cases) {
        WriteFileAtomically(folder.Path(c.Name), c.Bytes);
        ApplyJpegOrientation(folder.Path(c.Name));
        EXPECT_EQ(ReadFileBytes(folder.Path(c.Name)), c.Bytes) << c.Name;
    }
    EXPECT_EQ(ReadJpegOrientation(folder.Path("missing.jpg")), 1);
}

TEST(JpegOrientationTest, BrokenPictureIsAnErrorAndStaysAsItWas) {
    TempFolder folder;
    const std::string broken = WithOrientation(MakeTestJpeg(), 6).substr(0, 120);
    const std::string file = folder.Path("broken.jpg");
    WriteFileAtomically(file, broken);
    EXPECT_THROW(ApplyJpegOrientation(file), QuillError);
    EXPECT_EQ(ReadFileBytes(file), broken);
}

} // namespace
} // namespace quillmark
