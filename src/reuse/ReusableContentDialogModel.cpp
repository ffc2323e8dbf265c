#include "reuse/ReusableContentDialogModel.h"

#include "base/TextUtils.h"
#include "base/Translation.h"

#include <algorithm>

namespace quillmark {

namespace {

constexpr size_t kEmptyRowsAfterEntries = 11;
constexpr size_t kMinDataRows = 15;

void PadRows(TReusableGridRows& rows) {
    rows.resize(ReusableGridRowCount(rows.size()) - 1);
}

std::string JoinTranslatedLines(std::initializer_list<const char*> lines) {
    std::string text;
    for (const char* line : lines) {
        if (!text.empty())
            text += "\r\n";
        text += Translate(line);
    }
    return text;
}

} // namespace

TReusableGridRows& TReusableGrids::Of(TReusableTab tab) {
    switch (tab) {
    case TReusableTab::Snippets:
        return Snippets;
    case TReusableTab::Conditions:
        return Conditions;
    case TReusableTab::Variables:
        break;
    }
    return Variables;
}

const TReusableGridRows& TReusableGrids::Of(TReusableTab tab) const {
    return const_cast<TReusableGrids&>(*this).Of(tab);
}

size_t ReusableGridRowCount(size_t entries) {
    return std::max(entries + kEmptyRowsAfterEntries, kMinDataRows) + 1;
}

TReusableGrids GridsFromContent(const TReusableProjectContent& content) {
    TReusableGrids grids;
    for (const TReusableVariable& v : content.FVariables)
        grids.Variables.push_back({v.Name, v.Value});
    for (const TReusableSnippet& s : content.FSnippets)
        grids.Snippets.push_back({s.Name, s.Html});
    for (const TReusableCondition& c : content.FConditions)
        grids.Conditions.push_back({c.Name, ConditionText(c.Enabled)});
    PadRows(grids.Variables);
    PadRows(grids.Snippets);
    PadRows(grids.Conditions);
    return grids;
}

void ContentFromGrids(const TReusableGrids& grids, TReusableProjectContent& content) {
    content.Clear();
    for (const auto& [name, value] : grids.Variables)
        if (const std::string trimmed = Trim(name); !trimmed.empty())
            content.FVariables.push_back({trimmed, value});
    for (const auto& [name, html] : grids.Snippets)
        if (const std::string trimmed = Trim(name); !trimmed.empty())
            content.FSnippets.push_back({trimmed, html});
    for (const auto& [name, enabled] : grids.Conditions)
        if (const std::string trimmed = Trim(name); !trimmed.empty())
            content.FConditions.push_back({trimmed, ConditionTruth(enabled)});
}

bool ConditionTruth(std::string_view cell) {
    const std::string text = AsciiLower(Trim(cell));
    return text == "true" || text == "yes" || text == "1" || text == "on";
}

const char* ConditionText(bool enabled) {
    return enabled ? "true" : "false";
}

std::string ReusableHelpText(TReusableTab tab) {
    switch (tab) {
    case TReusableTab::Variables:
        return JoinTranslatedLines({
            "Variables let you define text once and reuse it in many topics. ",
            "Use exactly this token form in text: {var:VariableName}. ",
            "Example row: Name = ProductName, Value = Dedu Vader. ",
            "On export, every {var:ProductName} token is replaced with Dedu Vader. ",
            "After changing the value here, export again and all variable tokens use the new "
            "value.",
        });
    case TReusableTab::Snippets:
        return JoinTranslatedLines({
            "Snippets let you store reusable HTML once and reuse it in many topics. ",
            "Use exactly this token form in text: {snip:SnippetName}. ",
            "Example row: Name = SupportNote, HTML = <p>Contact <b>support@example.com</b> for "
            "help.</p>. ",
            "On export, every {snip:SupportNote} token is replaced with that HTML. ",
            "Snippet HTML may also contain {var:ProductName}, {snip:OtherSnippet}, or "
            "{begincond:ProEdition}...{endcond}.",
        });
    case TReusableTab::Conditions:
        return JoinTranslatedLines({
            "Conditions are ON/OFF switches for normal editor text. ",
            "Put {begincond:ConditionName} before the content and {endcond} after it. ",
            "Example row: Name = ProEdition, Enabled = false.",
            "And we write in editor: {begincond:ProEdition}This paragraph appears only in Pro "
            "builds. {endcond}",
            "If value in second column (Enabled) is true, yes, 1, or on, the content between the "
            "tokens is exported. ",
            "If value in second column (Enabled) is false, no, 0, off, or empty, that content is "
            "removed.",
        });
    }
    return {};
}

std::array<std::string, 2> ReusableGridHeadings(TReusableTab tab) {
    switch (tab) {
    case TReusableTab::Snippets:
        return {Translate("Name"), "HTML"};
    case TReusableTab::Conditions:
        return {Translate("Name"), Translate("Enabled")};
    case TReusableTab::Variables:
        break;
    }
    return {Translate("Name"), Translate("Value")};
}

std::array<bool, 4> InsertButtonsEnabled(TReusableTab activeTab) {
    return {activeTab == TReusableTab::Variables, activeTab == TReusableTab::Snippets,
            activeTab == TReusableTab::Conditions, activeTab == TReusableTab::Conditions};
}

} // namespace quillmark
