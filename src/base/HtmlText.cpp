#include "base/HtmlText.h"

#include "base/HtmlEscaping.h"
#include "base/TextUtils.h"

#include <algorithm>
#include <array>

namespace quillmark {

namespace {

// Tags that run inside a line of text; every other tag ends a segment.
bool IsInlineTag(std::string_view name) {
    static constexpr std::array<std::string_view, 28> kInline = {
        "a",    "abbr", "b",      "bdi",  "bdo", "cite", "code",  "data", "del",  "dfn",
        "em",   "font", "i",      "ins",  "kbd", "mark", "q",     "s",    "samp", "small",
        "span", "strike", "strong", "sub", "sup", "time", "u",     "var"};
    return std::find(kInline.begin(), kInline.end(), name) != kInline.end();
}

// Elements whose content is not text a reader sees.
bool IsHiddenContentTag(std::string_view name) {
    return name == "script" || name == "style" || name == "template" || name == "title";
}

bool IsAsciiLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

bool IsHtmlSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f';
}

// The end of the tag that starts at `pos` ("<"), past its ">"; quoted
// attribute values may hold ">".
size_t TagEnd(std::string_view html, size_t pos) {
    char quote = 0;
    for (size_t i = pos + 1; i < html.size(); ++i) {
        const char c = html[i];
        if (quote != 0) {
            if (c == quote)
                quote = 0;
        } else if (c == '"' || c == '\'') {
            quote = c;
        } else if (c == '>') {
            return i + 1;
        }
    }
    return html.size();
}

std::string TagName(std::string_view html, size_t pos) {
    size_t i = pos + 1;
    if (i < html.size() && html[i] == '/')
        ++i;
    std::string name;
    while (i < html.size() && (IsAsciiLetter(html[i]) || (html[i] >= '0' && html[i] <= '9')))
        name += static_cast<char>(html[i++] | 0x20);
    return name;
}

class TSegmentBuilder {
public:
    explicit TSegmentBuilder(std::vector<THtmlText::TSegment>& segments) : FSegments(segments) {}

    void Add(std::string_view decoded, size_t begin, size_t end) {
        for (const char c : decoded) {
            FCurrent.Text += c;
            FCurrent.SourceBegin.push_back(begin);
            FCurrent.SourceEnd.push_back(end);
        }
    }
    // A run of white space reads as one space, and as none at the start.
    void AddSpace(size_t begin, size_t end) {
        if (!FCurrent.Text.empty() && FCurrent.Text.back() != ' ')
            Add(" ", begin, end);
    }
    void Cut() {
        if (!FCurrent.Text.empty() && FCurrent.Text.back() == ' ') {
            FCurrent.Text.pop_back();
            FCurrent.SourceBegin.pop_back();
            FCurrent.SourceEnd.pop_back();
        }
        if (!FCurrent.Text.empty())
            FSegments.push_back(std::move(FCurrent));
        FCurrent = {};
    }

private:
    std::vector<THtmlText::TSegment>& FSegments;
    THtmlText::TSegment FCurrent;
};

} // namespace

THtmlText::THtmlText(std::string_view html) : FHtml(html) {
    TSegmentBuilder builder(FSegments);
    size_t i = 0;
    while (i < html.size()) {
        const char c = html[i];
        if (c == '<' && html.substr(i, 4) == "<!--") {
            const size_t close = html.find("-->", i + 4);
            i = close == std::string_view::npos ? html.size() : close + 3;
        } else if (c == '<' && i + 1 < html.size() &&
                   (IsAsciiLetter(html[i + 1]) || html[i + 1] == '!' || html[i + 1] == '?' ||
                    (html[i + 1] == '/' && i + 2 < html.size() && IsAsciiLetter(html[i + 2])))) {
            const std::string name = TagName(html, i);
            const bool closing = html[i + 1] == '/';
            i = TagEnd(html, i);
            if (!closing && IsHiddenContentTag(name)) {
                // Up to the matching end tag, whatever it holds.
                size_t close = html.find("</", i);
                while (close != std::string_view::npos &&
                       !AsciiStartsWithIgnoreCase(html.substr(close + 2), name))
                    close = html.find("</", close + 2);
                i = close == std::string_view::npos ? html.size() : TagEnd(html, close);
            }
            if (name.empty() || !IsInlineTag(name))
                builder.Cut();
        } else if (c == '&') {
            std::string decoded;
            size_t consumed = DecodeHtmlReference(html.substr(i), decoded);
            if (consumed == 0 && AsciiStartsWithIgnoreCase(html.substr(i), "&nbsp;"))
                consumed = 6;
            if (consumed == 0)
                FBareSpecials.push_back(i);
            if (consumed == 0 || decoded.empty() || decoded == "\xC2\xA0")
                decoded = consumed == 0 ? "&" : " ";
            builder.Add(decoded, i, i + std::max<size_t>(consumed, 1));
            i += std::max<size_t>(consumed, 1);
        } else if (IsHtmlSpace(c)) {
            const size_t start = i;
            while (i < html.size() && IsHtmlSpace(html[i]))
                ++i;
            builder.AddSpace(start, i);
        } else {
            if (c == '<')
                FBareSpecials.push_back(i);
            builder.Add(std::string_view(&html[i], 1), i, i + 1);
            ++i;
        }
    }
    builder.Cut();
}

std::string THtmlText::Replace(std::vector<TReplacement> replacements) const {
    struct TEdit {
        size_t Begin;
        size_t End;
        std::string Html;
    };
    std::vector<TEdit> edits;
    for (const TReplacement& replacement : replacements) {
        const TSegment& segment = FSegments.at(replacement.Segment);
        const TTextSpan span = replacement.Span;
        if (span.Begin >= span.End || span.End > segment.Text.size())
            continue;
        bool first = true;
        size_t pieceBegin = segment.SourceBegin[span.Begin];
        for (size_t k = span.Begin; k < span.End; ++k) {
            const bool last = k + 1 == span.End;
            // The piece goes on while the next byte's markup follows this one's.
            if (!last && (segment.SourceBegin[k + 1] == segment.SourceEnd[k] ||
                          segment.SourceBegin[k + 1] == segment.SourceBegin[k]))
                continue;
            edits.push_back({pieceBegin, segment.SourceEnd[k],
                             first ? EncodeHtml(replacement.Text) : std::string()});
            first = false;
            if (!last)
                pieceBegin = segment.SourceBegin[k + 1];
        }
    }
    std::sort(edits.begin(), edits.end(),
              [](const TEdit& a, const TEdit& b) { return a.Begin < b.Begin; });
    std::string out;
    out.reserve(FHtml.size());
    auto bare = FBareSpecials.begin();
    // Copies the page's bytes up to `end`, its bare "<" and "&" as references.
    auto copyUpTo = [&](size_t from, size_t end) {
        for (; bare != FBareSpecials.end() && *bare < end; ++bare) {
            if (*bare < from)
                continue;
            out.append(FHtml, from, *bare - from);
            out += FHtml[*bare] == '<' ? "&lt;" : "&amp;";
            from = *bare + 1;
        }
        out.append(FHtml, from, end - from);
    };
    size_t copied = 0;
    for (const TEdit& edit : edits) {
        if (edit.Begin < copied)
            continue; // overlaps an edit already made
        copyUpTo(copied, edit.Begin);
        out += edit.Html;
        copied = edit.End;
    }
    copyUpTo(copied, FHtml.size());
    return out;
}

} // namespace quillmark
