#include "settings/ProjectSettings.h"

#include "base/FileHelpers.h"
#include "base/JsonRead.h"
#include "base/QuillError.h"
#include "base/TextUtils.h"
#include "base/Utf.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace quillmark {

namespace {

constexpr std::array<std::string_view, 5> kLinkStyles = {"none", "solid", "dashed", "dotted",
                                                         "double"};
constexpr std::array<std::string_view, 4> kTableBorderStyles = {"solid", "dashed", "dotted",
                                                                "double"};

template <size_t N>
bool IsOneOf(const std::string& text, const std::array<std::string_view, N>& words) {
    return std::any_of(words.begin(), words.end(),
                       [&](std::string_view word) { return AsciiSameText(text, word); });
}

void ReadText(const JsonValue& object, std::string_view name, std::string& field) {
    if (const JsonValue* member = object.Find(name))
        field = JsonValueText(*member);
}

// A conversion error names the member it is about.
template <typename Convert>
auto ReadMember(std::string_view name, const Convert& convert) {
    try {
        return convert();
    } catch (const QuillError& e) {
        throw QuillError("\"" + std::string(name) + "\": " + e.what());
    }
}

void ReadInteger(const JsonValue& object, std::string_view name, int32_t& field) {
    const JsonValue* member = object.Find(name);
    if (member != nullptr && member->IsNumber())
        field = ReadMember(name, [&] { return JsonNumberToInt32(*member); });
}

void ReadColor(const JsonValue& object, std::string_view name, TColor& field) {
    if (const JsonValue* member = object.Find(name))
        field = HtmlToColorOr(JsonValueText(*member), field);
}

void ReadStyleWord(const JsonValue& object, std::string_view name, std::string& field) {
    ReadText(object, name, field);
    field = AsciiLower(field);
}

void ClampBelow(int32_t& value, int32_t low) {
    value = std::max(value, low);
}

} // namespace

TProjectSettings::TProjectSettings() {
    SetDefaults();
}

void TProjectSettings::SetDefaults() {
    ProjTitle = "Untitled Documentation";
    FontSizeH1 = 32;
    FontSizeH2 = 24;
    FontSizeH3 = 18;
    FontSizeBody = 16;
    DefaultTextColor = MakeColor(0, 0, 0);
    DefaultFontName = "Segoe UI";
    DefaultTextBackColor = MakeColor(0xFF, 0xFF, 0xFF);
    DefaultLineSpacing = 1.5;
    DefaultPageBgColor = MakeColor(0xFF, 0xFF, 0xFF);
    DefaultHeaderBgColor = MakeColor(0xE7, 0xEF, 0xF5);
    TocTextColor = MakeColor(0, 0, 0);
    TocTextSize = 12;
    CopyrightEnabled = false;
    CopyrightText.clear();
    LinkColor = MakeColor(0, 0, 0xFF);
    LinkStyle = "solid";
    TableBorderStyle = "solid";
    TableBorderWidth = 1;
    TableBorderColor = MakeColor(0x99, 0x99, 0x99);
}

JsonValue TProjectSettings::ToJson() const {
    JsonValue o = JsonValue::Object();
    o.Add("ProjTitle", JsonValue::String(ProjTitle));
    o.Add("FontSizeH1", JsonValue::Integer(FontSizeH1));
    o.Add("FontSizeH2", JsonValue::Integer(FontSizeH2));
    o.Add("FontSizeH3", JsonValue::Integer(FontSizeH3));
    o.Add("FontSizeBody", JsonValue::Integer(FontSizeBody));
    o.Add("DefaultTextColor", JsonValue::String(ColorToHtml(DefaultTextColor)));
    o.Add("DefaultFontName", JsonValue::String(DefaultFontName));
    o.Add("DefaultTextBackColor", JsonValue::String(ColorToHtml(DefaultTextBackColor)));
    o.Add("DefaultLineSpacing", JsonValue::Float(DefaultLineSpacing));
    o.Add("DefaultPageBgColor", JsonValue::String(ColorToHtml(DefaultPageBgColor)));
    o.Add("DefaultHeaderBgColor", JsonValue::String(ColorToHtml(DefaultHeaderBgColor)));
    o.Add("TocTextColor", JsonValue::String(ColorToHtml(TocTextColor)));
    o.Add("TocTextSize", JsonValue::Integer(TocTextSize));
    o.Add("CopyrightEnabled", JsonValue::Boolean(CopyrightEnabled));
    o.Add("CopyrightText", JsonValue::String(CopyrightText));
    o.Add("LinkColor", JsonValue::String(ColorToHtml(LinkColor)));
    o.Add("LinkStyle", JsonValue::String(LinkStyle));
    o.Add("TableBorderStyle", JsonValue::String(TableBorderStyle));
    o.Add("TableBorderWidth", JsonValue::Integer(TableBorderWidth));
    o.Add("TableBorderColor", JsonValue::String(ColorToHtml(TableBorderColor)));
    return o;
}

void TProjectSettings::FromJson(const JsonValue& object) {
    ReadText(object, "ProjTitle", ProjTitle);
    ReadInteger(object, "FontSizeH1", FontSizeH1);
    ReadInteger(object, "FontSizeH2", FontSizeH2);
    ReadInteger(object, "FontSizeH3", FontSizeH3);
    ReadInteger(object, "FontSizeBody", FontSizeBody);
    ReadColor(object, "DefaultTextColor", DefaultTextColor);
    ReadText(object, "DefaultFontName", DefaultFontName);
    ReadColor(object, "DefaultTextBackColor", DefaultTextBackColor);
    if (const JsonValue* spacing = object.Find("DefaultLineSpacing");
        spacing && spacing->IsNumber())
        DefaultLineSpacing =
            ReadMember("DefaultLineSpacing", [&] { return JsonNumberToDouble(*spacing); });
    ReadColor(object, "DefaultPageBgColor", DefaultPageBgColor);
    ReadColor(object, "DefaultHeaderBgColor", DefaultHeaderBgColor);
    ReadColor(object, "TocTextColor", TocTextColor);
    ReadInteger(object, "TocTextSize", TocTextSize);
    if (const JsonValue* enabled = object.Find("CopyrightEnabled")) {
        if (enabled->IsBoolean()) {
            CopyrightEnabled = enabled->BooleanValue();
        } else {
            const std::string text = Trim(JsonValueText(*enabled));
            if (AsciiSameText(text, "true"))
                CopyrightEnabled = true;
            else if (AsciiSameText(text, "false"))
                CopyrightEnabled = false;
        }
    }
    ReadText(object, "CopyrightText", CopyrightText);
    ReadColor(object, "LinkColor", LinkColor);
    ReadStyleWord(object, "LinkStyle", LinkStyle);
    ReadStyleWord(object, "TableBorderStyle", TableBorderStyle);
    ReadInteger(object, "TableBorderWidth", TableBorderWidth);
    ReadColor(object, "TableBorderColor", TableBorderColor);

    for (int32_t* size : {&FontSizeBody, &FontSizeH1, &FontSizeH2, &FontSizeH3})
        ClampBelow(*size, 8);
    TocTextSize = std::clamp(TocTextSize, 6, 36);
    DefaultLineSpacing = std::clamp(DefaultLineSpacing, 1.0, 5.0);
    if (!IsOneOf(LinkStyle, kLinkStyles))
        LinkStyle = "solid";
    if (!IsOneOf(TableBorderStyle, kTableBorderStyles))
        TableBorderStyle = "solid";
    TableBorderWidth = std::clamp(TableBorderWidth, 1, 12);
}

void TProjectSettings::SaveToFile(const std::string& fileName) const {
    EnsureDir(ExtractFileDir(fileName));
    WriteTextFileUtf8Bom(fileName, WriteJson(ToJson()));
}

bool TProjectSettings::LoadFromFile(const std::string& fileName) {
    if (!FileExists(fileName))
        return false;
    const auto value = ParseJsonFileText(fileName, DecodeTextWithBom(ReadFileBytes(fileName)));
    if (!value || !value->IsObject())
        return false;
    try {
        FromJson(*value);
    } catch (const QuillError& e) {
        throw FileProblem(fileName, e.what());
    }
    return true;
}

std::string TProjectSettings::DefaultSettingsPathForProject(const std::string& projectRoot) {
    return JoinPath(JoinPath(projectRoot, "meta"), "project_settings.json");
}

} // namespace quillmark
