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

class TWordCollector {
public:
    void Add(std::string_view text, uint32_t section, uint8_t weight, bool counted) {
        ForEachSearchWord(text, [&](std::string_view word) {
            auto [at, isNew] = places_.try_emplace(std::string(word), words_.size());
            if (isNew)
                words_.push_back({std::string(word), {}});
            auto& sections = words_[at->second].second;
            if (sections.empty() || sections.back().first != section)
                sections.push_back({section, 0});
            uint8_t& value = sections.back().second;
            value |= weight;
            if (counted && (value & search_weight::kMaxCount) < search_weight::kMaxCount)
                ++value;
        });
    }
    TTopicSearchWords Take() { return std::move(words_); }

private:
    std::unordered_map<std::string, size_t> places_;
    TTopicSearchWords words_;
};

struct TPostings {
    std::string Code;
    uint32_t LastSection = 0;
};

std::string TextFileName(size_t k) {
    return "search-text/" + std::to_string(k) + ".js";
}

std::string BuildIndexScript(const std::vector<TSearchTopic>& topics) {
    std::unordered_map<std::string, TPostings> postings;
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
        for (const auto& [word, places] : topic.Words) {
            TPostings& list = postings[word];
            for (const auto& [section, weight] : places) {
                const uint32_t global = firstSection + section;
                AppendNumber(list.Code, global - list.LastSection);
                list.Code += kDigits[weight & 63];
                list.LastSection = global;
            }
        }
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
    static const Regex words(
        R"([\p{sc:Han}\p{sc:Hiragana}\p{sc:Katakana}]|(?:(?![\p{sc:Han}\p{sc:Hiragana}\p{sc:Katakana}])[\p{L}\p{N}])+)");
    const std::string folded = FoldText(text);
    size_t start = 0;
    while (const auto match = words.Match(folded, start)) {
        if (match->Length() <= kMaxWordBytes)
            word(match->Group());
        start = match->End();
    }
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
