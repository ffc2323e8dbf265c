#pragma once

#include "base/TextQuery.h"
#include "model/DocProject.h"

#include <string>
#include <vector>

namespace quillmark {

// Where a topic's text is searched: its title, its header area or its page.
enum class TSearchField { Title, Header, Page };

// One match in a topic. Pages and headers are searched in the text a reader
// sees (base/HtmlText.h), one segment (paragraph, cell, heading) at a time.
struct TSearchHit {
    TSearchField Field = TSearchField::Page;
    size_t Segment = 0; // of the header or page; 0 for the title
    TTextSpan Span;     // in the segment's text (or the title)
    std::string Matched;
    std::string Context; // the line around the match
    // How often the matched text (exactly, case and all) occurs in the
    // topic's header and page before this match: the editor page finds it
    // again by that number.
    int Occurrence = 0;
};

struct TTopicHits {
    std::string TopicId;
    std::string Title;
    std::vector<TSearchHit> Hits;
};

// Where a search reads each topic's page and header (HTML): the stored
// files, or what the window holds unsaved. An empty text is searched as
// empty.
class ITopicTexts {
public:
    virtual ~ITopicTexts() = default;
    virtual std::string PageHtml(const TTopic& topic) = 0;
    virtual std::string HeaderHtml(const TTopic& topic) = 0;
};

// The pages and headers as stored in the project folder; a missing file, or
// a link leading outside the project, reads as empty.
class TStoredTopicTexts final : public ITopicTexts {
public:
    explicit TStoredTopicTexts(std::string rootPath) : FRootPath(std::move(rootPath)) {}
    std::string PageHtml(const TTopic& topic) override;
    std::string HeaderHtml(const TTopic& topic) override;

private:
    std::string FRootPath;
};

struct TProjectSearchOptions {
    bool Titles = false; // titles too, besides headers and pages
};

// Every topic with at least one match, in contents order; each topic's
// matches title first, then header, then page.
std::vector<TTopicHits> SearchProject(const TDocProject& project, ITopicTexts& texts,
                                      const TTextMatcher& matcher,
                                      const TProjectSearchOptions& options);

// One field of a topic before and after a replacement.
struct TTopicTextChange {
    std::string TopicId;
    TSearchField Field = TSearchField::Page;
    std::string Before;
    std::string After;
    int Replaced = 0; // matches replaced
};

// What replacing in one topic changes, field by field (unchanged fields
// left out): every match, or only `onlyHit`. The replacement goes into the
// text only; tags and attributes stay as they are. `onlyHit` must still be
// where the search found it, or the call fails with a QuillError.
std::vector<TTopicTextChange> ReplaceInTopic(const TDocProject& project, ITopicTexts& texts,
                                             const TTextMatcher& matcher,
                                             const TProjectSearchOptions& options,
                                             const std::string& topicId,
                                             const std::string& replacement,
                                             const TSearchHit* onlyHit = nullptr);

} // namespace quillmark
