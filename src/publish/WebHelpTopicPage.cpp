#include "publish/WebHelpTopicPage.h"

#include "base/Color.h"
#include "model/DocProject.h"
#include "publish/WebHelpAppearance.h"
#include "publish/WebHelpPage.h"
#include "settings/ProjectSettings.h"
#include "settings/SettingsTable.h"

namespace quillmark {

TWebHelpTopicPageMaker::TWebHelpTopicPageMaker(const TDocProject& project,
                                               const TProjectSettings& settings)
    : FProject(project), FPageBg(ColorToHtml(settings.DefaultPageBgColor)),
      FFooter(WebHelpFooterHtml(settings)),
      FLanguage(SettingTextOrDefault(settings, "ContentLanguage")),
      FResolver(ExportedPageLinkResolver(project, &TTopic::FExcludeWeb)),
      FHeaders(project, TPageHeaderVariant::WebHelp) {}

TSectionedPage TWebHelpTopicPageMaker::Make(const TTopic& topic, std::string_view expandedHtml,
                                            std::string_view cssHref) const {
    TSectionedPage body = SplitIntoSections(PrepareWebHelpBody(expandedHtml, FResolver));
    const TPageHeader header = FHeaders.Resolve(topic.FID);
    TWebHelpPage page;
    page.TopicId = topic.FID;
    page.TopicTitle = topic.FTitle;
    page.ProjectTitle = FProject.FTitle;
    page.Language = FLanguage;
    page.CssHref = cssHref;
    page.PageBg = FPageBg;
    page.HeaderHtml = header.Html;
    page.HeaderBg = header.Background;
    page.HeaderIsTitleLine = header.IsTitleLine;
    page.HeaderHasDefaultBg = IsDefaultHeaderBackground(header.Background);
    page.BodyHtml = body.Html;
    page.FooterHtml = FFooter;
    body.Html = BuildWebHelpPage(page);
    return body;
}

} // namespace quillmark
