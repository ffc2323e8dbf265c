#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace quillmark {

class TDocProject;
class TReusableProjectContent;
struct TTopic;

// The end marker as the dialog inserts it; escaping leaves it unchanged.
inline constexpr std::string_view kEndConditionToken = "{endcond}";

// Tokens as inserted into a topic, HTML-escaped: "{var:" name "}" and so on.
std::string MakeVariableToken(std::string_view name);
std::string MakeSnippetToken(std::string_view name);
std::string MakeBeginConditionToken(std::string_view name);

// Snippets nested deeper than this publish nothing.
inline constexpr int kMaxSnippetNesting = 16;

// The expanded text of one topic is never built larger than this: a pass
// that would make it larger, or snippet expansions that together are,
// stop the expansion with an error naming the snippet or variable.
inline constexpr size_t kMaxExpandedTextBytes = size_t{64} << 20;

// Resolves the reusable-content tokens of one topic's HTML with the store
// loaded from the project. An empty root path or empty HTML give the HTML
// back unchanged without reading the store; a store that fails to load (a
// damaged file included) raises its error.
std::string ExpandReusableContent(const TDocProject& P, std::string_view Html);

// The same with a store the caller loaded, so that a publishing run reads the
// store once for all its topics and nested snippets.
std::string ExpandReusableContent(const TReusableProjectContent& store, std::string_view Html,
                                  size_t maxBytes = kMaxExpandedTextBytes);

// Runs `expand` (an expansion of the topic's page) so that an error names
// the topic: "The topic "<title>" (<id>) cannot be published: <error>".
std::string ExpandNamingTopic(const TTopic& topic, const std::function<std::string()>& expand);

// The single passes of the expansion.

// Every variable token replaced by the HTML-escaped value (empty when the
// variable does not exist).
std::string ReplaceVariableTokensInText(std::string_view text,
                                        const TReusableProjectContent& store);
// Every snippet token replaced by the fully expanded snippet HTML (empty when
// the snippet does not exist).
std::string ReplaceSnippetTokensInText(std::string_view text,
                                       const TReusableProjectContent& store);
// The same two applied to the text between tags only.
std::string ReplaceVariableTokensOutsideTags(std::string_view html,
                                             const TReusableProjectContent& store);
std::string ReplaceSnippetTokensOutsideTags(std::string_view html,
                                            const TReusableProjectContent& store);

// Block elements that hold nothing but one condition marker become the bare
// marker.
std::string StripConditionMarkerOnlyBlocks(std::string_view html);
// Every condition block kept or dropped by its condition (a condition not in
// the store counts as disabled) and every marker removed. Nested blocks are
// resolved innermost first.
std::string ReplaceConditionTokens(std::string_view html, const TReusableProjectContent& store);

// Removes the editor's decoration attributes: dashed-border or #eef5ff style
// attributes, contenteditable="false" and title attributes.
std::string RemoveEditorDecorations(std::string_view html);

} // namespace quillmark
