#include "platform/IniStore.h"

#include "base/FileHelpers.h"
#include "base/QuillError.h"
#include "base/TextUtils.h"
#include "platform/AppFolders.h"

#include <exception>
#include <utility>
#include <vector>

namespace quillmark {

namespace {

enum class LineKind { Other, Section, Entry };

struct IniLine {
    LineKind Kind = LineKind::Other;
    std::string Name; // section name or key, trimmed
    std::string Value;
};

IniLine ClassifyLine(std::string_view raw) {
    IniLine line;
    const std::string text = Trim(raw);
    if (text.empty() || text.front() == ';' || text.front() == '#')
        return line;
    if (text.front() == '[') {
        const size_t close = text.find(']');
        if (close != std::string::npos) {
            line.Kind = LineKind::Section;
            line.Name = Trim(std::string_view(text).substr(1, close - 1));
        }
        return line;
    }
    const size_t equals = text.find('=');
    if (equals == std::string::npos)
        return line;
    line.Name = Trim(std::string_view(text).substr(0, equals));
    if (line.Name.empty())
        return line;
    line.Kind = LineKind::Entry;
    line.Value = Trim(std::string_view(text).substr(equals + 1));
    return line;
}

bool HasLineBreak(std::string_view text) { return text.find_first_of("\r\n") != std::string_view::npos; }

void CheckWritable(std::string_view section, std::string_view key, std::string_view value) {
    if (section.empty() || HasLineBreak(section) || section.find(']') != std::string_view::npos)
        throw QuillError("Invalid settings section name: \"" + std::string(section) + "\"");
    if (key.empty() || HasLineBreak(key) || key.find('=') != std::string_view::npos ||
        key.front() == '[' || key.front() == ';' || key.front() == '#')
        throw QuillError("Invalid settings key name: \"" + std::string(key) + "\"");
    if (HasLineBreak(value))
        throw QuillError("The settings value of \"" + std::string(key) +
                         "\" cannot contain a line break.");
}

} // namespace

TIniStore::TIniStore(std::string fileName) : FFileName(std::move(fileName)) {}

std::optional<std::string> TIniStore::ReadValue(std::string_view section,
                                                std::string_view key) const {
    std::string text;
    try {
        text = ReadTextFileUtf8(FFileName);
    } catch (const std::exception&) {
        return std::nullopt;
    }
    bool inSection = false;
    bool sectionSeen = false;
    for (const std::string& raw : SplitLines(text)) {
        const IniLine line = ClassifyLine(raw);
        if (line.Kind == LineKind::Section) {
            // Only the first section of a name counts.
            if (inSection)
                return std::nullopt;
            inSection = !sectionSeen && AsciiSameText(line.Name, section);
            sectionSeen = sectionSeen || inSection;
        } else if (inSection && line.Kind == LineKind::Entry && AsciiSameText(line.Name, key)) {
            return line.Value;
        }
    }
    return std::nullopt;
}

std::string TIniStore::ReadString(std::string_view section, std::string_view key,
                                  std::string_view defaultValue) const {
    return ReadValue(section, key).value_or(std::string(defaultValue));
}

void TIniStore::WriteString(std::string_view section, std::string_view key,
                            std::string_view value) {
    const std::string sectionName = Trim(section);
    const std::string keyName = Trim(key);
    CheckWritable(sectionName, keyName, value);
    const std::string newLine = keyName + "=" + Trim(value);

    // A file that exists but cannot be read is not replaced: that would lose
    // its other keys. The read error goes to the caller instead.
    std::vector<std::string> lines;
    if (FileExists(FFileName))
        lines = SplitLines(ReadTextFileUtf8(FFileName));

    size_t header = lines.size();
    for (size_t i = 0; i < lines.size(); ++i) {
        const IniLine line = ClassifyLine(lines[i]);
        if (line.Kind == LineKind::Section && AsciiSameText(line.Name, sectionName)) {
            header = i;
            break;
        }
    }

    if (header == lines.size()) {
        if (!lines.empty() && !Trim(lines.back()).empty())
            lines.emplace_back();
        lines.push_back("[" + sectionName + "]");
        lines.push_back(newLine);
    } else {
        size_t insertAfter = header;
        bool replaced = false;
        for (size_t i = header + 1; i < lines.size(); ++i) {
            const IniLine line = ClassifyLine(lines[i]);
            if (line.Kind == LineKind::Section)
                break;
            if (line.Kind == LineKind::Entry) {
                if (AsciiSameText(line.Name, keyName)) {
                    lines[i] = newLine;
                    replaced = true;
                    break;
                }
                insertAfter = i;
            }
        }
        if (!replaced)
            lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(insertAfter + 1), newLine);
    }

    std::string text;
    for (const std::string& line : lines) {
        text += line;
        text += '\n';
    }
    WriteTextFileUtf8(FFileName, text);
}

std::string PerUserSettingsPath() { return ApplicationFolder() + "settings.ini"; }

} // namespace quillmark
