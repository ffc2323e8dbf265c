#pragma once

#include <QObject>
#include <QtTest>

namespace quillmark::testing {

// The Qt dialogs behind the window's prompts: answers, Escape and the file
// dialog filters.
class QtUserPromptsGuiTest : public QObject {
    Q_OBJECT
private slots:
    void convertsFileFilters_data();
    void convertsFileFilters();
    void askReturnsButtonOrEscapeAnswer();
    void inputTextReturnsTextOrNothing();
};

} // namespace quillmark::testing
