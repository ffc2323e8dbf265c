#pragma once

#include "editor/EditingState.h"

#include <functional>
#include <string>

namespace quillmark {

// A topic's header area: its HTML and its background colour text.
struct TTopicHeader {
    std::string Html;
    std::string Bg;
};

// The header files of the topic (the default files for the empty
// identifier). A missing header file gives the default header of the topic's
// title, or of the project title for an identifier the project does not
// know; a missing or blank background file gives "#fafafa".
TTopicHeader ReadTopicHeader(const TEditingState& state, const std::string& topicId);

// Writes the header to the topic's header files (the default files for the
// empty identifier).
void WriteTopicHeader(const TEditingState& state, const std::string& topicId,
                      const TTopicHeader& header);

// The header a topic starts with: its title in the settings' default font
// and the default header background.
TTopicHeader DefaultTopicHeader(const TProjectSettings& settings, const std::string& title);

// The page HTML a topic is shown with: its unsaved text when its page file
// exists and the cache holds it, else the file's content. A topic without a
// page file gets the default paragraph and the default header, written to
// their files at once (`header` receives that header). An unknown identifier
// raises "Topic not found: <id>".
std::string ReadOrCreateTopicPage(TEditingState& state, const std::string& topicId,
                                  TTopicHeader& header);

// The best known page HTML of the current topic when the editor holds no
// newer text: the cache entry (even an empty one), else the HTML it was
// loaded with, else its page file; empty without a current topic.
std::string KnownCurrentTopicHtml(const TEditingState& state, const std::string& loadedHtml);

// Whether the header of the current topic is one the program made and the
// author left alone (blank, or only the topic or project title), so that it
// may follow changed settings.
bool IsUntouchedHeader(const TEditingState& state, const std::string& headerHtml);

// RefreshDefaultHeader's files: when the current topic's page is empty
// (`currentHtml` is asked only after the header passed) and its header is
// untouched, `header` becomes the default header of the current settings and
// is written to the topic's header files. Returns whether it did.
bool RenewUntouchedHeader(const TEditingState& state,
                          const std::function<std::string()>& currentHtml, TTopicHeader& header);

// After a topic was renamed (its title in the project is the new one): a
// header that still is the default header of the old title (that title as
// its only text, nothing the author added) becomes the default header of the
// new title, in its files and in `currentHeader` when the topic is the
// current one (whose header that is). A header the author wrote stays.
// Returns whether the current topic's header changed.
bool FollowRenamedTitle(const TEditingState& state, const std::string& topicId,
                        const std::string& oldTitle, TTopicHeader& currentHeader);

} // namespace quillmark
