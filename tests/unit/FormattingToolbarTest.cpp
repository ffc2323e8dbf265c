#include "FakeClock.h"
#include "FakeEditorPage.h"
#include "base/Color.h"
#include "editor/EditorBridge.h"
#include "editor/FormattingToolbarLogic.h"
#include "platform/Clock.h"
#include "settings/ProjectSettings.h"

#include <functional>
#include <gtest/gtest.h>
#include <map>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

using namespace quillmark;
using quillmark::testing::FakeEditorPage;

namespace {

constexpr TColor kBlack = MakeColor(0, 0, 0);
constexpr TColor kWhite = MakeColor(255, 255, 255);
constexpr TColor kRed = MakeColor(255, 0, 0);
constexpr TColor kBlue = MakeColor(0, 0, 255);

// The toolbar's controls without widgets. An editable box takes the caption
// of the entry it selects as its text, as the toolkit's boxes do.
class FakeToolbarView final : public IFormattingToolbarView {
public:
    struct Box {
        std::vector<std::string> Items;
        int Index = -1;
        std::string Text;
        bool Focused = false;
        bool DroppedDown = false;
    };

    std::vector<std::string> Fonts = {"times New Roman", "Arial", "courier new", "arial",
                                      "Segoe UI"};
    std::map<TToolbarButton, bool> Buttons;
    std::map<TToolbarBox, Box> Boxes;
    TColor Color = kBlack;
    bool CustomEntry = false;
    std::optional<TColor> CustomAnswer;
    int CustomDialogs = 0;
    std::function<void()> DuringDialog;

    Box& Of(TToolbarBox box) { return Boxes[box]; }
    const Box& Of(TToolbarBox box) const {
        static const Box none;
        const auto found = Boxes.find(box);
        return found == Boxes.end() ? none : found->second;
    }
    bool Down(TToolbarButton button) { return Buttons[button]; }

    std::vector<std::string> InstalledFontNames() const override { return Fonts; }
    std::string FontStandIn(const std::string&) const override { return "DejaVu Sans"; }
    void ShowFontNotInList(const std::string& caption) override {
        Boxes[TToolbarBox::cmbTextFont].Text = caption;
    }
    bool ButtonDown(TToolbarButton button) const override {
        const auto found = Buttons.find(button);
        return found != Buttons.end() && found->second;
    }
    void SetButtonDown(TToolbarButton button, bool down) override { Buttons[button] = down; }
    void SetItems(TToolbarBox box, const std::vector<std::string>& items) override {
        Boxes[box].Items = items;
        Boxes[box].Index = -1;
    }
    int ItemCount(TToolbarBox box) const override { return static_cast<int>(Of(box).Items.size()); }
    std::string ItemCaption(TToolbarBox box, int index) const override {
        return Of(box).Items.at(static_cast<size_t>(index));
    }
    int ItemIndex(TToolbarBox box) const override { return Of(box).Index; }
    void SetItemIndex(TToolbarBox box, int index) override {
        Box& b = Boxes[box];
        b.Index = index;
        b.Text = index >= 0 ? b.Items.at(static_cast<size_t>(index)) : "";
    }
    std::string BoxText(TToolbarBox box) const override { return Of(box).Text; }
    void SetBoxText(TToolbarBox box, const std::string& text) override { Boxes[box].Text = text; }
    bool BoxFocused(TToolbarBox box) const override { return Of(box).Focused; }
    bool BoxDroppedDown(TToolbarBox box) const override { return Of(box).DroppedDown; }
    TColor SelectedTextColor() const override { return Color; }
    void SelectTextColor(TColor color) override { Color = color; }
    bool CustomColorEntrySelected() const override { return CustomEntry; }
    std::optional<TColor> ChooseCustomTextColor() override {
        ++CustomDialogs;
        if (DuringDialog)
            DuringDialog();
        CustomEntry = false;
        if (CustomAnswer)
            Color = *CustomAnswer;
        return CustomAnswer;
    }

    // The user picks an entry from a list (the toolkit selects it first).
    void Pick(TToolbarBox box, const std::string& caption) {
        Box& b = Boxes[box];
        for (size_t i = 0; i < b.Items.size(); ++i) {
            if (b.Items[i] == caption)
                SetItemIndex(box, static_cast<int>(i));
        }
    }
    // The user types into an editable box: the selection goes.
    void Type(TToolbarBox box, const std::string& text) {
        Boxes[box].Index = -1;
        Boxes[box].Text = text;
    }
};

class FakeHost final : public IFormattingToolbarHost {
public:
    bool Ready = true;
    int FocusRequests = 0;
    TProjectSettings Settings_;

    bool IsEditorReady() const override { return Ready; }
    void FocusEditorLater() override { ++FocusRequests; }
    const TProjectSettings& Settings() const override { return Settings_; }
};

// The toolbar logic on fakes, initialised, with a real bridge to a fake page.
struct ToolbarRig {
    ToolbarRig() {
        host.Settings_.FontSizeBody = 15;
        host.Settings_.FontSizeH1 = 30;
        host.Settings_.FontSizeH2 = 22;
        host.Settings_.FontSizeH3 = 18;
        logic.SetBridge(&bridge);
        logic.InitFormattingToolbar();
    }

    // Every "exec" sent so far as "cmd arg" ("bold", "fontSizePx 18").
    std::vector<std::string> Sent() const {
        std::vector<std::string> sent;
        for (const JsonValue& message : page.Messages()) {
            const JsonValue* arg = message.Find("arg");
            EXPECT_EQ(message.Find("origin")->Text(), "user");
            sent.push_back(message.Find("cmd")->Text() + (arg ? " " + arg->Text() : ""));
        }
        return sent;
    }

    // A report of plain body text at the caret, as the page sends after
    // loading a topic.
    static TEditorCursorStyle PlainReport() {
        TEditorCursorStyle S;
        S.Area = "body";
        S.FontName = "Arial";
        S.FontSizePx = 16;
        S.TextColorHtml = "#000000";
        S.Align = "left";
        S.BlockTag = "p";
        S.LineHeight = "1.5";
        return S;
    }

    std::string SizeText() { return view.Of(TToolbarBox::cmbFontSize).Text; }
    std::string SpacingText() { return view.Of(TToolbarBox::cmbLineSpacing).Text; }
    int SpacingIndex() { return view.Of(TToolbarBox::cmbLineSpacing).Index; }
    std::string FontShown() {
        const FakeToolbarView::Box& box = view.Of(TToolbarBox::cmbTextFont);
        return box.Index < 0 ? "" : box.Items[static_cast<size_t>(box.Index)];
    }

    FakeEditorPage page;
    TEditorBridge bridge{&page};
    FakeToolbarView view;
    FakeHost host;
    quillmark::testing::FakeClock clock{50000};
    TFormattingToolbarLogic logic{view, host, clock};
};

class FormattingToolbarTest : public ::testing::Test, public ToolbarRig {};

using T = TFormattingToolbarLogic;

TEST_F(FormattingToolbarTest, InitFillsTheListsAndStartsFromTheDefaults) {
    const auto& fonts = view.Of(TToolbarBox::cmbTextFont);
    EXPECT_EQ(fonts.Items,
              (std::vector<std::string>{"Arial", "courier new", "Segoe UI", "times New Roman"}));
    EXPECT_EQ(fonts.Index, 0);
    EXPECT_EQ(view.Of(TToolbarBox::cmbFontSize).Items.size(), 19u);
    EXPECT_EQ(SizeText(), "14");
    EXPECT_EQ(view.Of(TToolbarBox::cmbFontSize).Index, 5);
    EXPECT_EQ(view.Of(TToolbarBox::cmbLineSpacing).Items,
              (std::vector<std::string>{"1.0", "1.15", "1.2", "1.5", "2.0"}));
    EXPECT_EQ(SpacingIndex(), 3);
    EXPECT_EQ(SpacingText(), "1.5");
    EXPECT_EQ(view.Of(TToolbarBox::cmbHeading).Items,
              (std::vector<std::string>{"Standard text", "H1", "H2", "H3"}));
    EXPECT_EQ(view.Of(TToolbarBox::cmbHeading).Index, 0);
    EXPECT_EQ(view.Color, kBlack);
    EXPECT_TRUE(view.Down(TToolbarButton::btnAlignLeft));
    EXPECT_FALSE(view.Down(TToolbarButton::btnAlignCenter));
    EXPECT_FALSE(view.Down(TToolbarButton::btnAlignRight));
    EXPECT_EQ(logic.ActiveArea(), "body");
    EXPECT_FALSE(logic.UpdatingUi());
    EXPECT_TRUE(page.Scripts.empty());
}

// Each command as the user gives it, and exactly what reaches the page.
TEST_F(FormattingToolbarTest, CommandsSendTheirExecMessages) {
    using Box = TToolbarBox;
    struct Case {
        const char* Name;
        std::function<void(ToolbarRig&)> Act;
        std::vector<std::string> Expected;
    };
    const auto enterIn = [](Box box, const char* text) {
        return [box, text](ToolbarRig& t) {
            t.view.Type(box, text);
            EXPECT_TRUE(box == Box::cmbFontSize ? t.logic.cmbFontSizeKeyDown(TBoxKey::Enter)
                                                : t.logic.cmbLineSpacingKeyDown(TBoxKey::Enter));
        };
    };
    const std::vector<Case> cases = {
        {"bold", [](auto& t) { t.logic.btnBoldClick(); }, {"bold"}},
        {"italic", [](auto& t) { t.logic.btnItalicClick(); }, {"italic"}},
        {"underline", [](auto& t) { t.logic.btnUnderlineClick(); }, {"underline"}},
        {"bullets", [](auto& t) { t.logic.btnULClick(); }, {"ul"}},
        {"numbers", [](auto& t) { t.logic.btnOLClick(); }, {"ol"}},
        {"left", [](auto& t) { t.logic.btnAlignLeftClick(); }, {"align left"}},
        {"center", [](auto& t) { t.logic.btnAlignCenterClick(); }, {"align center"}},
        {"right", [](auto& t) { t.logic.btnAlignRightClick(); }, {"align right"}},
        {"H2",
         [](auto& t) {
             t.view.Pick(Box::cmbHeading, "H2");
             t.logic.cmbHeadingChange();
         },
         {"h2", "fontSizePx 22"}},
        {"standard text",
         [](auto& t) {
             t.view.Pick(Box::cmbHeading, "Standard text");
             t.logic.cmbHeadingChange();
         },
         {"p", "fontSizePx 15"}},
        {"size from list",
         [](auto& t) {
             t.view.Pick(Box::cmbFontSize, "18");
             t.logic.cmbFontSizeSelect();
         },
         {"fontSizePx 18"}},
        {"size 250 typed", enterIn(Box::cmbFontSize, "250"), {"fontSizePx 200"}},
        {"size 5 typed", enterIn(Box::cmbFontSize, "5"), {"fontSizePx 8"}},
        {"size with spaces", enterIn(Box::cmbFontSize, " 16 "), {"fontSizePx 16"}},
        {"size abc", enterIn(Box::cmbFontSize, "abc"), {}},
        {"size 14.5", enterIn(Box::cmbFontSize, "14.5"), {}},
        {"size -3", enterIn(Box::cmbFontSize, "-3"), {}},
        {"size typed without Enter",
         [](auto& t) {
             t.view.Type(Box::cmbFontSize, "16");
             EXPECT_FALSE(t.logic.cmbFontSizeKeyDown(TBoxKey::Other));
         },
         {}},
        {"spacing from list",
         [](auto& t) {
             t.view.Pick(Box::cmbLineSpacing, "1.15");
             t.logic.cmbLineSpacingChange();
         },
         {"lineHeight 1.15"}},
        {"spacing normal", enterIn(Box::cmbLineSpacing, "normal"), {}},
        {"spacing with comma", enterIn(Box::cmbLineSpacing, "1,25"), {"lineHeight 1.25"}},
        {"spacing below one", enterIn(Box::cmbLineSpacing, "0.5"), {"lineHeight 1"}},
        {"spacing zero", enterIn(Box::cmbLineSpacing, "0"), {}},
        {"spacing inf", enterIn(Box::cmbLineSpacing, "inf"), {}},
        {"colour",
         [](auto& t) {
             t.view.Color = kRed;
             t.logic.cbTextColorChange();
         },
         {"foreColor #FF0000"}},
        {"custom colour chosen",
         [](auto& t) {
             t.view.CustomEntry = true;
             t.view.CustomAnswer = MakeColor(0x12, 0x34, 0xAB);
             t.logic.cbTextColorChange();
         },
         {"foreColor #1234AB"}},
        {"custom colour cancelled",
         [](auto& t) {
             t.view.CustomEntry = true;
             t.view.CustomAnswer.reset();
             t.logic.cbTextColorChange();
         },
         {}},
        {"font",
         [](auto& t) {
             t.view.Pick(Box::cmbTextFont, "courier new");
             t.logic.cmbTextFontChange();
         },
         {"fontName courier new"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        page.Scripts.clear();
        c.Act(*this);
        EXPECT_EQ(Sent(), c.Expected);
    }
}

TEST_F(FormattingToolbarTest, CommandsUpdateTheirOwnControls) {
    view.Pick(TToolbarBox::cmbHeading, "H2");
    logic.cmbHeadingChange();
    EXPECT_EQ(SizeText(), "22");
    EXPECT_EQ(view.Of(TToolbarBox::cmbFontSize).Index, 9);
    view.Pick(TToolbarBox::cmbHeading, "H1");
    logic.cmbHeadingChange();
    EXPECT_EQ(SizeText(), "30");
    EXPECT_EQ(view.Of(TToolbarBox::cmbFontSize).Index, -1);
    EXPECT_EQ(logic.LastAppliedFontSize(), 30);

    logic.btnAlignRightClick();
    EXPECT_FALSE(view.Down(TToolbarButton::btnAlignLeft));
    EXPECT_TRUE(view.Down(TToolbarButton::btnAlignRight));

    view.Type(TToolbarBox::cmbFontSize, "250");
    logic.cmbFontSizeKeyDown(TBoxKey::Enter);
    EXPECT_EQ(SizeText(), "250"); // the box keeps what the user typed

    // Choosing a font shows the default size again until the next report.
    view.Pick(TToolbarBox::cmbTextFont, "Segoe UI");
    logic.cmbTextFontChange();
    EXPECT_EQ(SizeText(), "14");
    EXPECT_EQ(logic.LastAppliedFontName(), "Segoe UI");

    view.Type(TToolbarBox::cmbLineSpacing, " 1,25 ");
    logic.cmbLineSpacingKeyDown(TBoxKey::Enter);
    EXPECT_EQ(logic.LastAppliedLineHeight(), "1,25");

    view.CustomEntry = true;
    view.CustomAnswer = MakeColor(1, 2, 3);
    logic.cbTextColorChange();
    EXPECT_EQ(logic.LastAppliedTextColor(), "#010203");
    EXPECT_EQ(view.CustomDialogs, 1);
    EXPECT_EQ(host.FocusRequests, 7);
}

TEST_F(FormattingToolbarTest, NothingIsSentBeforeReadyWithoutBridgeOrWhileTheProgramUpdates) {
    view.Pick(TToolbarBox::cmbHeading, "H1");
    view.Pick(TToolbarBox::cmbFontSize, "18");
    view.Pick(TToolbarBox::cmbLineSpacing, "2.0");
    view.Pick(TToolbarBox::cmbTextFont, "Arial");
    const std::vector<std::pair<const char*, std::function<void()>>> guarded = {
        {"align", [&] { logic.btnAlignCenterClick(); }},
        {"heading", [&] { logic.cmbHeadingChange(); }},
        {"size", [&] { logic.cmbFontSizeSelect(); }},
        {"size enter", [&] { EXPECT_TRUE(logic.cmbFontSizeKeyDown(TBoxKey::Enter)); }},
        {"spacing", [&] { logic.cmbLineSpacingChange(); }},
        {"spacing enter", [&] { EXPECT_TRUE(logic.cmbLineSpacingKeyDown(TBoxKey::Enter)); }},
        {"colour", [&] { logic.cbTextColorChange(); }},
        {"font", [&] { logic.cmbTextFontChange(); }},
    };
    const std::vector<std::pair<const char*, std::function<void()>>> styleButtons = {
        {"bold", [&] { logic.btnBoldClick(); }},
        {"ol", [&] { logic.btnOLClick(); }},
    };
    const std::vector<std::pair<const char*, std::function<void()>>> setups = {
        {"not ready", [&] { host.Ready = false; }},
        {"no bridge", [&] { logic.SetBridge(nullptr); }},
    };
    for (const auto& [setupName, setup] : setups) {
        setup();
        for (const auto& list : {guarded, styleButtons}) {
            for (const auto& [name, act] : list) {
                SCOPED_TRACE(std::string(setupName) + ": " + name);
                act();
                EXPECT_TRUE(page.Scripts.empty());
            }
        }
        host.Ready = true;
        logic.SetBridge(&bridge);
    }
    {
        const T::TUpdatingUiScope updating(logic);
        for (const auto& [name, act] : guarded) {
            SCOPED_TRACE(std::string("updating: ") + name);
            act();
            EXPECT_TRUE(page.Scripts.empty());
        }
    }
    EXPECT_FALSE(view.Down(TToolbarButton::btnAlignCenter));
    EXPECT_EQ(host.FocusRequests, 0);
    EXPECT_EQ(logic.IgnoreStyleSyncUntil(), 0u);
    EXPECT_EQ(logic.LastAppliedFontSize(), 0);
}

// A window opened by a change holds back reports that disagree with it
// while the clock is below its end, and lets them through from its end on.
TEST(FormattingToolbar, IgnoreWindowsHoldBackDisagreeingReportsUntilTheyEnd) {
    struct Case {
        const char* Name;
        uint64_t Duration;
        std::function<void(ToolbarRig&)> Open;
        std::function<void(TEditorCursorStyle&)> Disagree;
        std::function<bool(ToolbarRig&)> Shown;
    };
    const auto settings = [](ToolbarRig& t) {
        TProjectSettings s;
        s.DefaultFontName = "Segoe UI";
        s.FontSizeBody = 18;
        s.DefaultTextColor = kRed;
        s.DefaultLineSpacing = 2;
        t.logic.NoteSettingsApplied(s);
    };
    const std::vector<Case> cases = {
        {"bold button", 350,
         [](auto& t) {
             t.view.SetButtonDown(TToolbarButton::btnBold, true); // the click itself
             t.logic.btnBoldClick();
         },
         [](auto& S) { S.Bold = false; },
         [](auto& t) { return !t.view.Down(TToolbarButton::btnBold); }},
        {"numbered list button", 350,
         [](auto& t) {
             t.view.SetButtonDown(TToolbarButton::btnOL, true);
             t.logic.btnOLClick();
         },
         [](auto& S) { S.ListType = ""; },
         [](auto& t) { return !t.view.Down(TToolbarButton::btnOL); }},
        {"font box", 700,
         [](auto& t) {
             t.view.Pick(TToolbarBox::cmbTextFont, "Segoe UI");
             t.logic.cmbTextFontChange();
         },
         [](auto& S) { S.FontName = "Arial"; }, [](auto& t) { return t.FontShown() == "Arial"; }},
        {"size box", 700,
         [](auto& t) {
             t.view.Type(TToolbarBox::cmbFontSize, "18");
             t.logic.cmbFontSizeKeyDown(TBoxKey::Enter);
         },
         [](auto& S) { S.FontSizePx = 16; }, [](auto& t) { return t.SizeText() == "16"; }},
        {"heading box", 700,
         [](auto& t) {
             t.view.Pick(TToolbarBox::cmbHeading, "H3");
             t.logic.cmbHeadingChange();
         },
         [](auto& S) { S.FontSizePx = 16; }, [](auto& t) { return t.SizeText() == "16"; }},
        {"colour box", 700,
         [](auto& t) {
             t.view.Color = kRed;
             t.logic.cbTextColorChange();
         },
         [](auto& S) { S.TextColorHtml = "#0000FF"; },
         [](auto& t) { return t.view.Color == kBlue; }},
        {"line-spacing box", 700,
         [](auto& t) {
             t.view.Pick(TToolbarBox::cmbLineSpacing, "1.15");
             t.logic.cmbLineSpacingChange();
         },
         [](auto& S) { S.LineHeight = "2"; }, [](auto& t) { return t.SpacingText() == "2"; }},
        {"settings: font", 1200, settings, [](auto& S) { S.FontName = "Arial"; },
         [](auto& t) { return t.FontShown() == "Arial"; }},
        {"settings: size", 1200, settings, [](auto& S) { S.FontSizePx = 16; },
         [](auto& t) { return t.SizeText() == "16"; }},
        {"settings: colour", 1200, settings, [](auto& S) { S.TextColorHtml = "#0000ff"; },
         [](auto& t) { return t.view.Color == kBlue; }},
        {"settings: line height", 1200, settings, [](auto& S) { S.LineHeight = "1.2"; },
         [](auto& t) { return t.SpacingText() == "1.2"; }},
    };
    for (const Case& c : cases) {
        for (const auto& [offset, shown] :
             std::vector<std::pair<uint64_t, bool>>{{0, false},
                                                    {c.Duration - 1, false},
                                                    {c.Duration, true},
                                                    {c.Duration + 5000, true}}) {
            SCOPED_TRACE(std::string(c.Name) + " +" + std::to_string(offset));
            ToolbarRig t;
            t.view.Pick(TToolbarBox::cmbTextFont, "courier new");
            const uint64_t start = t.clock.Now;
            c.Open(t);
            t.clock.Now = start + offset;
            TEditorCursorStyle S = ToolbarRig::PlainReport();
            S.FontName = "Segoe UI";
            S.FontSizePx = 18;
            S.TextColorHtml = "#FF0000";
            S.Bold = true;
            S.ListType = "ol";
            S.LineHeight = c.Duration == 1200 ? "2" : "1.15";
            c.Disagree(S);
            t.logic.BridgeCursorStyle(S);
            EXPECT_EQ(c.Shown(t), shown);
        }
    }
}

// The box windows compare the report with the value just applied: a match
// is shown at once; for size and line height it also ends the window.
TEST_F(FormattingToolbarTest, MatchingReportsAreShownAndEndOnlyTheSizeAndLineHeightWindows) {
    TEditorCursorStyle S = PlainReport();

    view.Type(TToolbarBox::cmbFontSize, "18");
    logic.cmbFontSizeKeyDown(TBoxKey::Enter);
    view.SetBoxText(TToolbarBox::cmbFontSize, "?");
    clock.Now += 100;
    S.FontSizePx = 18;
    logic.BridgeCursorStyle(S);
    EXPECT_EQ(SizeText(), "18");
    EXPECT_EQ(logic.IgnoreFontSizeSyncUntil(), 0u);
    S.FontSizePx = 16;
    logic.BridgeCursorStyle(S);
    EXPECT_EQ(SizeText(), "16");

    view.Color = kRed;
    logic.cbTextColorChange();
    view.Color = kBlack;
    S.TextColorHtml = "#ff0000";
    logic.BridgeCursorStyle(S);
    EXPECT_EQ(view.Color, kRed);
    S.TextColorHtml = "#0000FF";
    logic.BridgeCursorStyle(S);
    EXPECT_EQ(view.Color, kRed); // the window is still open

    view.Type(TToolbarBox::cmbLineSpacing, "1.2");
    logic.cmbLineSpacingKeyDown(TBoxKey::Enter);
    S.LineHeight = "1.2";
    logic.BridgeCursorStyle(S);
    EXPECT_EQ(SpacingIndex(), 2);
    EXPECT_EQ(logic.IgnoreLineHeightSyncUntil(), 0u);
    S.LineHeight = "2.0";
    logic.BridgeCursorStyle(S);
    EXPECT_EQ(SpacingIndex(), 4);

    view.Pick(TToolbarBox::cmbTextFont, "Segoe UI");
    logic.cmbTextFontChange();
    S.FontName = "SEGOE UI";
    logic.BridgeCursorStyle(S);
    S.FontName = "Arial";
    logic.BridgeCursorStyle(S);
    EXPECT_EQ(FontShown(), "Segoe UI");
}

TEST(FormattingToolbar, ReportsMoveTheControls) {
    using Box = TToolbarBox;
    struct Case {
        const char* Name;
        std::function<void(TEditorCursorStyle&)> Change;
        std::function<void(ToolbarRig&)> Check;
    };
    const auto spacing = [](const char* text, int index) {
        return [text, index](ToolbarRig& t) {
            EXPECT_EQ(t.SpacingText(), text);
            EXPECT_EQ(t.SpacingIndex(), index);
        };
    };
    const auto aligned = [](bool left, bool center, bool right) {
        return [=](ToolbarRig& t) {
            EXPECT_EQ(t.view.Down(TToolbarButton::btnAlignLeft), left);
            EXPECT_EQ(t.view.Down(TToolbarButton::btnAlignCenter), center);
            EXPECT_EQ(t.view.Down(TToolbarButton::btnAlignRight), right);
        };
    };
    const std::vector<Case> cases = {
        {"21px at 14px", [](auto& S) { S.LineHeight = "21px", S.FontSizePx = 14; },
         spacing("1.5", 3)},
        {"14px at 14px", [](auto& S) { S.LineHeight = "14px", S.FontSizePx = 14; },
         spacing("1", -1)},
        {"10px at 14px", [](auto& S) { S.LineHeight = "10px", S.FontSizePx = 14; },
         spacing("1", -1)},
        {"28PX at 14px", [](auto& S) { S.LineHeight = " 28PX ", S.FontSizePx = 14; },
         spacing("2", -1)},
        {"normal", [](auto& S) { S.LineHeight = "normal"; }, spacing("normal", -1)},
        {"21px without size", [](auto& S) { S.LineHeight = "21px", S.FontSizePx = 0; },
         spacing("21px", -1)},
        {"2.0", [](auto& S) { S.LineHeight = "2.0"; }, spacing("2.0", 4)},
        {"empty line height", [](auto& S) { S.LineHeight = ""; }, spacing("1.5", 3)},
        {"rgb colour", [](auto& S) { S.TextColorHtml = "rgb(255, 0, 0)"; },
         [](auto& t) { EXPECT_EQ(t.view.Color, kBlack); }},
        {"transparent", [](auto& S) { S.TextColorHtml = "transparent"; },
         [](auto& t) { EXPECT_EQ(t.view.Color, kWhite); }},
        {"lower-case hex", [](auto& S) { S.TextColorHtml = "#0000ff"; },
         [](auto& t) { EXPECT_EQ(t.view.Color, kBlue); }},
        {"justify", [](auto& S) { S.Align = "justify"; }, aligned(false, false, false)},
        {"empty align", [](auto& S) { S.Align = ""; }, aligned(true, false, false)},
        {"CENTER", [](auto& S) { S.Align = "CENTER"; }, aligned(false, true, false)},
        {"font arial", [](auto& S) { S.FontName = "arial"; },
         [](auto& t) { EXPECT_EQ(t.FontShown(), "Arial"); }},
        {"font not installed", [](auto& S) { S.FontName = "Fancy Font"; },
         [](auto& t) {
             EXPECT_EQ(t.view.Of(Box::cmbTextFont).Index, -1);
             EXPECT_EQ(t.view.Of(Box::cmbTextFont).Text,
                       "Fancy Font (not installed, shown as DejaVu Sans)");
         }},
        {"size 16", [](auto& S) { S.FontSizePx = 16; },
         [](auto& t) {
             EXPECT_EQ(t.SizeText(), "16");
             EXPECT_EQ(t.view.Of(Box::cmbFontSize).Index, 6);
         }},
        {"size 17", [](auto& S) { S.FontSizePx = 17; },
         [](auto& t) {
             EXPECT_EQ(t.SizeText(), "17");
             EXPECT_EQ(t.view.Of(Box::cmbFontSize).Index, -1);
         }},
        {"size 0 keeps the box", [](auto& S) { S.FontSizePx = 0; },
         [](auto& t) { EXPECT_EQ(t.SizeText(), "14"); }},
        {"H2", [](auto& S) { S.BlockTag = "H2"; },
         [](auto& t) { EXPECT_EQ(t.view.Of(Box::cmbHeading).Index, 2); }},
        {"blockquote", [](auto& S) { S.BlockTag = "blockquote"; },
         [](auto& t) { EXPECT_EQ(t.view.Of(Box::cmbHeading).Index, 0); }},
        {"styles and lists", [](auto& S) { S.Bold = S.Underline = true, S.ListType = "UL"; },
         [](auto& t) {
             EXPECT_TRUE(t.view.Down(TToolbarButton::btnBold));
             EXPECT_FALSE(t.view.Down(TToolbarButton::btnItalic));
             EXPECT_TRUE(t.view.Down(TToolbarButton::btnUnderline));
             EXPECT_TRUE(t.view.Down(TToolbarButton::btnUL));
             EXPECT_FALSE(t.view.Down(TToolbarButton::btnOL));
         }},
        {"header area", [](auto& S) { S.Area = "header"; },
         [](auto& t) { EXPECT_EQ(t.logic.ActiveArea(), "header"); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        ToolbarRig t;
        t.view.Pick(Box::cmbTextFont, "Segoe UI");
        t.view.Pick(Box::cmbHeading, "H1");
        TEditorCursorStyle S = ToolbarRig::PlainReport();
        S.FontName = "";
        S.FontSizePx = 0;
        S.TextColorHtml = "";
        S.LineHeight = "";
        c.Change(S);
        t.logic.BridgeCursorStyle(S);
        c.Check(t);
        EXPECT_FALSE(t.logic.UpdatingUi());
        EXPECT_TRUE(t.page.Scripts.empty());
    }
}

// A box the user is working in (focused, or with its list open) is left
// alone; everything else still follows the report.
TEST(FormattingToolbar, ReportsLeaveFocusedAndOpenBoxesAlone) {
    using Box = TToolbarBox;
    const std::vector<std::tuple<const char*, Box, bool>> cases = {
        {"size focused", Box::cmbFontSize, false},
        {"spacing focused", Box::cmbLineSpacing, false},
        {"heading focused", Box::cmbHeading, false},
        {"font focused", Box::cmbTextFont, false},
        {"font open", Box::cmbTextFont, true},
        {"colour focused", Box::cbTextColor, false},
        {"colour open", Box::cbTextColor, true},
    };
    for (const auto& [name, box, open] : cases) {
        SCOPED_TRACE(name);
        ToolbarRig t;
        t.view.Pick(Box::cmbTextFont, "Segoe UI");
        t.view.Type(Box::cmbFontSize, "2");
        (open ? t.view.Of(box).DroppedDown : t.view.Of(box).Focused) = true;
        TEditorCursorStyle S = ToolbarRig::PlainReport();
        S.FontSizePx = 20;
        S.TextColorHtml = "#0000FF";
        S.BlockTag = "h3";
        S.LineHeight = "2.0";
        t.logic.BridgeCursorStyle(S);
        EXPECT_EQ(t.SizeText() == "2", box == Box::cmbFontSize);
        EXPECT_EQ(t.SpacingText() == "1.5", box == Box::cmbLineSpacing);
        EXPECT_EQ(t.view.Of(Box::cmbHeading).Index == 0, box == Box::cmbHeading);
        EXPECT_EQ(t.FontShown() == "Segoe UI", box == Box::cmbTextFont);
        EXPECT_EQ(t.view.Color == kBlack, box == Box::cbTextColor);
    }
}

TEST_F(FormattingToolbarTest, ReportsAreDroppedWhileTheProgramUpdatesTheToolbar) {
    TEditorCursorStyle S = PlainReport();
    S.Bold = true;
    S.Area = "header";
    {
        const T::TUpdatingUiScope updating(logic);
        logic.BridgeCursorStyle(S);
        EXPECT_TRUE(logic.UpdatingUi());
    }
    EXPECT_FALSE(logic.UpdatingUi());
    EXPECT_FALSE(view.Down(TToolbarButton::btnBold));
    EXPECT_EQ(logic.ActiveArea(), "body");
}

// A custom colour: reports arriving while its dialog is open are dropped, so
// they cannot move the box behind the dialog.
TEST_F(FormattingToolbarTest, CustomColourDialogHoldsOffReports) {
    view.CustomEntry = true;
    view.CustomAnswer = kBlue;
    view.DuringDialog = [this] {
        TEditorCursorStyle S = PlainReport();
        S.TextColorHtml = "#FF0000";
        S.Align = "right";
        logic.BridgeCursorStyle(S);
    };
    logic.cbTextColorChange();
    EXPECT_EQ(view.CustomDialogs, 1);
    EXPECT_FALSE(view.Down(TToolbarButton::btnAlignRight));
    EXPECT_EQ(view.Color, kBlue);
    EXPECT_EQ(Sent(), std::vector<std::string>{"foreColor #0000FF"});
    EXPECT_FALSE(logic.UpdatingUi());
}

} // namespace
