#include "reuse/TokenExpansion.h"

#include "base/Regex.h"
#include "base/TextUtils.h"
#include "model/DocProject.h"
#include "base/HtmlEscaping.h"
#include "reuse/ReusableContent.h"
#include "reuse/TokenText.h"

#include <algorithm>
#include <initializer_list>
#include <limits>
#include <optional>
#include <unordered_map>
#include <vector>

namespace quillmark {

namespace {

constexpr unsigned kTokenOptions = Regex::Caseless | Regex::DotAll;
constexpr int kSnippetPasses = 10;
constexpr int kConditionCalls = 10;
constexpr int kConditionPasses = 20;

// A block whose body holds no begin marker is an innermost one.
constexpr std::string_view kBeginWithName = R"(\{\s*begincond\s*:\s*(?<name>[^\}]+?)\s*\})";
constexpr std::string_view kBodyWithoutBegin =
    R"((?<body>(?:(?!\{\s*begincond\s*:\s*[^\}]+?\s*\}).)*?))";

// A block element holding nothing but one marker, "<p …> {begincond:x} </p>",
// matched only where it starts at the position searched from.
std::string MarkerOnlyBlockPattern(std::string_view marker) {
    return R"(<(?<tag>p|div|section|article|li|blockquote|h[1-6]|tr|td|th)\b(?<attrs>[^>]*)>\s*)"
           "(?<token>" +
           std::string(marker) + R"()\s*</\k<tag>>)";
}

const Regex& BeginMarkerOnlyBlockPattern() {
    static const Regex pattern(MarkerOnlyBlockPattern(R"(\{\s*begincond\s*:\s*[^\}]+?\s*\})"),
                               kTokenOptions | Regex::Anchored);
    return pattern;
}

const Regex& EndMarkerOnlyBlockPattern() {
    static const Regex pattern(
        MarkerOnlyBlockPattern(R"(\{\s*endcond\s*(?::\s*[^\}]+?\s*)?\})"),
        kTokenOptions | Regex::Anchored);
    return pattern;
}

const Regex& NamedBlockPattern() {
    static const Regex pattern(
        R"(\{\s*begincond\s*:\s*(?<name>[^\}]+?)\s*\}(?<body>.*?))"
        R"(\{\s*endcond\s*:\s*(?<endname>[^\}]+?)\s*\})",
        kTokenOptions);
    return pattern;
}

const Regex& AnonymousBlockPattern() {
    static const Regex pattern(
        R"(\{\s*begincond\s*:\s*(?<name>[^\}]+?)\s*\}(?<body>.*?)\{\s*endcond\s*\})",
        kTokenOptions);
    return pattern;
}

const Regex& InnermostNamedBlockPattern() {
    static const Regex pattern(std::string(kBeginWithName) + std::string(kBodyWithoutBegin) +
                                   R"(\{\s*endcond\s*:\s*(?<endname>[^\}]+?)\s*\})",
                               kTokenOptions);
    return pattern;
}

const Regex& InnermostAnonymousBlockPattern() {
    static const Regex pattern(std::string(kBeginWithName) + std::string(kBodyWithoutBegin) +
                                   R"(\{\s*endcond\s*\})",
                               kTokenOptions);
    return pattern;
}

const Regex& AnyMarkerPattern() {
    static const Regex pattern(
        R"(\{\s*begincond\s*:\s*[^\}]+?\s*\}|\{\s*endcond\s*(?::\s*[^\}]+?\s*)?\})", kTokenOptions);
    return pattern;
}

// The end markers alone, to skip a pair pass that cannot match. The pair
// patterns scan from every begin marker to the end of the text when no end
// marker of their kind follows.
const Regex& NamedEndPattern() {
    static const Regex pattern(R"(\{\s*endcond\s*:)", kTokenOptions);
    return pattern;
}

const Regex& AnonymousEndPattern() {
    static const Regex pattern(R"(\{\s*endcond\s*\})", kTokenOptions);
    return pattern;
}

// The same markers, with begin markers told apart by group 1.
const Regex& MarkerKindPattern() {
    static const Regex pattern(
        R"((\{\s*begincond\s*:\s*[^\}]+?\s*\})|\{\s*endcond\s*(?::\s*[^\}]+?\s*)?\})",
        kTokenOptions);
    return pattern;
}

bool HasBrace(std::string_view text) { return text.find('{') != std::string_view::npos; }

// Whether a condition marker may start somewhere: every marker begins with
// "{", optional spaces and "begincond" or "endcond". Text without one is left
// as it is by every condition step, so they can be skipped.
bool HasConditionMarkerStart(std::string_view html) {
    for (size_t brace = html.find('{'); brace != std::string_view::npos;
         brace = html.find('{', brace + 1)) {
        size_t word = brace + 1;
        while (word < html.size() && IsAsciiWhiteSpace(html[word]))
            ++word;
        const std::string_view rest = html.substr(word);
        if (AsciiStartsWithIgnoreCase(rest, "begincond") ||
            AsciiStartsWithIgnoreCase(rest, "endcond"))
            return true;
    }
    return false;
}

// Replaces each block holding only a marker by the marker, exactly as a
// left-to-right search for the unanchored block pattern would, but tries the
// anchored `blockPattern` only where such a block can start. The marker of a
// match follows the block's start tag and spaces, so its "{" comes right
// after a ">", and the block starts at a "<" after the ">" before that one
// (a start tag holds no ">"); elsewhere no match can start.
std::string ReplaceMarkerOnlyBlocks(std::string_view html, const Regex& blockPattern) {
    constexpr size_t npos = std::string_view::npos;
    std::string out;
    size_t copied = 0; // html before this is in `out` already
    size_t from = 0;   // the next match starts here or later
    for (size_t brace = html.find('{'); brace != npos;
         brace = html.find('{', std::max(brace + 1, from))) {
        size_t tagEnd = brace;
        while (tagEnd > from && IsAsciiWhiteSpace(html[tagEnd - 1]))
            --tagEnd;
        if (tagEnd == from || html[tagEnd - 1] != '>')
            continue;
        --tagEnd; // the ">"
        const size_t previousEnd = tagEnd == 0 ? npos : html.rfind('>', tagEnd - 1);
        const size_t spanStart = std::max(from, previousEnd == npos ? 0 : previousEnd + 1);
        for (size_t start = html.find('<', spanStart); start < tagEnd;
             start = html.find('<', start + 1)) {
            if (const std::optional<RegexMatch> block = blockPattern.Match(html, start)) {
                out.append(html.substr(copied, start - copied));
                out.append(block->Group("token"));
                copied = from = block->End();
                break;
            }
        }
    }
    if (copied == 0)
        return std::string(html);
    out.append(html.substr(copied));
    return out;
}

std::string LookupName(std::string_view tokenName) { return Trim(DecodeHtml(tokenName)); }

std::string Nothing(const RegexMatch&) { return {}; }

// Applies `pass` up to `count` times. A pass depends on nothing but its input,
// so once it changes nothing the remaining passes would not either.
template <typename Pass>
std::string Repeat(std::string text, int count, const Pass& pass) {
    for (int i = 0; i < count; ++i) {
        std::string next = pass(text);
        if (next == text)
            break;
        text = std::move(next);
    }
    return text;
}

// True when a begin marker follows another one with no end marker between
// them. Flat input never has this and is resolved by the plain passes.
bool HasNestedConditionBlocks(std::string_view html) {
    bool open = false;
    size_t pos = 0;
    while (std::optional<RegexMatch> marker = MarkerKindPattern().Match(html, pos)) {
        const bool begin = marker->Matched(1);
        if (begin && open)
            return true;
        open = begin;
        pos = marker->End();
    }
    return false;
}

// One expansion run over a loaded store. It remembers which snippets are
// being expanded, so that a snippet reached again inside its own expansion,
// directly or through others, publishes nothing (expanding it again could
// only repeat the same expansion without end), as does any snippet nested
// deeper than kMaxSnippetNesting.
class Expander {
public:
    explicit Expander(const TReusableProjectContent& store) : store_(store) {}

    std::string Expand(std::string_view html) {
        if (html.empty())
            return {};
        std::string text(html);
        if (HasBrace(text))
            text = Repeat(std::move(text), kSnippetPasses, [&](const std::string& current) {
                return ApplyOutsideTags(current, [&](std::string_view segment) {
                    return ReplaceSnippetTokens(segment);
                });
            });
        if (HasBrace(text))
            text = Repeat(std::move(text), kConditionCalls, [&](const std::string& current) {
                return ReplaceConditionTokens(current, store_);
            });
        if (HasBrace(text))
            text = ReplaceVariableTokensOutsideTags(text, store_);
        return RemoveEditorDecorations(text);
    }

    std::string ReplaceSnippetTokens(std::string_view text) {
        return ReplaceKeywordTokens(text, "snip",
                                    [&](std::string_view name) { return SnippetExpansion(name); });
    }

private:
    std::string SnippetExpansion(std::string_view tokenName) {
        const TReusableSnippet* snippet = store_.FindSnippet(LookupName(tokenName));
        if (snippet == nullptr || snippet->Html.empty())
            return {};
        if (open_.size() >= static_cast<size_t>(kMaxSnippetNesting) ||
            std::find(open_.begin(), open_.end(), snippet) != open_.end())
            return {};
        // A snippet used directly in the topic always expands the same way.
        if (open_.empty())
            if (const auto known = topLevel_.find(snippet); known != topLevel_.end())
                return known->second;
        open_.push_back(snippet);
        std::string expanded = Expand(snippet->Html);
        open_.pop_back();
        if (open_.empty())
            topLevel_.emplace(snippet, expanded);
        return expanded;
    }

    const TReusableProjectContent& store_;
    std::vector<const TReusableSnippet*> open_; // outermost first
    std::unordered_map<const TReusableSnippet*, std::string> topLevel_;
};

} // namespace

std::string MakeVariableToken(std::string_view name) {
    return EncodeHtml("{var:" + std::string(name) + "}");
}

std::string MakeSnippetToken(std::string_view name) {
    return EncodeHtml("{snip:" + std::string(name) + "}");
}

std::string MakeBeginConditionToken(std::string_view name) {
    return EncodeHtml("{begincond:" + std::string(name) + "}");
}

std::string ExpandReusableContent(const TDocProject& P, std::string_view Html) {
    if (P.FRootPath.empty() || Html.empty())
        return std::string(Html);
    TReusableProjectContent store;
    store.LoadFromProject(P);
    return ExpandReusableContent(store, Html);
}

std::string ExpandReusableContent(const TReusableProjectContent& store, std::string_view Html) {
    return Expander(store).Expand(Html);
}

std::string ReplaceVariableTokensInText(std::string_view text,
                                        const TReusableProjectContent& store) {
    return ReplaceKeywordTokens(text, "var", [&](std::string_view name) {
        return EncodeHtml(store.VariableValue(LookupName(name), ""));
    });
}

std::string ReplaceSnippetTokensInText(std::string_view text,
                                       const TReusableProjectContent& store) {
    return Expander(store).ReplaceSnippetTokens(text);
}

std::string ReplaceVariableTokensOutsideTags(std::string_view html,
                                             const TReusableProjectContent& store) {
    return ApplyOutsideTags(html, [&](std::string_view text) {
        return ReplaceVariableTokensInText(text, store);
    });
}

std::string ReplaceSnippetTokensOutsideTags(std::string_view html,
                                            const TReusableProjectContent& store) {
    Expander expander(store);
    return ApplyOutsideTags(html, [&](std::string_view text) {
        return expander.ReplaceSnippetTokens(text);
    });
}

std::string StripConditionMarkerOnlyBlocks(std::string_view html) {
    return ReplaceMarkerOnlyBlocks(ReplaceMarkerOnlyBlocks(html, BeginMarkerOnlyBlockPattern()),
                                   EndMarkerOnlyBlockPattern());
}

std::string ReplaceConditionTokens(std::string_view html, const TReusableProjectContent& store) {
    if (!HasConditionMarkerStart(html))
        return std::string(html);
    std::string text = StripConditionMarkerOnlyBlocks(html);

    const auto named = [&](const RegexMatch& match) {
        const std::string name = LookupName(match.Group("name"));
        if (!AsciiSameText(name, LookupName(match.Group("endname"))))
            return std::string(match.Group());
        return store.ConditionEnabled(name, false) ? std::string(match.Group("body"))
                                                   : std::string();
    };
    const auto anonymous = [&](const RegexMatch& match) {
        return store.ConditionEnabled(LookupName(match.Group("name")), false)
                   ? std::string(match.Group("body"))
                   : std::string();
    };
    const auto pairPasses = [&](const Regex& namedPattern, const Regex& anonymousPattern,
                                std::string current) {
        if (NamedEndPattern().IsMatch(current))
            current = namedPattern.ReplaceMatches(current, named);
        if (AnonymousEndPattern().IsMatch(current))
            current = anonymousPattern.ReplaceMatches(current, anonymous);
        return current;
    };
    const auto innermostPass = [&](const std::string& current) {
        return pairPasses(InnermostNamedBlockPattern(), InnermostAnonymousBlockPattern(), current);
    };
    const auto pass = [&](const std::string& current) {
        return pairPasses(NamedBlockPattern(), AnonymousBlockPattern(), current);
    };

    // Inner blocks first; each resolved block makes the text shorter, so this
    // ends. What is left (stray or crossed markers) goes to the plain passes.
    if (HasNestedConditionBlocks(text))
        text = Repeat(std::move(text), std::numeric_limits<int>::max(), innermostPass);
    text = Repeat(std::move(text), kConditionPasses, pass);
    return AnyMarkerPattern().ReplaceMatches(text, Nothing);
}

std::string RemoveEditorDecorations(std::string_view html) {
    static const Regex decoratedStyle(
        R"(\sstyle="[^">]*(border\s*:\s*1px\s+dashed|background\s*:\s*#eef5ff)[^">]*")",
        Regex::Caseless);
    static const Regex notEditable(R"(\scontenteditable="false")", Regex::Caseless);
    static const Regex title(R"(\stitle="[^"]*")", Regex::Caseless);
    // Each pattern runs only where the text holds a piece every match of it
    // must hold (pieces without letters that match other characters when
    // case is ignored, such as "s" and the long s).
    const auto removeWhere = [](std::string text, const Regex& pattern,
                                std::initializer_list<std::string_view> pieces) {
        for (const std::string_view piece : pieces)
            if (AsciiFindIgnoreCase(text, piece) != std::string_view::npos)
                return pattern.ReplaceMatches(text, Nothing);
        return text;
    };
    std::string text = removeWhere(std::string(html), decoratedStyle, {"1px", "#eef5ff"});
    text = removeWhere(std::move(text), notEditable, {"contenteditable"});
    return removeWhere(std::move(text), title, {"title=\""});
}

} // namespace quillmark
