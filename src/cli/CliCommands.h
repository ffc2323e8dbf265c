#pragma once

#include "model/TopicTreeOrder.h"

#include <iosfwd>
#include <string>
#include <vector>

namespace quillmark::cli {

// A subcommand: its name, its usage line, one line of summary and the
// handler, which writes its result to `out` and throws on failure
// (QuillError: exit 1) or wrong usage (UsageError: exit 2).
struct CliCommand {
    const char* Name;
    const char* Usage;
    const char* Summary;
    void (*Run)(const std::vector<std::string>& words, std::ostream& out);
};

// Thrown by a handler that has written its whole result but must end the
// process with another exit code (check-links with findings: 1). RunCli
// prints no message for it.
struct ExitStatus {
    int Code;
};

const std::vector<CliCommand>& Commands();

// Runs the command named by args[0]; returns the process exit code.
int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// The topics with two spaces per level, the identifier, a tab and the title.
void PrintTopicTree(std::ostream& out, const TDocProject& project,
                    const std::vector<TTopicTreeEntry>& entries);

// The handlers, one file each.
void RunNew(const std::vector<std::string>& words, std::ostream& out);
void RunImportMarkdown(const std::vector<std::string>& words, std::ostream& out);
void RunTree(const std::vector<std::string>& words, std::ostream& out);
void RunAddTopic(const std::vector<std::string>& words, std::ostream& out);
void RunExpand(const std::vector<std::string>& words, std::ostream& out);
void RunImportHtml(const std::vector<std::string>& words, std::ostream& out);
void RunPublish(const std::vector<std::string>& words, std::ostream& out);
void RunCheckLinks(const std::vector<std::string>& words, std::ostream& out);
void RunFind(const std::vector<std::string>& words, std::ostream& out);
void RunHelpIds(const std::vector<std::string>& words, std::ostream& out);

} // namespace quillmark::cli
