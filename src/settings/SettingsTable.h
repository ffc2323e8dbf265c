#pragma once

#include "base/Color.h"
#include "settings/ProjectSettings.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>

namespace quillmark {

// How a setting is held, written to the settings file and read back.
enum class TSettingKind {
    Text,    // any text
    Word,    // one of a few words; any other text becomes the default
    Integer, // a whole number, read only from JSON numbers
    Decimal, // a decimal number, read only from JSON numbers
    Color,   // "#RRGGBB" in the file
    Flag,    // true or false
};

using TSettingMember =
    std::variant<std::string TProjectSettings::*, int32_t TProjectSettings::*,
                 double TProjectSettings::*, TColor TProjectSettings::*, bool TProjectSettings::*>;
using TSettingDefault = std::variant<std::string_view, int32_t, double, TColor, bool>;

// One project setting: all the program knows of it apart from the place the
// settings dialog gives it (SettingsDialogRows).
struct TSettingField {
    // The member of meta/project_settings.json; also the field's name.
    std::string_view Name;
    TSettingKind Kind;
    TSettingMember Member;
    TSettingDefault Default;
    // Integer and Decimal: the range the value is held to, whether it comes
    // from the file or from the dialog.
    std::optional<double> Min = std::nullopt;
    std::optional<double> Max = std::nullopt;
    // Word: the words allowed, in the order the dialog lists them.
    std::span<const std::string_view> Words = {};
    // Text: blank text stands for the default (the font name).
    bool BlankMeansDefault = false;
    // The value a file without the member gets, for a setting whose default
    // for new projects differs from what projects did before it existed;
    // none: a missing member leaves the field as it is.
    std::optional<TSettingDefault> Absent = std::nullopt;
    // Text: the texts the setting may hold; the dialog refuses others, and
    // one written into the file by hand is read as the default.
    bool (*Accepts)(std::string_view text) = nullptr;
    // What the dialog shows for the setting: a label, or a check box's
    // caption; null for settings the dialog does not show.
    const char* Caption = nullptr;
};

// Every setting, in the order of the file's members. A setting added later
// is one row here (and its field in TProjectSettings): files written before
// it lack the member and so keep the default, or take the row's Absent.
std::span<const TSettingField> ProjectSettingFields();

// The row of the setting with that name; an unknown name is a programming
// error and raises std::out_of_range.
const TSettingField& ProjectSettingField(std::string_view name);

// A Text or Word setting's value, trimmed; its default when that is empty
// or not one the setting accepts.
std::string SettingTextOrDefault(const TProjectSettings& settings, std::string_view name);

// A language tag as HTML's lang attribute takes it: a language of two to
// eight letters, then any subtags of one to eight letters or digits, each
// after a "-" ("en", "de-CH", "zh-Hant-TW").
bool IsLanguageTag(std::string_view text);

// The entry of a Word setting's list equal to `text` without regard to ASCII
// case, as the list spells it; the default when there is none.
std::string_view NormalisedWord(const TSettingField& field, std::string_view text);

// The field of `settings` that the row stands for; T is the field's type.
template <typename T> T& SettingValue(TProjectSettings& settings, const TSettingField& field) {
    return settings.*std::get<T TProjectSettings::*>(field.Member);
}
template <typename T>
const T& SettingValue(const TProjectSettings& settings, const TSettingField& field) {
    return settings.*std::get<T TProjectSettings::*>(field.Member);
}

// The value held to the setting's range.
int32_t LimitedInteger(const TSettingField& field, int32_t value);
double LimitedDecimal(const TSettingField& field, double value);

} // namespace quillmark
