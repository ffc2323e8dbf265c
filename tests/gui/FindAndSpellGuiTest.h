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

// The real window on a copy of the sample project: the find bar over the
// editor, find and replace across the topics with its undo, and a misspelt
// word underlined, with a suggestion and "Add to Dictionary".
class FindAndSpellGuiTest : public QObject {
    Q_OBJECT
public:
    FindAndSpellGuiTest();
    ~FindAndSpellGuiTest() override;

private slots:
    void initTestCase();
    void findBarCountsAndStepsThroughMatches();
    void replaceAcrossTopicsAndUndo();
    void misspeltWordIsUnderlinedWithSuggestions();
    void cleanupTestCase();

private:
    QTemporaryDir FProjectCopy;
    QString FProjectFile;
    TScriptedPrompts FPrompts;
    std::unique_ptr<gui::TMainWindowComposition> FComposition;
};

} // namespace quillmark::testing
