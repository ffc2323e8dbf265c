#include "ToolbarArrangementTest.h"

#include "gui/ToolbarArrangement.h"

#include <numeric>
#include <vector>

namespace quillmark::testing {

using Widths = std::vector<int>;

void ToolbarArrangementTest::splitsBeforeFirstGroupThatDoesNotFit_data() {
    QTest::addColumn<Widths>("groups");
    QTest::addColumn<int>("available");
    QTest::addColumn<int>("firstRow");

    QTest::newRow("room to spare") << Widths{30, 30, 40} << 120 << 3;
    QTest::newRow("exact fit") << Widths{30, 30, 40} << 100 << 3;
    QTest::newRow("last group moves") << Widths{30, 30, 41} << 100 << 2;
    QTest::newRow("pair never split") << Widths{30, 30, 98} << 100 << 2;
    QTest::newRow("first group always on row one") << Widths{150, 30} << 100 << 1;
    QTest::newRow("hidden group passed over") << Widths{60, 0, 40, 10} << 100 << 3;
    QTest::newRow("hidden groups before the split stay") << Widths{0, 0, 90, 20} << 100 << 3;
    QTest::newRow("no width yet") << Widths{30, 30} << 0 << 2;
    QTest::newRow("negative width") << Widths{30, 30} << -5 << 2;
}

void ToolbarArrangementTest::splitsBeforeFirstGroupThatDoesNotFit() {
    QFETCH(Widths, groups);
    QFETCH(int, available);
    QFETCH(int, firstRow);
    QCOMPARE(static_cast<int>(gui::GroupsOnFirstRow(groups, available)), firstRow);
}

void ToolbarArrangementTest::widthForTwoRowsKeepsSecondRowInside() {
    const std::vector<Widths> cases = {
        {30, 30, 30, 11, 30, 30, 11, 100, 140, 130, 180, 70},
        {500, 10, 10},
        {10, 10, 500},
        {40},
        {20, 0, 20, 0, 20},
    };
    for (const Widths& groups : cases) {
        const int width = gui::WidthForTwoRows(groups);
        const std::size_t split = gui::GroupsOnFirstRow(groups, width);
        const int firstRow = std::accumulate(groups.begin(), groups.begin() + split, 0);
        const int secondRow = std::accumulate(groups.begin() + split, groups.end(), 0);
        QVERIFY(firstRow <= width || split == 1);
        QVERIFY2(secondRow <= width, qPrintable(QString::number(width)));
        // One pixel less and the rows no longer hold everything.
        const std::size_t narrower = gui::GroupsOnFirstRow(groups, width - 1);
        const int rest = std::accumulate(groups.begin() + narrower, groups.end(), 0);
        QVERIFY(rest > width - 1 || width <= *std::max_element(groups.begin(), groups.end()));
    }
}

} // namespace quillmark::testing
