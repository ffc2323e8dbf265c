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
// topic) it occurs in, in section order, and its weight there.
using TTopicSearchWords =
    std::vector<std::pair<std::string, std::vector<std::pair<uint32_t, uint8_t>>>>;

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
