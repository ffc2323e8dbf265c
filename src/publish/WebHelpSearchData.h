#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace quillmark {

struct TTopic;
struct TTopicSection;

// The words of a text as the site's search finds them: the text folded
// (FoldText) and split into runs of letters and digits; Chinese and Japanese
// characters, written without spaces between words, count one by one. Words
// longer than 64 bytes are left out. The site splits what a reader types the
// same way (app.js, `words`).
void ForEachSearchWord(std::string_view text, const std::function<void(std::string_view)>& word);

// How a word occurs in one section of a topic, as one number below 64: how
// often in the section's text (at most 15), plus 16 when it is in the
// section's heading, plus 32 when it is in the topic's title, keywords or
// index entries (counted for the topic's first section).
namespace search_weight {
inline constexpr uint8_t kMaxCount = 15;
inline constexpr uint8_t kHeading = 16;
inline constexpr uint8_t kTitle = 32;
} // namespace search_weight

// The words of one topic, each with the sections (by their place in the
// topic) it occurs in, in section order, and its weight there. Kept compact,
// as a site holds the words of all its topics at once: every word in `Text`
// ended by a zero byte, its places (section * 64 + weight) in `Places` up to
// the word's `PlacesEnd`.
struct TTopicSearchWords {
    std::string Text;
    std::vector<uint32_t> PlacesEnd;
    std::vector<uint32_t> Places;

    // Calls visit(word, section, weight) for every place of every word, the
    // words in the order they were first met.
    template <typename TVisit> void ForEachPlace(TVisit&& visit) const {
        size_t wordStart = 0;
        size_t place = 0;
        for (const uint32_t end : PlacesEnd) {
            const size_t wordEnd = Text.find('\0', wordStart);
            const std::string_view word(Text.data() + wordStart, wordEnd - wordStart);
            for (; place < end; ++place)
                visit(word, Places[place] / 64, static_cast<uint8_t>(Places[place] % 64));
            wordStart = wordEnd + 1;
        }
    }
};

// Collects the words of a topic; runs for each topic on its own, on any thread.
TTopicSearchWords CollectTopicSearchWords(const TTopic& topic,
                                          const std::vector<TTopicSection>& sections);

struct TSearchTopic {
    const TTopic* Topic = nullptr;
    std::vector<TTopicSection> Sections;
    TTopicSearchWords Words;
};

// The search data the site loads once it has painted, beside the site's
// "search.json" and "search.js":
// - "search-index.js": window.__SV_INDEX = {"version":1,"chunk":N,
//   "topics":[[id,title]…],"sections":[[topic,anchor,heading,level]…],
//   "terms":[…],"postings":[…]}, the terms sorted as JavaScript compares
//   strings, each posting list a text of (section step, weight) pairs in a
//   base-64 code (see the definition);
// - "search-text/<k>.js": window.__SV_TEXT(k,[[section text…]…]) with the
//   section texts of topics k*N to k*N+N-1, loaded for result snippets.
// Returns the written files' paths relative to the output folder.
std::vector<std::string> WriteWebHelpSearchData(const std::string& outputFolder,
                                                const std::vector<TSearchTopic>& topics);

} // namespace quillmark
