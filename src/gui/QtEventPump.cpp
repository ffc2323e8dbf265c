#include "gui/QtEventPump.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

namespace quillmark::gui {

void TQtEventPump::ProcessPendingEvents(int maxWaitMs) {
    if (maxWaitMs <= 0) {
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        return;
    }
    // WaitForMoreEvents blocks until some event arrives; the single-shot timer
    // is that event at the latest, which bounds the wait.
    QTimer deadline;
    deadline.setSingleShot(true);
    deadline.start(maxWaitMs);
    QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
}

} // namespace quillmark::gui
