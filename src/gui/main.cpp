#include "app/MainWindow.h"
#include "base/Translation.h"
#include "base/Version.h"
#include "gui/MainForm.h"
#include "gui/MainWindowComposition.h"
#include "gui/QtText.h"
#include "gui/UpdateDialog.h"
#include "gui/WindowPlacement.h"
#include "gui/WebEngineEnvironment.h"
#include "platform/AppFolders.h"
#include "platform/IniStore.h"

#include <QApplication>
#include <QMessageBox>
#include <QStyleFactory>
#include <exception>
#include <iostream>

namespace {

using namespace quillmark;

// The interface language: the per-user choice when there is one, else the
// user's locale; the table from transl.sv among the program's files.
void LoadInterfaceTranslation() {
    std::optional<std::string> storedCode;
    try {
        storedCode =
            TIniStore(PerUserSettingsPath()).ReadValue(kLanguageSection, kCurrentLanguageKey);
    } catch (const std::exception&) {
        // Without a per-user folder the locale decides.
    }
    LoadTranslation(ProgramFilesFolder() + "transl.sv", storedCode);
}

int RunWindow(QApplication& app) {
    std::vector<std::string> arguments;
    const QStringList qtArguments = QCoreApplication::arguments();
    for (qsizetype i = 1; i < qtArguments.size(); ++i) {
        arguments.push_back(gui::ToStdString(qtArguments[i]));
    }
    const TMainWindowPlaces places = SystemMainWindowPlaces();
    gui::TMainWindowComposition composition(places);
    composition.Window().EnableStartScreen();
    composition.Start(arguments);
    gui::ShowWindowAsLeft(composition.Window(), places.UserSettingsFile);
    const int status = app.exec();
    gui::RememberWindowPlacement(composition.Window(), places.UserSettingsFile);
    return status;
}

// Answered before anything needs a display: the shell, a packager or a
// desktop file validator may ask without one.
constexpr char kUsageText[] =
    "usage: quillmark [QT-OPTIONS] [PROJECT.hff]\n"
    "       quillmark --help | --version\n"
    "\n"
    "Opens the project file PROJECT.hff in the Quillmark window; without one, the\n"
    "project opened last, else a fresh scratch project (the workspace).\n"
    "\n"
    "  -h, --help    print this text and exit\n"
    "  --version     print the version and exit\n"
    "\n"
    "QT-OPTIONS are Qt's standard options (-platform NAME, -style STYLE, ...).\n"
    "quillmark-cli creates, checks and publishes projects without a display.\n"
    "See quillmark(1) and quillmark-cli(1).\n";

} // namespace

int main(int argc, char** argv) {
    const std::string firstArgument = argc == 2 ? argv[1] : "";
    if (firstArgument == "--version") {
        std::cout << quillmark::kApplicationTitle << ' ' << quillmark::kVersionText << '\n';
        return 0;
    }
    if (firstArgument == "--help" || firstArgument == "-h") {
        std::cout << kUsageText;
        return 0;
    }
    const std::string noDisplay = quillmark::gui::MissingDisplayMessage();
    if (!noDisplay.empty()) {
        std::cerr << noDisplay << '\n';
        return 2;
    }
    quillmark::gui::PrepareWebEngineEnvironment();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QString::fromLatin1(quillmark::kApplicationTitle));
    QApplication::setApplicationVersion(QString::fromLatin1(quillmark::kVersionText));
    // Ties the window to its menu entry and icon (the Wayland app id).
    QGuiApplication::setDesktopFileName(QStringLiteral(QUILLMARK_APP_ID));
    // Fusion draws the same on every desktop; the colours stay the desktop
    // theme's, so that a dark theme stays dark.
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));

    LoadInterfaceTranslation();
    if (!quillmark::gui::RunStartupUpdateCheck()) {
        return 0;
    }
    try {
        return RunWindow(app);
    } catch (const std::exception& error) {
        QMessageBox::critical(nullptr, QString::fromLatin1(quillmark::kApplicationTitle),
                              QString::fromUtf8(error.what()));
        return 1;
    }
}
