#include "QtUserPromptsGuiTest.h"

#include "GuiTestSupport.h"
#include "TempFolder.h"
#include "app/MainWindowState.h"
#include "base/FileHelpers.h"
#include "editor/HtmlImportCommand.h"
#include "gui/QtUserPrompts.h"

#include <QApplication>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <functional>

namespace quillmark::testing {

namespace {

// Acts on the modal dialog as soon as it is shown.
void WhenDialogShows(std::function<void(QWidget*)> action) {
    QTimer::singleShot(0, [action = std::move(action)] {
        QWidget* dialog = QApplication::activeModalWidget();
        QVERIFY(dialog != nullptr);
        action(dialog);
    });
}

} // namespace

void QtUserPromptsGuiTest::convertsFileFilters_data() {
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("patterns already in the name")
        << "Help Project (*.hff)|*.hff" << QStringList{"Help Project (*.hff)"};
    QTest::newRow("several patterns")
        << "Images|*.png;*.jpg;*.jpeg" << QStringList{"Images (*.png *.jpg *.jpeg)"};
    QTest::newRow("two filters") << "Project (*.hff)|*.hff|All files (*.*)|*.*"
                                 << QStringList{"Project (*.hff)", "All files (*.*)"};
    QTest::newRow("no filter") << "" << QStringList{};
}

void QtUserPromptsGuiTest::convertsFileFilters() {
    QFETCH(QString, filter);
    QFETCH(QStringList, expected);
    QCOMPARE(gui::QtNameFilters(filter.toStdString()), expected);
}

void QtUserPromptsGuiTest::askReturnsButtonOrEscapeAnswer() {
    gui::TQtUserPrompts prompts(nullptr);
    const std::vector<TPromptButton> yesNoCancel = {TPromptButton::Yes, TPromptButton::No,
                                                    TPromptButton::Cancel};

    QString shownText;
    WhenDialogShows([&shownText](QWidget* dialog) {
        auto* box = qobject_cast<QMessageBox*>(dialog);
        shownText = box->text();
        QCOMPARE(box->windowTitle(), QStringLiteral("Quillmark"));
        box->button(QMessageBox::No)->click();
    });
    QCOMPARE(prompts.Ask(TMessageKind::Confirmation, "Quillmark", "first\r\nsecond", yesNoCancel),
             TPromptButton::No);
    QCOMPARE(shownText, QStringLiteral("first\nsecond"));

    WhenDialogShows([](QWidget* dialog) { QTest::keyClick(dialog, Qt::Key_Escape); });
    QCOMPARE(prompts.Ask(TMessageKind::Confirmation, "Quillmark", "?", yesNoCancel),
             TPromptButton::Cancel);

    WhenDialogShows([](QWidget* dialog) { QTest::keyClick(dialog, Qt::Key_Escape); });
    QCOMPARE(prompts.Ask(TMessageKind::Warning, "Quillmark", "?",
                         {TPromptButton::Yes, TPromptButton::No}),
             TPromptButton::No);
}

void QtUserPromptsGuiTest::inputTextReturnsTextOrNothing() {
    gui::TQtUserPrompts prompts(nullptr);

    WhenDialogShows([](QWidget* dialog) {
        auto* input = qobject_cast<QInputDialog*>(dialog);
        QCOMPARE(input->textValue(), QStringLiteral("New Topic"));
        input->setTextValue(QStringLiteral("  Über uns "));
        input->accept();
    });
    QCOMPARE(prompts.InputText("New Topic", "Title:", "New Topic"),
             std::optional<std::string>("  \xC3\x9C"
                                        "ber uns "));

    WhenDialogShows([](QWidget* dialog) {
        qobject_cast<QInputDialog*>(dialog)->setTextValue(QString());
        qobject_cast<QInputDialog*>(dialog)->accept();
    });
    QCOMPARE(prompts.InputText("Rename Topic", "Title:", "Old"), std::optional<std::string>(""));

    WhenDialogShows([](QWidget* dialog) { QTest::keyClick(dialog, Qt::Key_Escape); });
    QCOMPARE(prompts.InputText("Rename Topic", "Title:", "Old"), std::nullopt);
}

void QtUserPromptsGuiTest::importAsksAboutFilesOutsideThePagesFolder() {
    gui::TQtUserPrompts prompts(nullptr);
    TempFolder temp;
    WriteTextFileUtf8(temp.Path("shared/logo.png"), "png");
    WriteTextFileUtf8(temp.Path("pages/page.html"),
                      "<p><img src=\"../shared/logo.png\"><img src=\"/proc/self/environ\"></p>");
    const THtmlImportRequest request{temp.Path("project/"), "0123456789ABCDEF0123456789ABCDEF",
                                     true};

    QString question;
    WhenDialogShows([&question](QWidget* dialog) {
        auto* box = qobject_cast<QMessageBox*>(dialog);
        question = box->text();
        box->grab().save(ScreenshotFolder() + QStringLiteral("/quillmark-import-question.png"));
        box->button(QMessageBox::Yes)->click();
    });
    const THtmlImportOutcome outcome = btnImportHTMLClick(
        request, [&] { return std::optional<std::string>(temp.Path("pages/page.html")); },
        [&](const std::string& text) {
            return prompts.Ask(TMessageKind::Confirmation, kApplicationTitle, text,
                               {TPromptButton::Yes, TPromptButton::No}) == TPromptButton::Yes;
        });
    QVERIFY(question.contains(QString::fromStdString(temp.Path("shared/logo.png"))));
    QVERIFY(!question.contains(QStringLiteral("/proc/")));
    QCOMPARE(ReadFileBytes(temp.Path("project/assets/images/logo.png")), std::string("png"));
    QVERIFY(QString::fromStdString(outcome.Warning).contains(QStringLiteral("/proc/self/environ")));
}

} // namespace quillmark::testing
