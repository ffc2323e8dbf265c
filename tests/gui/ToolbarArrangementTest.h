#pragma once

#include <QObject>
#include <QtTest>

namespace quillmark::testing {

// The split of the formatting toolbar's groups over its two rows.
class ToolbarArrangementTest : public QObject {
    Q_OBJECT
private slots:
    void splitsBeforeFirstGroupThatDoesNotFit_data();
    void splitsBeforeFirstGroupThatDoesNotFit();
    void widthForTwoRowsKeepsSecondRowInside();
};

} // namespace quillmark::testing
