#pragma once

#include "reuse/ReusableContent.h"

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace quillmark {

// How the reusable-content dialog closed: Cancel, Save, or one of the four
// insert buttons (each of which saves first).
enum class TReusableDialogResult {
    Cancel = 2,
    Save = 1,
    InsertVariable = 101,
    InsertSnippet = 102,
    InsertBeginCondition = 103,
    InsertEndCondition = 104,
};

// The dialog's three tabs, in their order.
enum class TReusableTab { Variables = 0, Snippets = 1, Conditions = 2 };

// The data rows of one grid (the heading row left out): name, then value,
// HTML or truth text.
using TReusableGridRows = std::vector<std::array<std::string, 2>>;

struct TReusableGrids {
    TReusableGridRows Variables;
    TReusableGridRows Snippets;
    TReusableGridRows Conditions;

    TReusableGridRows& Of(TReusableTab tab);
    const TReusableGridRows& Of(TReusableTab tab) const;
};

// Rows of a grid holding n entries, the heading row included: at least
// eleven empty rows after the entries and never fewer than fifteen data rows.
size_t ReusableGridRowCount(size_t entries);

// The store's entries in list order, each grid padded with empty rows to
// ReusableGridRowCount rows (less the heading).
TReusableGrids GridsFromContent(const TReusableProjectContent& content);

// Replaces the store's lists with the grids' rows: a row whose trimmed name
// is empty is left out; the name is trimmed, the value and HTML are taken
// unchanged, the Enabled cell through ConditionTruth.
void ContentFromGrids(const TReusableGrids& grids, TReusableProjectContent& content);

// The Enabled cell: trimmed and lower-cased, "true", "yes", "1" and "on"
// are enabled; every other text is not.
bool ConditionTruth(std::string_view cell);
// "true" or "false", as the grid shows a stored condition.
const char* ConditionText(bool enabled);

// A tab's help text: its lines, each translated, joined with CR LF.
std::string ReusableHelpText(TReusableTab tab);

// The grid headings of a tab (translated, except "HTML").
std::array<std::string, 2> ReusableGridHeadings(TReusableTab tab);

// Which of the four insert buttons (variable, snippet, begin and end
// condition) are enabled while the tab is active.
std::array<bool, 4> InsertButtonsEnabled(TReusableTab activeTab);

} // namespace quillmark
