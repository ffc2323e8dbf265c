#include "base/FileHelpers.h"
#include "base/QuillError.h"
#include "platform/IniStore.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

using namespace quillmark;

namespace {

class IniStoreTest : public ::testing::Test {
protected:
    std::string Path() const { return folder.Path("settings.ini"); }
    void Write(const std::string& content) const { WriteFileAtomically(Path(), content); }
    std::string Content() const { return ReadFileBytes(Path()); }

    quillmark::testing::TempFolder folder;
};

} // namespace

TEST_F(IniStoreTest, MissingFileReadsDefaultsAndIsCreatedOnWrite) {
    TIniStore store(folder.Path("sub/settings.ini"));
    EXPECT_EQ(store.ReadString(kChmSection, kHhcPathKey, "none"), "none");
    EXPECT_FALSE(store.ReadValue(kChmSection, kHhcPathKey).has_value());

    store.WriteString(kChmSection, kHhcPathKey, "/opt/hhw/hhc.exe");
    store.WriteString(kLanguageSection, kCurrentLanguageKey, "de");
    EXPECT_EQ(ReadFileBytes(store.FileName()),
              "[CHM]\nHhcPath=/opt/hhw/hhc.exe\n\n[Language]\nCurrentLanguage=de\n");
    EXPECT_EQ(store.ReadString(kChmSection, kHhcPathKey, ""), "/opt/hhw/hhc.exe");
    EXPECT_EQ(store.ReadString(kLanguageSection, kCurrentLanguageKey, ""), "de");
}

TEST_F(IniStoreTest, WriteKeepsEveryOtherLineInPlace) {
    Write("\xEF\xBB\xBF; kept comment\r\n"
          "[Window]\r\n"
          "Width=800\r\n"
          "\r\n"
          "[CHM]\r\n"
          "Other=1\r\n"
          "HhcPath=C:\\old\\hhc.exe\r\n"
          "Extra = two words \r\n"
          "\r\n"
          "[Tail]\r\n"
          "Key=value\r\n");
    TIniStore store(Path());
    store.WriteString("CHM", "HhcPath", "/new/hhc.exe");
    store.WriteString("CHM", "Added", "yes");
    store.WriteString("Window", "Height", "600");
    EXPECT_EQ(Content(), "; kept comment\n"
                         "[Window]\n"
                         "Width=800\n"
                         "Height=600\n"
                         "\n"
                         "[CHM]\n"
                         "Other=1\n"
                         "HhcPath=/new/hhc.exe\n"
                         "Extra = two words \n"
                         "Added=yes\n"
                         "\n"
                         "[Tail]\n"
                         "Key=value\n");
    EXPECT_EQ(store.ReadString("CHM", "Extra", ""), "two words");
}

TEST_F(IniStoreTest, NamesIgnoreLetterCaseAndFirstOccurrenceWins) {
    Write("[chm]\n"
          "hhcpath=/first\n"
          "HHCPATH=/second\n"
          "[CHM]\n"
          "HhcPath=/third\n"
          "Value=a=b\n");
    TIniStore store(Path());
    EXPECT_EQ(store.ReadString("CHM", "HhcPath", ""), "/first");
    EXPECT_FALSE(store.ReadValue("CHM", "Value").has_value()); // only in the repeated section

    store.WriteString("CHM", "HhcPath", "/changed");
    EXPECT_EQ(Content(), "[chm]\n"
                         "HhcPath=/changed\n"
                         "HHCPATH=/second\n"
                         "[CHM]\n"
                         "HhcPath=/third\n"
                         "Value=a=b\n");
}

TEST_F(IniStoreTest, MalformedLinesAreSkippedAndKept) {
    const std::string malformed = "garbage without equals\n"
                                  "[unterminated\n"
                                  "=no key\n"
                                  "\x01\xFF\xFE binary\n"
                                  "[Language]\n"
                                  "# HhcPath=/commented\n"
                                  "not a key\n"
                                  "CurrentLanguage = fr \n"
                                  "[]\n"
                                  "HhcPath=/in nameless section";
    Write(malformed);
    TIniStore store(Path());
    EXPECT_EQ(store.ReadString("Language", "CurrentLanguage", ""), "fr");
    EXPECT_FALSE(store.ReadValue("Language", "HhcPath").has_value());
    EXPECT_FALSE(store.ReadValue("CHM", "HhcPath").has_value());

    store.WriteString("CHM", "HhcPath", "/x");
    EXPECT_EQ(Content(), malformed + "\n\n[CHM]\nHhcPath=/x\n");
}

TEST_F(IniStoreTest, RejectsWhatCannotBeOneLineAndLeavesTheFile) {
    Write("[CHM]\nHhcPath=/kept\n");
    TIniStore store(Path());
    EXPECT_THROW(store.WriteString("CHM", "HhcPath", "/a\n[Evil]"), QuillError);
    EXPECT_THROW(store.WriteString("CHM", "Key=Other", "x"), QuillError);
    EXPECT_THROW(store.WriteString("CHM", "", "x"), QuillError);
    EXPECT_THROW(store.WriteString("A]B", "Key", "x"), QuillError);
    EXPECT_EQ(Content(), "[CHM]\nHhcPath=/kept\n");
}

TEST_F(IniStoreTest, UnreadableFileIsNotReplaced) {
    // A folder where the file should be: reading gives defaults, writing fails
    // with a message instead of destroying anything.
    EnsureDir(Path());
    TIniStore store(Path());
    EXPECT_EQ(store.ReadString("CHM", "HhcPath", "default"), "default");
    EXPECT_THROW(store.WriteString("CHM", "HhcPath", "/x"), QuillError);
    EXPECT_TRUE(DirectoryExists(Path()));
}
