#pragma once

#include <cstddef>
#include <vector>

namespace quillmark::gui {

// ArrangeToolbar's split: walking the groups of formatting controls in order,
// the first group that no longer fits after at least one placed group starts
// the second row. Groups of width 0 (all controls hidden) are passed over.
// Returns the number of groups on the first row: all of them when everything
// fits, or when the available width is 0 or less (nothing to arrange yet).
std::size_t GroupsOnFirstRow(const std::vector<int>& groupWidths, int availableWidth);

// The narrowest width at which the groups fit on two rows with the split
// above: the smallest, over all places to split, of the wider of the two
// parts.
int WidthForTwoRows(const std::vector<int>& groupWidths);

} // namespace quillmark::gui
