// Times switching topics in the real window with the real editor page: from
// the selection of a node in the contents tree to the new topic standing in
// the page, between two topics of about 50 KB of HTML each. Beside it the
// run times the bare round trip of the page itself: "setHtml" of the same
// page followed by "getHtml", until the answer is back. Prints median and
// 95th percentile of each. Run under a display server:
//
//   xvfb-run -a bin/quillmark_editor_switch_bench [SWITCHES]   (default 30)
#include "app/MainWindow.h"
#include "base/FileHelpers.h"
#include "editor/EditorBridge.h"
#include "editor/EditorContent.h"
#include "gui/MainForm.h"
#include "gui/MainWindowComposition.h"
#include "gui/QtText.h"
#include "gui/QtTocTreeView.h"
#include "gui/WebEngineEnvironment.h"
#include "model/DocProject.h"
#include "model/ProjectStorage.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTemporaryDir>
#include <QTimer>
#include <QWebEnginePage>
#include <QWebEngineView>
#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

using namespace quillmark;

namespace {

// Answers every question with its "no" and shows nothing.
class TSilentPrompts final : public IUserPrompts {
public:
    void ShowMessage(TMessageKind, const std::string&, const std::string& text) override {
        std::fprintf(stderr, "message: %s\n", text.c_str());
    }
    TPromptButton Ask(TMessageKind, const std::string&, const std::string&,
                      const std::vector<TPromptButton>& buttons) override {
        return std::find(buttons.begin(), buttons.end(), TPromptButton::No) != buttons.end()
                   ? TPromptButton::No
                   : TPromptButton::Cancel;
    }
    std::optional<std::string> InputText(const std::string&, const std::string&,
                                         const std::string&) override {
        return std::nullopt;
    }
    std::optional<std::string> OpenFile(const TFileDialogRequest&) override { return std::nullopt; }
    std::optional<std::string> SaveFile(const TFileDialogRequest&) override { return std::nullopt; }
    bool ExecuteProjectSettings(TProjectSettings&) override { return false; }
};

// About `bytes` of varied topic HTML: a heading naming the topic, then
// paragraphs with inline formatting, lists and a table now and then.
std::string TopicHtml(const std::string& name, std::size_t bytes) {
    std::string html = "<h1>" + name + "</h1>";
    for (int i = 0; html.size() < bytes; ++i) {
        const std::string n = std::to_string(i);
        html += "<p>Paragraph " + n + " of " + name +
                ": the lamp <b>dims</b> smoothly, keeps its <i>colour</i> and follows the "
                "<a href=\"doc:0123456789ABCDEF0123456789ABCDEF\">schedule</a> you set.</p>";
        if (i % 10 == 0)
            html += "<ul><li>First point " + n + "</li><li>Second point</li></ul>";
        if (i % 25 == 0)
            html += "<table><tr><td>Mode</td><td>" + n +
                    "</td></tr><tr><td>Level</td><td>80 %</td></tr></table>";
    }
    return html;
}

// Runs the script in the page and returns its result as text.
QString RunScript(QWebEnginePage& page, const QString& script) {
    QString text;
    QEventLoop loop;
    page.runJavaScript(script, [&](const QVariant& result) {
        text = result.toString();
        loop.quit();
    });
    QTimer::singleShot(10000, &loop, &QEventLoop::quit);
    loop.exec();
    return text;
}

QString ShownHeading(QWebEnginePage& page) {
    return RunScript(page, QStringLiteral("(function(){var h=document.querySelector('#sv-body "
                                          "h1');return h?h.textContent:'';})()"));
}

bool WaitFor(const std::function<bool()>& done, int timeoutMs) {
    QElapsedTimer timer;
    timer.start();
    while (!done()) {
        if (timer.elapsed() > timeoutMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return true;
}

struct TFigures {
    double Median;
    double P95;
};

TFigures Summarise(std::vector<double> ms) {
    std::sort(ms.begin(), ms.end());
    const auto at = [&](double q) {
        const auto i = static_cast<std::size_t>(q * static_cast<double>(ms.size() - 1) + 0.5);
        return ms[std::min(i, ms.size() - 1)];
    };
    return {at(0.5), at(0.95)};
}

} // namespace

int main(int argc, char** argv) {
    const int switches = argc > 1 ? std::max(2, std::atoi(argv[1])) : 30;
    QTemporaryDir appData;
    QTemporaryDir work;
    if (!appData.isValid() || !work.isValid())
        return 1;
    qputenv("APPDATA", appData.path().toUtf8());
    qputenv("QUILLMARK_UPDATE_URL", "off");
    gui::PrepareWebEngineEnvironment();
    QApplication app(argc, argv);

    const std::string folder = gui::ToStdString(work.path()) + "/Bench/";
    const std::string projectFile = gui::ToStdString(work.path()) + "/Bench.hff";
    {
        TDocProject project;
        project.FRootPath = folder;
        project.FTitle = "Switch bench";
        EnsureProjectFolders(folder);
        for (const char* name : {"Topic A", "Topic B"}) {
            const std::string id = project.AddTopic(name, "").FID;
            WriteTextFileUtf8(project.TopicPagePath(id), TopicHtml(name, 50 * 1024));
        }
        SaveProjectFolder(project);
        WriteProjectFile(projectFile, project);
    }

    TSilentPrompts prompts;
    gui::TMainWindowComposition composition(SystemMainWindowPlaces(), &prompts);
    composition.Start({projectFile});
    gui::TfrmMain& window = composition.Window();
    window.resize(1400, 860);
    window.show();
    QWebEnginePage& page = *window.EdgeWebView().page();
    TEditorContent& editor = composition.EditorContent();
    if (!WaitFor([&] { return editor.IsEditorReady(); }, 30000) ||
        !WaitFor([&] { return ShownHeading(page) == QStringLiteral("Topic A"); }, 30000)) {
        std::fprintf(stderr, "the editor page did not come up\n");
        return 1;
    }

    QTreeWidget& tree = window.Tree();
    QTreeWidgetItem* items[2] = {tree.topLevelItem(0), tree.topLevelItem(1)};
    std::vector<double> switchMs;
    std::vector<double> handlerMs;
    std::vector<double> roundTripMs;
    const int warmUp = 3;
    for (int i = 0; i < switches + warmUp; ++i) {
        QTreeWidgetItem* target = items[(i + 1) % 2];
        const QString heading = target->text(0);
        QElapsedTimer timer;
        timer.start();
        tree.setCurrentItem(target); // the selection, as a click makes it
        const double inHandler = static_cast<double>(timer.nsecsElapsed()) / 1e6;
        // Scripts run in the order sent, so this one sees the page after the
        // new topic's "setHtml".
        while (ShownHeading(page) != heading) {
            if (timer.elapsed() > 10000) {
                std::fprintf(stderr, "switch %d did not show %s\n", i, qPrintable(heading));
                return 1;
            }
        }
        const double shown = static_cast<double>(timer.nsecsElapsed()) / 1e6;

        const std::string html =
            ReadTextFileUtf8(composition.Logic().State().FProject.TopicPagePath(
                composition.Logic().State().FCurrentTopicID));
        QElapsedTimer roundTrip;
        roundTrip.start();
        composition.Bridge().SetHtml(html);
        editor.WaitForEditorHtml(5000);
        const double bare = static_cast<double>(roundTrip.nsecsElapsed()) / 1e6;
        if (editor.DirtyHtml().empty()) {
            std::fprintf(stderr, "the page did not answer getHtml\n");
            return 1;
        }
        if (i >= warmUp) {
            switchMs.push_back(shown);
            handlerMs.push_back(inHandler);
            roundTripMs.push_back(bare);
        }
    }

    const TFigures sw = Summarise(switchMs);
    const TFigures handler = Summarise(handlerMs);
    const TFigures bare = Summarise(roundTripMs);
    std::printf("topic switch, 2 x %d KB HTML, %d switches\n", 50, switches);
    std::printf("  selection to topic shown     median %7.1f ms   p95 %7.1f ms\n", sw.Median,
                sw.P95);
    std::printf("    of which in the handler    median %7.1f ms   p95 %7.1f ms\n", handler.Median,
                handler.P95);
    std::printf("  bare setHtml + getHtml       median %7.1f ms   p95 %7.1f ms\n", bare.Median,
                bare.P95);
    // Nothing unsaved may hold up the end: the project is a scratch copy.
    composition.Logic().State().FProjectDirty = false;
    return 0;
}
