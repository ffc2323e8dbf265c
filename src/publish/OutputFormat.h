#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace quillmark {

class TDocProject;
class TProjectSettings;
class IClock;
class IProcessRunner;

// What one publishing run needs beside the project. The window and the
// command-line tool fill it in; the save step and opening the result belong
// to them, not to the export.
struct TPublishContext {
    const TDocProject& Project;
    const TProjectSettings& Settings;
    IProcessRunner& Runner;
    // How long the outside program's result is waited for (the PDF file).
    IClock& Clock;
    // Run the outside program (help compiler, PDF printer) after writing the
    // sources; off for `--no-compile` / `--no-print`.
    bool RunOutsideProgram = true;
    // The help compiler or browser to use; empty: look for one.
    std::string ProgramPath;
    // Progress lines for long exports ("Writing topics 1200/10000"); optional.
    std::function<void(const std::string&)> Progress;
};

// One kind of output (WebHelp, CHM, PDF). Every format has this shape and is
// listed once in `OutputFormats()`, used by the Publish menu and the CLI.
class IOutputFormat {
public:
    virtual ~IOutputFormat() = default;
    virtual std::string Name() const = 0;  // "webhelp", "chm", "pdf"
    // The folder the format writes into, inside the project's "build" folder.
    virtual std::string OutputFolder(const TDocProject& project) const = 0;
    // Writes the output and returns the path of its main file (the site's
    // "index.html", "help.chm", "manual.pdf" or, when the outside program was
    // not run, the main source file). Failures raise a QuillError.
    virtual std::string Publish(const TPublishContext& context) const = 0;
};

const std::vector<std::unique_ptr<IOutputFormat>>& OutputFormats();
// nullptr when no format has that name.
const IOutputFormat* FindOutputFormat(const std::string& name);

} // namespace quillmark
