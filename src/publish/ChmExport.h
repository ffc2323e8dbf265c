#pragma once

#include "publish/OutputFormat.h"

#include <string>
#include <string_view>
#include <vector>

namespace quillmark {

class IHelpCompilerPrompts;
struct THelpCompilerPlaces;

// The name of the compiled help file in the CHM output folder.
inline constexpr char kChmCompiledFile[] = "help.chm";

// Compiled HTML Help: the sources of a help project in "build/chm" (pages,
// contents, index and project file in Windows-1251, "style.css", assets),
// compiled into "help.chm" by the help compiler.
class TChmOutputFormat final : public IOutputFormat {
public:
    std::string Name() const override { return "chm"; }
    std::string OutputFolder(const TDocProject& project) const override;
    // Asks the user nothing: a compiler that cannot be found is an error.
    std::string Publish(const TPublishContext& context) const override;
};

// Writes the sources into the project's "build/chm" folder and, when the
// context asks for it, compiles them (with context.ProgramPath when set).
// The settings are read afresh from the project's settings file, so that
// what is published is what was last saved; context.Settings is not used. Returns the path of
// "help.chm", or of "project.hhp" when the compiler was not run. TCompilerSelectionCancelled when
// the user declines to pick a compiler.
std::string ExportChm(const TPublishContext& context, IHelpCompilerPrompts& prompts,
                      const THelpCompilerPlaces& places);

// The pieces of one help page.
struct TChmPage {
    std::string_view Title;    // the topic title, plain text
    std::string_view Language; // the content language ("en")
    std::string_view BodyHtml;
    std::string_view HeaderHtml;
    std::string_view HeaderBg;
    std::string_view PageBg;
    std::string_view FooterHtml;
};

// One help page: the fixed head with the title, the language and the page
// and header backgrounds, the header, the body and the footer, with no line
// breaks between the pieces. The page adds no typography of its own.
std::string BuildChmPage(const TChmPage& page);

// The cells of the page's first table row get the colour as "bgcolor" and
// inline background colour; the rest of the page is unchanged.
std::string ApplyHeaderRowColor(std::string_view html, std::string_view color);

// Removes U+FEFF, U+200B, U+200C, U+200D, U+2060 and U+00AD.
std::string RemoveInvisibleChars(std::string_view text);

// Turns upright every JPEG in the output "assets" folder that an exported
// topic's source page refers to and whose EXIF orientation is 3, 6 or 8.
void NormalizeChmJpegs(const TDocProject& project, const std::string& outputFolder);

// "topics/<id>.html" of the topic when it is exported, else the first such
// file of its descendants in contents order; empty when there is none.
std::string ChmTopicFile(const TDocProject& project, const std::string& id);
// The first ChmTopicFile of the root topics, in root order.
std::string FirstChmTopicFile(const TDocProject& project);

// "toc.hhc", "index.hhk" and "project.hhp" in the output folder (Windows-1251,
// CR LF after every line). In the contents and the index, names are HTML
// (references for "&", "<", ">" and the double quote) and characters the
// code page lacks are character references. The index lists every exported
// topic by its title and by its index entries and keywords (BuildTopicIndex),
// sorted; a term of several topics names each under it.
void WriteChmToc(const TDocProject& project, const std::string& outputFolder);
void WriteChmIndex(const TDocProject& project, const std::string& outputFolder);

// The [OPTIONS] of "project.hhp" beside the files.
struct TChmProjectOptions {
    std::string CompiledFile;
    std::string DefaultTopic; // no "Default topic" line when empty
    std::string Title;        // the project title
    std::string Language;     // the content language; ChmLanguageLine gives the line
    bool HelpIds = false;     // [ALIAS] and [MAP] sections from kChmAliasFile and kChmMapFile
};
void WriteChmProjectFile(const std::string& outputFolder, const TChmProjectOptions& options,
                         const std::vector<std::string>& pages);

// The files of the help IDs of the topics in the help: "alias.h" ("NAME=
// topics/<id>.html" per ID) and "map.h" (HelpIdHeaderText), for the
// [ALIAS] and [MAP] sections through which a program opens the help at a
// topic by number. chmcmd takes one alias per file, so a topic's second and
// later IDs lead to "context/<NAME>.html", a page that opens the topic.
// Nothing is written when there are no such IDs.
inline constexpr char kChmAliasFile[] = "alias.h";
inline constexpr char kChmMapFile[] = "map.h";
inline constexpr char kChmForwardFolder[] = "context";
struct TChmHelpIdFiles {
    std::vector<std::string> Pages;   // forwarding pages, for [FILES]
    std::vector<std::string> Written; // every file written, relative to the output folder
};
TChmHelpIdFiles WriteChmHelpIdFiles(const TDocProject& project, const std::string& outputFolder);

} // namespace quillmark
