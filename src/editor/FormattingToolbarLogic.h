#pragma once

#include "editor/EditorCursorStyle.h"
#include "editor/FormattingToolbarView.h"

#include <cstdint>
#include <string>

namespace quillmark {

class IClock;
class TEditorBridge;
class TProjectSettings;

// The keys the size and line-spacing boxes react to.
enum class TBoxKey { Enter, Other };

// The formatting toolbar's logic: its buttons and boxes send formatting
// commands to the editor page, and every caret report from the page moves
// them to show the formatting at the caret.
//
// The two directions fight: a report made before the page applied the
// user's last change would undo the control the user has just set. After a
// change, reports that disagree with the value just applied are held back
// for a short ignore window (350 ms for the style buttons, 700 ms for the
// boxes, 1200 ms after the project settings were sent). Boxes with keyboard
// focus, and lists that are open, are never moved by reports.
class TFormattingToolbarLogic {
public:
    TFormattingToolbarLogic(IFormattingToolbarView& view, IFormattingToolbarHost& host,
                            const IClock& clock);
    TFormattingToolbarLogic(const TFormattingToolbarLogic&) = delete;
    TFormattingToolbarLogic& operator=(const TFormattingToolbarLogic&) = delete;

    // The bridge the commands go through; null (the start) sends nothing.
    void SetBridge(TEditorBridge* bridge) { FBridge = bridge; }

    // ApplySettingsToEditor has sent the settings' font name, body size,
    // text colour and line spacing: these become the last-applied values,
    // and reports that disagree with them are held back for 1200 ms from
    // `startTick` (the clock when the sending began; now when not given).
    void NoteSettingsApplied(const TProjectSettings& settings);
    void NoteSettingsApplied(const TProjectSettings& settings, uint64_t startTick);

    // The program itself is changing toolbar controls (ApplySettingsToWindow,
    // the logic's own updates): handlers send nothing and caret reports are
    // dropped meanwhile.
    bool UpdatingUi() const { return FUpdatingUi; }
    class TUpdatingUiScope {
    public:
        explicit TUpdatingUiScope(TFormattingToolbarLogic& logic)
            : FLogic(logic), FPrevious(logic.FUpdatingUi) {
            FLogic.FUpdatingUi = true;
        }
        ~TUpdatingUiScope() { FLogic.FUpdatingUi = FPrevious; }
        TUpdatingUiScope(const TUpdatingUiScope&) = delete;
        TUpdatingUiScope& operator=(const TUpdatingUiScope&) = delete;

    private:
        TFormattingToolbarLogic& FLogic;
        bool FPrevious;
    };

    // Fills the lists (fonts, line spacings, sizes, headings) and sets the
    // controls to their start: size 14, spacing 1.5, black, left aligned.
    void InitFormattingToolbar();
    void FillFontSizes();

    void btnBoldClick();
    void btnItalicClick();
    void btnUnderlineClick();
    void btnULClick();
    void btnOLClick();
    void btnAlignLeftClick();
    void btnAlignCenterClick();
    void btnAlignRightClick();

    void cmbHeadingChange();

    // An entry chosen from the size list.
    void cmbFontSizeSelect();
    // Enter applies the typed size. Returns whether the key was consumed
    // (Enter always is, so the box itself does nothing with it). Typing
    // alone sends nothing; there is no cmbFontSizeChange handler, and no
    // separate cmbFontSizeKeyPress: the one key event goes here.
    bool cmbFontSizeKeyDown(TBoxKey key);
    void ApplyFontSizeFromBox();

    // An entry chosen from the line-spacing list.
    void cmbLineSpacingChange();
    // As cmbFontSizeKeyDown, for the line-spacing box.
    bool cmbLineSpacingKeyDown(TBoxKey key);
    void ApplyLineSpacingFromBox();

    void cbTextColorChange();
    void cmbTextFontChange();

    // One "cursorStyle" report of the page.
    void BridgeCursorStyle(const TEditorCursorStyle& S);

    // The caret's area last reported ("header" or "body").
    const std::string& ActiveArea() const { return FActiveArea; }

    // The last-applied values and the ignore windows (tick counts; a window
    // is open while the clock is below it).
    const std::string& LastAppliedFontName() const { return FLastAppliedFontName; }
    int32_t LastAppliedFontSize() const { return FLastAppliedFontSize; }
    const std::string& LastAppliedTextColor() const { return FLastAppliedTextColor; }
    const std::string& LastAppliedLineHeight() const { return FLastAppliedLineHeight; }
    uint64_t IgnoreStyleSyncUntil() const { return FIgnoreStyleSyncUntil; }
    uint64_t IgnoreFontNameSyncUntil() const { return FIgnoreFontNameSyncUntil; }
    uint64_t IgnoreFontSizeSyncUntil() const { return FIgnoreFontSizeSyncUntil; }
    uint64_t IgnoreTextColorSyncUntil() const { return FIgnoreTextColorSyncUntil; }
    uint64_t IgnoreLineHeightSyncUntil() const { return FIgnoreLineHeightSyncUntil; }

private:
    bool Ready() const;
    void StyleButtonClick(const char* word);
    // An entry chosen from the box's list runs `apply`.
    void ApplyChosenItem(TToolbarBox box, void (TFormattingToolbarLogic::*apply)());
    // Enter runs `apply`; consumed whether or not anything is sent.
    bool ApplyOnEnter(TBoxKey key, void (TFormattingToolbarLogic::*apply)());
    void AlignButtonClick(TToolbarButton button);
    void ShowAlignment(TToolbarButton down);
    // Sets an editable box's text and selects the entry with that exact
    // text (none when absent).
    void ShowSizeText(const std::string& text);
    void FillFontNames();
    void FillLineSpacings();
    void FillHeadings();
    // The first entry whose trimmed caption equals the text ignoring case.
    int FindCaption(TToolbarBox box, const std::string& text) const;

    void SyncStyleButtons(const TEditorCursorStyle& S, uint64_t now);
    void SyncHeading(const TEditorCursorStyle& S);
    void SyncFontName(const TEditorCursorStyle& S, uint64_t now);
    void SyncFontSize(const TEditorCursorStyle& S, uint64_t now);
    void SyncTextColor(const TEditorCursorStyle& S, uint64_t now);
    void SyncAlignment(const TEditorCursorStyle& S);
    void SyncLineHeight(const TEditorCursorStyle& S, uint64_t now);

    IFormattingToolbarView& FView;
    IFormattingToolbarHost& FHost;
    const IClock& FClock;
    TEditorBridge* FBridge = nullptr;

    bool FUpdatingUi = false;
    std::string FActiveArea = "body";
    uint64_t FIgnoreStyleSyncUntil = 0;
    std::string FLastAppliedFontName;
    uint64_t FIgnoreFontNameSyncUntil = 0;
    int32_t FLastAppliedFontSize = 0;
    uint64_t FIgnoreFontSizeSyncUntil = 0;
    std::string FLastAppliedTextColor;
    uint64_t FIgnoreTextColorSyncUntil = 0;
    std::string FLastAppliedLineHeight;
    uint64_t FIgnoreLineHeightSyncUntil = 0;
};

} // namespace quillmark
