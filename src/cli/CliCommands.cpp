#include "cli/CliCommands.h"

#include "base/QuillError.h"
#include "base/Version.h"
#include "cli/CliArgs.h"

#include <exception>
#include <ostream>

namespace quillmark::cli {

const std::vector<CliCommand>& Commands() {
    static const std::vector<CliCommand> commands = {
        {"new", "new FILE.hff [--title TEXT]",
         "create a project with one \"Welcome\" topic; prints the project file's path", RunNew},
        {"tree", "tree PROJECT", "print the contents tree: indent, identifier, tab, title",
         RunTree},
        {"add-topic", "add-topic PROJECT --title TEXT [--parent ID]",
         "add a topic (last root topic, or last child of ID); prints its identifier",
         RunAddTopic},
        {"expand", "expand PROJECT TOPIC_ID",
         "print the topic's page with variables, snippets and conditions resolved, as published",
         RunExpand},
        {"import-html", "import-html PROJECT FILE.html [--title TEXT] [--allow-outside-files]",
         "import an HTML page and the local files of its folder as a new root topic; prints "
         "its identifier",
         RunImportHtml},
        {"import-markdown", "import-markdown PROJECT DIR [--under ID] [--allow-outside-files]",
         "import a folder of Markdown pages (mkdocs.yml nav or folder tree) as topics; prints "
         "the new topics as tree does",
         RunImportMarkdown},
        {"publish", "publish PROJECT --format webhelp|chm|pdf|all [--no-compile] [--no-print]",
         "publish into the project's build folder; prints the main output file of each format",
         RunPublish},
        {"check-links", "check-links PROJECT",
         "list missing pages, broken topic links and missing local files; exit 1 when any",
         RunCheckLinks},
        {"find", "find PROJECT TEXT [--regex] [--match-case] [--whole-word] [--titles]",
         "search the stored pages and headers (and titles) for TEXT; prints \"title: context\" "
         "lines; exit 1 when nothing is found",
         RunFind},
        {"help-ids", "help-ids PROJECT [--format h|json|csv]",
         "print the map of the topics' help IDs for programmers: a C/C++ header (default), "
         "JSON or CSV",
         RunHelpIds},
    };
    return commands;
}

namespace {

void PrintUsage(std::ostream& err) {
    err << "usage: quillmark-cli COMMAND [ARGUMENTS]\n       quillmark-cli --help | --version\n\n"
           "PROJECT is a project file (.hff).\n\n";
    for (const CliCommand& command : Commands())
        err << "  " << command.Usage << "\n      " << command.Summary << "\n";
}

const CliCommand* FindCommand(const std::string& name) {
    for (const CliCommand& command : Commands())
        if (name == command.Name)
            return &command;
    return nullptr;
}

} // namespace

int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.empty() || args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
        PrintUsage(args.empty() ? err : out);
        return args.empty() ? 2 : 0;
    }
    if (args.size() == 1 && args[0] == "--version") {
        out << "quillmark-cli " << kVersionText << "\n";
        return 0;
    }
    const CliCommand* command = FindCommand(args[0]);
    if (command == nullptr) {
        err << "quillmark-cli: unknown command \"" << args[0] << "\"\n";
        PrintUsage(err);
        return 2;
    }
    try {
        command->Run(std::vector<std::string>(args.begin() + 1, args.end()), out);
        out.flush();
        return 0;
    } catch (const ExitStatus& status) {
        out.flush();
        return status.Code;
    } catch (const UsageError& e) {
        err << "quillmark-cli: " << e.what() << "\nusage: quillmark-cli " << command->Usage
            << "\n";
        return 2;
    } catch (const std::exception& e) {
        err << "quillmark-cli: " << e.what() << "\n";
        return 1;
    }
}

} // namespace quillmark::cli
