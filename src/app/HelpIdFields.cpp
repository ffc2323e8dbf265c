#include "app/HelpIdFields.h"

#include "base/QuillError.h"
#include "base/TextUtils.h"
#include "base/Translation.h"

namespace quillmark {

std::string HelpIdLines(const std::vector<THelpId>& ids) {
    std::string text;
    for (const THelpId& id : ids) {
        if (!text.empty())
            text += '\n';
        text += id.FName;
        if (id.FNumber != 0)
            text += " = " + std::to_string(id.FNumber);
    }
    return text;
}

std::vector<THelpId> ParseHelpIdLines(const std::string& text) {
    std::vector<THelpId> ids;
    const std::vector<std::string> lines = SplitLines(text);
    for (size_t i = 0; i < lines.size(); ++i) {
        const std::string line = Trim(lines[i]);
        if (line.empty())
            continue;
        const std::string lineNumber = std::to_string(i + 1);
        const size_t split = line.find_first_of("= \t");
        THelpId id;
        id.FName = line.substr(0, split);
        if (!IsHelpIdName(id.FName))
            throw QuillError(FormatText(
                Translate("Help IDs, line %s: \"%s\" is not a help ID name. A name is made of "
                          "the letters A to Z and a to z, digits and underscores and does not "
                          "start with a digit, such as IDH_PAIRING."),
                {lineNumber, id.FName}));
        if (split != std::string::npos) {
            std::string number = Trim(line.substr(split));
            if (!number.empty() && number.front() == '=')
                number = Trim(number.substr(1));
            id.FNumber = HelpNumberFromText(number);
            if (id.FNumber == 0 && !number.empty())
                throw QuillError(FormatText(
                    Translate("Help IDs, line %s: the number of %s must be a whole number from "
                              "1 to %s."),
                    {lineNumber, id.FName, std::to_string(kHighestHelpNumber)}));
        }
        ids.push_back(std::move(id));
    }
    return ids;
}

} // namespace quillmark
