#include "base/Regex.h"
#include "base/TextUtils.h"
#include "publish/ChmExport.h"

namespace quillmark {

std::string BuildChmPage(std::string_view bodyHtml, std::string_view headerHtml,
                         std::string_view headerBg, std::string_view pageBg,
                         std::string_view footerHtml) {
    std::string page;
    page.reserve(bodyHtml.size() + headerHtml.size() + footerHtml.size() + 600);
    page +=
        "<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1251\">"
        "<link rel=\"stylesheet\" href=\"../style.css\"><style>body{margin:0;background:";
    page += pageBg;
    page += ";}";
    page += ".sv-header{padding:12px 16px;background:";
    page += headerBg;
    page += ";}";
    page += ".sv-body{padding:16px;}";
    page += ".sv-body p{margin:0;}";
    page += ".sv-footer{padding:10px 16px;font-size:12px;color:#666;border-top:1px solid #d0d0d0;}";
    page += "</style></head><body><div class=\"sv-header\">";
    page += headerHtml;
    page += "</div><div class=\"sv-body\">";
    page += bodyHtml;
    page += "</div>";
    page += footerHtml;
    page += "</body></html>";
    return page;
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
