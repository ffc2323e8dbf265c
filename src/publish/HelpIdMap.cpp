#include "publish/HelpIdMap.h"

#include "base/FileHelpers.h"
#include "base/Json.h"
#include "base/QuillError.h"
#include "model/DocProject.h"
#include "publish/HtmlHelpers.h"
#include "publish/PdfNamedDestinations.h"
#include "publish/PublishSteps.h"

#include <filesystem>

namespace quillmark {

namespace {

// One row of the map, as texts.
struct THelpIdRow {
    const THelpIdEntry* Entry;
    std::string WebHelp;
    int Page = 0; // 0: unknown
};

std::vector<THelpIdRow> HelpIdRows(const std::vector<THelpIdEntry>& entries,
                                   const THelpIdPages& pages) {
    std::vector<THelpIdRow> rows;
    rows.reserve(entries.size());
    for (const THelpIdEntry& entry : entries) {
        THelpIdRow row{&entry, {}, 0};
        if (!entry.Topic->FExcludeWeb)
            row.WebHelp = "index.html#t=" + PercentEncodePath(entry.Topic->FID);
        if (const auto page = pages.find(entry.Topic->FID); page != pages.end())
            row.Page = page->second;
        rows.push_back(std::move(row));
    }
    return rows;
}

std::string NumberText(int number) {
    return number != 0 ? std::to_string(number) : std::string();
}

// A field as RFC 4180 writes it: between double quotes, inner ones doubled,
// when it holds a comma, a quote or a line break.
std::string CsvField(const std::string& text) {
    if (text.find_first_of(",\"\r\n") == std::string::npos)
        return text;
    std::string quoted = "\"";
    for (const char c : text) {
        quoted += c;
        if (c == '"')
            quoted += '"';
    }
    return quoted + "\"";
}

std::string CsvText(const std::vector<THelpIdRow>& rows) {
    std::string out = "name,number,topic,title,webhelp,page\n";
    for (const THelpIdRow& row : rows) {
        const THelpIdEntry& entry = *row.Entry;
        for (const std::string& field :
             {entry.Name, NumberText(entry.Number), entry.Topic->FID, entry.Topic->FTitle,
              row.WebHelp})
            out += CsvField(field) + ",";
        out += NumberText(row.Page) + "\n";
    }
    return out;
}

JsonValue NumberOrNull(int number) {
    return number != 0 ? JsonValue::Integer(number) : JsonValue();
}

std::string JsonText(const std::vector<THelpIdRow>& rows) {
    JsonValue list = JsonValue::Array();
    for (const THelpIdRow& row : rows) {
        JsonValue item = JsonValue::Object();
        item.Add("name", JsonValue::String(row.Entry->Name));
        item.Add("number", NumberOrNull(row.Entry->Number));
        item.Add("topic", JsonValue::String(row.Entry->Topic->FID));
        item.Add("title", JsonValue::String(row.Entry->Topic->FTitle));
        item.Add("webhelp", JsonValue::String(row.WebHelp));
        item.Add("page", NumberOrNull(row.Page));
        list.Append(std::move(item));
    }
    return WriteJson(list) + "\n";
}

} // namespace

std::optional<THelpIdMapFormat> HelpIdMapFormatNamed(std::string_view name) {
    if (name == "h")
        return THelpIdMapFormat::Header;
    if (name == "json")
        return THelpIdMapFormat::Json;
    if (name == "csv")
        return THelpIdMapFormat::Csv;
    return std::nullopt;
}

std::string HelpIdHeaderText(const std::vector<THelpIdEntry>& entries) {
    std::string out = "// Help IDs for context-sensitive help: the help context number of each "
                      "topic. Written by Quillmark.\n";
    for (const THelpIdEntry& entry : entries)
        if (entry.Number != 0)
            out += "#define " + entry.Name + " " + std::to_string(entry.Number) + "\n";
    return out;
}

std::string HelpIdMapText(const TDocProject& project, THelpIdMapFormat format,
                          const THelpIdPages& pages) {
    const std::vector<THelpIdEntry> entries = ProjectHelpIds(project);
    switch (format) {
    case THelpIdMapFormat::Header:
        return HelpIdHeaderText(entries);
    case THelpIdMapFormat::Json:
        return JsonText(HelpIdRows(entries, pages));
    case THelpIdMapFormat::Csv:
        break;
    }
    return CsvText(HelpIdRows(entries, pages));
}

THelpIdPages PrintedTopicPages(const TDocProject& project) {
    namespace fs = std::filesystem;
    const fs::path manual = JoinPath(ProjectBuildFolder(project, "pdf"), "manual.pdf");
    const fs::path tree = JoinPath(project.FRootPath, "meta/topics.json");
    std::error_code manualError;
    std::error_code treeError;
    const fs::file_time_type printed = fs::last_write_time(manual, manualError);
    const fs::file_time_type saved = fs::last_write_time(tree, treeError);
    if (manualError || (!treeError && printed <= saved))
        return {};
    try {
        return ReadNamedDestinationPages(manual.string());
    } catch (const QuillError&) {
        return {};
    }
}

std::string PublishedHelpIdMap(const TDocProject& project, THelpIdMapFormat format) {
    const THelpIdPages pages =
        format == THelpIdMapFormat::Header ? THelpIdPages() : PrintedTopicPages(project);
    return HelpIdMapText(project, format, pages);
}

} // namespace quillmark
