#pragma once

#include "base/Json.h"
#include "editor/EditorCursorStyle.h"
#include "editor/EditorPageChannel.h"

#include <cstdint>
#include <functional>
#include <string>

namespace quillmark {

enum class TTextAlign { taLeft, taCenter, taRight, taJustify };

// "left", "center", "right" or "justify".
const char* TextAlignWord(TTextAlign align);

class TEditorBridge;

using TNotifyEvent = std::function<void(TEditorBridge& Sender)>;
using TEditorHtmlEvent = std::function<void(TEditorBridge& Sender, const std::string& Html)>;
using TEditorCursorStyleEvent =
    std::function<void(TEditorBridge& Sender, const TEditorCursorStyle& S)>;
using TEditorHeaderChangedEvent = std::function<void(
    TEditorBridge& Sender, const std::string& HeaderHtml, const std::string& HeaderBgHtml)>;
using TEditorAreaChangedEvent = std::function<void(TEditorBridge& Sender, const std::string& Area)>;
// The matches of a find in the page and the 1-based number of the one shown
// (0: none).
using TEditorFindResultEvent =
    std::function<void(TEditorBridge& Sender, int32_t Count, int32_t Active)>;

// The only way between the program and the editor page: every request
// becomes one JSON message handed to the page's receive function, and every
// message the page posts becomes one typed event. It keeps no copy of the
// document; the page is the single place the edited HTML lives.
class TEditorBridge {
public:
    // Installs the bridge as the channel's message handler (replacing any
    // other). `AEdge` may be null: the bridge then sends nothing.
    explicit TEditorBridge(IEditorPageChannel* AEdge);
    ~TEditorBridge();
    TEditorBridge(const TEditorBridge&) = delete;
    TEditorBridge& operator=(const TEditorBridge&) = delete;

    void NavigateToEditor(const std::string& AEditorHtmlFile);
    // The absolute path as a "file:///" URL; see the .cpp for what is escaped.
    static std::string FilePathToFileUrl(const std::string& APath);
    // The text as a double-quoted script string literal.
    static std::string QuoteJsString(const std::string& text);
    void SetBaseHref(const std::string& Href);

    void SetHtml(const std::string& Html);
    void RequestHtml();
    void RequestHeader();
    // "arg" is left out when `Arg` is empty.
    void ExecCommand(const std::string& Cmd, const std::string& Arg = "");

    void BeginProgrammatic();
    void EndProgrammatic();
    int32_t ProgrammaticDepth() const { return FProgrammaticDepth; }

    void SetCssFile(const std::string& CssFilePath);
    void SetFontName(const std::string& FontName);
    void SetFontSizePx(int32_t Px);
    void SetTextColor(const std::string& ColorHtml);
    void SetTextBackColor(const std::string& ColorHtml);
    void SetDefaultFontName(const std::string& FontName);
    void SetDefaultFontSizePx(int32_t Px);
    void SetDefaultTextColor(const std::string& ColorHtml);
    void SetDefaultLineSpacing(double LineHeight);
    void SetLineSpacing(double LineHeight);
    void SetAlign(TTextAlign Align);
    void InsertTable(int32_t Rows, int32_t Cols);
    void RemoveSelectedImage();
    void ReplaceSelectedImage(const std::string& Src);
    void SetHeaderHtml(const std::string& HeaderHtml);
    void SetHeaderBgColor(const std::string& ColorHtml);
    void SetTableBorderStyle(const std::string& BorderStyle);
    void SetTableBorderWidth(int32_t Px);
    void SetTableBorderColor(const std::string& ColorHtml);
    void SetPageBgColor(const std::string& ColorHtml);

    // True only after an "htmlChanged" whose "user" member was set; the
    // owner reads it inside its html-changed handler.
    bool LastHtmlChangeWasUser() const { return FLastHtmlChangeWasUser; }

    // "htmlChanged": the page's document changed, by the author or by the
    // program (LastHtmlChangeWasUser tells which).
    void SetOnHtmlChanged(TEditorHtmlEvent handler) { FOnHtmlChanged = std::move(handler); }
    // "htmlResponse": the page's answer to RequestHtml.
    void SetOnHtmlResponse(TEditorHtmlEvent handler) { FOnHtmlResponse = std::move(handler); }
    void SetOnReady(TNotifyEvent handler) { FOnReady = std::move(handler); }
    void SetOnCursorStyle(TEditorCursorStyleEvent handler) { FOnCursorStyle = std::move(handler); }
    void SetOnHeaderChanged(TEditorHeaderChangedEvent handler) {
        FOnHeaderChanged = std::move(handler);
    }
    void SetOnAreaChanged(TEditorAreaChangedEvent handler) { FOnAreaChanged = std::move(handler); }
    // "findResult": the page's answer to a "find" command.
    void SetOnFindResult(TEditorFindResultEvent handler) { FOnFindResult = std::move(handler); }

    // Receives one page message in its JSON form; anything that is not a
    // JSON object with a known "type" is ignored.
    void HandleWebMessage(const std::string& messageJson);

private:
    void PostToPage(const JsonValue& message);

    IEditorPageChannel* FEdge;
    int32_t FProgrammaticDepth = 0;
    TEditorHtmlEvent FOnHtmlChanged;
    TEditorHtmlEvent FOnHtmlResponse;
    TNotifyEvent FOnReady;
    TEditorCursorStyleEvent FOnCursorStyle;
    TEditorHeaderChangedEvent FOnHeaderChanged;
    TEditorAreaChangedEvent FOnAreaChanged;
    TEditorFindResultEvent FOnFindResult;
    bool FLastHtmlChangeWasUser = false;
};

// Marks the changes sent during its life as the program's own, also when a
// send raises an error.
class TProgrammaticScope {
public:
    explicit TProgrammaticScope(TEditorBridge& bridge) : bridge_(bridge) {
        bridge_.BeginProgrammatic();
    }
    ~TProgrammaticScope() { bridge_.EndProgrammatic(); }
    TProgrammaticScope(const TProgrammaticScope&) = delete;
    TProgrammaticScope& operator=(const TProgrammaticScope&) = delete;

private:
    TEditorBridge& bridge_;
};

} // namespace quillmark
