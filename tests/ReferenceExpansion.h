#pragma once

#include "base/Regex.h"
#include "base/TextUtils.h"
#include "publish/HtmlHelpers.h"
#include "reuse/InnermostConditionBlocks.h"
#include "reuse/ReusableContent.h"
#include "reuse/TokenExpansion.h"
#include "reuse/TokenText.h"

#include <algorithm>
#include <string>
#include <vector>

namespace quillmark::testing {

// Token expansion with every use of a snippet expanded anew, as the passes
// are written: the reference the real expansion must match byte for byte.
// The work grows with the product of the uses, so it gives up (returns
// false) once it has built more than `budget` bytes of snippet text.
class ReferenceExpansion {
public:
    ReferenceExpansion(const TReusableProjectContent& store, size_t budget)
        : store_(store), budget_(budget) {}

    bool Expand(std::string_view html, std::string& result) {
        result = ExpandText(html);
        return built_ <= budget_;
    }

private:
    std::string ExpandText(std::string_view html) {
        if (html.empty() || built_ > budget_)
            return {};
        std::string text(html);
        text = Repeat(text, 10, [&](const std::string& current) {
            return ApplyOutsideTags(current, [&](std::string_view segment) {
                return ReplaceKeywordTokens(segment, "snip",
                                            [&](std::string_view name) { return Snippet(name); });
            });
        });
        text = Repeat(text, 10, [&](const std::string& current) {
            return ReplaceConditionTokens(current, store_);
        });
        return RemoveEditorDecorations(ReplaceVariableTokensOutsideTags(text, store_));
    }

    std::string Snippet(std::string_view tokenName) {
        const TReusableSnippet* snippet = store_.FindSnippet(Trim(DecodeHtml(tokenName)));
        if (snippet == nullptr || snippet->Html.empty() ||
            open_.size() >= static_cast<size_t>(kMaxSnippetNesting) ||
            std::find(open_.begin(), open_.end(), snippet) != open_.end())
            return {};
        open_.push_back(snippet);
        std::string expanded = ExpandText(snippet->Html);
        open_.pop_back();
        built_ += expanded.size();
        return expanded;
    }

    template <typename Pass>
    static std::string Repeat(std::string text, int count, const Pass& pass) {
        for (int i = 0; i < count; ++i) {
            std::string next = pass(text);
            if (next == text)
                break;
            text = std::move(next);
        }
        return text;
    }

    const TReusableProjectContent& store_;
    size_t budget_;
    size_t built_ = 0;
    std::vector<const TReusableSnippet*> open_;
};

// The innermost condition blocks as the regular expression finds them.
inline std::string
ReferenceInnermostBlocks(std::string_view html, bool namedEnd,
                         const std::function<std::string(const TConditionBlock&)>& replace) {
    const std::string begin = R"(\{\s*begincond\s*:\s*(?<name>[^\}]+?)\s*\})"
                              R"((?<body>(?:(?!\{\s*begincond\s*:\s*[^\}]+?\s*\}).)*?))";
    static const Regex named(begin + R"(\{\s*endcond\s*:\s*(?<endname>[^\}]+?)\s*\})",
                             Regex::Caseless | Regex::DotAll);
    static const Regex anonymous(begin + R"(\{\s*endcond\s*\})", Regex::Caseless | Regex::DotAll);
    return (namedEnd ? named : anonymous).ReplaceMatches(html, [&](const RegexMatch& m) {
        return replace({m.Group(), m.Group("name"), m.Group("body"), m.Group("endname")});
    });
}

} // namespace quillmark::testing
