#include "FormattingToolbarGuiTest.h"

#include "FakeEditorPage.h"
#include "editor/EditorBridge.h"
#include "editor/FormattingToolbarLogic.h"
#include "gui/FormattingToolbar.h"
#include "platform/Clock.h"
#include "settings/ProjectSettings.h"

#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>

namespace quillmark::testing {

namespace {

class ReadyHost final : public IFormattingToolbarHost {
public:
    bool IsEditorReady() const override { return true; }
    void FocusEditorLater() override {}
    const TProjectSettings& Settings() const override { return FSettings; }
    TProjectSettings FSettings;
};

// The toolbar in a window of its own, connected as the main window
// connects it.
struct ToolbarRig {
    ToolbarRig() {
        auto* layout = new QVBoxLayout(&Window);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(Toolbar);
        layout->addStretch();
        Logic.SetBridge(&Bridge);
        Logic.InitFormattingToolbar();
        Toolbar->Connect(&Logic);
        Bridge.SetOnCursorStyle(
            [this](TEditorBridge&, const TEditorCursorStyle& S) { Logic.BridgeCursorStyle(S); });
        Window.resize(1500, 120);
        Window.show();
    }

    // The "exec" commands sent since the last call, as "cmd arg".
    QStringList TakeSent() {
        QStringList sent;
        for (const JsonValue& message : Page.Messages()) {
            const JsonValue* arg = message.Find("arg");
            sent << QString::fromStdString(message.Find("cmd")->Text() +
                                           (arg != nullptr ? " " + arg->Text() : ""));
        }
        Page.Scripts.clear();
        return sent;
    }

    // The user chooses an entry of a list box.
    static void Choose(QComboBox* box, const QString& caption) {
        const int index = box->findText(caption);
        QVERIFY2(index >= 0, qPrintable(caption));
        box->setCurrentIndex(index);
        emit box->activated(index);
    }

    QWidget Window;
    gui::TFormattingToolbar* Toolbar = new gui::TFormattingToolbar(&Window);
    FakeEditorPage Page;
    TEditorBridge Bridge{&Page};
    ReadyHost Host;
    TSteadyClock Clock;
    TFormattingToolbarLogic Logic{*Toolbar, Host, Clock};
};

} // namespace

void FormattingToolbarGuiTest::controlsSendTheirCommands() {
    ToolbarRig rig;
    gui::TFormattingToolbar& toolbar = *rig.Toolbar;
    QVERIFY(QTest::qWaitForWindowExposed(&rig.Window));
    QCOMPARE(toolbar.cmbFontSize->currentText(), QStringLiteral("14"));
    QCOMPARE(toolbar.cmbLineSpacing->currentText(), QStringLiteral("1.5"));
    QVERIFY(toolbar.cmbTextFont->count() > 0);

    QTest::mouseClick(toolbar.btnBold, Qt::LeftButton);
    QVERIFY(toolbar.btnBold->isChecked());
    QTest::mouseClick(toolbar.btnUL, Qt::LeftButton);
    QTest::mouseClick(toolbar.btnOL, Qt::LeftButton);
    QVERIFY(!toolbar.btnUL->isChecked());
    QVERIFY(toolbar.btnOL->isChecked());
    QTest::mouseClick(toolbar.btnAlignCenter, Qt::LeftButton);
    QTest::mouseClick(toolbar.btnAlignCenter, Qt::LeftButton);
    QVERIFY(toolbar.btnAlignCenter->isChecked());
    QVERIFY(!toolbar.btnAlignLeft->isChecked());
    QCOMPARE(rig.TakeSent(), (QStringList{"bold", "ul", "ol", "align center", "align center"}));

    ToolbarRig::Choose(toolbar.cmbHeading, QStringLiteral("H2"));
    QCOMPARE(rig.TakeSent(), (QStringList{"h2", "fontSizePx 24"}));
    QCOMPARE(toolbar.cmbFontSize->currentText(), QStringLiteral("24"));

    ToolbarRig::Choose(toolbar.cmbLineSpacing, QStringLiteral("1.15"));
    ToolbarRig::Choose(toolbar.cbTextColor, QStringLiteral("Red"));
    ToolbarRig::Choose(toolbar.cmbFontSize, QStringLiteral("36"));
    QCOMPARE(rig.TakeSent(),
             (QStringList{"lineHeight 1.15", "foreColor #FF0000", "fontSizePx 36"}));

    // Typing sends nothing until Enter, and Enter stays with the box.
    toolbar.cmbFontSize->setFocus();
    toolbar.cmbFontSize->lineEdit()->selectAll();
    QTest::keyClicks(toolbar.cmbFontSize, QStringLiteral("250"));
    QVERIFY(rig.TakeSent().isEmpty());
    QTest::keyClick(toolbar.cmbFontSize, Qt::Key_Return);
    QCOMPARE(rig.TakeSent(), QStringList{"fontSizePx 200"});
    QCOMPARE(toolbar.cmbFontSize->currentText(), QStringLiteral("250"));

    toolbar.cmbLineSpacing->setFocus();
    toolbar.cmbLineSpacing->lineEdit()->selectAll();
    QTest::keyClicks(toolbar.cmbLineSpacing, QStringLiteral("1,25"));
    QTest::keyClick(toolbar.cmbLineSpacing, Qt::Key_Enter);
    QCOMPARE(rig.TakeSent(), QStringList{"lineHeight 1.25"});
}

void FormattingToolbarGuiTest::caretReportMovesTheControls() {
    ToolbarRig rig;
    gui::TFormattingToolbar& toolbar = *rig.Toolbar;
    QVERIFY(QTest::qWaitForWindowExposed(&rig.Window));
    const QString font = toolbar.cmbTextFont->itemText(toolbar.cmbTextFont->count() - 1);
    rig.Page.Post(QStringLiteral(R"({"type":"cursorStyle","area":"body","fontName":"%1",)"
                                 R"("fontSizePx":32,"textColor":"#C00000","align":"center",)"
                                 R"("bold":true,"italic":false,"underline":true,)"
                                 R"("listType":"ol","blockTag":"h1","lineHeight":"48px"})")
                      .arg(font.toLower())
                      .toStdString());
    QVERIFY(toolbar.btnBold->isChecked());
    QVERIFY(!toolbar.btnItalic->isChecked());
    QVERIFY(toolbar.btnUnderline->isChecked());
    QVERIFY(toolbar.btnOL->isChecked());
    QVERIFY(!toolbar.btnUL->isChecked());
    QVERIFY(toolbar.btnAlignCenter->isChecked());
    QVERIFY(!toolbar.btnAlignLeft->isChecked());
    QCOMPARE(toolbar.cmbHeading->currentText(), QStringLiteral("H1"));
    QCOMPARE(toolbar.cmbTextFont->currentText(), font);
    QCOMPARE(toolbar.cmbFontSize->currentText(), QStringLiteral("32"));
    QCOMPARE(toolbar.cmbLineSpacing->currentText(), QStringLiteral("1.5"));
    QCOMPARE(toolbar.cbTextColor->currentText(), QStringLiteral("#C00000"));
    QVERIFY(rig.TakeSent().isEmpty());
    const QString folder = qEnvironmentVariable("QUILLMARK_SCREENSHOT_DIR", QDir::currentPath());
    QVERIFY(toolbar.grab().save(folder + QStringLiteral("/formatting-toolbar.png")));

    // Right after the user's click a report without bold does not undo it.
    QTest::mouseClick(toolbar.btnItalic, Qt::LeftButton);
    rig.Page.Post(R"({"type":"cursorStyle","bold":false,"italic":false,"fontSizePx":32})");
    QVERIFY(toolbar.btnItalic->isChecked());
    QVERIFY(toolbar.btnBold->isChecked());
}

} // namespace quillmark::testing
