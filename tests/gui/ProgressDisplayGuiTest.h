#pragma once

#include <QObject>
#include <QtTest>

namespace quillmark::testing {

// The window's progress display: work on a thread of its own reporting
// steps, Cancel taking effect at the next step, a failure thrown on, the
// outcomes with their actions; and prompts asked from the work's thread.
class ProgressDisplayGuiTest : public QObject {
    Q_OBJECT
private slots:
    void stepsAndCancelReachTheWork();
    void failureOfTheWorkIsThrownOn();
    void outcomesOfferOpenFolderAndCopyPath();
    void promptsFromTheWorkRunOnTheWindowsThread();
};

} // namespace quillmark::testing
