#include "base/TextUtils.h"
#include "publish/PdfManual.h"
#include "publish/SettingsCss.h"
#include "settings/ProjectSettings.h"

namespace quillmark {

namespace {

struct TPaper {
    const char* CssSize;
    double HeightMm;
};

TPaper PaperOf(const TProjectSettings& settings) {
    if (AsciiSameText(settings.PdfPaperSize, "Letter"))
        return {"letter", 279.4};
    return {"A4", 297.0};
}

std::string Mm(double value) {
    return FormatShortestDouble(value) + "mm";
}

// A text for a CSS string inside the manual's <style> element: besides the
// escapes of every CSS string, "<" is written as an escape so that a title
// can never close the element.
std::string StyleElementString(std::string_view text) {
    return "\"" + ReplaceAll(EscapeCssString(text), "<", "\\3c ") + "\"";
}

// The rules that do not depend on the settings. Topic headings, the cover
// and the contents use classes, so that they win over the profile's plain
// element rules; the print rules override the profile where a screen
// layout would spoil paper (scrolling code blocks, body padding).
constexpr const char* kFixedRules[] = {
    "html, body { margin: 0; padding: 0; }",
    "body { overflow-wrap: break-word; }",
    ".manual-cover { page: cover; display: flex; flex-direction: column; text-align: center; "
    "break-after: page; }",
    ".manual-cover-main { flex: 1; display: flex; flex-direction: column; "
    "justify-content: center; align-items: center; }",
    ".manual-cover-picture { max-width: 75%; max-height: 90mm; object-fit: contain; "
    "margin: 0 0 14mm; }",
    ".manual-cover-title { font-size: 2.4em; font-weight: 600; line-height: 1.2; "
    "margin: 0 0 0.4em; }",
    ".manual-cover-subtitle { font-size: 1.4em; line-height: 1.3; margin: 0 0 0.6em; "
    "opacity: 0.8; }",
    ".manual-cover-version { font-size: 1.05em; margin: 0; opacity: 0.7; }",
    ".manual-cover-copyright { font-size: 0.8em; margin: 0; opacity: 0.7; }",
    ".manual-contents { page: contents; }",
    ".manual-index { page: index; break-before: page; }",
    "h1.manual-part-title { margin: 0 0 1em; border: none; }",
    ".manual-contents a.toc-entry, .manual-index a { color: inherit !important; "
    "text-decoration: none !important; border: none !important; }",
    ".toc-entry { display: flex; align-items: baseline; margin: 0.25em 0; }",
    ".toc-title { flex: 0 1 auto; }",
    ".toc-leader { flex: 1 1 2em; margin: 0 0.4em; border-bottom: 1px dotted currentColor; "
    "opacity: 0.5; }",
    ".toc-page { flex: none; min-width: 3em; text-align: right; "
    "font-variant-numeric: tabular-nums; }",
    ".toc-depth-0 { font-weight: 600; margin-top: 0.8em; }",
    ".toc-depth-1 { padding-left: 1.5em; }",
    ".toc-depth-2 { padding-left: 3em; }",
    ".toc-depth-3 { padding-left: 4.5em; }",
    ".toc-depth-4 { padding-left: 6em; }",
    ".toc-depth-5 { padding-left: 7.5em; }",
    "section.chapter { break-before: page; }",
    ".topic-title { break-inside: avoid; }",
    ".topic-title.chapter { margin: 0 0 0.8em; }",
    ".topic-title.section, .topic-title.subsection { margin: 1.6em 0 0.6em; }",
    "h1, h2, h3, h4, h5, h6 { break-after: avoid; break-inside: avoid; }",
    "table, tr, figure, img, svg, pre, blockquote, .note { break-inside: avoid; }",
    "thead { display: table-header-group; }",
    "pre { white-space: pre-wrap !important; overflow-wrap: anywhere; overflow: visible "
    "!important; }",
    "pre code { white-space: inherit; }",
    "img { max-width: 100%; object-fit: contain; }",
    ".index-columns { columns: 2; column-gap: 10mm; }",
    ".index-letter { font-weight: 600; font-size: 1.15em; margin: 0.8em 0 0.2em; "
    "break-after: avoid; }",
    ".index-letter:first-child { margin-top: 0; }",
    ".index-entry { margin: 0; padding-left: 1.5em; text-indent: -1.5em; "
    "break-inside: avoid; }",
};

} // namespace

std::vector<std::string> ManualStyleLines(const TProjectSettings& settings,
                                          const std::vector<std::string>& chapterTitles) {
    const TPaper paper = PaperOf(settings);
    const std::string top = Mm(settings.PdfMarginTop);
    const std::string bottom = Mm(settings.PdfMarginBottom);
    const std::string inner = Mm(settings.PdfMarginInner);
    const std::string outer = Mm(settings.PdfMarginOuter);
    const std::string marginFont =
        "font-family: " + CssFontFamily(settings) + "; font-size: 9pt; color: #555;";
    // The margins are given for left and right pages with !important: a page
    // selector outranks the plain @page of a profile's print rules.
    std::vector<std::string> lines = {
        "@page {",
        "  size: " + std::string(paper.CssSize) + ";",
        "  @top-center { " + marginFont + " }",
        "  @bottom-left { " + marginFont + " }",
        "  @bottom-right { " + marginFont + " }",
        "}",
        "@page :right {",
        "  margin: " + top + " " + outer + " " + bottom + " " + inner + " !important;",
        "  @bottom-right { content: counter(page); }",
        "}",
        "@page :left {",
        "  margin: " + top + " " + inner + " " + bottom + " " + outer + " !important;",
        "  @bottom-left { content: counter(page); }",
        "}",
        "@page cover { @bottom-left { content: none; } @bottom-right { content: none; } }",
        "@page contents { @top-center { content: \"Contents\"; } }",
        "@page index { @top-center { content: \"Index\"; } }",
    };
    for (size_t i = 0; i < chapterTitles.size(); ++i)
        lines.push_back("@page chapter-" + std::to_string(i + 1) + " { @top-center { content: " +
                        StyleElementString(chapterTitles[i]) + "; } }");
    lines.insert(lines.end(), std::begin(kFixedRules), std::end(kFixedRules));
    // The cover fills the page area; pictures never grow beyond it.
    const double pageArea = paper.HeightMm - settings.PdfMarginTop - settings.PdfMarginBottom;
    lines.push_back(".manual-cover { height: " + Mm(pageArea - 2) + "; }");
    lines.push_back("img { max-height: " + Mm(pageArea - 10) + "; }");
    lines.push_back(".topic-title.chapter { font-size: " + std::to_string(settings.FontSizeH1) +
                    "px; }");
    lines.push_back(".topic-title.section { font-size: " + std::to_string(settings.FontSizeH2) +
                    "px; }");
    lines.push_back(".topic-title.subsection { font-size: " +
                    std::to_string(settings.FontSizeH3) + "px; }");
    return lines;
}

} // namespace quillmark
