#include "base/CodePage.h"
#include "base/FileHelpers.h"
#include "base/HtmlEscaping.h"
#include "base/TextUtils.h"
#include "model/DocProject.h"
#include "model/TopicTreeOrder.h"
#include "publish/ChmExport.h"
#include "publish/ChmLanguage.h"
#include "publish/HelpIdMap.h"
#include "publish/HtmlHelpers.h"
#include "publish/PublishSteps.h"
#include "publish/TopicIndex.h"

#include <algorithm>
#include <filesystem>
#include <unordered_set>

namespace quillmark {
namespace {

namespace fs = std::filesystem;

constexpr char kChmCodePage[] = "WINDOWS-1251";

// How the text of a file reaches Windows-1251: HTML (contents, index) keeps
// every character through references; the project file, which is no HTML,
// takes the nearest substitutes.
enum class TChmText { Html, Plain };

// The lines, each ended by CR LF, in Windows-1251.
void WriteChmLines(const std::string& fileName, const std::vector<std::string>& lines,
                   TChmText kind) {
    std::string text;
    for (const std::string& line : lines) {
        text += line;
        text += "\r\n";
    }
    WriteFileAtomically(fileName, kind == TChmText::Html
                                      ? Utf8ToCodePageWithCharRefs(text, kChmCodePage)
                                      : Utf8ToCodePage(text, kChmCodePage));
}

std::string TopicFile(const std::string& id) {
    return "topics/" + id + ".html";
}

std::string NameParam(const std::string& name) {
    return "<param name=\"Name\" value=\"" + EncodeHtml(name) + "\">";
}

std::string LocalParam(const TTopic& topic) {
    return "<param name=\"Local\" value=\"" + TopicFile(topic.FID) + "\">";
}

void AppendSitemapEntry(std::vector<std::string>& lines, const TTopic& topic) {
    lines.push_back("<LI><OBJECT type=\"text/sitemap\">");
    lines.push_back(NameParam(topic.FTitle));
    lines.push_back(LocalParam(topic));
    lines.push_back("</OBJECT>");
}

// An index term: its name, then the page it leads to, or for a term of
// several topics each topic's title and page.
void AppendIndexEntry(std::vector<std::string>& lines, const TTopicIndexEntry& entry) {
    lines.push_back("<LI><OBJECT type=\"text/sitemap\">");
    lines.push_back(NameParam(entry.Term));
    for (const TTopic* topic : entry.Topics) {
        if (entry.Topics.size() > 1)
            lines.push_back(NameParam(topic->FTitle));
        lines.push_back(LocalParam(*topic));
    }
    lines.push_back("</OBJECT>");
}

// A page that opens the topic at once, for a help ID that cannot lead to
// the topic's own page. Its text names the topic, with a word of ASCII
// letters, which chmcmd's full-text indexer needs on every page.
std::string ChmForwardPage(const TTopic& topic) {
    const std::string url = "../" + TopicFile(topic.FID);
    const std::string title = EncodeHtml(topic.FTitle);
    return "<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; "
           "charset=windows-1251\"><meta http-equiv=\"refresh\" content=\"0; url=" +
           url + "\"><title>" + title + "</title></head><body><p>Topic: <a href=\"" + url +
           "\">" + title + "</a></p></body></html>";
}

} // namespace

std::string ChmTopicFile(const TDocProject& project, const std::string& id) {
    // Depth first in contents order; each topic is looked at once, so child
    // lists that form a cycle end.
    std::vector<std::string> pending{id};
    std::unordered_set<std::string> seen;
    while (!pending.empty()) {
        const std::string current = pending.back();
        pending.pop_back();
        const TTopic* topic = project.FTopics.Find(current);
        if (topic == nullptr || !seen.insert(current).second)
            continue;
        if (!topic->FExcludeChm)
            return TopicFile(current);
        pending.insert(pending.end(), topic->FChildren.rbegin(), topic->FChildren.rend());
    }
    return {};
}

std::string FirstChmTopicFile(const TDocProject& project) {
    for (const std::string& id : project.FRootTopicIDs) {
        std::string file = ChmTopicFile(project, id);
        if (!file.empty())
            return file;
    }
    return {};
}

void WriteChmToc(const TDocProject& project, const std::string& outputFolder) {
    std::vector<std::string> lines = {
        "<!DOCTYPE HTML PUBLIC \"-//IETF//DTD HTML//EN\">",
        "<HTML>",
        "<HEAD>",
        "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1251\">",
        "</HEAD>",
        "<BODY>",
        "<OBJECT type=\"text/site properties\"></OBJECT>",
        "<UL>",
    };
    // Depths of the topics whose child list is open ("<UL>" written).
    std::vector<int> openLists;
    int skipBelow = -1; // depth of an excluded topic whose subtree is left out
    for (const TTopicTreeEntry& entry : TopicTreeOrder(project)) {
        if (skipBelow >= 0 && entry.Depth > skipBelow)
            continue;
        skipBelow = -1;
        while (!openLists.empty() && openLists.back() >= entry.Depth) {
            lines.push_back("</UL>");
            openLists.pop_back();
        }
        const TTopic& topic = *project.FTopics.Find(entry.Id);
        if (topic.FExcludeChm) {
            skipBelow = entry.Depth;
            continue;
        }
        AppendSitemapEntry(lines, topic);
        if (!topic.FChildren.empty()) {
            lines.push_back("<UL>");
            openLists.push_back(entry.Depth);
        }
    }
    for (size_t i = 0; i < openLists.size(); ++i)
        lines.push_back("</UL>");
    lines.insert(lines.end(), {"</UL>", "</BODY>", "</HTML>"});
    WriteChmLines(JoinPath(outputFolder, "toc.hhc"), lines, TChmText::Html);
}

void WriteChmIndex(const TDocProject& project, const std::string& outputFolder) {
    std::vector<std::string> lines = {"<HTML><BODY><UL>"};
    for (const TTopicIndexEntry& entry :
         BuildTopicIndex(project, [](const TTopic& topic) { return !topic.FExcludeChm; },
                         TIndexTerms::TitlesEntriesAndKeywords))
        AppendIndexEntry(lines, entry);
    lines.push_back("</UL></BODY></HTML>");
    WriteChmLines(JoinPath(outputFolder, "index.hhk"), lines, TChmText::Html);
}

void WriteChmProjectFile(const std::string& outputFolder, const TChmProjectOptions& options,
                         const std::vector<std::string>& pages) {
    std::vector<std::string> lines = {
        "[OPTIONS]",
        "Compiled file=" + options.CompiledFile,
        "Contents file=toc.hhc",
        "Index file=index.hhk",
    };
    if (!options.DefaultTopic.empty())
        lines.push_back("Default topic=" + options.DefaultTopic);
    // A line break in the title would start a new option.
    std::string title = options.Title;
    std::replace_if(title.begin(), title.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
    lines.push_back("Title=" + title);
    lines.push_back("Language=" + ChmLanguageLine(options.Language));
    lines.insert(lines.end(), {"Full-text search=Yes", "", "[FILES]", "toc.hhc", "index.hhk"});
    lines.insert(lines.end(), pages.begin(), pages.end());
    lines.push_back("style.css");
    const fs::path assets = fs::path(JoinPath(outputFolder, "assets"));
    if (DirectoryExists(assets.string())) {
        // Only real files: the compiler would otherwise pack whatever a
        // symbolic link points at, wherever that lies.
        for (const fs::directory_entry& entry : fs::recursive_directory_iterator(assets))
            if (entry.is_regular_file() && !entry.is_symlink())
                lines.push_back("assets/" + entry.path().lexically_relative(assets).string());
    }
    if (options.HelpIds)
        lines.insert(lines.end(), {"", "[ALIAS]", std::string("#include ") + kChmAliasFile, "",
                                   "[MAP]", std::string("#include ") + kChmMapFile});
    WriteChmLines(JoinPath(outputFolder, "project.hhp"), lines, TChmText::Plain);
}

TChmHelpIdFiles WriteChmHelpIdFiles(const TDocProject& project, const std::string& outputFolder) {
    const std::vector<THelpIdEntry> entries =
        ProjectHelpIds(project, [](const TTopic& topic) { return !topic.FExcludeChm; });
    if (entries.empty())
        return {};
    TChmHelpIdFiles files;
    std::vector<std::string> aliases;
    std::unordered_set<const TTopic*> aliased;
    for (const THelpIdEntry& entry : entries) {
        std::string target = TopicFile(entry.Topic->FID);
        // chmcmd keeps one alias per file of the help: a topic's further IDs
        // lead to pages of their own that forward to the topic.
        if (!aliased.insert(entry.Topic).second) {
            target = std::string(kChmForwardFolder) + "/" + entry.Name + ".html";
            const std::string folder = EnsureOutputSubfolder(outputFolder, kChmForwardFolder);
            WriteFileAtomically(JoinPath(folder, entry.Name + ".html"),
                                Utf8ToCodePageWithCharRefs(
                                    ChmForwardPage(*entry.Topic), kChmCodePage));
            files.Pages.push_back(target);
        }
        aliases.push_back(entry.Name + "=" + target);
    }
    WriteChmLines(JoinPath(outputFolder, kChmAliasFile), aliases, TChmText::Plain);
    WriteChmLines(JoinPath(outputFolder, kChmMapFile), SplitLines(HelpIdHeaderText(entries)),
                  TChmText::Plain);
    files.Written = files.Pages;
    files.Written.insert(files.Written.end(), {kChmAliasFile, kChmMapFile});
    return files;
}

} // namespace quillmark
