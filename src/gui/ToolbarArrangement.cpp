#include "gui/ToolbarArrangement.h"

#include <algorithm>

namespace quillmark::gui {

std::size_t GroupsOnFirstRow(const std::vector<int>& groupWidths, int availableWidth) {
    if (availableWidth <= 0) {
        return groupWidths.size();
    }
    long long total = 0;
    for (std::size_t i = 0; i < groupWidths.size(); ++i) {
        const int width = groupWidths[i];
        if (width <= 0) {
            continue;
        }
        if (total > 0 && total + width > availableWidth) {
            return i;
        }
        total += width;
    }
    return groupWidths.size();
}

int WidthForTwoRows(const std::vector<int>& groupWidths) {
    long long total = 0;
    for (const int width : groupWidths) {
        total += std::max(width, 0);
    }
    // With the width w = max(first k groups, the rest), the split falls at k
    // or later, so the second row is never wider than w.
    long long best = total;
    long long prefix = 0;
    for (const int width : groupWidths) {
        prefix += std::max(width, 0);
        best = std::min(best, std::max(prefix, total - prefix));
    }
    return static_cast<int>(best);
}

} // namespace quillmark::gui
