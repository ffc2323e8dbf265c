#include "reuse/ReusableContent.h"

#include "base/FileHelpers.h"
#include "base/Json.h"
#include "base/JsonRead.h"
#include "base/QuillError.h"
#include "base/TextUtils.h"
#include "base/Translation.h"
#include "model/DocProject.h"
#include "model/ProjectStorage.h"

namespace quillmark {

namespace {

constexpr const char* kInvalidTypecast = "Invalid class typecast";

template <typename Entry>
const Entry* FindByName(const std::vector<Entry>& entries, std::string_view name) {
    for (const Entry& entry : entries)
        if (AsciiSameText(entry.Name, name))
            return &entry;
    return nullptr;
}

// Calls `append(element, trimmedName)` for every object element of the
// array member `name` whose trimmed "name" is not empty. A missing member
// is an empty list; any other non-array is a type error.
template <typename Append>
void ReadList(const JsonValue& root, std::string_view name, Append append) {
    const JsonValue* list = root.Find(name);
    if (list == nullptr)
        return;
    if (!list->IsArray())
        throw QuillError("\"" + std::string(name) + "\": " + kInvalidTypecast);
    for (const JsonValue& element : list->Elements()) {
        if (!element.IsObject())
            continue;
        std::string entryName = Trim(ReadJsonText(&element, "name", ""));
        if (!entryName.empty())
            append(element, std::move(entryName));
    }
}

JsonValue NamedEntry(std::string name, std::string_view member, JsonValue value) {
    JsonValue entry = JsonValue::Object();
    entry.Add("name", JsonValue::String(std::move(name)));
    entry.Add(std::string(member), std::move(value));
    return entry;
}

} // namespace

std::string ReusableContentFilePath(const TDocProject& P) {
    return JoinPath(JoinPath(P.FRootPath, "meta"), "reusable_content.json");
}

void TReusableProjectContent::Clear() {
    FVariables.clear();
    FSnippets.clear();
    FConditions.clear();
}

void TReusableProjectContent::LoadFromProject(const TDocProject& P, TDamagedFile damaged) {
    Clear();
    if (P.FRootPath.empty())
        return;
    const std::string path = ReusableContentFilePath(P);
    if (!FileExists(path))
        return;
    const std::optional<JsonValue> root = ParseJsonFileText(path, ReadTextFileUtf8(path));
    if (!root) {
        if (damaged == TDamagedFile::Fail)
            throw FileProblem(path, Translate(kNotJsonText));
        return;
    }
    try {
        ReadLists(*root);
    } catch (const QuillError& e) {
        throw FileProblem(path, e.what());
    }
}

void TReusableProjectContent::ReadLists(const JsonValue& root) {
    if (!root.IsObject())
        throw QuillError(kInvalidTypecast);
    ReadList(root, "variables", [&](const JsonValue& element, std::string name) {
        FVariables.push_back({std::move(name), ReadJsonText(&element, "value", "")});
    });
    ReadList(root, "snippets", [&](const JsonValue& element, std::string name) {
        FSnippets.push_back({std::move(name), ReadJsonText(&element, "html", "")});
    });
    ReadList(root, "conditions", [&](const JsonValue& element, std::string name) {
        FConditions.push_back({std::move(name), ReadJsonFlag(&element, "enabled", true)});
    });
}

void TReusableProjectContent::SaveToProject(const TDocProject& P) const {
    if (P.FRootPath.empty())
        return;
    EnsureDir(JoinPath(P.FRootPath, "meta"));

    JsonValue variables = JsonValue::Array();
    for (const TReusableVariable& variable : FVariables)
        if (std::string name = Trim(variable.Name); !name.empty())
            variables.Append(NamedEntry(std::move(name), "value", JsonValue::String(variable.Value)));
    JsonValue snippets = JsonValue::Array();
    for (const TReusableSnippet& snippet : FSnippets)
        if (std::string name = Trim(snippet.Name); !name.empty())
            snippets.Append(NamedEntry(std::move(name), "html", JsonValue::String(snippet.Html)));
    JsonValue conditions = JsonValue::Array();
    for (const TReusableCondition& condition : FConditions)
        if (std::string name = Trim(condition.Name); !name.empty())
            conditions.Append(
                NamedEntry(std::move(name), "enabled", JsonValue::Boolean(condition.Enabled)));

    JsonValue document = JsonValue::Object();
    document.Add("variables", std::move(variables));
    document.Add("snippets", std::move(snippets));
    document.Add("conditions", std::move(conditions));
    // A damaged file, read as empty by the dialog, is kept aside instead of
    // being written over.
    WriteJsonFileKeepingUnreadable(ReusableContentFilePath(P), WriteJson(document));
}

std::string TReusableProjectContent::VariableValue(std::string_view AName,
                                                   std::string_view ADefault) const {
    const TReusableVariable* variable = FindByName(FVariables, AName);
    return variable ? variable->Value : std::string(ADefault);
}

std::string TReusableProjectContent::SnippetHtml(std::string_view AName,
                                                 std::string_view ADefault) const {
    const TReusableSnippet* snippet = FindSnippet(AName);
    return snippet ? snippet->Html : std::string(ADefault);
}

bool TReusableProjectContent::ConditionEnabled(std::string_view AName, bool ADefault) const {
    const TReusableCondition* condition = FindByName(FConditions, AName);
    return condition ? condition->Enabled : ADefault;
}

const TReusableSnippet* TReusableProjectContent::FindSnippet(std::string_view AName) const {
    return FindByName(FSnippets, AName);
}

} // namespace quillmark
