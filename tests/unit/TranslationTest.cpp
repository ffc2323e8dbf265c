#include "base/FileHelpers.h"
#include "base/TextUtils.h"
#include "base/Regex.h"
#include "base/Translation.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <set>

using namespace quillmark;

namespace {

const char kTwoLanguages[] = "2\nEnglish\nDeutsch\nen\nde\nFile\nDatei\n";

size_t CountOf(const std::string& text, const std::string& part) {
    size_t count = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++count;
    return count;
}

// The translation state is program-wide: every test starts and ends without it.
class TranslationTest : public ::testing::Test {
protected:
    void SetUp() override { ResetTranslation(); }
    void TearDown() override { ResetTranslation(); }

    std::string WriteFile(const std::string& content) {
        const std::string path = folder.Path("transl.sv");
        WriteFileAtomically(path, content);
        return path;
    }

    quillmark::testing::TempFolder folder;
};

} // namespace

TEST_F(TranslationTest, MissingFileRunsInEnglish) {
    LoadTranslation(folder.Path("transl.sv"), std::string("de"), "de");
    EXPECT_EQ(Translation().CurrentLanguageIndex, 0);
    EXPECT_TRUE(Translation().TranslationTable.empty());
    EXPECT_EQ(Translation().CurrentLanguageCode, "de");
    EXPECT_EQ(Translate("File"), "File");
}

TEST_F(TranslationTest, StoredCodeSelectsLanguageIgnoringCase) {
    LoadTranslation(WriteFile(kTwoLanguages), std::string("DE"), "en");
    EXPECT_EQ(Translation().CurrentLanguageIndex, 1);
    EXPECT_EQ(Translation().CurrentLanguageCode, "DE");
    EXPECT_EQ(Translate("File"), "Datei");
    EXPECT_EQ(Translate("Edit"), "Edit");
    EXPECT_EQ(Translate("file"), "file"); // the lookup itself respects letter case
}

TEST_F(TranslationTest, CodeChoice) {
    struct Case {
        std::optional<std::string> stored;
        std::string defaultCode;
        int expectedIndex;
    };
    const Case cases[] = {
        {std::nullopt, "de", 1},       // the system's language
        {std::nullopt, "fr", 0},       // not in the file
        {std::string("en"), "de", 0},  // the stored choice wins over the system
        {std::string(""), "de", 0},    // a stored empty value is still the choice
        {std::string("xx"), "de", 0},
    };
    const std::string path = WriteFile(kTwoLanguages);
    for (const Case& c : cases) {
        LoadTranslation(path, c.stored, c.defaultCode);
        EXPECT_EQ(Translation().CurrentLanguageIndex, c.expectedIndex)
            << c.stored.value_or("(none)") << " / " << c.defaultCode;
    }
}

TEST_F(TranslationTest, AcceptsEveryLineEndAndByteOrderMark) {
    const std::string cases[] = {
        "2\r\nEnglish\r\nDeutsch\r\nen\r\nde\r\nFile\r\nDatei\r\n",
        "2\rEnglish\rDeutsch\ren\rde\rFile\rDatei\r",
        "2\nEnglish\nDeutsch\nen\nde\nFile\nDatei",
        "\xEF\xBB\xBF" "2\r\nEnglish\r\nDeutsch\r\nen\r\nde\r\nFile\r\nDatei\r\n",
        "2\r\nEnglish\nDeutsch\ren\r\nde\nFile\rDatei",
    };
    for (const std::string& text : cases) {
        ResetTranslation();
        ASSERT_TRUE(LoadTranslationTable(text)) << text;
        ASSERT_TRUE(SelectLanguage(1));
        EXPECT_EQ(Translation().CurrentLanguageCode, "de");
        EXPECT_EQ(Translate("File"), "Datei") << text;
        EXPECT_EQ(Translation().TranslationTable[0].size(), 3u);
    }
}

TEST_F(TranslationTest, IncompleteLastGroupIsIgnored) {
    ASSERT_TRUE(LoadTranslationTable("2\nEnglish\nDeutsch\nen\nde\nFile\nDatei\nEdit\n"));
    SelectLanguage(1);
    EXPECT_EQ(Translation().TranslationTable[0].size(), 3u);
    EXPECT_EQ(Translation().TranslationTable[1].size(), 3u);
    EXPECT_EQ(Translate("Edit"), "Edit");
}

TEST_F(TranslationTest, EmptyEntriesFallBackAndFirstTextWins) {
    ASSERT_TRUE(LoadTranslationTable("2\nEnglish\nDeutsch\nen\nde\n"
                                     "File\n\n"          // no translation
                                     "Open\nÖffnen\n"
                                     "Open\nAnders\n"    // a repeat is never reached
                                     "\nLeer\n"));       // no English text
    SelectLanguage(1);
    EXPECT_EQ(Translate("File"), "File");
    EXPECT_EQ(Translate("Open"), "Öffnen");
    EXPECT_EQ(Translate(""), "");
    // The language's own name and code are not program texts.
    EXPECT_EQ(Translate("English"), "English");
}

TEST_F(TranslationTest, FirstLanguageTranslatesNothing) {
    LoadTranslation(WriteFile("2\nEnglish\nDeutsch\nen\nde\nFile\nDatei\n"), std::nullopt, "en");
    EXPECT_EQ(Translation().CurrentLanguageIndex, 0);
    EXPECT_EQ(Translate("File"), "File");
}

TEST_F(TranslationTest, UnusableFilesGiveNoTable) {
    const std::string cases[] = {
        "",
        "two\nEnglish\nDeutsch\nen\nde\n",
        "0\nEnglish\nDeutsch\nen\nde\n",
        "-2\nEnglish\nDeutsch\nen\nde\n",
        "2x\nEnglish\nDeutsch\nen\nde\n",
        "2\nEnglish\nDeutsch\nen\n", // the second language lacks its code
        "99999999999999999999\nEnglish\n",
    };
    for (const std::string& text : cases) {
        ASSERT_TRUE(LoadTranslationTable(kTwoLanguages));
        SelectLanguage(1);
        EXPECT_FALSE(LoadTranslationTable(text)) << text;
        EXPECT_TRUE(Translation().TranslationTable.empty()) << text;
        EXPECT_EQ(Translation().CurrentLanguageIndex, 0) << text;
        EXPECT_EQ(Translate("File"), "File") << text;
    }
    // A number with spaces around it is still the number.
    EXPECT_TRUE(LoadTranslationTable(" 2 \nEnglish\nDeutsch\nen\nde\n"));
}

TEST_F(TranslationTest, UnusableFileOnLoadKeepsEnglish) {
    LoadTranslation(WriteFile("languages\nEnglish\nDeutsch\nen\nde\nFile\nDatei\n"),
                    std::string("de"), "de");
    EXPECT_EQ(Translation().CurrentLanguageIndex, 0);
    EXPECT_EQ(Translate("File"), "File");
}

TEST_F(TranslationTest, SelectLanguageSwitchesAndRejectsUnknownPositions) {
    ASSERT_TRUE(LoadTranslationTable("3\nEnglish\nDeutsch\nFrançais\nen\nde\nfr\n"
                                     "File\nDatei\nFichier\n"));
    EXPECT_TRUE(SelectLanguage(2));
    EXPECT_EQ(Translate("File"), "Fichier");
    EXPECT_EQ(Translation().CurrentLanguageCode, "fr");
    EXPECT_FALSE(SelectLanguage(3));
    EXPECT_FALSE(SelectLanguage(-1));
    EXPECT_EQ(Translation().CurrentLanguageIndex, 2);
    EXPECT_TRUE(SelectLanguage(0));
    EXPECT_EQ(Translate("File"), "File");
}

TEST(DefaultLanguageCodeTest, FollowsTheLocaleEnvironment) {
    using Env = std::map<std::string, std::string>;
    struct Case {
        Env env;
        std::string expected;
    };
    const Case cases[] = {
        {{}, "en"},
        {{{"LANG", "de_DE.UTF-8"}}, "de"},
        {{{"LANG", "de"}}, "de"},
        {{{"LANG", "DE_at@euro"}}, "de"},
        {{{"LANG", "zh_CN.UTF-8"}}, "cn"},
        {{{"LANG", "ja_JP.UTF-8"}}, "jp"},
        {{{"LANG", "ko_KR.UTF-8"}}, "kr"},
        {{{"LANG", "pt_BR.UTF-8"}}, "pt"},
        {{{"LANG", "el_GR.UTF-8"}}, "el"},
        {{{"LANG", "sv_SE.UTF-8"}}, "en"},
        {{{"LANG", "C.UTF-8"}}, "en"},
        {{{"LC_ALL", "fr_FR.UTF-8"}, {"LC_MESSAGES", "es_ES"}, {"LANG", "de_DE"}}, "fr"},
        {{{"LC_MESSAGES", "es_ES"}, {"LANG", "de_DE"}}, "es"},
        {{{"LC_ALL", ""}, {"LANG", "it_IT"}}, "it"},
        {{{"LANGUAGE", "nl:en"}, {"LANG", "de_DE.UTF-8"}}, "nl"},
        {{{"LANGUAGE", ":pl"}, {"LANG", "en_US.UTF-8"}}, "pl"},
        {{{"LANGUAGE", "tr"}, {"LANG", "C"}}, "en"}, // ignored under the C locale
        {{{"LANGUAGE", "tr"}}, "en"},
    };
    for (const Case& c : cases) {
        const auto getEnv = [&](const char* name) {
            const auto found = c.env.find(name);
            return found == c.env.end() ? std::string() : found->second;
        };
        std::string described;
        for (const auto& [name, value] : c.env)
            described += name + "=" + value + " ";
        EXPECT_EQ(DefaultLanguageCode(getEnv), c.expected) << described;
    }
}

TEST_F(TranslationTest, ShippedFileIsAlignedAndKeepsPlaceholders) {
    const std::string bytes = ReadFileBytes(QUILLMARK_RESOURCES_DIR "/transl.sv");
    // Every line ends with CR LF, and no line is left over after the groups.
    EXPECT_EQ(CountOf(bytes, "\r\n"), CountOf(bytes, "\n"));
    EXPECT_EQ(CountOf(bytes, "\r\n"), CountOf(bytes, "\r"));
    const std::vector<std::string> lines = SplitLines(bytes);
    ASSERT_FALSE(lines.empty());
    ASSERT_EQ(lines.front(), "4");
    EXPECT_EQ((lines.size() - 1) % 4, 0u);

    ASSERT_TRUE(LoadTranslationTable(bytes));
    const auto& table = Translation().TranslationTable;
    ASSERT_EQ(table.size(), 4u);
    const std::vector<std::string> codes = {"en", "de", "fr", "es"};
    std::set<std::string> englishTexts;
    for (size_t i = 0; i < table.size(); ++i) {
        ASSERT_EQ(table[i].size(), table[0].size());
        EXPECT_EQ(table[i][1], codes[i]);
        for (size_t k = 2; k < table[i].size(); ++k) {
            const std::string& key = table[0][k];
            EXPECT_FALSE(table[i][k].empty()) << codes[i] << ": " << key;
            EXPECT_EQ(CountOf(table[i][k], "%s"), CountOf(key, "%s")) << codes[i] << ": " << key;
        }
    }
    for (size_t k = 2; k < table[0].size(); ++k)
        EXPECT_TRUE(englishTexts.insert(table[0][k]).second) << "repeated: " << table[0][k];

    SelectLanguage(1);
    EXPECT_EQ(Translate("File"), "Datei");
    EXPECT_EQ(Translate("Version: "), "Version: ");
    SelectLanguage(2);
    EXPECT_EQ(Translate("Cancel"), "Annuler");
    SelectLanguage(3);
    EXPECT_EQ(FormatText(Translate("Topic not found: %s"), {"X1"}), "Tema no encontrado: X1");
    EXPECT_EQ(Translate("Standard text"), "Texto estándar");
}

// Every literal text the program passes to Translate has an entry in the
// shipped file, so no message silently stays English.
TEST_F(TranslationTest, ShippedFileCoversEveryTranslatedLiteral) {
    ASSERT_TRUE(LoadTranslationTable(ReadFileBytes(QUILLMARK_RESOURCES_DIR "/transl.sv")));
    const std::vector<std::string>& english = Translation().TranslationTable[0];
    const std::set<std::string> known(english.begin() + 2, english.end());

    const Regex call(R"re(Translate\(((?:\s*"(?:[^"\\]|\\.)*")+)\s*\))re");
    const Regex literal(R"re("((?:[^"\\]|\\.)*)")re");
    const Regex escape(R"re(\\(.))re");
    size_t checked = 0;
    for (const auto& entry :
         std::filesystem::recursive_directory_iterator(QUILLMARK_SOURCE_DIR "/src")) {
        if (entry.path().extension() != ".cpp" && entry.path().extension() != ".h")
            continue;
        const std::string source = ReadFileBytes(entry.path().string());
        for (const RegexMatch& match : call.Matches(source)) {
            std::string key;
            for (const RegexMatch& piece : literal.Matches(match.Group(1)))
                key += escape.ReplaceMatches(piece.Group(1), [](const RegexMatch& m) {
                    return m.Group(1) == "n" ? std::string("\n") : std::string(m.Group(1));
                });
            EXPECT_TRUE(known.count(key)) << entry.path().filename() << ": " << key;
            ++checked;
        }
    }
    EXPECT_GT(checked, 0u);
}
