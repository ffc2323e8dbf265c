#pragma once

#include <QObject>
#include <QtTest>

namespace quillmark::testing {

// The Qt dialogs behind the window's prompts: answers, Escape, the file
// dialog filters, and the question an HTML import asks about files outside
// the page's folder.
class QtUserPromptsGuiTest : public QObject {
    Q_OBJECT
private slots:
    void convertsFileFilters_data();
    void convertsFileFilters();
    void askReturnsButtonOrEscapeAnswer();
    void inputTextReturnsTextOrNothing();
    void importAsksAboutFilesOutsideThePagesFolder();
};

} // namespace quillmark::testing
