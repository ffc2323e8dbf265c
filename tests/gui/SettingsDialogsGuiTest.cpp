#include "SettingsDialogsGuiTest.h"

#include "GuiTestSupport.h"
#include "app/MainWindow.h"
#include "base/FileHelpers.h"
#include "base/Translation.h"
#include "editor/EditorContent.h"
#include "gui/ColorSelector.h"
#include "gui/FormattingToolbar.h"
#include "gui/MainForm.h"
#include "gui/MainWindowComposition.h"
#include "gui/QtText.h"
#include "gui/QtTocTreeView.h"
#include "gui/ReusableContentDialog.h"
#include "gui/SettingsDialog.h"
#include "platform/AppFolders.h"
#include "reuse/ReusableContent.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollArea>
#include <QTabWidget>
#include <QTimer>
#include <QWheelEvent>

namespace quillmark::testing {

namespace {

constexpr int kPageTimeoutMs = 30000;

// Labels whose text does not fit their width, by text.
QStringList ClippedLabels(const QWidget& dialog) {
    QStringList clipped;
    for (const QLabel* label : dialog.findChildren<QLabel*>())
        if (label->isVisibleTo(&dialog) && !label->wordWrap() &&
            label->sizeHint().width() > label->width())
            clipped << label->text();
    return clipped;
}

} // namespace

// The scripted answers, except that the settings dialog is the real one.
class SettingsDialogsGuiTest::TPrompts final : public IUserPrompts {
public:
    TScriptedPrompts Scripted;
    QWidget* Owner = nullptr;

    void ShowMessage(TMessageKind kind, const std::string& caption,
                     const std::string& text) override {
        Scripted.ShowMessage(kind, caption, text);
    }
    TPromptButton Ask(TMessageKind kind, const std::string& caption, const std::string& text,
                      const std::vector<TPromptButton>& buttons) override {
        return Scripted.Ask(kind, caption, text, buttons);
    }
    std::optional<std::string> InputText(const std::string& caption, const std::string& prompt,
                                         const std::string& initial) override {
        return Scripted.InputText(caption, prompt, initial);
    }
    std::optional<std::string> OpenFile(const TFileDialogRequest& request) override {
        return Scripted.OpenFile(request);
    }
    std::optional<std::string> SaveFile(const TFileDialogRequest& request) override {
        return Scripted.SaveFile(request);
    }
    bool ExecuteProjectSettings(TProjectSettings& settings) override {
        return gui::TfrmProjectSettings::Execute(Owner, settings);
    }
};

SettingsDialogsGuiTest::SettingsDialogsGuiTest() = default;
SettingsDialogsGuiTest::~SettingsDialogsGuiTest() = default;

template <typename T> void SettingsDialogsGuiTest::WhenShown(std::function<void(T&)> act) {
    auto* timer = new QTimer(this);
    timer->setInterval(20);
    auto waited = std::make_shared<int>(0);
    connect(timer, &QTimer::timeout, this, [this, timer, waited, act] {
        QWidget* modal = QApplication::activeModalWidget();
        auto* dialog = qobject_cast<T*>(modal);
        if (dialog == nullptr) {
            if (++*waited > 500) {
                // Something else is modal: close it, or the test would wait forever.
                FFailures << QStringLiteral("the dialog did not show, modal: %1")
                                 .arg(modal != nullptr ? modal->metaObject()->className() : "none");
                if (modal != nullptr)
                    modal->close();
                timer->stop();
                timer->deleteLater();
            }
            return;
        }
        timer->stop();
        timer->deleteLater();
        if (!QTest::qWaitForWindowExposed(dialog))
            FFailures << QStringLiteral("the dialog was not exposed");
        act(*dialog);
        if (QApplication::activeModalWidget() == dialog)
            dialog->reject();
    });
    timer->start();
}

void SettingsDialogsGuiTest::initTestCase() {
    ResetTranslation();
    LoadTranslation(ProgramFolder() + "transl.sv", std::string("en"));
    FPrompts = std::make_unique<TPrompts>();
    FComposition =
        std::make_unique<gui::TMainWindowComposition>(SystemMainWindowPlaces(), FPrompts.get());
    FPrompts->Owner = &FComposition->Window();
    FComposition->Start({});
    gui::TfrmMain& window = FComposition->Window();
    window.resize(1400, 860);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QTRY_VERIFY_WITH_TIMEOUT(FComposition->Logic().Editor().IsEditorReady(), kPageTimeoutMs);
}

void SettingsDialogsGuiTest::invalidValueKeepsTheDialogOpenThenSettingsApply() {
    TMainWindowState& state = FComposition->Logic().State();
    state.FProjectDirty = false;
    const std::string root = state.FProject.FRootPath;
    WriteTextFileUtf8(root + "meta/headerbg_ABC.txt", "#fafafa");

    bool reopened = false;
    WhenShown<gui::TfrmProjectSettings>([&](gui::TfrmProjectSettings& dialog) {
        dialog.grab().save(ScreenshotFolder() + QStringLiteral("/project-settings-dialog.png"));
        // The last section, the printed manual's, scrolled into view.
        if (auto* scroll = dialog.findChild<QScrollArea*>()) {
            scroll->ensureWidgetVisible(dialog.Control<QLineEdit>("edPdfCoverPicture"));
            dialog.grab().save(ScreenshotFolder() +
                               QStringLiteral("/project-settings-dialog-pdf.png"));
        }
        if (const QStringList clipped = ClippedLabels(dialog); !clipped.isEmpty())
            FFailures << QStringLiteral("clipped: ") + clipped.join(QLatin1Char('|'));
        if (dialog.Control<QComboBox>("cmbLinkStyle")->currentText() != QStringLiteral("solid") ||
            dialog.Control<QComboBox>("cmbBodyFontSize")->currentText() != QStringLiteral("16"))
            FFailures << QStringLiteral("the dialog does not show the settings");

        dialog.Control<QLineEdit>("edLineSpacing")->setText(QStringLiteral("wide"));
        dialog.Control<QLineEdit>("edProjTitle")->setText(QStringLiteral("  Lamp Manual "));
        WhenShown<QMessageBox>([&](QMessageBox& box) {
            if (!box.text().contains(QStringLiteral("Some values are invalid")))
                FFailures << QStringLiteral("wrong message: ") + box.text();
            box.grab().save(ScreenshotFolder() + QStringLiteral("/project-settings-invalid.png"));
            box.button(QMessageBox::Ok)->click();
        });
        dialog.btnOk->click();
        // Still open, with what was typed, the bad box focused.
        reopened = dialog.isVisible() &&
                   dialog.Control<QLineEdit>("edLineSpacing")->text() == QStringLiteral("wide") &&
                   dialog.focusWidget() == dialog.Control<QLineEdit>("edLineSpacing");

        dialog.Control<QLineEdit>("edLineSpacing")->setText(QStringLiteral("1,25"));
        dialog.Control<QLineEdit>("edTocTextSize")->setText(QStringLiteral("50"));
        dialog.Control<gui::TColorSelector>("cbHeaderBg")->SetSelected(MakeColor(0x12, 0x34, 0x56));
        dialog.Control<QComboBox>("cmbPdfPaperSize")->setCurrentIndex(1);
        dialog.Control<QLineEdit>("edPdfMarginInner")->setText(QStringLiteral("30"));
        dialog.btnOk->click();
    });
    FComposition->Window().ActionNamed("ProjectSettings1")->trigger();

    QVERIFY2(FFailures.isEmpty(), qPrintable(FFailures.join(QLatin1Char('\n'))));
    QVERIFY(reopened);
    const TProjectSettings& settings = state.FSettings;
    QCOMPARE(settings.DefaultLineSpacing, 1.25);
    QCOMPARE(settings.TocTextSize, 36);
    QCOMPARE(settings.ProjTitle, std::string("Lamp Manual"));
    QCOMPARE(state.FProject.FTitle, std::string("Lamp Manual"));
    QVERIFY(state.FProjectDirty);
    QCOMPARE(ReadTextFileUtf8(root + "meta/headerbg_ABC.txt"), std::string("#123456"));
    QCOMPARE(ReadTextFileUtf8(root + "meta/headerbg_default.txt"), std::string("#123456"));
    TProjectSettings saved;
    QVERIFY(saved.LoadFromFile(TProjectSettings::DefaultSettingsPathForProject(root)));
    QCOMPARE(saved.DefaultLineSpacing, 1.25);
    QCOMPARE(saved.PdfPaperSize, std::string("Letter"));
    QCOMPARE(saved.PdfMarginInner, 30);
    // The window shows the new values.
    gui::TfrmMain& window = FComposition->Window();
    QCOMPARE(window.FormattingToolbar().cmbLineSpacing->currentText(), QStringLiteral("1.25"));
    QCOMPARE(window.Tree().font().pointSize(), 36);
}

void SettingsDialogsGuiTest::cancelledSettingsChangeNothing() {
    TMainWindowState& state = FComposition->Logic().State();
    state.FProjectDirty = false;
    const std::string before = WriteJson(state.FSettings.ToJson());
    WhenShown<gui::TfrmProjectSettings>([this](gui::TfrmProjectSettings& dialog) {
        // The wheel over a colour box the author did not click scrolls the
        // dialog and leaves the colour alone.
        auto* color = dialog.Control<gui::TColorSelector>("cbTocTextColor");
        const int before = color->currentIndex();
        const QPointF at(color->width() / 2.0, color->height() / 2.0);
        QWheelEvent wheel(at, color->mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(color, &wheel);
        if (color->currentIndex() != before)
            FFailures << QStringLiteral("the wheel changed the colour");
        // The project's font is shown by name though this computer lacks it.
        const QString font = dialog.Control<QComboBox>("cmbFontName")->currentText();
        if (font != QStringLiteral("Segoe UI"))
            FFailures << QStringLiteral("font box shows ") + font;
        dialog.Control<QLineEdit>("edProjTitle")->setText(QStringLiteral("Changed"));
        dialog.Control<QCheckBox>("chkCopyright")->setChecked(true);
        QTest::keyClick(&dialog, Qt::Key_Escape);
    });
    FComposition->Window().ActionNamed("ProjectSettings1")->trigger();
    QVERIFY2(FFailures.isEmpty(), qPrintable(FFailures.join(QLatin1Char('\n'))));
    QCOMPARE(WriteJson(state.FSettings.ToJson()), before);
    QVERIFY(!state.FProjectDirty);
}

void SettingsDialogsGuiTest::reusableContentSavesGridsAndInsertsToken() {
    TMainWindowState& state = FComposition->Logic().State();
    // A snippet of several lines keeps its exact text when its cell is
    // entered and left without a change.
    const std::string multiLine = "<p>a</p>\r\n<p>b</p>";
    TReusableProjectContent before;
    before.FSnippets.push_back({"Note", multiLine});
    before.SaveToProject(state.FProject);
    QStringList enabledOnTabs;
    WhenShown<gui::TfrmReusableContent>([&](gui::TfrmReusableContent& dialog) {
        const auto enabled = [&dialog] {
            QString flags;
            for (const QPushButton* button : {dialog.BtnInsVar, dialog.BtnInsSnip,
                                              dialog.BtnInsCondBegin, dialog.BtnInsCondEnd})
                flags += button->isEnabled() ? QLatin1Char('1') : QLatin1Char('0');
            return flags;
        };
        enabledOnTabs << enabled();
        dialog.Pages->setCurrentIndex(2);
        enabledOnTabs << enabled();
        dialog.Pages->setCurrentIndex(1);
        enabledOnTabs << enabled();
        dialog.Pages->setCurrentIndex(0);
        if (dialog.grdVars->rowCount() != 15)
            FFailures << QStringLiteral("variables grid rows: %1").arg(dialog.grdVars->rowCount());
        if (const QStringList clipped = ClippedLabels(dialog); !clipped.isEmpty())
            FFailures << QStringLiteral("clipped: ") + clipped.join(QLatin1Char('|'));

        // Type a new variable in the first empty row, as the author would.
        dialog.grdVars->setFocus();
        dialog.grdVars->setCurrentCell(0, 0);
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("ProductName"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("Dedu Vader"));
        dialog.grab().save(ScreenshotFolder() + QStringLiteral("/reusable-content-dialog.png"));
        dialog.Pages->setCurrentIndex(1);
        dialog.grdSnips->setFocus();
        dialog.grdSnips->setCurrentCell(0, 1);
        dialog.grab().save(ScreenshotFolder() +
                           QStringLiteral("/reusable-content-dialog-snippets.png"));
        dialog.grdSnips->setCurrentCell(1, 0);
        dialog.Pages->setCurrentIndex(0);
        dialog.grdVars->setCurrentCell(0, 1);
        dialog.BtnInsVar->click();
    });
    FComposition->Window().ActionNamed("VariablesSnippetsConditions1")->trigger();

    QVERIFY2(FFailures.isEmpty(), qPrintable(FFailures.join(QLatin1Char('\n'))));
    QCOMPARE(enabledOnTabs, (QStringList{"1000", "0011", "0100"}));
    TReusableProjectContent store;
    store.LoadFromProject(state.FProject);
    QCOMPARE(store.VariableValue("ProductName", "?"), std::string("Dedu Vader"));
    QCOMPARE(store.SnippetHtml("Note", "?"), multiLine);
    QTRY_VERIFY_WITH_TIMEOUT(FComposition->EditorContent().DirtyHtml().find("{var:ProductName}") !=
                                 std::string::npos,
                             kPageTimeoutMs);
}

void SettingsDialogsGuiTest::cleanupTestCase() {
    FComposition.reset();
    FPrompts.reset();
}

} // namespace quillmark::testing
