#include "FakeWindowPorts.h"
#include "TempFolder.h"
#include "app/SpellCheckDictionaries.h"
#include "base/FileHelpers.h"
#include "base/QuillError.h"
#include "model/ProjectDictionary.h"

#include <gtest/gtest.h>

namespace quillmark {
namespace {

using testing::FakeProcessRunner;
using testing::TempFolder;

TEST(ProjectDictionaryTest, KeepsOneSortedWordPerLine) {
    TempFolder temp;
    const std::string root = IncludeTrailingPathDelimiter(temp.Path("Guide"));
    EXPECT_TRUE(ReadProjectDictionary(root).empty());
    EXPECT_TRUE(AddToProjectDictionary(root, " Quillmark "));
    EXPECT_TRUE(AddToProjectDictionary(root, "AuroraLamp"));
    EXPECT_TRUE(AddToProjectDictionary(root, "caf\xC3\xA9"));
    EXPECT_FALSE(AddToProjectDictionary(root, "Quillmark"));
    EXPECT_EQ(ReadTextFileUtf8(root + "meta/dictionary.txt"),
              "AuroraLamp\nQuillmark\ncaf\xC3\xA9\n");
    for (const std::string& bad : std::vector<std::string>{"two words", "", "#comment", "tab\tx", std::string(101, 'a'),
                                  std::string("bad\xFF")})
        EXPECT_THROW(AddToProjectDictionary(root, bad), QuillError) << bad;
    // A hand-edited file: blanks, repeats and non-words are skipped.
    WriteTextFileUtf8(root + "meta/dictionary.txt", "zeta\r\n\r\n  alpha \nzeta\ntwo words\n");
    EXPECT_EQ(ReadProjectDictionary(root), (std::vector<std::string>{"alpha", "zeta"}));
}

TEST(SpellCheckDictionariesTest, ChoosesTheContentLanguagesDictionary) {
    const std::vector<std::string> available{"de-AT", "de-DE", "en-GB", "en-US", "fr"};
    const std::pair<const char*, const char*> cases[] = {
        {"en", "en-US"}, {"en-GB", "en-GB"}, {"EN_gb", "en-GB"}, {"en-AU", "en-US"},
        {"de", "de-DE"}, {"de-CH", "de-DE"}, {"fr-FR", "fr"},    {"", "en-US"},
        {"ja", ""},
    };
    for (const auto& [language, expected] : cases)
        EXPECT_EQ(ChooseDictionary(language, available), expected) << language;
    EXPECT_EQ(ChooseDictionary("de-CH", {"de-AT"}), "de-AT");
    EXPECT_EQ(HunspellWordList({"a/b", "c"}), "2\na\\/b\nc\n");
}

TEST(SpellCheckDictionariesTest, TheUsersFolderHoldsTheProgramsDictionaries) {
    TempFolder temp;
    WriteTextFileUtf8(temp.Path("program/en-US.bdic"), "new");
    WriteTextFileUtf8(temp.Path("program/readme.txt"), "not a dictionary");
    WriteTextFileUtf8(temp.Path("user/de-DE.bdic"), "the author's own");
    WriteTextFileUtf8(temp.Path("user/en-US.bdic"), "old");
    const std::string folder = PrepareDictionaryFolder(temp.Path("program"), temp.Path("user"));
    EXPECT_EQ(ReadTextFileUtf8(folder + "/en-US.bdic"), "new");
    EXPECT_EQ(ReadTextFileUtf8(folder + "/de-DE.bdic"), "the author's own");
    EXPECT_FALSE(FileExists(folder + "/readme.txt"));
    EXPECT_EQ(AvailableDictionaries(folder), (std::vector<std::string>{"de-DE", "en-US"}));
}

TEST(SpellCheckDictionariesTest, ProjectWordsBecomeADictionaryOfANewName) {
    TempFolder temp;
    const std::string folder = temp.Path("dictionaries");
    const std::string root = IncludeTrailingPathDelimiter(temp.Path("Guide"));
    WriteTextFileUtf8(folder + "/en-US.bdic", "x");
    FakeProcessRunner runner;
    std::string converted;
    runner.OnRun = [&](const TProcessRequest& request) {
        converted = ReadTextFileUtf8(request.Arguments.at(0));
        WriteTextFileUtf8(request.Arguments.at(1), "bdic");
    };
    TSpellCheckDictionaries dictionaries({folder, "/usr/bin/convert"}, runner);

    EXPECT_EQ(dictionaries.LanguagesFor(root, "en"), (std::vector<std::string>{"en-US"}));
    EXPECT_TRUE(runner.Requests.empty()); // no words, nothing to convert

    AddToProjectDictionary(root, "Quillmark");
    const std::vector<std::string> first = dictionaries.LanguagesFor(root, "en");
    ASSERT_EQ(first.size(), 2u);
    // The program's names join the list: the converter refuses one word.
    EXPECT_EQ(converted, "2\nQuillmark\nquillmark-cli\n");
    EXPECT_TRUE(FileExists(folder + "/" + first[1] + ".bdic"));
    // The words' dictionary is no language of its own.
    EXPECT_EQ(AvailableDictionaries(folder), (std::vector<std::string>{"en-US"}));

    // The same words: the dictionary made last serves again.
    EXPECT_EQ(dictionaries.LanguagesFor(root, "en"), first);
    EXPECT_EQ(runner.Requests.size(), 1u);
    AddToProjectDictionary(root, "AuroraLamp");
    const std::vector<std::string> second = dictionaries.LanguagesFor(root, "en");
    ASSERT_EQ(second.size(), 2u);
    EXPECT_EQ(converted, "3\nAuroraLamp\nQuillmark\nquillmark-cli\n");
    EXPECT_NE(second[1], first[1]);
    EXPECT_FALSE(FileExists(folder + "/" + first[1] + ".bdic")); // the old one is gone

    // Without a converter, or when it fails, the language alone, with a reason.
    runner.Result.ExitCode = 1;
    AddToProjectDictionary(root, "Third");
    EXPECT_EQ(dictionaries.LanguagesFor(root, "en").size(), 1u);
    EXPECT_FALSE(dictionaries.Problem().empty());
    TSpellCheckDictionaries withoutConverter({folder, ""}, runner);
    EXPECT_EQ(withoutConverter.LanguagesFor(root, "en").size(), 1u);
    EXPECT_TRUE(withoutConverter.LanguagesFor(root, "ja").empty());
    EXPECT_NE(withoutConverter.Problem().find("ja"), std::string::npos);
}

} // namespace
} // namespace quillmark
