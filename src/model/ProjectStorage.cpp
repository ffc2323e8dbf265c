#include "model/ProjectStorage.h"

#include "base/FileHelpers.h"
#include "base/Json.h"
#include "base/JsonRead.h"
#include "base/QuillError.h"
#include "base/TextUtils.h"
#include "base/Translation.h"
#include "model/ProjectLinks.h"
#include "model/TopicId.h"

#include <cstdio>
#include <exception>
#include <filesystem>
#include <optional>

namespace quillmark {

namespace {

const char* const kProjectJson = "project.json";
const char* const kTopicsJson = "meta/topics.json";

// The topics file is written straight as text, the same bytes WriteJson gives
// for the object of its members, without building those values first.
void AppendStringArray(std::string& out, const std::vector<std::string>& items) {
    out += '[';
    for (size_t i = 0; i < items.size(); ++i) {
        if (i > 0)
            out += ',';
        AppendJsonString(out, items[i]);
    }
    out += ']';
}

// [{"name":"IDH_PAIRING","number":1001},{"name":"IDH_OTHER"}]: "number"
// only when the ID has one.
void AppendHelpIds(std::string& out, const std::vector<THelpId>& ids) {
    out += '[';
    for (const THelpId& id : ids) {
        out += out.back() == '[' ? "{\"name\":" : ",{\"name\":";
        AppendJsonString(out, id.FName);
        if (id.FNumber != 0)
            out += ",\"number\":" + std::to_string(id.FNumber);
        out += '}';
    }
    out += ']';
}

void AppendTopicJson(std::string& out, const TTopic& topic) {
    const auto member = [&out](const char* name) {
        out += out.back() == '{' ? "\"" : ",\"";
        out += name;
        out += "\":";
    };
    const auto flag = [&](const char* name, bool value) {
        member(name);
        out += value ? "true" : "false";
    };
    out += '{';
    member("id");
    AppendJsonString(out, topic.FID);
    member("title");
    AppendJsonString(out, topic.FTitle);
    // Written for other tools; the loader always derives the page path itself.
    member("htmlPath");
    AppendJsonString(out, "topics\\" + topic.FID + ".html");
    member("parentId");
    AppendJsonString(out, topic.FParentID);
    flag("excludeWeb", topic.FExcludeWeb);
    flag("excludeChm", topic.FExcludeChm);
    flag("excludePdf", topic.FExcludePdf);
    member("children");
    AppendStringArray(out, topic.FChildren);
    member("keywords");
    AppendStringArray(out, topic.FKeywords);
    member("index");
    AppendStringArray(out, topic.FIndexEntries);
    // Only topics with help IDs carry the member, so the tree files of
    // projects without them stay as they were.
    if (!topic.FHelpIds.empty()) {
        member("helpIds");
        AppendHelpIds(out, topic.FHelpIds);
    }
    out += '}';
}

std::string TopicsFileText(const TDocProject& project) {
    std::string out = "{\"rootTopicIds\":";
    AppendStringArray(out, project.FRootTopicIDs);
    out += ",\"topics\":[";
    for (const std::string& id : project.FTopics.Ids()) {
        if (out.back() != '[')
            out += ',';
        AppendTopicJson(out, *project.FTopics.Find(id));
    }
    out += "]}";
    return out;
}

// A file the program could not parse is never written over: before the first
// write it moves aside as "<name>.unreadable" (".unreadable.2", ... when
// taken), so a hand-editing mistake never costs the author its content.
void KeepUnreadableFile(const std::string& path, std::string_view currentText) {
    if (StartsWith(currentText, "\xEF\xBB\xBF"))
        currentText.remove_prefix(3);
    if (IsJsonText(currentText))
        return;
    std::string kept = path + ".unreadable";
    for (int n = 2; FileExists(kept) || DirectoryExists(kept); ++n)
        kept = path + ".unreadable." + std::to_string(n);
    if (std::rename(path.c_str(), kept.c_str()) != 0)
        throw QuillError(FormatText(Translate("Cannot keep the unreadable file %s aside; "
                                              "nothing was written."),
                                    {path}));
}

} // namespace

// A file that holds exactly the text already is not written again, so saving
// an unchanged project rewrites nothing.
void WriteJsonFileKeepingUnreadable(const std::string& path, const std::string& text) {
    if (FileExists(path)) {
        const std::string current = ReadFileBytes(path);
        if (current == text)
            return;
        KeepUnreadableFile(path, current);
    }
    WriteTextFileUtf8(path, text);
}

namespace {

void SaveProjectFolderTo(const std::string& folder, const TDocProject& project) {
    RequireProjectFoldersInside(folder);
    EnsureDir(folder);
    EnsureDir(JoinPath(folder, "meta"));

    JsonValue projectJson = JsonValue::Object();
    projectJson.Add("title", JsonValue::String(project.FTitle));
    projectJson.Add("styleProfile", JsonValue::String(project.FStyleProfile));
    WriteJsonFileKeepingUnreadable(JoinPath(folder, kProjectJson), WriteJson(projectJson));
    WriteJsonFileKeepingUnreadable(JoinPath(folder, kTopicsJson), TopicsFileText(project));
}

// A tree file that is there but cannot be used: read as missing, or refused
// as `damaged` says.
void TreatAsMissing(const std::string& path, TDamagedFile damaged) {
    if (damaged == TDamagedFile::Fail)
        throw FileProblem(path, Translate(kNotJsonText));
}

// The text of a tree file, or nothing when it is missing (or no file).
std::optional<std::string> ReadTreeFile(const std::string& path, TDamagedFile damaged) {
    if (FileExists(path))
        return ReadTextFileUtf8(path);
    std::error_code ec;
    if (std::filesystem::exists(path, ec))
        TreatAsMissing(path, damaged);
    return std::nullopt;
}

// Parsed JSON of a file, or nothing when the file is missing or not JSON.
std::optional<JsonValue> ReadJsonFile(const std::string& path, TDamagedFile damaged) {
    const std::optional<std::string> text = ReadTreeFile(path, damaged);
    if (!text)
        return std::nullopt;
    std::optional<JsonValue> json = ParseJsonFileText(path, *text);
    if (!json)
        TreatAsMissing(path, damaged);
    return json;
}

QuillError TreeFileError(const std::string& path, const std::string& problem) {
    return QuillError(FormatText(Translate("Invalid topics file %s: %s"), {path, problem}));
}

// Appends the text of every element of an optional array member.
void AppendTexts(const JsonValue& object, const char* name, std::vector<std::string>& list,
                 const std::string& path) {
    const JsonValue* member = object.Find(name);
    if (member == nullptr)
        return;
    if (!member->IsArray())
        throw TreeFileError(path, FormatText(Translate("\"%s\" is not an array."), {name}));
    for (const JsonValue& element : member->Elements())
        list.push_back(JsonValueText(element));
}

// The identifier between quotes with control characters made visible, so a
// message never carries a raw line break or escape sequence.
std::string QuotedForMessage(const std::string& text) {
    static const char hex[] = "0123456789ABCDEF";
    std::string quoted = "\"";
    for (const char c : text) {
        const auto code = static_cast<unsigned char>(c);
        if (code < 0x20 || code == 0x7F) {
            quoted += "\\x";
            quoted += hex[code >> 4];
            quoted += hex[code & 0xF];
        } else {
            quoted += c;
        }
    }
    return quoted + "\"";
}

// The optional "helpIds" member of a topic entry. An entry without a name is
// skipped; a number must be a whole number from 1 to 2147483647. Names are
// kept as written: the link check reports names that are no C identifiers
// and duplicates, and the outputs leave them out.
void LoadHelpIds(const JsonValue& entry, const std::string& path, std::vector<THelpId>& ids) {
    const JsonValue* member = entry.Find("helpIds");
    if (member == nullptr)
        return;
    if (!member->IsArray())
        throw TreeFileError(path, FormatText(Translate("\"%s\" is not an array."), {"helpIds"}));
    for (const JsonValue& element : member->Elements()) {
        if (!element.IsObject())
            throw TreeFileError(path, Translate("an entry of \"helpIds\" is not an object."));
        THelpId id;
        id.FName = ReadJsonText(&element, "name", "");
        if (id.FName.empty())
            continue;
        if (const JsonValue* number = element.Find("number"); number != nullptr) {
            id.FNumber = number->IsNumber() ? HelpNumberFromText(number->Text()) : 0;
            if (id.FNumber == 0)
                throw TreeFileError(
                    path, FormatText(Translate("the help ID %s has the number %s; a help ID "
                                               "number is a whole number from 1 to %s."),
                                     {QuotedForMessage(id.FName),
                                      QuotedForMessage(JsonValueText(*number)),
                                      std::to_string(kHighestHelpNumber)}));
        }
        ids.push_back(std::move(id));
    }
}

// One entry of the "topics" array; an entry without an identifier is skipped.
void LoadTopicEntry(const JsonValue& entry, const std::string& folder, const std::string& path,
                    TDocProject& project) {
    if (!entry.IsObject())
        throw TreeFileError(path, Translate("an entry of \"topics\" is not an object."));
    const std::string id = ReadJsonText(&entry, "id", "");
    if (id.empty())
        return;
    if (!IsSafeTopicId(id))
        throw TreeFileError(
            path, FormatText(Translate("the topic identifier %s is not allowed: an "
                                       "identifier must not be \".\" or \"..\" nor hold "
                                       "\"/\", \"\\\" or control characters."),
                             {QuotedForMessage(id)}));
    if (project.HasTopic(id))
        throw TreeFileError(path, FormatText(Translate("the topic identifier %s occurs twice."),
                                             {QuotedForMessage(id)}));
    auto topic = std::make_unique<TTopic>();
    topic->FID = id;
    topic->FTitle = ReadJsonText(&entry, "title", "");
    topic->FParentID = ReadJsonText(&entry, "parentId", "");
    topic->FHtmlPath = IncludeTrailingPathDelimiter(folder) + "topics/" + id + ".html";
    topic->FExcludeWeb = ReadJsonBoolean(&entry, "excludeWeb", false);
    topic->FExcludeChm = ReadJsonBoolean(&entry, "excludeChm", false);
    topic->FExcludePdf = ReadJsonBoolean(&entry, "excludePdf", false);
    AppendTexts(entry, "children", topic->FChildren, path);
    AppendTexts(entry, "keywords", topic->FKeywords, path);
    AppendTexts(entry, "index", topic->FIndexEntries, path);
    LoadHelpIds(entry, path, topic->FHelpIds);
    project.FTopics.Add(std::move(topic));
}

// The topics file, read as it is parsed: each entry of "topics" becomes a
// topic as soon as it has been read, so the entries' values are never held
// all at once. The outcome is that of checking the whole file first: a file
// that is not JSON counts as missing, and then "rootTopicIds", "topics" and
// the entries in their order are checked, the first problem failing the load.
void LoadTopicsFile(const std::string& path, const std::string& folder, TDocProject& project,
                    TDamagedFile damaged) {
    const std::optional<std::string> text = ReadTreeFile(path, damaged);
    if (!text)
        return;
    std::exception_ptr entryError;
    std::optional<JsonValue> tree;
    try {
        tree = ParseJsonStreamingMember(*text, "topics", [&](JsonValue&& entry) {
            if (entryError)
                return;
            try {
                LoadTopicEntry(entry, folder, path, project);
            } catch (const QuillError&) {
                entryError = std::current_exception();
            }
        });
    } catch (const JsonTooDeepError& e) {
        throw TreeFileError(path, e.what());
    }
    if (!tree) {
        project.FTopics.Clear();
        TreatAsMissing(path, damaged);
        return;
    }
    if (!tree->IsObject())
        throw TreeFileError(path, Translate("the file does not hold a JSON object."));
    AppendTexts(*tree, "rootTopicIds", project.FRootTopicIDs, path);
    const JsonValue* topics = tree->Find("topics");
    if (topics != nullptr && !topics->IsArray())
        throw TreeFileError(path, FormatText(Translate("\"%s\" is not an array."), {"topics"}));
    if (entryError)
        std::rethrow_exception(entryError);
}

} // namespace

void EnsureProjectFolders(const std::string& rootPath) {
    RequireProjectFoldersInside(rootPath);
    EnsureDir(rootPath);
    for (const char* sub : {"topics", "meta", "assets/images", "build", "styles", "internal/editor",
                            "internal/webhelp"})
        EnsureDir(JoinPath(rootPath, sub));
}

void SaveProjectFolder(const TDocProject& project) {
    SaveProjectFolderTo(project.FRootPath, project);
}

void LoadProjectFolder(const std::string& folder, TDocProject& project, TDamagedFile damaged) {
    project.Clear();
    project.FRootPath = folder;
    // Fill a fresh project and take it over only when the whole load succeeded.
    TDocProject loaded;
    loaded.Clear();
    loaded.FRootPath = folder;

    if (const auto json = ReadJsonFile(JoinPath(folder, kProjectJson), damaged);
        json && json->IsObject()) {
        loaded.FTitle = ReadJsonText(&*json, "title", loaded.FTitle);
        loaded.FStyleProfile = ReadJsonText(&*json, "styleProfile", "default");
        if (loaded.FStyleProfile.empty())
            loaded.FStyleProfile = "default";
    }
    LoadTopicsFile(JoinPath(folder, kTopicsJson), folder, loaded, damaged);
    project = std::move(loaded);
}

std::string ProjectFolderForFile(const std::string& fileName) {
    std::string name = FileNameWithoutExt(fileName);
    if (name.empty())
        name = "Project";
    const std::string dir = ExtractFileDir(fileName);
    return JoinPath(dir.empty() ? "." : dir, name);
}

namespace {

// "root" as stored: relative to the project file's folder when the project
// folder lies inside it, so that the two can be copied or moved together;
// the absolute path otherwise.
std::string StoredRoot(const std::string& fileName, const std::string& folder) {
    const std::filesystem::path relative =
        std::filesystem::path(folder).lexically_relative(ExtractFileDir(fileName));
    if (relative.empty() || *relative.begin() == ".." || *relative.begin() == ".")
        return folder;
    return relative.generic_string();
}

bool IsProjectFolder(const std::string& folder) {
    return FileExists(JoinPath(folder, kProjectJson));
}

} // namespace

void WriteProjectFile(const std::string& givenName, const TDocProject& project,
                      const std::string& givenFolder) {
    // Relative names are resolved first, so that "root" is right for the
    // file wherever it is read from.
    const std::string fileName = AbsolutePath(givenName);
    EnsureDir(ExtractFileDir(fileName));
    const std::string folder = givenFolder.empty()
                                   ? ProjectFolderForFile(fileName)
                                   : ExcludeTrailingPathDelimiter(AbsolutePath(givenFolder));
    EnsureDir(folder);

    JsonValue file = JsonValue::Object();
    file.Add("version", JsonValue::String("1.0"));
    file.Add("title", JsonValue::String(project.FTitle));
    file.Add("root", JsonValue::String(StoredRoot(fileName, ExcludeTrailingPathDelimiter(folder))));
    WriteTextFileUtf8Bom(fileName, WriteJson(file));

    SaveProjectFolderTo(IncludeTrailingPathDelimiter(folder), project);
}

TProjectFileInfo ReadProjectFile(const std::string& fileName) {
    if (!FileExists(fileName))
        throw QuillError("Project file not found: " + fileName);
    const auto json = ParseJsonFileText(fileName, ReadTextFileUtf8(fileName));
    if (!json || !json->IsObject())
        throw QuillError("Invalid project file: " + fileName);
    for (const char* member : {"title", "root"})
        if (json->Find(member) == nullptr)
            throw QuillError("Invalid project file: " + fileName + " (the member \"" + member +
                             "\" is missing)");

    TProjectFileInfo info;
    info.Title = ReadJsonText(&*json, "title", "");
    std::string folder = ReadJsonText(&*json, "root", "");
    const std::string fallback = ProjectFolderForFile(AbsolutePath(fileName));
    if (folder.empty()) {
        folder = fallback;
    } else if (folder.front() != kPathDelim) {
        folder = AbsolutePath(JoinPath(ExtractFileDir(AbsolutePath(fileName)), folder));
    } else if (IsProjectFolder(fallback)) {
        // A project file copied or moved together with its folder opens the
        // folder beside it, not the one it was saved with.
        folder = fallback;
    }
    if (!IsProjectFolder(folder) && IsProjectFolder(fallback))
        folder = fallback;
    info.Folder = ExcludeTrailingPathDelimiter(folder);
    return info;
}

} // namespace quillmark
