#include "publish/WebHelpAppearance.h"

#include "settings/ProjectSettings.h"

#include <gtest/gtest.h>

namespace quillmark {
namespace {

TEST(WebHelpAppearanceTest, OnlyTheColoursOfANewProjectTurnDark) {
    TProjectSettings settings;
    settings.DefaultFontName = "Georgia"; // not a colour: no matter
    EXPECT_TRUE(KeepsDefaultColours(settings));
    EXPECT_NE(WebHelpDarkCss(settings).find(":root[data-sv-theme=\"dark\"] body"), std::string::npos);
    TColor TProjectSettings::*colours[] = {
        &TProjectSettings::DefaultTextColor, &TProjectSettings::DefaultPageBgColor,
        &TProjectSettings::DefaultTextBackColor, &TProjectSettings::LinkColor,
        &TProjectSettings::DefaultHeaderBgColor, &TProjectSettings::TableBorderColor};
    for (const auto colour : colours) {
        TProjectSettings own;
        own.*colour = MakeColor(0x12, 0x34, 0x56);
        EXPECT_FALSE(KeepsDefaultColours(own));
        EXPECT_EQ(WebHelpDarkCss(own), "");
    }
}

TEST(WebHelpAppearanceTest, DefaultHeaderBackgrounds) {
    for (const char* value : {"#fafafa", " #FAFAFA ", "#E7EFF5", "#e7eff5", "#FFFFFF", "white"})
        EXPECT_TRUE(IsDefaultHeaderBackground(value)) << value;
    for (const char* value : {"#123456", "", "#fafafb", "red"})
        EXPECT_FALSE(IsDefaultHeaderBackground(value)) << value;
}

} // namespace
} // namespace quillmark
