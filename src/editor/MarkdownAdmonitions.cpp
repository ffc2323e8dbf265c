#include "editor/MarkdownAdmonitions.h"

#include "base/Regex.h"
#include "base/TextUtils.h"

#include <cctype>
#include <optional>

namespace quillmark {

namespace {

bool IsBlank(std::string_view line) { return Trim(line).empty(); }

// The body of a box: its lines are indented by four spaces or a tab.
std::optional<std::string_view> Dedented(std::string_view line) {
    if (line.starts_with("    "))
        return line.substr(4);
    if (line.starts_with("\t"))
        return line.substr(1);
    return std::nullopt;
}

// Fenced code: "```" or "~~~" (three or more) after at most three spaces,
// closed by a run of the same character at least as long.
class TFenceTracker {
public:
    // Whether the line lies inside fenced code (its fences included).
    bool Inside(std::string_view line) {
        const size_t indent = line.find_first_not_of(' ');
        if (indent == std::string_view::npos || indent > 3)
            return open_ != 0;
        const std::string_view rest = line.substr(indent);
        const char c = rest.empty() ? 0 : rest[0];
        size_t run = 0;
        while (run < rest.size() && rest[run] == c)
            ++run;
        const bool fence = (c == '`' || c == '~') && run >= 3;
        if (open_ == 0) {
            if (fence) {
                open_ = c;
                length_ = run;
            }
            return fence;
        }
        if (fence && c == open_ && run >= length_ && IsBlank(rest.substr(run)))
            open_ = 0;
        return true;
    }

private:
    char open_ = 0;
    size_t length_ = 0;
};

std::string DefaultTitle(std::string_view type) {
    std::string title(type);
    title[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(title[0])));
    return ReplaceAll(title, "_", " ");
}

// "<!--quillmark-box-<salt>-": the first salt the page does not hold.
std::string PlaceholderPrefix(std::string_view markdown) {
    for (size_t salt = 0;; ++salt) {
        std::string prefix = "<!--quillmark-box-" + std::to_string(salt) + "-";
        if (markdown.find(prefix) == std::string_view::npos)
            return prefix;
    }
}

} // namespace

TAdmonitionSplit SplitAdmonitions(std::string_view markdown) {
    static const Regex header(
        R"re(^(?:!!!|\?\?\?\+?)[ \t]+([A-Za-z0-9_-]+)(?:[ \t]+[A-Za-z0-9_-]+)*(?:[ \t]+"([^"]*)")?[ \t]*$)re");
    TAdmonitionSplit split;
    std::string prefix;
    const std::vector<std::string> lines = SplitLines(markdown);
    TFenceTracker fences;
    for (size_t i = 0; i < lines.size(); ++i) {
        const std::optional<RegexMatch> match =
            fences.Inside(lines[i]) ? std::nullopt : header.Match(lines[i]);
        if (!match) {
            split.Markdown += lines[i] + "\n";
            continue;
        }
        TAdmonition box;
        box.Type = AsciiLower(match->Group(1));
        box.Title = match->Matched(2) ? std::string(match->Group(2)) : DefaultTitle(box.Type);
        // The body runs over indented and blank lines; blank lines at its
        // end belong to the text after it.
        size_t end = i + 1;
        for (size_t j = i + 1; j < lines.size(); ++j) {
            if (IsBlank(lines[j]))
                continue;
            if (!Dedented(lines[j]))
                break;
            end = j + 1;
        }
        for (size_t j = i + 1; j < end; ++j) {
            box.Body.append(Dedented(lines[j]).value_or(std::string_view()));
            box.Body += '\n';
        }
        if (prefix.empty())
            prefix = PlaceholderPrefix(markdown);
        box.Placeholder = prefix + std::to_string(split.Admonitions.size()) + "-->";
        split.Markdown += "\n" + box.Placeholder + "\n\n";
        split.Admonitions.push_back(std::move(box));
        i = end - 1;
    }
    return split;
}

} // namespace quillmark
