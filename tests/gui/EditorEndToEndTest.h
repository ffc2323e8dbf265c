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

// The real window with the real editor page on a copy of the sample
// project: typing with real key events, bold through the bridge, switching
// topics in the contents tree and back, and saving the typed page.
class EditorEndToEndTest : public QObject {
    Q_OBJECT
public:
    EditorEndToEndTest();
    ~EditorEndToEndTest() override;

private slots:
    void initTestCase();
    void typedTextSurvivesSwitchingAndIsSaved();
    void cleanupTestCase();

private:
    QTemporaryDir FProjectCopy;
    QString FProjectFile;
    TScriptedPrompts FPrompts;
    std::unique_ptr<gui::TMainWindowComposition> FComposition;
};

} // namespace quillmark::testing
