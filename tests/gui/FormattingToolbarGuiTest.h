#pragma once

#include <QObject>
#include <QtTest>

namespace quillmark::testing {

// The Qt formatting toolbar on its logic, with a real bridge to a fake page:
// clicks, list choices and typed sizes send their commands, and a caret
// report moves the controls.
class FormattingToolbarGuiTest : public QObject {
    Q_OBJECT
private slots:
    void controlsSendTheirCommands();
    void caretReportMovesTheControls();
};

} // namespace quillmark::testing
