#pragma once

#include <functional>
#include <string>
#include <vector>

namespace quillmark {

class TDocProject;
struct TTopic;

// The index of a publication (the site's A–Z index, the CHM index, a book's
// back-of-book index): the index entries and keywords of the topics merged
// into one sorted list of terms, each pointing at its topics. How an output
// shows it is the output's business.
struct TTopicIndexEntry {
    std::string Term; // as written, white space runs made single spaces
    std::string Key;  // FoldText of Term: entries with equal keys merge
    std::vector<const TTopic*> Topics; // in reading order, each once
};

// Which texts of a topic become index terms: its index entries and keywords,
// or its title too (an index that also lists every topic by name).
enum class TIndexTerms { EntriesAndKeywords, TitlesEntriesAndKeywords };

// Collects the terms (title, then index entries, then keywords) of every
// topic for which `included` holds, in reading order (the contents from the top, then the
// topics outside the contents in dictionary order). Blank terms are skipped;
// terms that fold alike ("Café", "cafe") merge into one entry, which keeps
// the spelling met first. Sorted by key (keys are unique).
std::vector<TTopicIndexEntry> BuildTopicIndex(
    const TDocProject& project, const std::function<bool(const TTopic&)>& included,
    TIndexTerms terms = TIndexTerms::EntriesAndKeywords);

// The heading an entry is listed under in an A–Z listing: the first letter
// of its key ("a" … "z", or a letter of another script), or "#" when the key
// starts with a digit or a symbol.
std::string TopicIndexGroup(const TTopicIndexEntry& entry);

} // namespace quillmark
