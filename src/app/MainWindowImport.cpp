#include "app/MainWindow.h"
#include "base/TextUtils.h"
#include "base/Translation.h"
#include "editor/MarkdownFolderImport.h"

namespace quillmark {

void TMainWindow::ImportMarkdownFolder1Click() {
    Guarded([&] {
        TFileDialogRequest request;
        request.Title = Translate("Import Markdown Folder");
        request.ChooseFolder = true;
        request.MustExist = true;
        const std::optional<std::string> folder = FPorts.Prompts.OpenFile(request);
        if (!folder)
            return;
        const TMarkdownImportReport report = ImportMarkdownFolder(FState.FProject, *folder);
        FEditor->ApplyEditorCss(); // the profile may have received the note box rules
        RebuildTree();
        SelectTopicNode(report.RootIDs.front());
        const std::string done = FormatText(Translate("Imported %s topics."),
                                            {std::to_string(report.TopicCount)});
        FPorts.View.SetStatusText(done);
        const std::vector<std::string> lines = MarkdownImportReportLines(report);
        if (lines.empty())
            return;
        std::string text = done + "\r\n\r\n";
        for (const std::string& line : lines)
            text += line + "\r\n";
        FPorts.Prompts.ShowWarning(text);
    });
}

} // namespace quillmark
