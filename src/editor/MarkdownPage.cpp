#include "editor/MarkdownPage.h"

#include "base/HtmlEscaping.h"
#include "base/TextUtils.h"
#include "editor/MarkdownAdmonitions.h"

#include <cmark-gfm-core-extensions.h>
#include <cmark-gfm.h>
#include <yaml-cpp/yaml.h>

#include <cctype>
#include <cstdlib>
#include <memory>
#include <mutex>
#include <set>
#include <vector>

namespace quillmark {

namespace {

constexpr int kCmarkOptions = CMARK_OPT_UNSAFE | CMARK_OPT_FOOTNOTES;
constexpr const char* kExtensions[] = {"table", "strikethrough", "autolink", "tasklist"};
// Boxes inside boxes deeper than this stay text: each level costs a render.
constexpr int kMaxAdmonitionDepth = 8;

struct TCmarkText {
    void operator()(char* text) const { std::free(text); }
};
using TCmarkString = std::unique_ptr<char, TCmarkText>;

struct TCmarkNodeFree {
    void operator()(cmark_node* node) const { cmark_node_free(node); }
};
using TCmarkNode = std::unique_ptr<cmark_node, TCmarkNodeFree>;

std::string PlainText(cmark_node* node) {
    const TCmarkString text(cmark_render_plaintext(node, CMARK_OPT_DEFAULT, 0));
    return Trim(text ? text.get() : "");
}

bool IsFrontMatterEnd(std::string_view line) { return line == "---" || line == "..."; }

std::string_view LineWithoutBreak(std::string_view line) {
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r'))
        line.remove_suffix(1);
    return line;
}

std::string FrontMatterTitle(const std::string& yaml) {
    if (yaml.empty())
        return "";
    try {
        const YAML::Node root = YAML::Load(yaml);
        if (root.IsMap() && root["title"] && root["title"].IsScalar())
            return Trim(root["title"].Scalar());
    } catch (const YAML::Exception&) {
        // Metadata that does not parse gives no title; the page still imports.
    }
    return "";
}

// Renders one piece of Markdown; boxes found in it are rendered by the same
// renderer, so that heading anchors stay unique across the page.
class TMarkdownRenderer {
public:
    std::string Render(std::string_view markdown, int depth) {
        TAdmonitionSplit split;
        if (depth < kMaxAdmonitionDepth)
            split = SplitAdmonitions(markdown);
        else
            split.Markdown = std::string(markdown);
        std::string html = RenderCommonMark(split.Markdown, depth == 0);
        for (const TAdmonition& box : split.Admonitions) {
            hasAdmonitions_ = true;
            std::string boxHtml = "<div class=\"admonition " + box.Type + "\">";
            if (!box.Title.empty())
                boxHtml += "<p class=\"admonition-title\">" + EscapeHtml(box.Title) + "</p>\n";
            boxHtml += Render(box.Body, depth + 1) + "</div>";
            html = ReplaceAll(html, box.Placeholder, boxHtml);
        }
        return html;
    }

    std::string FirstHeading() const { return firstHeading_; }
    bool HasAdmonitions() const { return hasAdmonitions_; }

private:
    std::string RenderCommonMark(const std::string& markdown, bool outermost) {
        static std::once_flag registered;
        std::call_once(registered, [] { cmark_gfm_core_extensions_ensure_registered(); });

        const std::unique_ptr<cmark_parser, void (*)(cmark_parser*)> parser(
            cmark_parser_new(kCmarkOptions), cmark_parser_free);
        for (const char* name : kExtensions)
            if (cmark_syntax_extension* extension = cmark_find_syntax_extension(name))
                cmark_parser_attach_syntax_extension(parser.get(), extension);
        cmark_parser_feed(parser.get(), markdown.data(), markdown.size());
        const std::unique_ptr<cmark_node, void (*)(cmark_node*)> document(
            cmark_parser_finish(parser.get()), cmark_node_free);
        const std::vector<TCmarkNode> replaced = AnchorHeadings(document.get(), outermost);
        const TCmarkString html(cmark_render_html(document.get(), kCmarkOptions,
                                                  cmark_parser_get_syntax_extensions(parser.get())));
        return html ? html.get() : "";
    }

    // Each heading becomes a block that writes the heading tag with its id:
    // the HTML renderer itself writes no attributes on headings. The text of
    // the heading's children may lie in the heading's own buffer, so the
    // headings taken out are freed only after the document is rendered.
    std::vector<TCmarkNode> AnchorHeadings(cmark_node* document, bool outermost) {
        std::vector<cmark_node*> headings;
        cmark_iter* iter = cmark_iter_new(document);
        for (cmark_event_type event; (event = cmark_iter_next(iter)) != CMARK_EVENT_DONE;) {
            cmark_node* node = cmark_iter_get_node(iter);
            if (event == CMARK_EVENT_ENTER && cmark_node_get_type(node) == CMARK_NODE_HEADING)
                headings.push_back(node);
        }
        cmark_iter_free(iter);

        std::vector<TCmarkNode> replaced;
        for (cmark_node* heading : headings) {
            const std::string text = PlainText(heading);
            const int level = cmark_node_get_heading_level(heading);
            if (outermost && level == 1 && firstHeading_.empty())
                firstHeading_ = text;
            const std::string tag = "h" + std::to_string(level);
            cmark_node* block = cmark_node_new(CMARK_NODE_CUSTOM_BLOCK);
            cmark_node_set_on_enter(block, ("<" + tag + " id=\"" + UniqueSlug(text) + "\">").c_str());
            cmark_node_set_on_exit(block, ("</" + tag + ">").c_str());
            while (cmark_node* child = cmark_node_first_child(heading))
                cmark_node_append_child(block, child);
            cmark_node_insert_before(heading, block);
            cmark_node_unlink(heading);
            replaced.emplace_back(heading);
        }
        return replaced;
    }

    // The second "Setup" heading of a page is "setup_1", the third "setup_2".
    std::string UniqueSlug(std::string_view text) {
        const std::string base = MarkdownHeadingSlug(text);
        std::string slug = base;
        for (int n = 1; !slugs_.insert(slug).second; ++n)
            slug = base + "_" + std::to_string(n);
        return slug;
    }

    std::set<std::string> slugs_;
    std::string firstHeading_;
    bool hasAdmonitions_ = false;
};

} // namespace

TFrontMatter SplitFrontMatter(std::string_view source) {
    if (source.starts_with("\xEF\xBB\xBF"))
        source.remove_prefix(3);
    TFrontMatter result{"", source};
    const size_t firstEnd = source.find('\n');
    if (firstEnd == std::string_view::npos || LineWithoutBreak(source.substr(0, firstEnd + 1)) != "---")
        return result;
    size_t start = firstEnd + 1;
    while (start < source.size()) {
        const size_t end = source.find('\n', start);
        const size_t next = end == std::string_view::npos ? source.size() : end + 1;
        if (IsFrontMatterEnd(LineWithoutBreak(source.substr(start, next - start)))) {
            result.Yaml = std::string(source.substr(firstEnd + 1, start - firstEnd - 1));
            result.Body = source.substr(next);
            return result;
        }
        start = next;
    }
    return result; // never closed: a thematic break, not front matter
}

std::string MarkdownHeadingSlug(std::string_view text) {
    std::string slug;
    bool pendingHyphen = false;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == ' ' || c == '-' || IsAsciiWhiteSpace(c)) {
            pendingHyphen = !slug.empty();
            continue;
        }
        // Bytes of UTF-8 sequences are letters of other scripts: kept.
        if (!(std::isalnum(byte) || c == '_' || byte >= 0x80))
            continue;
        if (pendingHyphen)
            slug += '-';
        pendingHyphen = false;
        slug += static_cast<char>(std::tolower(byte));
    }
    return slug.empty() ? "section" : slug;
}

TMarkdownPage RenderMarkdownPage(std::string_view source) {
    const TFrontMatter frontMatter = SplitFrontMatter(source);
    TMarkdownRenderer renderer;
    TMarkdownPage page;
    page.Html = renderer.Render(frontMatter.Body, 0);
    page.FrontMatterTitle = FrontMatterTitle(frontMatter.Yaml);
    page.FirstHeading = renderer.FirstHeading();
    page.HasAdmonitions = renderer.HasAdmonitions();
    return page;
}

} // namespace quillmark
