#include "editor/EditorBridge.h"

#include "base/FileHelpers.h"
#include "base/TextUtils.h"
#include "editor/EditorMessageReading.h"

#include <optional>

namespace quillmark {

const char* TextAlignWord(TTextAlign align) {
    switch (align) {
    case TTextAlign::taCenter:
        return "center";
    case TTextAlign::taRight:
        return "right";
    case TTextAlign::taJustify:
        return "justify";
    case TTextAlign::taLeft:
        break;
    }
    return "left";
}

TEditorBridge::TEditorBridge(IEditorPageChannel* AEdge) : FEdge(AEdge) {
    if (FEdge != nullptr)
        FEdge->SetMessageHandler([this](const std::string& json) { HandleWebMessage(json); });
}

TEditorBridge::~TEditorBridge() {
    // The channel outlives the bridge in the window; it must not call back
    // into a destroyed object.
    if (FEdge != nullptr)
        FEdge->SetMessageHandler(nullptr);
}

void TEditorBridge::NavigateToEditor(const std::string& AEditorHtmlFile) {
    if (FEdge != nullptr)
        FEdge->Navigate(FilePathToFileUrl(AEditorHtmlFile));
}

std::string TEditorBridge::FilePathToFileUrl(const std::string& APath) {
    // '/' is the path delimiter here, so a backslash is an ordinary name
    // character. Besides the space, the characters that would end the path
    // part of the URL or start an escape are escaped, so a project folder
    // named "C# notes" or "100%" still loads.
    std::string url = "file://";
    const std::string absolute = AbsolutePath(APath);
    if (absolute.empty() || absolute.front() != '/')
        url += '/';
    for (const char c : absolute) {
        switch (c) {
        case ' ':
            url += "%20";
            break;
        case '%':
            url += "%25";
            break;
        case '#':
            url += "%23";
            break;
        case '?':
            url += "%3F";
            break;
        case '\\':
            url += "%5C";
            break;
        default:
            url += c;
            break;
        }
    }
    return url;
}

std::string TEditorBridge::QuoteJsString(const std::string& text) {
    std::string quoted = ReplaceAll(text, "\\", "\\\\");
    quoted = ReplaceAll(quoted, "\"", "\\\"");
    quoted = ReplaceAll(quoted, "\r", "\\r");
    quoted = ReplaceAll(quoted, "\n", "\\n");
    return "\"" + quoted + "\"";
}

void TEditorBridge::SetBaseHref(const std::string& Href) {
    if (FEdge != nullptr)
        FEdge->ExecuteScript("svSetBaseHref(" + QuoteJsString(Href) + ");");
}

void TEditorBridge::PostToPage(const JsonValue& message) {
    if (FEdge == nullptr)
        return;
    FEdge->ExecuteScript("window.__sv_recv && window.__sv_recv(" +
                         QuoteJsString(WriteJson(message)) + ");");
}

namespace {

JsonValue TypedMessage(const char* type) {
    JsonValue message = JsonValue::Object();
    message.Add("type", JsonValue::String(type));
    return message;
}

} // namespace

void TEditorBridge::SetHtml(const std::string& Html) {
    JsonValue message = TypedMessage("setHtml");
    message.Add("html", JsonValue::String(Html));
    PostToPage(message);
}

void TEditorBridge::RequestHtml() {
    PostToPage(TypedMessage("getHtml"));
}

void TEditorBridge::RequestHeader() {
    PostToPage(TypedMessage("getHeader"));
}

void TEditorBridge::ExecCommand(const std::string& Cmd, const std::string& Arg) {
    JsonValue message = TypedMessage("exec");
    message.Add("cmd", JsonValue::String(Cmd));
    message.Add("origin", JsonValue::String(FProgrammaticDepth > 0 ? "program" : "user"));
    if (!Arg.empty())
        message.Add("arg", JsonValue::String(Arg));
    PostToPage(message);
}

void TEditorBridge::BeginProgrammatic() {
    ++FProgrammaticDepth;
}

void TEditorBridge::EndProgrammatic() {
    if (FProgrammaticDepth > 0)
        --FProgrammaticDepth;
}

void TEditorBridge::SetCssFile(const std::string& CssFilePath) {
    ExecCommand("setCssFile", CssFilePath);
}

void TEditorBridge::SetFontName(const std::string& FontName) {
    ExecCommand("fontName", FontName);
}

void TEditorBridge::SetFontSizePx(int32_t Px) {
    ExecCommand("fontSizePx", std::to_string(Px));
}

void TEditorBridge::SetTextColor(const std::string& ColorHtml) {
    ExecCommand("foreColor", ColorHtml);
}

void TEditorBridge::SetTextBackColor(const std::string& ColorHtml) {
    ExecCommand("backColor", ColorHtml);
}

void TEditorBridge::SetDefaultFontName(const std::string& FontName) {
    ExecCommand("setDefaultFontName", FontName);
}

void TEditorBridge::SetDefaultFontSizePx(int32_t Px) {
    ExecCommand("setDefaultFontSizePx", std::to_string(Px));
}

void TEditorBridge::SetDefaultTextColor(const std::string& ColorHtml) {
    ExecCommand("setDefaultTextColor", ColorHtml);
}

void TEditorBridge::SetDefaultLineSpacing(double LineHeight) {
    ExecCommand("setDefaultLineHeight", FormatShortestDouble(LineHeight));
}

void TEditorBridge::SetLineSpacing(double LineHeight) {
    ExecCommand("lineHeight", FormatShortestDouble(LineHeight));
}

void TEditorBridge::SetAlign(TTextAlign Align) {
    ExecCommand("align", TextAlignWord(Align));
}

void TEditorBridge::InsertTable(int32_t Rows, int32_t Cols) {
    ExecCommand("table", std::to_string(Rows) + "," + std::to_string(Cols));
}

void TEditorBridge::RemoveSelectedImage() {
    ExecCommand("removeSelectedImage");
}

void TEditorBridge::ReplaceSelectedImage(const std::string& Src) {
    ExecCommand("replaceSelectedImage", Src);
}

void TEditorBridge::SetHeaderHtml(const std::string& HeaderHtml) {
    ExecCommand("setHeaderHtml", HeaderHtml);
}

void TEditorBridge::SetHeaderBgColor(const std::string& ColorHtml) {
    ExecCommand("setHeaderBg", ColorHtml);
}

void TEditorBridge::SetTableBorderStyle(const std::string& BorderStyle) {
    ExecCommand("setTableBorderStyle", BorderStyle);
}

void TEditorBridge::SetTableBorderWidth(int32_t Px) {
    ExecCommand("setTableBorderWidth", std::to_string(Px));
}

void TEditorBridge::SetTableBorderColor(const std::string& ColorHtml) {
    ExecCommand("setTableBorderColor", ColorHtml);
}

void TEditorBridge::SetPageBgColor(const std::string& ColorHtml) {
    ExecCommand("setPageBg", ColorHtml);
}

void TEditorBridge::HandleWebMessage(const std::string& messageJson) {
    std::optional<JsonValue> parsed;
    try {
        parsed = ParseJson(messageJson);
    } catch (const JsonTooDeepError&) {
        return; // no message of the page nests like that
    }
    if (!parsed || !parsed->IsObject())
        return;
    const JsonValue& message = *parsed;
    const std::string type = ReadMessageText(message, "type");

    if (AsciiSameText(type, "ready")) {
        if (FOnReady)
            FOnReady(*this);
    } else if (AsciiSameText(type, "htmlChanged")) {
        FLastHtmlChangeWasUser = ReadMessageFlag(message, "user");
        if (FOnHtmlChanged)
            FOnHtmlChanged(*this, ReadMessageText(message, "html"));
    } else if (AsciiSameText(type, "htmlResponse")) {
        FLastHtmlChangeWasUser = false;
        if (FOnHtmlResponse)
            FOnHtmlResponse(*this, ReadMessageText(message, "html"));
    } else if (AsciiSameText(type, "cursorStyle")) {
        if (FOnCursorStyle)
            FOnCursorStyle(*this, ReadCursorStyle(message));
    } else if (AsciiSameText(type, "headerChanged")) {
        if (FOnHeaderChanged)
            FOnHeaderChanged(*this, ReadMessageText(message, "headerHtml"),
                             ReadMessageText(message, "headerBg"));
    } else if (AsciiSameText(type, "areaChanged")) {
        if (FOnAreaChanged)
            FOnAreaChanged(*this, ReadMessageText(message, "area"));
    } else if (AsciiSameText(type, "findResult")) {
        if (FOnFindResult)
            FOnFindResult(*this, ReadMessageInteger(message, "count"),
                          ReadMessageInteger(message, "active"));
    }
}

} // namespace quillmark
