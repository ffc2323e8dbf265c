#pragma once

#include <string>
#include <string_view>

namespace quillmark {

// A topic as the printed manual shows it: one heading at the level of the
// topic's depth, then the page with its own headings below that level.
struct TPrintedTopic {
    std::string HeadingText; // plain text
    std::string Html;
};

// The outline level of a topic's heading: 1 for a root topic, one more for
// each level below, at most 6 (the deepest heading HTML has).
int TopicHeadingLevel(int depth);

// Prepares a topic page (already expanded) for the manual:
// - when the page starts (after white space, comments, style sheets and
//   scripts) with a heading whose text begins with the title as whole words,
//   that heading is taken out and its text becomes the topic's heading, so
//   that the title is printed once; otherwise the title is the heading text;
// - the page's other headings move so that its highest one sits one level
//   below the topic's heading (an <h1> below a section becomes an <h3>, an
//   <h4> below a chapter an <h2>); a heading that would go below <h6> stays
//   an <h6> and leaves the document outline (role="none"), so that the
//   bookmarks never show it beside the topics.
TPrintedTopic PrepareTopicForManual(std::string_view html, const std::string& title, int depth);

} // namespace quillmark
