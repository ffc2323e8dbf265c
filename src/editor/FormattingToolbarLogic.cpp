#include "editor/FormattingToolbarLogic.h"

#include "base/Color.h"
#include "base/HtmlColor.h"
#include "base/TextUtils.h"
#include "base/Translation.h"
#include "editor/EditorBridge.h"
#include "editor/FormattingToolbarValues.h"
#include "platform/Clock.h"
#include "settings/ProjectSettings.h"
#include "settings/SettingsDialogModel.h"

#include <algorithm>
#include <array>

namespace quillmark {

namespace {

constexpr uint32_t kStyleWindowMs = 350;
constexpr uint32_t kValueWindowMs = 700;
constexpr uint32_t kSettingsWindowMs = 1200;
constexpr int32_t kMinFontSizePx = 8;
constexpr int32_t kMaxFontSizePx = 200;

constexpr std::array<int, 19> kFontSizes = {8,  9,  10, 11, 12, 14, 16, 18, 20, 22,
                                            24, 26, 28, 32, 36, 40, 48, 60, 72};
constexpr char kDefaultFontSize[] = "14";
constexpr std::array<const char*, 5> kLineSpacings = {"1.0", "1.15", "1.2", "1.5", "2.0"};
constexpr int kDefaultLineSpacingItem = 3;
constexpr std::array<const char*, 4> kHeadingWords = {"p", "h1", "h2", "h3"};

bool WindowOpen(uint64_t until, uint64_t now) {
    return now < until;
}

} // namespace

TFormattingToolbarLogic::TFormattingToolbarLogic(IFormattingToolbarView& view,
                                                 IFormattingToolbarHost& host, const IClock& clock)
    : FView(view), FHost(host), FClock(clock) {}

bool TFormattingToolbarLogic::Ready() const {
    return FBridge != nullptr && FHost.IsEditorReady();
}

void TFormattingToolbarLogic::NoteSettingsApplied(const TProjectSettings& settings) {
    NoteSettingsApplied(settings, FClock.TickCountMs());
}

void TFormattingToolbarLogic::NoteSettingsApplied(const TProjectSettings& settings,
                                                  uint64_t startTick) {
    const uint64_t until = startTick + kSettingsWindowMs;
    FLastAppliedTextColor = ColorToHtml(settings.DefaultTextColor);
    FIgnoreTextColorSyncUntil = until;
    FLastAppliedFontName = settings.DefaultFontName;
    FIgnoreFontNameSyncUntil = until;
    FLastAppliedFontSize = settings.FontSizeBody;
    FIgnoreFontSizeSyncUntil = until;
    FLastAppliedLineHeight = LineSpacingText(settings.DefaultLineSpacing);
    FIgnoreLineHeightSyncUntil = until;
}

// ------------------------------------------------------------------ lists

void TFormattingToolbarLogic::InitFormattingToolbar() {
    const TUpdatingUiScope updating(*this);
    FillFontNames();
    FillLineSpacings();
    FillFontSizes();
    FillHeadings();
    FView.SelectTextColor(MakeColor(0, 0, 0));
    ShowAlignment(TToolbarButton::btnAlignLeft);
    FActiveArea = "body";
}

void TFormattingToolbarLogic::FillFontNames() {
    // Only names a browser knows go into pages: the toolkit's foundry
    // suffixes are dropped, each family listed once.
    const std::vector<std::string> names = SortedFontFamilies(FView.InstalledFontNames());
    FView.SetItems(TToolbarBox::cmbTextFont, names);
    if (!names.empty())
        FView.SetItemIndex(TToolbarBox::cmbTextFont, 0);
}

void TFormattingToolbarLogic::FillLineSpacings() {
    FView.SetItems(TToolbarBox::cmbLineSpacing,
                   std::vector<std::string>(kLineSpacings.begin(), kLineSpacings.end()));
    FView.SetItemIndex(TToolbarBox::cmbLineSpacing, kDefaultLineSpacingItem);
    FView.SetBoxText(TToolbarBox::cmbLineSpacing, kLineSpacings[kDefaultLineSpacingItem]);
}

void TFormattingToolbarLogic::FillFontSizes() {
    std::vector<std::string> sizes;
    for (const int size : kFontSizes)
        sizes.push_back(std::to_string(size));
    FView.SetItems(TToolbarBox::cmbFontSize, sizes);
    const auto found = std::find(sizes.begin(), sizes.end(), kDefaultFontSize);
    const int index = found == sizes.end() ? 0 : static_cast<int>(found - sizes.begin());
    FView.SetItemIndex(TToolbarBox::cmbFontSize, index);
    FView.SetBoxText(TToolbarBox::cmbFontSize, sizes[static_cast<size_t>(index)]);
}

void TFormattingToolbarLogic::FillHeadings() {
    FView.SetItems(TToolbarBox::cmbHeading, {Translate("Standard text"), "H1", "H2", "H3"});
    FView.SetItemIndex(TToolbarBox::cmbHeading, 0);
}

int TFormattingToolbarLogic::FindCaption(TToolbarBox box, const std::string& text) const {
    const int count = FView.ItemCount(box);
    for (int i = 0; i < count; ++i) {
        if (AsciiSameText(Trim(FView.ItemCaption(box, i)), text))
            return i;
    }
    return -1;
}

void TFormattingToolbarLogic::ShowSizeText(const std::string& text) {
    int index = -1;
    for (int i = 0; i < FView.ItemCount(TToolbarBox::cmbFontSize) && index < 0; ++i) {
        if (FView.ItemCaption(TToolbarBox::cmbFontSize, i) == text)
            index = i;
    }
    // Selecting an entry replaces the text of the box, so select first.
    FView.SetItemIndex(TToolbarBox::cmbFontSize, index);
    FView.SetBoxText(TToolbarBox::cmbFontSize, text);
}

void TFormattingToolbarLogic::ShowAlignment(TToolbarButton down) {
    for (const TToolbarButton button :
         {TToolbarButton::btnAlignLeft, TToolbarButton::btnAlignCenter,
          TToolbarButton::btnAlignRight}) {
        FView.SetButtonDown(button, button == down);
    }
}

// --------------------------------------------------------------- buttons

void TFormattingToolbarLogic::StyleButtonClick(const char* word) {
    if (!Ready())
        return;
    FIgnoreStyleSyncUntil = FClock.TickCountMs() + kStyleWindowMs;
    FBridge->ExecCommand(word);
    FHost.FocusEditorLater();
}

void TFormattingToolbarLogic::btnBoldClick() {
    StyleButtonClick("bold");
}
void TFormattingToolbarLogic::btnItalicClick() {
    StyleButtonClick("italic");
}
void TFormattingToolbarLogic::btnUnderlineClick() {
    StyleButtonClick("underline");
}
void TFormattingToolbarLogic::btnULClick() {
    StyleButtonClick("ul");
}
void TFormattingToolbarLogic::btnOLClick() {
    StyleButtonClick("ol");
}

void TFormattingToolbarLogic::AlignButtonClick(TToolbarButton button) {
    if (FUpdatingUi || !Ready())
        return;
    ShowAlignment(button);
    FBridge->SetAlign(button == TToolbarButton::btnAlignCenter  ? TTextAlign::taCenter
                      : button == TToolbarButton::btnAlignRight ? TTextAlign::taRight
                                                                : TTextAlign::taLeft);
    FHost.FocusEditorLater();
}

void TFormattingToolbarLogic::btnAlignLeftClick() {
    AlignButtonClick(TToolbarButton::btnAlignLeft);
}
void TFormattingToolbarLogic::btnAlignCenterClick() {
    AlignButtonClick(TToolbarButton::btnAlignCenter);
}
void TFormattingToolbarLogic::btnAlignRightClick() {
    AlignButtonClick(TToolbarButton::btnAlignRight);
}

// ----------------------------------------------------------------- boxes

void TFormattingToolbarLogic::cmbHeadingChange() {
    const int item = FView.ItemIndex(TToolbarBox::cmbHeading);
    if (FUpdatingUi || !Ready() || item < 0 || item >= static_cast<int>(kHeadingWords.size()))
        return;
    const TProjectSettings& settings = FHost.Settings();
    const std::array<int32_t, 4> sizes = {settings.FontSizeBody, settings.FontSizeH1,
                                          settings.FontSizeH2, settings.FontSizeH3};
    const int32_t size = sizes[static_cast<size_t>(item)];
    FBridge->ExecCommand(kHeadingWords[static_cast<size_t>(item)]);
    {
        const TUpdatingUiScope updating(*this);
        ShowSizeText(std::to_string(size));
    }
    FLastAppliedFontSize = size;
    FIgnoreFontSizeSyncUntil = FClock.TickCountMs() + kValueWindowMs;
    FBridge->SetFontSizePx(size);
    FHost.FocusEditorLater();
}

void TFormattingToolbarLogic::cmbFontSizeSelect() {
    ApplyChosenItem(TToolbarBox::cmbFontSize, &TFormattingToolbarLogic::ApplyFontSizeFromBox);
}

bool TFormattingToolbarLogic::cmbFontSizeKeyDown(TBoxKey key) {
    return ApplyOnEnter(key, &TFormattingToolbarLogic::ApplyFontSizeFromBox);
}

void TFormattingToolbarLogic::ApplyChosenItem(TToolbarBox box,
                                              void (TFormattingToolbarLogic::*apply)()) {
    if (FUpdatingUi || !Ready() || FView.ItemIndex(box) < 0)
        return;
    (this->*apply)();
    FHost.FocusEditorLater();
}

bool TFormattingToolbarLogic::ApplyOnEnter(TBoxKey key, void (TFormattingToolbarLogic::*apply)()) {
    if (key != TBoxKey::Enter)
        return false;
    if (!FUpdatingUi && Ready()) {
        (this->*apply)();
        FHost.FocusEditorLater();
    }
    return true;
}

void TFormattingToolbarLogic::ApplyFontSizeFromBox() {
    if (!Ready())
        return;
    int32_t px = ReadWholeNumber(Trim(FView.BoxText(TToolbarBox::cmbFontSize)));
    if (px <= 0)
        return;
    px = std::clamp(px, kMinFontSizePx, kMaxFontSizePx);
    FLastAppliedFontSize = px;
    FIgnoreFontSizeSyncUntil = FClock.TickCountMs() + kValueWindowMs;
    FBridge->SetFontSizePx(px);
}

void TFormattingToolbarLogic::cmbLineSpacingChange() {
    ApplyChosenItem(TToolbarBox::cmbLineSpacing, &TFormattingToolbarLogic::ApplyLineSpacingFromBox);
}

bool TFormattingToolbarLogic::cmbLineSpacingKeyDown(TBoxKey key) {
    return ApplyOnEnter(key, &TFormattingToolbarLogic::ApplyLineSpacingFromBox);
}

void TFormattingToolbarLogic::ApplyLineSpacingFromBox() {
    if (!Ready())
        return;
    const std::string boxText = Trim(FView.BoxText(TToolbarBox::cmbLineSpacing));
    std::string t = boxText;
    const int item = FView.ItemIndex(TToolbarBox::cmbLineSpacing);
    if (t.empty() && item >= 0)
        t = Trim(FView.ItemCaption(TToolbarBox::cmbLineSpacing, item));
    t = ReplaceAll(t, ",", ".");
    const double x = ReadDecimalNumber(t);
    if (x <= 0)
        return;
    FLastAppliedLineHeight = boxText.empty() ? t : boxText;
    FIgnoreLineHeightSyncUntil = FClock.TickCountMs() + kValueWindowMs;
    FBridge->SetLineSpacing(std::max(1.0, x));
}

void TFormattingToolbarLogic::cbTextColorChange() {
    if (FUpdatingUi || !Ready())
        return;
    if (FView.CustomColorEntrySelected()) {
        // Reports arriving while the colour dialog is open must not move the
        // box the dialog returns to.
        const TUpdatingUiScope updating(*this);
        if (!FView.ChooseCustomTextColor())
            return;
    }
    FLastAppliedTextColor = ColorToHtml(FView.SelectedTextColor());
    FIgnoreTextColorSyncUntil = FClock.TickCountMs() + kValueWindowMs;
    FBridge->SetTextColor(FLastAppliedTextColor);
    FHost.FocusEditorLater();
}

void TFormattingToolbarLogic::cmbTextFontChange() {
    const int item = FView.ItemIndex(TToolbarBox::cmbTextFont);
    if (FUpdatingUi || !Ready() || item < 0)
        return;
    const std::string name = Trim(FView.ItemCaption(TToolbarBox::cmbTextFont, item));
    if (name.empty())
        return;
    {
        const TUpdatingUiScope updating(*this);
        FillFontSizes();
    }
    FLastAppliedFontName = name;
    FIgnoreFontNameSyncUntil = FClock.TickCountMs() + kValueWindowMs;
    FBridge->SetFontName(name);
    FHost.FocusEditorLater();
}

// ------------------------------------------------------------ caret style

void TFormattingToolbarLogic::BridgeCursorStyle(const TEditorCursorStyle& S) {
    if (FUpdatingUi)
        return;
    const TUpdatingUiScope updating(*this);
    const uint64_t now = FClock.TickCountMs();
    FActiveArea = S.Area;
    SyncStyleButtons(S, now);
    SyncHeading(S);
    SyncFontName(S, now);
    SyncFontSize(S, now);
    SyncTextColor(S, now);
    SyncAlignment(S);
    SyncLineHeight(S, now);
}

void TFormattingToolbarLogic::SyncStyleButtons(const TEditorCursorStyle& S, uint64_t now) {
    if (WindowOpen(FIgnoreStyleSyncUntil, now))
        return;
    FView.SetButtonDown(TToolbarButton::btnBold, S.Bold);
    FView.SetButtonDown(TToolbarButton::btnItalic, S.Italic);
    FView.SetButtonDown(TToolbarButton::btnUnderline, S.Underline);
    FView.SetButtonDown(TToolbarButton::btnUL, AsciiSameText(S.ListType, "ul"));
    FView.SetButtonDown(TToolbarButton::btnOL, AsciiSameText(S.ListType, "ol"));
}

void TFormattingToolbarLogic::SyncHeading(const TEditorCursorStyle& S) {
    if (FView.BoxFocused(TToolbarBox::cmbHeading))
        return;
    int item = 0;
    for (int i = 1; i < static_cast<int>(kHeadingWords.size()); ++i) {
        if (AsciiSameText(S.BlockTag, kHeadingWords[static_cast<size_t>(i)]))
            item = i;
    }
    FView.SetItemIndex(TToolbarBox::cmbHeading, item);
}

void TFormattingToolbarLogic::SyncFontName(const TEditorCursorStyle& S, uint64_t now) {
    if (FView.BoxFocused(TToolbarBox::cmbTextFont) ||
        FView.BoxDroppedDown(TToolbarBox::cmbTextFont))
        return;
    const bool accepted = !WindowOpen(FIgnoreFontNameSyncUntil, now) ||
                          AsciiSameText(S.FontName, FLastAppliedFontName);
    if (!accepted || S.FontName.empty())
        return;
    const int count = FView.ItemCount(TToolbarBox::cmbTextFont);
    for (int i = 0; i < count; ++i) {
        if (AsciiSameText(FView.ItemCaption(TToolbarBox::cmbTextFont, i), S.FontName)) {
            FView.SetItemIndex(TToolbarBox::cmbTextFont, i);
            return;
        }
    }
    // The text asks for a font this computer lacks: the box says so and
    // names the font the text is shown in, rather than an unrelated entry.
    FView.SetItemIndex(TToolbarBox::cmbTextFont, -1);
    FView.ShowFontNotInList(MissingFontCaption(S.FontName, FView.FontStandIn(S.FontName)));
}

void TFormattingToolbarLogic::SyncFontSize(const TEditorCursorStyle& S, uint64_t now) {
    if (FView.BoxFocused(TToolbarBox::cmbFontSize) || S.FontSizePx <= 0)
        return;
    if (WindowOpen(FIgnoreFontSizeSyncUntil, now) && FLastAppliedFontSize > 0 &&
        S.FontSizePx != FLastAppliedFontSize)
        return;
    if (FLastAppliedFontSize > 0 && FLastAppliedFontSize == S.FontSizePx)
        FIgnoreFontSizeSyncUntil = 0;
    ShowSizeText(std::to_string(S.FontSizePx));
}

void TFormattingToolbarLogic::SyncTextColor(const TEditorCursorStyle& S, uint64_t now) {
    if (FView.BoxFocused(TToolbarBox::cbTextColor) ||
        FView.BoxDroppedDown(TToolbarBox::cbTextColor))
        return;
    const bool accepted = !WindowOpen(FIgnoreTextColorSyncUntil, now) ||
                          AsciiSameText(S.TextColorHtml, FLastAppliedTextColor);
    if (!accepted || S.TextColorHtml.empty())
        return;
    const TColor current = FView.SelectedTextColor();
    const TColor shown = HtmlToColor(S.TextColorHtml, current);
    if (shown != current)
        FView.SelectTextColor(shown);
}

void TFormattingToolbarLogic::SyncAlignment(const TEditorCursorStyle& S) {
    FView.SetButtonDown(TToolbarButton::btnAlignLeft,
                        S.Align.empty() || AsciiSameText(S.Align, "left"));
    FView.SetButtonDown(TToolbarButton::btnAlignCenter, AsciiSameText(S.Align, "center"));
    FView.SetButtonDown(TToolbarButton::btnAlignRight, AsciiSameText(S.Align, "right"));
}

void TFormattingToolbarLogic::SyncLineHeight(const TEditorCursorStyle& S, uint64_t now) {
    if (FView.BoxFocused(TToolbarBox::cmbLineSpacing))
        return;
    const std::string t = ReportedLineHeightText(S.LineHeight, S.FontSizePx);
    const bool matches =
        !FLastAppliedLineHeight.empty() && AsciiSameText(t, FLastAppliedLineHeight);
    if (WindowOpen(FIgnoreLineHeightSyncUntil, now) && !FLastAppliedLineHeight.empty() && !matches)
        return;
    if (matches)
        FIgnoreLineHeightSyncUntil = 0;
    if (t.empty())
        return;
    FView.SetItemIndex(TToolbarBox::cmbLineSpacing, FindCaption(TToolbarBox::cmbLineSpacing, t));
    FView.SetBoxText(TToolbarBox::cmbLineSpacing, t);
}

} // namespace quillmark
