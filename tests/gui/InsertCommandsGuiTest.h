#pragma once

#include "ScriptedPrompts.h"

#include <QObject>
#include <QString>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

namespace quillmark::gui {
class TMainWindowComposition;
}

namespace quillmark::testing {

// The topic picker dialog on a small project (display order, OK, Cancel,
// double-click, with a screenshot), and the insert controls of the real
// window on the real editor page: a table, its menu, Undo, a topic link.
class InsertCommandsGuiTest : public QObject {
    Q_OBJECT
public:
    InsertCommandsGuiTest();
    ~InsertCommandsGuiTest() override;

private slots:
    void initTestCase();
    void topicPickerShowsTheTreeAndReturnsTheChoice();
    void insertControlsEditTheRealPage();
    void cleanupTestCase();

private:
    QTemporaryDir FFolder;
    TScriptedPrompts FPrompts;
    std::unique_ptr<gui::TMainWindowComposition> FComposition;
};

} // namespace quillmark::testing
