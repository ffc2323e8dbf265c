#include "publish/WebHelpSearchData.h"

#include "base/FileHelpers.h"
#include "base/Json.h"
#include "base/Regex.h"
#include "base/TextFold.h"
#include "base/Utf.h"
#include "model/Topic.h"
#include "publish/OutputFile.h"
#include "publish/PublishSteps.h"
#include "publish/TopicSections.h"

#include <algorithm>
#include <unordered_map>

namespace quillmark {

namespace {

constexpr size_t kTopicsPerTextFile = 50;
constexpr size_t kMaxWordBytes = 64;

// Six bits per character; in a number, a character with 32 added means that
// more characters follow (the lowest five bits come first).
constexpr char kDigits[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-_";

void AppendNumber(std::string& out, uint32_t value) {
    while (value >= 32) {
        out += kDigits[32 + (value & 31)];
        value >>= 5;
    }
    out += kDigits[value];
}

// Where a code point sorts among UTF-16 strings: characters beyond U+FFFF
// are written as surrogates (U+D800 …), which sort before U+E000 … U+FFFF.
uint32_t Utf16Rank(char32_t codePoint) {
    if (codePoint < 0xD800)
        return codePoint;
    if (codePoint >= 0x10000)
        return 0xD800 + (codePoint - 0x10000);
    return codePoint + 0x100000;
}

bool Utf16Less(std::string_view a, std::string_view b) {
    size_t i = 0;
    size_t j = 0;
    while (i < a.size() && j < b.size()) {
        const uint32_t x = Utf16Rank(DecodeUtf8(a, i));
        const uint32_t y = Utf16Rank(DecodeUtf8(b, j));
        if (x != y)
            return x < y;
    }
    return i == a.size() && j < b.size();
}

// ForEachSearchWord without a function object per word.
template <typename TVisit> void ScanSearchWords(std::string_view text, TVisit&& word) {
    // A word anchored where it starts: one Chinese or Japanese character, or
    // a run of other letters and digits.
    static const Regex wordHere(
        R"([\p{sc:Han}\p{sc:Hiragana}\p{sc:Katakana}]|(?:(?![\p{sc:Han}\p{sc:Hiragana}\p{sc:Katakana}])[\p{L}\p{N}])+)",
        Regex::Anchored);
    const auto isAsciiWordByte = [](unsigned char c) {
        return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
    };
    const auto emit = [&](std::string_view found) {
        if (found.size() <= kMaxWordBytes)
            word(found);
    };
    // Folded text has no upper-case ASCII. Runs of ASCII letters and digits
    // are found byte by byte; the pattern decides only where a character
    // outside ASCII begins or continues a word.
    const std::string folded = FoldText(text);
    const std::string_view all(folded);
    size_t pos = 0;
    while (pos < all.size()) {
        const auto byte = static_cast<unsigned char>(all[pos]);
        if (byte < 0x80 && !isAsciiWordByte(byte)) {
            ++pos;
            continue;
        }
        size_t end = pos;
        while (end < all.size() && isAsciiWordByte(static_cast<unsigned char>(all[end])))
            ++end;
        if (end > pos && (end == all.size() || static_cast<unsigned char>(all[end]) < 0x80)) {
            emit(all.substr(pos, end - pos));
            pos = end;
        } else if (const auto match = wordHere.Match(all, pos)) {
            emit(match->Group());
            pos = match->End();
        } else {
            DecodeUtf8(all, pos); // a character that is no part of a word
        }
    }
}

// Hashes strings and string views alike, so that looking a word up makes
// no copy of it.
struct TWordHash {
    using is_transparent = void;
    size_t operator()(std::string_view text) const { return std::hash<std::string_view>{}(text); }
};

class TWordCollector {
public:
    void Add(std::string_view text, uint32_t section, uint8_t weight, bool counted) {
        ScanSearchWords(text, [&](std::string_view word) {
            auto at = places_.find(word);
            if (at == places_.end()) {
                at = places_.emplace(std::string(word), order_.size()).first;
                order_.push_back(&at->first);
                placesOf_.emplace_back();
            }
            std::vector<uint32_t>& places = placesOf_[at->second];
            if (places.empty() || places.back() / 64 != section)
                places.push_back(section * 64);
            uint32_t& place = places.back();
            place |= weight;
            if (counted && (place % 64 & search_weight::kMaxCount) < search_weight::kMaxCount)
                ++place;
        });
    }

    // The words in the order first met, packed.
    TTopicSearchWords Take() {
        TTopicSearchWords words;
        for (size_t i = 0; i < order_.size(); ++i) {
            words.Text += *order_[i];
            words.Text += '\0';
            words.Places.insert(words.Places.end(), placesOf_[i].begin(), placesOf_[i].end());
            words.PlacesEnd.push_back(static_cast<uint32_t>(words.Places.size()));
        }
        return words;
    }

private:
    std::unordered_map<std::string, size_t, TWordHash, std::equal_to<>> places_;
    std::vector<const std::string*> order_; // keys of places_, in the order first met
    std::vector<std::vector<uint32_t>> placesOf_; // by the word's place in order_
};

struct TPostings {
    std::string Code;
    uint32_t LastSection = 0;
};

std::string TextFileName(size_t k) {
    return "search-text/" + std::to_string(k) + ".js";
}

std::string BuildIndexScript(const std::vector<TSearchTopic>& topics) {
    std::unordered_map<std::string, TPostings, TWordHash, std::equal_to<>> postings;
    std::string out = "window.__SV_INDEX = {\"version\":1,\"chunk\":";
    out += std::to_string(kTopicsPerTextFile);
    out += ",\"topics\":[";
    std::string sections = ",\"sections\":[";
    uint32_t firstSection = 0;
    for (size_t t = 0; t < topics.size(); ++t) {
        const TSearchTopic& topic = topics[t];
        out += t > 0 ? ",[" : "[";
        AppendJsonString(out, topic.Topic->FID);
        out += ',';
        AppendJsonString(out, topic.Topic->FTitle);
        out += ']';
        for (const TTopicSection& section : topic.Sections) {
            sections += sections.back() == '[' ? "[" : ",[";
            sections += std::to_string(t) + ",";
            AppendJsonString(sections, section.Anchor);
            sections += ',';
            AppendJsonString(sections, section.Heading);
            sections += ',' + std::to_string(section.Level) + ']';
        }
        topic.Words.ForEachPlace([&](std::string_view word, uint32_t section, uint8_t weight) {
            auto at = postings.find(word);
            if (at == postings.end())
                at = postings.emplace(std::string(word), TPostings{}).first;
            TPostings& list = at->second;
            const uint32_t global = firstSection + section;
            AppendNumber(list.Code, global - list.LastSection);
            list.Code += kDigits[weight & 63];
            list.LastSection = global;
        });
        firstSection += static_cast<uint32_t>(topic.Sections.size());
    }
    out += ']';
    out += sections;
    out += ']';

    std::vector<const std::pair<const std::string, TPostings>*> sorted;
    sorted.reserve(postings.size());
    for (const auto& entry : postings)
        sorted.push_back(&entry);
    std::sort(sorted.begin(), sorted.end(),
              [](const auto* a, const auto* b) { return Utf16Less(a->first, b->first); });
    out += ",\"terms\":[";
    for (size_t i = 0; i < sorted.size(); ++i) {
        if (i > 0)
            out += ',';
        AppendJsonString(out, sorted[i]->first);
    }
    out += "],\"postings\":[";
    for (size_t i = 0; i < sorted.size(); ++i) {
        if (i > 0)
            out += ',';
        out += '"';
        out += sorted[i]->second.Code; // the digits need no escaping
        out += '"';
    }
    out += "]};";
    return out;
}

std::string BuildTextScript(const std::vector<TSearchTopic>& topics, size_t k) {
    std::string out = "window.__SV_TEXT(" + std::to_string(k) + ",[";
    const size_t end = std::min(topics.size(), (k + 1) * kTopicsPerTextFile);
    for (size_t t = k * kTopicsPerTextFile; t < end; ++t) {
        out += t > k * kTopicsPerTextFile ? ",[" : "[";
        for (size_t s = 0; s < topics[t].Sections.size(); ++s) {
            if (s > 0)
                out += ',';
            AppendJsonString(out, topics[t].Sections[s].Text);
        }
        out += ']';
    }
    out += "]);";
    return out;
}

} // namespace

void ForEachSearchWord(std::string_view text, const std::function<void(std::string_view)>& word) {
    ScanSearchWords(text, word);
}

TTopicSearchWords CollectTopicSearchWords(const TTopic& topic,
                                          const std::vector<TTopicSection>& sections) {
    TWordCollector collector;
    collector.Add(topic.FTitle, 0, search_weight::kTitle, false);
    for (const std::string& keyword : topic.FKeywords)
        collector.Add(keyword, 0, search_weight::kTitle, false);
    for (const std::string& entry : topic.FIndexEntries)
        collector.Add(entry, 0, search_weight::kTitle, false);
    for (uint32_t s = 0; s < sections.size(); ++s) {
        collector.Add(sections[s].Heading, s, search_weight::kHeading, false);
        collector.Add(sections[s].Text, s, 0, true);
    }
    return collector.Take();
}

std::vector<std::string> WriteWebHelpSearchData(const std::string& outputFolder,
                                                const std::vector<TSearchTopic>& topics) {
    std::vector<std::string> written{"search-index.js"};
    WriteOutputFile(JoinPath(outputFolder, written.front()), BuildIndexScript(topics));
    EnsureOutputSubfolder(outputFolder, "search-text");
    for (size_t k = 0; k * kTopicsPerTextFile < topics.size(); ++k) {
        written.push_back(TextFileName(k));
        WriteOutputFile(JoinPath(outputFolder, written.back()), BuildTextScript(topics, k));
    }
    return written;
}

} // namespace quillmark
