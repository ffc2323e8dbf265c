#include "app/HelpIdFields.h"
#include "app/MainWindow.h"
#include "base/FileHelpers.h"
#include "base/QuillError.h"
#include "base/TextUtils.h"
#include "base/Translation.h"
#include "publish/HelpIdMap.h"

namespace quillmark {

void TMainWindow::btnAssignHelpNumbersClick() {
    Guarded([&] {
        const std::string id = SelectedKnownTopic();
        if (id.empty())
            return;
        TTopicPropertyFields fields = FPorts.View.ReadTopicProperties();
        std::vector<THelpId> helpIds = ParseHelpIdLines(fields.HelpIds);
        AssignHelpNumbers(FState.FProject, id, helpIds);
        fields.HelpIds = HelpIdLines(helpIds);
        FPorts.View.ShowTopicProperties(fields);
        SetStatusText(Translate("Help ID numbers assigned; Apply saves them."));
    });
}

void TMainWindow::SaveHelpIdMap1Click() {
    Guarded([&] {
        TFileDialogRequest request;
        request.Title = Translate("Save Help ID Map");
        request.Filter = "C/C++ header (*.h)|*.h|JSON (*.json)|*.json|CSV (*.csv)|*.csv";
        request.DefaultExt = "h";
        request.FileName = "help_ids.h";
        request.InitialFolder = FState.FProject.FRootPath;
        request.ConfirmOverwrite = true;
        const std::optional<std::string> chosen = FPorts.Prompts.SaveFile(request);
        if (!chosen)
            return;
        std::string extension = ExtractFileExt(*chosen);
        if (!extension.empty())
            extension.erase(0, 1);
        const std::optional<THelpIdMapFormat> format =
            HelpIdMapFormatNamed(AsciiLower(extension));
        if (!format)
            throw QuillError(FormatText(
                Translate("A help ID map is saved as a C/C++ header (.h), JSON (.json) or CSV "
                          "(.csv) file; \"%s\" is none of these."),
                {*chosen}));
        WriteFileAtomically(*chosen, PublishedHelpIdMap(FState.FProject, *format));
        SetStatusText(Translate("Help ID map saved: ") + *chosen);
    });
}

} // namespace quillmark
