#include "reuse/TokenExpansion.h"

#include "base/QuillError.h"
#include "base/Regex.h"
#include "base/TextUtils.h"
#include "base/Translation.h"
#include "model/DocProject.h"
#include "base/HtmlEscaping.h"
#include "model/Topic.h"
#include "reuse/InnermostConditionBlocks.h"
#include "reuse/ReusableContent.h"
#include "reuse/TokenText.h"

#include <algorithm>
#include <cstdint>
#include <initializer_list>
#include <limits>
#include <optional>
#include <vector>

namespace quillmark {

namespace {

constexpr unsigned kTokenOptions = Regex::Caseless | Regex::DotAll;
constexpr int kSnippetPasses = 10;
constexpr int kConditionCalls = 10;
constexpr int kConditionPasses = 20;

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

// A set of snippets, by their position in the store.
class TSnippetSet {
public:
    explicit TSnippetSet(size_t size = 0) : words_((size + 63) / 64) {}
    void Set(size_t i) { words_[i / 64] |= uint64_t{1} << (i % 64); }
    void Reset(size_t i) { words_[i / 64] &= ~(uint64_t{1} << (i % 64)); }
    bool Test(size_t i) const { return (words_[i / 64] >> (i % 64)) & 1; }
    void Add(const TSnippetSet& other) {
        for (size_t w = 0; w < words_.size(); ++w)
            words_[w] |= other.words_[w];
    }
    TSnippetSet Common(const TSnippetSet& other) const {
        TSnippetSet common = *this;
        for (size_t w = 0; w < words_.size(); ++w)
            common.words_[w] &= other.words_[w];
        return common;
    }
    bool operator==(const TSnippetSet&) const = default;

private:
    std::vector<uint64_t> words_;
};

// One expansion run over a loaded store. It remembers which snippets are
// being expanded, so that a snippet reached again inside its own expansion,
// directly or through others, publishes nothing (expanding it again could
// only repeat the same expansion without end), as does any snippet nested
// deeper than kMaxSnippetNesting.
//
// Each snippet is expanded once and its text reused wherever the same
// expansion would come out again, so that the work grows with the store and
// not with the number of ways its snippets use each other. An expansion
// depends on where it happens only through those two cut-offs: it is reused
// where every snippet it looked up is open exactly when it was open then,
// and where the nesting bound cuts it off at the same depth.
//
// The text built for one topic is bounded: a pass whose result would pass
// `maxBytes`, or snippet expansions that together pass it, stop the run with
// an error naming the snippet (or variable) at which it happened.
class Expander {
public:
    Expander(const TReusableProjectContent& store, size_t maxBytes)
        : store_(store), maxBytes_(maxBytes), known_(store.FSnippets.size()),
          openSet_(store.FSnippets.size()) {}

    std::string Expand(std::string_view html) {
        if (html.empty())
            return {};
        std::string text(html);
        if (HasBrace(text))
            text = Repeat(std::move(text), kSnippetPasses, [&](const std::string& current) {
                size_t inserted = 0;
                return ApplyOutsideTags(current, [&](std::string_view segment) {
                    return ReplaceSnippetTokens(segment, current.size(), inserted);
                });
            });
        if (HasBrace(text))
            text = Repeat(std::move(text), kConditionCalls, [&](const std::string& current) {
                return ReplaceConditionTokens(current, store_);
            });
        if (HasBrace(text))
            text = ReplaceVariableTokens(text);
        return RemoveEditorDecorations(text);
    }

    // Every snippet token of `text` replaced; `passInput` is the size of the
    // whole text the pass runs over and `inserted` what the pass inserted so
    // far, in this and its other pieces: together they stay within the cap.
    std::string ReplaceSnippetTokens(std::string_view text, size_t passInput, size_t& inserted) {
        return ReplaceKeywordTokens(text, "snip", [&](std::string_view name) {
            std::string expansion = SnippetExpansion(name);
            inserted += expansion.size();
            if (passInput + inserted > maxBytes_)
                throw TooLarge("The expanded text grows past %s MB at the snippet \"%s\".",
                               LookupName(name));
            return expansion;
        });
    }

private:
    // A snippet's expansion with what it depended on.
    struct TKnownExpansion {
        std::string Text;
        TSnippetSet LookedUp;     // every snippet looked up inside it
        TSnippetSet OpenLookedUp; // those of them that were open around it
        size_t Depth = 0;         // deepest lookup, in levels below it
        size_t Around = 0;        // snippets open around it
    };
    // A snippet being expanded, collecting what its expansion depends on.
    struct TFrame {
        TSnippetSet LookedUp;
        size_t Depth = 0;
    };

    std::string SnippetExpansion(std::string_view tokenName) {
        const TReusableSnippet* snippet = store_.FindSnippet(LookupName(tokenName));
        if (snippet == nullptr || snippet->Html.empty())
            return {};
        const size_t index = static_cast<size_t>(snippet - store_.FSnippets.data());
        NoteLookup(index);
        if (frames_.size() >= static_cast<size_t>(kMaxSnippetNesting) || openSet_.Test(index))
            return {};
        if (const TKnownExpansion* known = FindKnown(index)) {
            NoteReuse(*known);
            return known->Text;
        }
        frames_.push_back({TSnippetSet(store_.FSnippets.size()), 0});
        openSet_.Set(index);
        std::string expanded = Expand(snippet->Html);
        openSet_.Reset(index);
        TFrame frame = std::move(frames_.back());
        frames_.pop_back();

        computedBytes_ += expanded.size();
        if (computedBytes_ > maxBytes_)
            throw TooLarge("The expanded text grows past %s MB at the snippet \"%s\".",
                           snippet->Name);
        known_[index].push_back({expanded, frame.LookedUp, frame.LookedUp.Common(openSet_),
                                 frame.Depth, frames_.size()});
        return expanded;
    }

    // Every snippet being expanded depends on this lookup.
    void NoteLookup(size_t index) {
        for (size_t f = 0; f < frames_.size(); ++f) {
            frames_[f].LookedUp.Set(index);
            frames_[f].Depth = std::max(frames_[f].Depth, frames_.size() - f);
        }
    }
    // ... and on everything a reused expansion depended on.
    void NoteReuse(const TKnownExpansion& known) {
        for (size_t f = 0; f < frames_.size(); ++f) {
            frames_[f].LookedUp.Add(known.LookedUp);
            frames_[f].Depth = std::max(frames_[f].Depth, frames_.size() - f + known.Depth);
        }
    }

    // An expansion of the snippet that comes out the same here.
    const TKnownExpansion* FindKnown(size_t index) const {
        const size_t around = frames_.size();
        for (const TKnownExpansion& known : known_[index]) {
            if (!(known.LookedUp.Common(openSet_) == known.OpenLookedUp))
                continue;
            // Lookups that many levels below the snippet, or more, are cut off.
            const auto cutFrom = [&](size_t open) {
                return std::min(static_cast<size_t>(kMaxSnippetNesting) - open, known.Depth + 1);
            };
            if (cutFrom(around) == cutFrom(known.Around))
                return &known;
        }
        return nullptr;
    }

    std::string ReplaceVariableTokens(const std::string& html) {
        size_t inserted = 0;
        return ApplyOutsideTags(html, [&](std::string_view text) {
            return ReplaceKeywordTokens(text, "var", [&](std::string_view name) {
                std::string value = EncodeHtml(store_.VariableValue(LookupName(name), ""));
                inserted += value.size();
                if (html.size() + inserted > maxBytes_)
                    throw TooLarge("The expanded text grows past %s MB at the variable \"%s\".",
                                   LookupName(name));
                return value;
            });
        });
    }

    QuillError TooLarge(const char* message, const std::string& name) const {
        return QuillError(FormatText(Translate(message), {std::to_string(maxBytes_ >> 20), name}));
    }

    const TReusableProjectContent& store_;
    const size_t maxBytes_;
    std::vector<std::vector<TKnownExpansion>> known_; // by snippet position
    std::vector<TFrame> frames_;                      // outermost first
    TSnippetSet openSet_;                             // the snippets being expanded
    size_t computedBytes_ = 0;
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
    store.LoadFromProject(P, TDamagedFile::Fail);
    return ExpandReusableContent(store, Html);
}

std::string ExpandReusableContent(const TReusableProjectContent& store, std::string_view Html,
                                  size_t maxBytes) {
    return Expander(store, maxBytes).Expand(Html);
}

std::string ExpandNamingTopic(const TTopic& topic, const std::function<std::string()>& expand) {
    const auto fail = [&](const std::string& problem) {
        return QuillError(FormatText(Translate("The topic \"%s\" (%s) cannot be published: %s"),
                                     {topic.FTitle, topic.FID, problem}));
    };
    try {
        return expand();
    } catch (const std::bad_alloc&) {
        throw fail(Translate("there is not enough memory."));
    } catch (const std::exception& e) {
        throw fail(e.what());
    }
}

std::string ReplaceVariableTokensInText(std::string_view text,
                                        const TReusableProjectContent& store) {
    return ReplaceKeywordTokens(text, "var", [&](std::string_view name) {
        return EncodeHtml(store.VariableValue(LookupName(name), ""));
    });
}

std::string ReplaceSnippetTokensInText(std::string_view text,
                                       const TReusableProjectContent& store) {
    size_t inserted = 0;
    return Expander(store, kMaxExpandedTextBytes).ReplaceSnippetTokens(text, text.size(), inserted);
}

std::string ReplaceVariableTokensOutsideTags(std::string_view html,
                                             const TReusableProjectContent& store) {
    return ApplyOutsideTags(html, [&](std::string_view text) {
        return ReplaceVariableTokensInText(text, store);
    });
}

std::string ReplaceSnippetTokensOutsideTags(std::string_view html,
                                            const TReusableProjectContent& store) {
    Expander expander(store, kMaxExpandedTextBytes);
    size_t inserted = 0;
    return ApplyOutsideTags(html, [&](std::string_view text) {
        return expander.ReplaceSnippetTokens(text, html.size(), inserted);
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

    // A block with a named end marker of another name stays as it is.
    const auto resolve = [&](std::string_view whole, std::string_view name, std::string_view body,
                             std::optional<std::string_view> endName) {
        const std::string lookup = LookupName(name);
        if (endName && !AsciiSameText(lookup, LookupName(*endName)))
            return std::string(whole);
        return store.ConditionEnabled(lookup, false) ? std::string(body) : std::string();
    };
    const auto named = [&](const RegexMatch& match) {
        return resolve(match.Group(), match.Group("name"), match.Group("body"),
                       match.Group("endname"));
    };
    const auto anonymous = [&](const RegexMatch& match) {
        return resolve(match.Group(), match.Group("name"), match.Group("body"), std::nullopt);
    };
    const auto innermostPass = [&](const std::string& current) {
        std::string result = current;
        for (const bool namedEnd : {true, false}) {
            if (!(namedEnd ? NamedEndPattern() : AnonymousEndPattern()).IsMatch(result))
                continue;
            result = ReplaceInnermostConditionBlocks(
                result, namedEnd, [&](const TConditionBlock& block) {
                    return resolve(block.Whole, block.Name, block.Body,
                                   namedEnd ? std::optional(block.EndName) : std::nullopt);
                });
        }
        return result;
    };
    const auto pass = [&](const std::string& current) {
        std::string result = current;
        if (NamedEndPattern().IsMatch(result))
            result = NamedBlockPattern().ReplaceMatches(result, named);
        if (AnonymousEndPattern().IsMatch(result))
            result = AnonymousBlockPattern().ReplaceMatches(result, anonymous);
        return result;
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
