#pragma once

#include "editor/EditingState.h"

#include <string>

namespace quillmark {

// The seam between the window logic and the editor content: the window
// implements the host, the editor content (with or without an editor page)
// implements IEditorContent.

// What the editor content needs from the window it lives in. The state is
// shared: the editor content sets FCurrentTopicID and fills
// FUnsavedTopicHtml; the window logic writes and empties the caches.
class IEditorContentHost {
public:
    virtual ~IEditorContentHost() = default;
    virtual TEditingState& State() = 0;
    virtual void MarkProjectDirty() = 0;
    virtual void SetStatusText(const std::string& text) = 0;
    // Fills the properties panel from the topic (each time a topic becomes
    // current).
    virtual void ShowTopicProperties(const std::string& topicId) = 0;
};

// The content of the editor: which topic it shows, how its page HTML and
// header reach the cache and the header files. The window logic calls
// these; an implementation drives the editor page through the bridge.
class IEditorContent {
public:
    virtual ~IEditorContent() = default;

    // The editor page has reported that it is ready.
    virtual bool IsEditorReady() const = 0;

    // The contents tree's selection changed (tvTocChange): file the current
    // topic's page and header, then make the topic (empty: none) current,
    // show its properties and load it.
    virtual void SwitchToTopic(const std::string& topicId) = 0;
    // Shows the topic in the editor (creates its page and header files when
    // the page file is missing).
    virtual void LoadTopicIntoEditor(const std::string& topicId) = 0;

    // Fetches the page's HTML (bounded wait) into the unsaved-page cache
    // under the current topic.
    virtual void CommitCurrentTopic() = 0;
    // Asks the page for its header (bounded wait) and writes the answer to
    // the current topic's header files.
    virtual void WaitForEditorHeader(int timeoutMs) = 0;
    // The best known HTML of the current topic; empty when none is current.
    virtual std::string GetCurrentTopicHtml() = 0;

    // Forgets the editor's unsaved text of the current topic (not yet in the
    // cache).
    virtual void ForgetUnsavedText() = 0;
    // That text; empty when the page holds nothing unsaved.
    virtual std::string UnsavedCurrentHtml() const = 0;
    // No topic is current any more and the unsaved text is forgotten;
    // nothing is fetched from the page. Used when the topic was deleted and
    // before another project becomes current.
    virtual void ClearCurrentTopic() = 0;
    // Makes the HTML the loaded baseline of the current topic and, when the
    // page is ready, shows it (settings changed on an empty topic).
    virtual void ReplaceCurrentTopicHtml(const std::string& html) = 0;
    // Rebuilds an untouched default header from the current settings.
    virtual void RefreshDefaultHeader() = 0;
    // Reads the current topic's header files again and shows them (after a
    // command changed them on disk).
    virtual void ReloadHeader() = 0;
    // The topic was renamed from `oldTitle`: a header that is still the
    // default header of that title follows the new one (FollowRenamedTitle),
    // shown at once when the topic is the current one.
    virtual void FollowRenamedTitle(const std::string& topicId, const std::string& oldTitle) = 0;

    // Page setup: base address (the project folder), stylesheet, settings.
    virtual void ApplyEditorBaseHref() = 0;
    virtual void ApplyEditorCss() = 0;
    virtual void ApplySettingsToEditor() = 0;
    // Keyboard focus to the editor once the current event is done.
    virtual void FocusEditorLater() = 0;
};

} // namespace quillmark
