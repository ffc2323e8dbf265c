#include "UpdateDialogGuiTest.h"

#include "LocalHttpServer.h"
#include "base/Translation.h"
#include "gui/UpdateDialog.h"

#include <QDir>
#include <QLabel>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

namespace quillmark::testing {

namespace {

class RecordingShell final : public IShell {
public:
    bool OpenPath(const std::string& pathOrUrl) override {
        Opened.push_back(pathOrUrl);
        return true;
    }
    std::vector<std::string> Opened;
};

// An update server, the check against it and the shown dialog.
struct TUpdateFixture {
    explicit TUpdateFixture(const std::string& versionLine, const std::string& changes) {
        ResetTranslation();
        server.Serve("/download/version/quillmark-version.html", Reply(200, versionLine));
        server.Serve("/download/version/quillmark-changes.html", Reply(200, changes));
    }

    bool Show() {
        if (!check.CheckForUpdate()) {
            return false;
        }
        dialog = std::make_unique<gui::TfrmNewVersion>(check);
        dialog->show();
        return QTest::qWaitForWindowExposed(dialog.get());
    }

    template <typename T> T* Child(const char* name) const {
        return dialog->findChild<T*>(QString::fromLatin1(name));
    }

    void Screenshot(const QString& name) const {
        const QString folder = qEnvironmentVariable("QUILLMARK_SCREENSHOT_DIR");
        dialog->grab().save(QDir(folder.isEmpty() ? QDir::currentPath() : folder).filePath(name));
    }

    LocalHttpServer server;
    QTemporaryDir temp;
    std::unique_ptr<IHttpClient> http = MakeCurlHttpClient();
    RecordingShell shell;
    TUpdateCheck check{*http, shell, {server.BaseUrl(), true}, temp.path().toStdString()};
    std::unique_ptr<gui::TfrmNewVersion> dialog;
};

} // namespace

void UpdateDialogGuiTest::offersTheUpdateAsPlainText() {
    TUpdateFixture fixture("26/20", "<b>Bold</b> &amp; more\r\n\r\nSecond");
    QVERIFY(fixture.Show());
    fixture.Screenshot(QStringLiteral("update-dialog.png"));

    QCOMPARE(fixture.dialog->windowTitle(), QStringLiteral(" Quillmark"));
    QCOMPARE(fixture.Child<QPushButton>("btUpdateNow")->text(), QStringLiteral("Update Now"));
    QCOMPARE(fixture.Child<QPushButton>("btCancel")->text(), QStringLiteral("Skip"));
    QVERIFY(!fixture.Child<QProgressBar>("ProgressBar1")->isVisible());
    const QLabel* label = fixture.Child<QLabel>("Label1");
    QCOMPARE(label->textFormat(), Qt::PlainText);
    QCOMPARE(label->text(), QStringLiteral("The new version 2.6 is available\n\nWhat's new:\n"
                                           "<b>Bold</b> &amp; more\nSecond\n"));

    QTest::mouseClick(fixture.Child<QPushButton>("btCancel"), Qt::LeftButton);
    QVERIFY(!fixture.dialog->isVisible());
    QVERIFY(fixture.check.Outcome() == TUpdateOutcome::Continue);
}

void UpdateDialogGuiTest::escapeDuringTheDownloadAborts() {
    TUpdateFixture fixture("30/26", "Required fixes");
    fixture.server.Serve("/download/quillmark.exe",
                         StalledReply(std::string(1000 * 1000, 'x'), 400 * 1000));
    QVERIFY(fixture.Show());
    QPushButton* updateNow = fixture.Child<QPushButton>("btUpdateNow");
    QPushButton* cancel = fixture.Child<QPushButton>("btCancel");
    QProgressBar* progress = fixture.Child<QProgressBar>("ProgressBar1");
    QCOMPARE(cancel->text(), QStringLiteral("Exit"));

    // The click below returns only when the download has ended; these run
    // inside it, as the user would act while it is under way.
    bool seenDownloading = false;
    bool stayedOpenAfterEscape = false;
    QString errorText;
    QTimer::singleShot(800, fixture.dialog.get(), [&] {
        seenDownloading = progress->isVisible() && progress->value() == 40 &&
                          !updateNow->isEnabled() && cancel->text() == QStringLiteral("Abort");
        fixture.Screenshot(QStringLiteral("update-dialog-download.png"));
        QTest::keyClick(fixture.dialog.get(), Qt::Key_Escape);
        stayedOpenAfterEscape = fixture.dialog->isVisible();
    });
    QTimer closeErrorBox;
    QObject::connect(&closeErrorBox, &QTimer::timeout, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            errorText = box->text();
            box->accept();
        }
    });
    closeErrorBox.start(50);

    updateNow->click();

    QVERIFY(seenDownloading);
    QVERIFY(stayedOpenAfterEscape);
    QCOMPARE(errorText, QStringLiteral("Failed to download update. Please download manually on "
                                       "website.\n\nDownload is cancelled. Please download "
                                       "manually."));
    QCOMPARE(fixture.shell.Opened, std::vector<std::string>{kVendorHomePage});
    QVERIFY(!fixture.dialog->isVisible());
    QVERIFY(fixture.check.Outcome() == TUpdateOutcome::Stop);
}

} // namespace quillmark::testing
