#include "settings/ProjectSettings.h"

#include "base/Color.h"
#include "base/FileHelpers.h"
#include "base/JsonRead.h"
#include "base/QuillError.h"
#include "base/TextUtils.h"
#include "base/Utf.h"
#include "settings/SettingsTable.h"

namespace quillmark {

namespace {

void SetValue(TProjectSettings& settings, const TSettingField& field,
              const TSettingDefault& value) {
    std::visit(
        [&](auto member) {
            using T = std::remove_reference_t<decltype(settings.*member)>;
            if constexpr (std::is_same_v<T, std::string>)
                settings.*member = std::get<std::string_view>(value);
            else
                settings.*member = std::get<T>(value);
        },
        field.Member);
}

JsonValue ToJsonValue(const TProjectSettings& settings, const TSettingField& field) {
    switch (field.Kind) {
    case TSettingKind::Text:
    case TSettingKind::Word:
        return JsonValue::String(SettingValue<std::string>(settings, field));
    case TSettingKind::Integer:
        return JsonValue::Integer(SettingValue<int32_t>(settings, field));
    case TSettingKind::Decimal:
        return JsonValue::Float(SettingValue<double>(settings, field));
    case TSettingKind::Color:
        return JsonValue::String(ColorToHtml(SettingValue<TColor>(settings, field)));
    case TSettingKind::Flag:
        return JsonValue::Boolean(SettingValue<bool>(settings, field));
    }
    return JsonValue();
}

// A flag is a JSON Boolean, or the text "true" or "false" (trimmed, ASCII
// case ignored); anything else leaves it as it is.
void ReadFlag(const JsonValue& member, bool& flag) {
    if (member.IsBoolean()) {
        flag = member.BooleanValue();
        return;
    }
    const std::string text = Trim(JsonValueText(member));
    if (AsciiSameText(text, "true"))
        flag = true;
    else if (AsciiSameText(text, "false"))
        flag = false;
}

// Applies the member over the field: a member of the wrong JSON type, or a
// colour that is no "#RRGGBB", leaves the field as it is.
void ReadMember(const JsonValue& member, TProjectSettings& settings, const TSettingField& field) {
    switch (field.Kind) {
    case TSettingKind::Text:
    case TSettingKind::Word:
        SettingValue<std::string>(settings, field) = JsonValueText(member);
        break;
    case TSettingKind::Integer:
        if (member.IsNumber())
            SettingValue<int32_t>(settings, field) = JsonNumberToInt32(member);
        break;
    case TSettingKind::Decimal:
        if (member.IsNumber())
            SettingValue<double>(settings, field) = JsonNumberToDouble(member);
        break;
    case TSettingKind::Color: {
        TColor& color = SettingValue<TColor>(settings, field);
        color = HtmlToColorOr(JsonValueText(member), color);
        break;
    }
    case TSettingKind::Flag:
        ReadFlag(member, SettingValue<bool>(settings, field));
        break;
    }
}

// Holds numbers to their ranges and words to their lists.
void Limit(TProjectSettings& settings, const TSettingField& field) {
    switch (field.Kind) {
    case TSettingKind::Word: {
        std::string& word = SettingValue<std::string>(settings, field);
        word = NormalisedWord(field, word);
        break;
    }
    case TSettingKind::Integer: {
        int32_t& value = SettingValue<int32_t>(settings, field);
        value = LimitedInteger(field, value);
        break;
    }
    case TSettingKind::Decimal: {
        double& value = SettingValue<double>(settings, field);
        value = LimitedDecimal(field, value);
        break;
    }
    default:
        break;
    }
}

} // namespace

TProjectSettings::TProjectSettings() {
    SetDefaults();
}

void TProjectSettings::SetDefaults() {
    for (const TSettingField& field : ProjectSettingFields())
        SetValue(*this, field, field.Default);
}

JsonValue TProjectSettings::ToJson() const {
    JsonValue o = JsonValue::Object();
    for (const TSettingField& field : ProjectSettingFields())
        o.Add(std::string(field.Name), ToJsonValue(*this, field));
    return o;
}

void TProjectSettings::FromJson(const JsonValue& object) {
    for (const TSettingField& field : ProjectSettingFields()) {
        if (const JsonValue* member = object.Find(field.Name)) {
            try {
                ReadMember(*member, *this, field);
            } catch (const QuillError& e) {
                // A conversion error names the member it is about.
                throw QuillError("\"" + std::string(field.Name) + "\": " + e.what());
            }
        } else if (field.Absent) {
            SetValue(*this, field, *field.Absent);
        }
    }
    for (const TSettingField& field : ProjectSettingFields())
        Limit(*this, field);
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

bool KeepsDefaultPageColors(const TProjectSettings& settings) {
    TProjectSettings defaults;
    defaults.SetDefaults();
    return ColorToRgb(settings.DefaultPageBgColor) == ColorToRgb(defaults.DefaultPageBgColor) &&
           ColorToRgb(settings.DefaultTextColor) == ColorToRgb(defaults.DefaultTextColor) &&
           ColorToRgb(settings.TocTextColor) == ColorToRgb(defaults.TocTextColor);
}

} // namespace quillmark
