#include "ProgressDisplayGuiTest.h"

#include "GuiTestSupport.h"
#include "app/WindowPorts.h"
#include "base/QuillError.h"
#include "gui/GuiThreadPrompts.h"
#include "gui/QtProgressDisplay.h"

#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QThread>
#include <QTimer>
#include <atomic>
#include <chrono>
#include <thread>

namespace quillmark::testing {

namespace {

// Waits on the work's thread until the condition holds (at most 10 s).
bool WaitFor(const std::function<bool()>& condition) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return true;
}

} // namespace

void ProgressDisplayGuiTest::stepsAndCancelReachTheWork() {
    gui::TQtProgressDisplay display(nullptr);
    display.Begin("Publishing WebHelp");
    QVERIFY(display.Dialog()->isVisible());
    auto* cancel = display.Dialog()->findChild<QPushButton*>(QStringLiteral("ProgressCancel"));
    auto* step = display.Dialog()->findChild<QLabel*>(QStringLiteral("ProgressStep"));
    QVERIFY(cancel != nullptr && step != nullptr);

    // Once the step shows, the author presses Cancel; the work sees it.
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (step->text() == QStringLiteral("WebHelp: Writing pages 500/1000") && cancel->isEnabled()) {
            display.Dialog()->grab().save(ScreenshotFolder() + "/quillmark-progress.png");
            cancel->click();
        }
    });
    poll.start(20);
    const Qt::HANDLE windowThread = QThread::currentThreadId();
    Qt::HANDLE workThread = nullptr;
    bool sawCancel = false;
    display.Run([&] {
        workThread = QThread::currentThreadId();
        display.Step("WebHelp: Writing pages 500/1000");
        sawCancel = WaitFor([&] { return display.CancelRequested(); });
    });
    poll.stop();
    QVERIFY(sawCancel);
    QVERIFY(workThread != windowThread);
    QVERIFY(!cancel->isEnabled());
    QVERIFY(display.Dialog()->isVisible());
}

void ProgressDisplayGuiTest::failureOfTheWorkIsThrownOn() {
    gui::TQtProgressDisplay display(nullptr);
    display.Begin("Publishing CHM");
    bool thrown = false;
    try {
        display.Run([] { throw QuillError("chmcmd broke"); });
    } catch (const QuillError& failure) {
        thrown = QString::fromUtf8(failure.what()) == QStringLiteral("chmcmd broke");
    }
    QVERIFY(thrown);
}

void ProgressDisplayGuiTest::outcomesOfferOpenFolderAndCopyPath() {
    gui::TQtProgressDisplay display(nullptr);
    display.Begin("Publishing");
    const std::vector<TWorkOutcome> outcomes = {
        {"WebHelp", "/tmp/out/webhelp/index.html", "/tmp/out/webhelp", {}, false},
        {"PDF manual", {}, "/tmp/out/pdf", "The PDF printer did not start.", false},
        {"CHM", {}, "/tmp/out/chm", {}, true}};
    QString copied;
    bool hasOpenOnFailure = true;
    QTimer::singleShot(0, [&] {
        QDialog* dialog = display.Dialog();
        dialog->grab().save(ScreenshotFolder() + "/quillmark-publish-result.png");
        hasOpenOnFailure = dialog->findChild<QPushButton*>(QStringLiteral("OpenFile1")) != nullptr;
        dialog->findChild<QPushButton*>(QStringLiteral("CopyPath0"))->click();
        copied = QGuiApplication::clipboard()->text();
        dialog->findChild<QPushButton*>(QStringLiteral("OpenFolder1"))->click();
    });
    const TOutcomeChoice choice = display.Finish(outcomes);
    QCOMPARE(copied, QStringLiteral("/tmp/out/webhelp/index.html"));
    QVERIFY(!hasOpenOnFailure);
    QVERIFY(choice.Action == TOutcomeAction::OpenFolder);
    QCOMPARE(choice.Index, size_t{1});
    QVERIFY(display.Dialog() == nullptr);
}

void ProgressDisplayGuiTest::promptsFromTheWorkRunOnTheWindowsThread() {
    // Records on which thread each call ran.
    class ThreadRecordingPrompts final : public IUserPrompts {
    public:
        std::vector<QThread*> Threads;
        void ShowMessage(TMessageKind, const std::string&, const std::string&) override {
            Threads.push_back(QThread::currentThread());
        }
        TPromptButton Ask(TMessageKind, const std::string&, const std::string&,
                          const std::vector<TPromptButton>&) override {
            Threads.push_back(QThread::currentThread());
            return TPromptButton::Yes;
        }
        std::optional<std::string> InputText(const std::string&, const std::string&,
                                             const std::string&) override {
            return std::nullopt;
        }
        std::optional<std::string> OpenFile(const TFileDialogRequest&) override {
            Threads.push_back(QThread::currentThread());
            return std::string("/usr/bin/chmcmd");
        }
        std::optional<std::string> SaveFile(const TFileDialogRequest&) override {
            return std::nullopt;
        }
        bool ExecuteProjectSettings(TProjectSettings&) override { return false; }
    } recording;
    gui::TGuiThreadPrompts prompts(recording);
    gui::TQtProgressDisplay display(nullptr);
    display.Begin("Publishing CHM");
    TPromptButton answer = TPromptButton::No;
    std::optional<std::string> picked;
    display.Run([&] {
        prompts.ShowWarning("not found");
        answer = prompts.Ask(TMessageKind::Error, "Quillmark", "pick another?",
                             {TPromptButton::Yes, TPromptButton::No});
        picked = prompts.OpenFile({});
    });
    QVERIFY(answer == TPromptButton::Yes);
    QCOMPARE(picked.value_or(""), std::string("/usr/bin/chmcmd"));
    QCOMPARE(recording.Threads.size(), size_t{3});
    for (QThread* thread : recording.Threads)
        QVERIFY(thread == QApplication::instance()->thread());
}

} // namespace quillmark::testing
