#include "app/MainWindow.h"
#include "base/Translation.h"
#include "base/Version.h"
#include "gui/MainForm.h"
#include "gui/MainWindowComposition.h"
#include "gui/QtText.h"
#include "gui/UpdateDialog.h"
#include "gui/WebEngineEnvironment.h"
#include "platform/AppFolders.h"
#include "platform/IniStore.h"

#include <QApplication>
#include <QMessageBox>
#include <QStyle>
#include <QStyleFactory>
#include <exception>
#include <iostream>

namespace {

using namespace quillmark;

// The interface language: the per-user choice when there is one, else the
// user's locale; the table from transl.sv beside the program.
void LoadInterfaceTranslation() {
    std::optional<std::string> storedCode;
    try {
        storedCode =
            TIniStore(PerUserSettingsPath()).ReadValue(kLanguageSection, kCurrentLanguageKey);
    } catch (const std::exception&) {
        // Without a per-user folder the locale decides.
    }
    LoadTranslation(ProgramFolder() + "transl.sv", storedCode);
}

int RunWindow(QApplication& app) {
    std::vector<std::string> arguments;
    const QStringList qtArguments = QCoreApplication::arguments();
    for (qsizetype i = 1; i < qtArguments.size(); ++i) {
        arguments.push_back(gui::ToStdString(qtArguments[i]));
    }
    gui::TMainWindowComposition composition(SystemMainWindowPlaces());
    composition.Window().EnableStartScreen();
    composition.Start(arguments);
    composition.Window().showMaximized();
    return app.exec();
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 2 && std::string(argv[1]) == "--version") {
        std::cout << quillmark::kApplicationTitle << ' ' << quillmark::kVersionText << '\n';
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
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QApplication::setPalette(QApplication::style()->standardPalette());

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
