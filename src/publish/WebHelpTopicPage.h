#pragma once

#include "publish/HtmlHelpers.h"
#include "publish/PublishSteps.h"
#include "publish/TopicSections.h"

#include <string>
#include <string_view>

namespace quillmark {

class TDocProject;
class TProjectSettings;
struct TTopic;

// Makes the site's page of one topic from its expanded HTML: header band,
// body with its sections, footer, the project's stylesheet. The WebHelp
// export makes every page with one; the topic preview makes one page the
// same way. Threads may share one.
class TWebHelpTopicPageMaker {
public:
    TWebHelpTopicPageMaker(const TDocProject& project, const TProjectSettings& settings);

    // The page (with the stylesheet at `cssHref`) and its sections, which
    // the search data takes.
    TSectionedPage Make(const TTopic& topic, std::string_view expandedHtml,
                        std::string_view cssHref) const;

private:
    const TDocProject& FProject;
    std::string FPageBg;
    std::string FFooter;
    std::string FLanguage;
    TDocLinkResolver FResolver;
    TPageHeaderResolver FHeaders;
};

} // namespace quillmark
