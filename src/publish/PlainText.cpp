// ExtractPlainText (declared in HtmlHelpers.h): the text of a page for the
// search index. It is defined as these steps, one after the other:
//   1. every <script> and <style> element (caseless, the shortest up to its
//      end tag) becomes one space;
//   2. every tag, "<[^>]+>", becomes one space;
//   3. the entities &nbsp; &amp; &lt; &gt; &quot; &#39; (caseless) are
//      replaced, each over the whole text in that order, so that "&amp;lt;"
//      yields "<" while "&amp;nbsp;" stays "&nbsp;";
//   4. every run of white space (tab, line feed, vertical tab, form feed,
//      carriage return, space) becomes one space;
//   5. the ends are trimmed.
// Steps 2 to 4 run as one pass for valid UTF-8 (nearly every page); text with
// a malformed sequence takes the steps one by one, since the tag pattern
// cannot match across such a sequence.
#include "publish/HtmlHelpers.h"

#include "base/Regex.h"
#include "base/TextUtils.h"
#include "base/Utf.h"

#include <array>
#include <cstring>

namespace quillmark {

namespace {

// Bytes that end a run of plain characters: "<", "&" and white space.
constexpr std::array<bool, 256> kEndsRun = [] {
    std::array<bool, 256> ends{};
    for (int c = 0; c < 256; ++c)
        ends[c] = c == '<' || c == '&' || IsAsciiWhiteSpace(static_cast<char>(c));
    return ends;
}();

std::string OneSpace(const RegexMatch&) { return " "; }

// Step 1 can only match where a "<" is followed by "s" in either case or by
// the long s, which caseless matching takes for one.
bool MayHoldScriptOrStyle(std::string_view html) {
    for (size_t open = html.find('<'); open != std::string_view::npos;
         open = html.find('<', open + 1)) {
        const std::string_view next = html.substr(open + 1, 2);
        if (!next.empty() && ((next[0] | 0x20) == 's' || next == "\xC5\xBF"))
            return true;
    }
    return false;
}

// The entities of step 3 that follow a decoded "&amp;" and are decoded with
// it, since their passes come after the one of "&amp;".
struct TEntity {
    std::string_view Name; // without "&"
    char Character;
};
constexpr TEntity kAfterAmp[] = {{"lt;", '<'}, {"gt;", '>'}, {"quot;", '"'}, {"#39;", '\''}};

// Steps 2 to 4 for valid UTF-8, in one pass.
class TPlainTextWriter {
public:
    explicit TPlainTextWriter(size_t size) { out_.reserve(size); }

    void Space() {
        if (out_.empty() || out_.back() != ' ')
            out_ += ' ';
    }
    void Character(char c) {
        if (IsAsciiWhiteSpace(c))
            Space();
        else
            out_ += c;
    }
    // A run holding no white space, "<" or "&".
    void Run(std::string_view run) { out_.append(run); }
    std::string Take() { return std::move(out_); }

private:
    std::string out_;
};

// Decodes the entity at `pos` (a "&"); returns where the text goes on.
size_t WriteEntity(std::string_view text, size_t pos, TPlainTextWriter& writer) {
    const std::string_view rest = text.substr(pos + 1);
    if (AsciiStartsWithIgnoreCase(rest, "nbsp;")) {
        writer.Space();
        return pos + 6;
    }
    if (AsciiStartsWithIgnoreCase(rest, "amp;")) {
        for (const TEntity& entity : kAfterAmp)
            if (AsciiStartsWithIgnoreCase(rest.substr(4), entity.Name)) {
                writer.Character(entity.Character);
                return pos + 5 + entity.Name.size();
            }
        writer.Character('&');
        return pos + 5;
    }
    for (const TEntity& entity : kAfterAmp)
        if (AsciiStartsWithIgnoreCase(rest, entity.Name)) {
            writer.Character(entity.Character);
            return pos + 1 + entity.Name.size();
        }
    writer.Character('&');
    return pos + 1;
}

std::string PlainTextOfValidUtf8(std::string_view text) {
    TPlainTextWriter writer(text.size());
    size_t pos = 0;
    while (pos < text.size()) {
        const char c = text[pos];
        if (c == '<') {
            // A tag runs to the next ">" with at least one character between;
            // "<>" and a "<" without a ">" after it are text.
            const size_t close = text.find('>', pos + 1);
            if (close != std::string_view::npos && close > pos + 1) {
                writer.Space();
                pos = close + 1;
            } else {
                writer.Character(c);
                ++pos;
            }
        } else if (c == '&') {
            pos = WriteEntity(text, pos, writer);
        } else if (IsAsciiWhiteSpace(c)) {
            writer.Space();
            ++pos;
        } else {
            size_t end = pos + 1;
            while (end < text.size() && !kEndsRun[static_cast<unsigned char>(text[end])])
                ++end;
            writer.Run(text.substr(pos, end - pos));
            pos = end;
        }
    }
    return writer.Take();
}

std::string PlainTextStepByStep(std::string_view text) {
    static const Regex tag("<[^>]+>");
    std::string result = tag.ReplaceMatches(text, OneSpace);
    static constexpr std::pair<std::string_view, std::string_view> kEntities[] = {
        {"&nbsp;", " "}, {"&amp;", "&"},   {"&lt;", "<"},
        {"&gt;", ">"},   {"&quot;", "\""}, {"&#39;", "'"},
    };
    for (const auto& [entity, replacement] : kEntities)
        if (result.find('&') != std::string::npos)
            result = ReplaceAllIgnoreCase(result, entity, replacement);
    std::string collapsed;
    collapsed.reserve(result.size());
    for (const char c : result)
        if (!IsAsciiWhiteSpace(c))
            collapsed += c;
        else if (collapsed.empty() || collapsed.back() != ' ')
            collapsed += ' ';
    return collapsed;
}

} // namespace

std::string ExtractPlainText(std::string_view html) {
    static const Regex scriptOrStyle(R"(<(script|style)[^>]*>.*?</\1>)",
                                     Regex::Caseless | Regex::DotAll);
    std::string withoutScripts;
    if (MayHoldScriptOrStyle(html)) {
        withoutScripts = scriptOrStyle.ReplaceMatches(html, OneSpace);
        html = withoutScripts;
    }
    return Trim(IsValidUtf8(html) ? PlainTextOfValidUtf8(html) : PlainTextStepByStep(html));
}

} // namespace quillmark
