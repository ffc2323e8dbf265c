#include "base/Regex.h"
#include "base/TextUtils.h"
#include "publish/ChmExport.h"
#include "publish/HtmlHelpers.h"

namespace quillmark {

std::string BuildChmPage(const TChmPage& page) {
    std::string html;
    html.reserve(page.BodyHtml.size() + page.HeaderHtml.size() + page.FooterHtml.size() + 700);
    html += "<html lang=\"";
    html += EncodeHtml(page.Language);
    html += "\"><head><meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1251\">"
            "<title>";
    html += EncodeHtml(page.Title);
    html += "</title><link rel=\"stylesheet\" href=\"../style.css\"><style>body{margin:0;background:";
    html += page.PageBg;
    html += ";}.sv-header{padding:12px 28px;background:";
    html += page.HeaderBg;
    html += ";}.sv-body{padding:18px 28px 28px;}"
            ".sv-footer{padding:10px 28px;font-size:12px;color:#666;border-top:1px solid #d0d0d0;}"
            "</style></head><body><div class=\"sv-header\">";
    html += page.HeaderHtml;
    html += "</div><div class=\"sv-body\">";
    html += page.BodyHtml;
    html += "</div>";
    html += page.FooterHtml;
    html += "</body></html>";
    return html;
}

std::string ApplyHeaderRowColor(std::string_view html, std::string_view color) {
    static const Regex row(R"((<tr\b[^>]*>)(.*?)(</tr>))", Regex::Caseless | Regex::DotAll);
    static const Regex cell(R"(<(td|th)\b([^>]*)>)", Regex::Caseless);
    const std::optional<RegexMatch> match = row.Match(html);
    if (!match)
        return std::string(html);
    const std::string colored = cell.ReplaceMatches(match->Group(), [&](const RegexMatch& m) {
        std::string tag = "<";
        tag += m.Group(1);
        tag += m.Group(2);
        tag += " bgcolor=\"";
        tag += color;
        tag += "\" style=\"background-color: ";
        tag += color;
        tag += ";\">";
        return tag;
    });
    std::string result(html.substr(0, match->Position()));
    result += colored;
    result += html.substr(match->End());
    return result;
}

std::string RemoveInvisibleChars(std::string_view text) {
    // U+FEFF, U+200B, U+200C, U+200D, U+2060 and U+00AD in UTF-8.
    static const char* const kInvisible[] = {"\xEF\xBB\xBF", "\xE2\x80\x8B", "\xE2\x80\x8C",
                                             "\xE2\x80\x8D", "\xE2\x81\xA0", "\xC2\xAD"};
    std::string result(text);
    for (const char* sequence : kInvisible)
        if (result.find(sequence) != std::string::npos)
            result = ReplaceAll(result, sequence, "");
    return result;
}

} // namespace quillmark
