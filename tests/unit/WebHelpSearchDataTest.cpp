#include "publish/WebHelpSearchData.h"

#include "TempFolder.h"
#include "base/FileHelpers.h"
#include "model/Topic.h"
#include "publish/TopicSections.h"

#include <gtest/gtest.h>

namespace quillmark {
namespace {

std::vector<std::string> Words(const std::string& text) {
    std::vector<std::string> words;
    ForEachSearchWord(text, [&](std::string_view w) { words.emplace_back(w); });
    return words;
}

TEST(WebHelpSearchDataTest, WordsAreFoldedRunsOfLettersAndDigits) {
    EXPECT_EQ(Words("Größe, Łódź! 2.4GHz lamp's 日本語 한국어 — ÉTÉ"),
              (std::vector<std::string>{"grosse", "lodz", "2", "4ghz", "lamp", "s", "日", "本", "語",
                                        "한국어", "ete"}));
    EXPECT_EQ(Words("short " + std::string(65, 'x') + " " + std::string(64, 'y')),
              (std::vector<std::string>{"short", std::string(64, 'y')}));
}

TEST(WebHelpSearchDataTest, WeightsTellTitleHeadingAndHowOftenInTheText) {
    TTopic topic;
    topic.FTitle = "Lamp Guide";
    topic.FKeywords = {"setup"};
    topic.FIndexEntries = {"Mounting"};
    std::string busy;
    for (int i = 0; i < 20; ++i)
        busy += "base ";
    const std::vector<TTopicSection> sections = {{"", "", 0, "lamp lamp"},
                                                 {"mounting", "Mounting", 2, busy}};
    const TTopicSearchWords words = CollectTopicSearchWords(topic, sections);
    using P = std::vector<std::pair<uint32_t, uint8_t>>;
    const auto places = [&](const std::string& wanted) {
        P found;
        words.ForEachPlace([&](std::string_view word, uint32_t section, uint8_t weight) {
            if (word == wanted)
                found.push_back({section, weight});
        });
        return found;
    };
    EXPECT_EQ(places("lamp"), (P{{0, 32 + 2}}));
    EXPECT_EQ(places("guide"), (P{{0, 32}}));
    EXPECT_EQ(places("setup"), (P{{0, 32}}));
    EXPECT_EQ(places("mounting"), (P{{0, 32}, {1, 16}}));
    EXPECT_EQ(places("base"), (P{{1, 15}})); // counted up to 15
}

TEST(WebHelpSearchDataTest, IndexSortsTermsAsJavaScriptAndCodesPostingsCompactly) {
    testing::TempFolder folder;
    std::vector<TTopic> topics(40);
    std::vector<TSearchTopic> search(40);
    for (size_t i = 0; i < topics.size(); ++i) {
        topics[i].FID = "T" + std::to_string(i);
        topics[i].FTitle = i == 0 ? "Lamp" : "Other";
        search[i].Topic = &topics[i];
        search[i].Sections = {{"", "", 0, i == 0 ? "lamp lamp ｚ 𝔞 a" : i == 39 ? "lamp" : ""}};
        search[i].Words = CollectTopicSearchWords(topics[i], search[i].Sections);
    }
    const std::vector<std::string> written = WriteWebHelpSearchData(folder.Root(), search);
    EXPECT_EQ(written, (std::vector<std::string>{"search-index.js", "search-text/0.js"}));
    const std::string index = ReadFileBytes(folder.Path("search-index.js"));
    // Characters beyond U+FFFF sort before U+E000 … U+FFFF in JavaScript.
    EXPECT_NE(index.find(R"("terms":["a","lamp","other","\uD835\uDD1E","\uFF5A"])"),
              std::string::npos)
        << index;
    // "a": section 0 ("A"), count 1 ("B"). "lamp": section 0 with the title
    // and a count of 2 (weight 34, "i"), then 39 sections on ("n" and "B":
    // 7 and a further digit, then 1) with a count of 1.
    EXPECT_NE(index.find(R"("postings":["AB","AinBB",)"), std::string::npos) << index;
    EXPECT_EQ(ReadFileBytes(folder.Path("search-text/0.js")).rfind("window.__SV_TEXT(0,[[\"lamp", 0),
              0u);
}

} // namespace
} // namespace quillmark
