#include "app/RecoveryFile.h"

#include "base/FileHelpers.h"
#include "base/Json.h"
#include "model/ProjectLinks.h"

namespace quillmark {

namespace {

constexpr char kRecoveryFile[] = "internal/recovery.json";

} // namespace

std::string RecoveryFilePath(const std::string& rootPath) {
    return JoinPath(rootPath, kRecoveryFile);
}

std::string RecoveryFileText(const TRecoveredPages& pages) {
    JsonValue topics = JsonValue::Array();
    for (const auto& [id, html] : pages) {
        JsonValue topic = JsonValue::Object();
        topic.Add("id", JsonValue::String(id));
        topic.Add("html", JsonValue::String(html));
        topics.Append(std::move(topic));
    }
    JsonValue root = JsonValue::Object();
    root.Add("version", JsonValue::Integer(1));
    root.Add("topics", std::move(topics));
    return WriteJson(root);
}

TRecoveredPages ParseRecoveryFileText(std::string_view text) {
    TRecoveredPages pages;
    std::optional<JsonValue> root;
    try {
        root = ParseJson(text);
    } catch (const std::exception&) {
        return pages; // nested too deeply: no file the program wrote
    }
    const JsonValue* topics = root && root->IsObject() ? root->Find("topics") : nullptr;
    if (topics == nullptr || !topics->IsArray())
        return pages;
    for (const JsonValue& topic : topics->Elements()) {
        if (!topic.IsObject())
            continue;
        const JsonValue* id = topic.Find("id");
        const JsonValue* html = topic.Find("html");
        if (id != nullptr && id->IsString() && !id->Text().empty() && html != nullptr &&
            html->IsString())
            pages[id->Text()] = html->Text();
    }
    return pages;
}

TRecoveredPages ReadRecoveryFile(const std::string& rootPath) {
    std::string text;
    try {
        if (!ReadProjectTextFile(rootPath, RecoveryFilePath(rootPath), text))
            return {};
    } catch (const std::exception&) {
        return {};
    }
    return ParseRecoveryFileText(text);
}

void TAutosave::Update(const std::string& rootPath, const TRecoveredPages& pages) {
    if (pages.empty()) {
        // Only a file this session wrote goes: one left by a crash waits
        // for the author's answer.
        if (rootPath == FWrittenRoot)
            Clear(rootPath);
        return;
    }
    std::string text = RecoveryFileText(pages);
    if (rootPath == FWrittenRoot && text == FWrittenText)
        return;
    RequireFolderInsideProject(rootPath, JoinPath(rootPath, "internal"));
    WriteTextFileUtf8(RecoveryFilePath(rootPath), text);
    FWrittenRoot = rootPath;
    FWrittenText = std::move(text);
}

void TAutosave::Clear(const std::string& rootPath) {
    FWrittenRoot.clear();
    FWrittenText.clear();
    if (!rootPath.empty())
        DeleteFileIfExists(RecoveryFilePath(rootPath));
}

} // namespace quillmark
