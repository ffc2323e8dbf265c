#include "app/HelpIdFields.h"
#include "app/MainWindow.h"
#include "app/StyleProfiles.h"
#include "base/FileHelpers.h"
#include "base/TextUtils.h"
#include "base/Translation.h"
#include "model/ProjectStorage.h"

namespace quillmark {

namespace {

std::string JoinLines(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) {
        if (!text.empty())
            text += '\n';
        text += line;
    }
    return text;
}

// The trimmed lines that are not empty, in order.
std::vector<std::string> EntriesOf(const std::string& text) {
    std::vector<std::string> entries;
    for (const std::string& line : SplitLines(text))
        if (std::string entry = Trim(line); !entry.empty())
            entries.push_back(std::move(entry));
    return entries;
}

} // namespace

void TMainWindow::TopicProperties1Click() {
    FPropertiesVisible = !FPropertiesVisible;
    FPorts.View.SetPropertiesPanelVisible(FPropertiesVisible);
    const std::string id = SelectedKnownTopic();
    if (FPropertiesVisible && !id.empty())
        ShowTopicProperties(id);
}

void TMainWindow::ShowTopicProperties(const std::string& topicId) {
    // What was typed for the topic shown before is kept, not overwritten.
    Guarded([&] { KeepTypedTopicProperties(); });
    if (!FState.FProject.HasTopic(topicId))
        return;
    const TTopic& topic = FState.FProject.GetTopic(topicId);
    FPropertiesShown = {JoinLines(topic.FKeywords), JoinLines(topic.FIndexEntries),
                        topic.FExcludeWeb, topic.FExcludeChm, topic.FExcludePdf,
                        HelpIdLines(topic.FHelpIds)};
    FPorts.View.ShowTopicProperties(FPropertiesShown);
    FPropertiesTopicID = topicId;
}

void TMainWindow::KeepTypedTopicProperties() {
    if (FPropertiesTopicID.empty() || !FState.FProject.HasTopic(FPropertiesTopicID))
        return;
    // Only what the author changed in the panel since it was filled counts.
    const TTopicPropertyFields typed = FPorts.View.ReadTopicProperties();
    const TTopicPropertyFields& shown = FPropertiesShown;
    const bool unchanged = typed.Keywords == shown.Keywords &&
                           typed.IndexEntries == shown.IndexEntries &&
                           typed.ExcludeWeb == shown.ExcludeWeb &&
                           typed.ExcludeChm == shown.ExcludeChm &&
                           typed.ExcludePdf == shown.ExcludePdf &&
                           typed.HelpIds == shown.HelpIds;
    if (unchanged)
        return;
    StoreTopicProperties(FPropertiesTopicID);
    FPropertiesShown = typed;
    SetStatusText(Translate("Properties saved"));
}

void TMainWindow::StoreTopicProperties(const std::string& topicId) {
    const TTopicPropertyFields fields = FPorts.View.ReadTopicProperties();
    // Help IDs that clash or do not parse fail the whole Apply: nothing of
    // the topic changes.
    std::vector<THelpId> helpIds = ParseHelpIdLines(fields.HelpIds);
    RequireUniqueHelpIds(FState.FProject, topicId, helpIds);
    TTopic& topic = FState.FProject.GetTopic(topicId);
    topic.FHelpIds = std::move(helpIds);
    topic.FKeywords = EntriesOf(fields.Keywords);
    topic.FIndexEntries = EntriesOf(fields.IndexEntries);
    topic.FExcludeWeb = fields.ExcludeWeb;
    topic.FExcludeChm = fields.ExcludeChm;
    topic.FExcludePdf = fields.ExcludePdf;
    SaveProjectFolder(FState.FProject);
}

void TMainWindow::btnApplyPropsClick() {
    Guarded([&] {
        const std::string id = SelectedKnownTopic();
        if (!id.empty())
            StoreTopicProperties(id);
        if (id == FPropertiesTopicID)
            FPropertiesShown = FPorts.View.ReadTopicProperties();
        SetStatusText(Translate("Properties saved"));
    });
}

void TMainWindow::FillStyleProfiles() {
    FStyleProfiles = StyleProfileNames(FState.FProject.FRootPath);
    int selected = 0;
    for (size_t i = 0; i < FStyleProfiles.size(); ++i) {
        if (AsciiSameText(FStyleProfiles[i], FState.FProject.FStyleProfile)) {
            selected = static_cast<int>(i);
            break;
        }
    }
    FPorts.View.SetStyleProfiles(FStyleProfiles, selected);
}

void TMainWindow::cbStyleChange(const std::string& profile) {
    // The profile names a stylesheet file; only a plain file name may do so.
    if (!IsSafePathComponent(profile))
        return;
    Guarded([&] {
        FState.FProject.FStyleProfile = profile;
        SaveProjectFolder(FState.FProject);
        SetStatusText("Style set: " + profile);
        FEditor->ApplyEditorCss();
    });
}

} // namespace quillmark
