#pragma once

#include <QObject>
#include <QtTest>

namespace quillmark::testing {

// The update dialog on a real display against a local update server: its
// texts and buttons, and a download that Escape aborts.
class UpdateDialogGuiTest : public QObject {
    Q_OBJECT
private slots:
    void offersTheUpdateAsPlainText();
    void escapeDuringTheDownloadAborts();
};

} // namespace quillmark::testing
