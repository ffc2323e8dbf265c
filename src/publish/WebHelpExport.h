#pragma once

#include "publish/OutputFormat.h"

#include <functional>
#include <string>
#include <vector>

namespace quillmark {

// The static WebHelp site in "build/webhelp": one page per topic in
// "topics", the assets, "style.css", the contents and search files, and the
// site template from the project's "internal/webhelp" folder.
class TWebHelpOutputFormat final : public IOutputFormat {
public:
    std::string Name() const override { return "webhelp"; }
    std::string OutputFolder(const TDocProject& project) const override;
    // Writes the site and returns the path of its "index.html".
    std::string Publish(const TPublishContext& context) const override;
};

// Everything but the template: pages, assets, "style.css", contents,
// search index and A–Z index, with the settings read afresh from the
// project's file. Returns the written files' paths relative to the folder.
std::vector<std::string> ExportWebHelp(const TDocProject& project,
                                       const std::string& outputFolder,
                                       const std::function<void(const std::string&)>& progress = {});

// Copies the files of the project's "internal/webhelp" folder when that
// folder exists ("app.html" as "index.html"; "app.js" and "app.css" must be
// there), then fills the colour and size placeholders of "app.css" from
// `settings` (a failure there is ignored). Returns the written files' paths
// relative to the output folder.
std::vector<std::string> CopyWebHelpTemplate(const TDocProject& project,
                                             const TProjectSettings& settings,
                                             const std::string& outputFolder);

// The first "<title>WebHelp</title>" of the site's "index.html" (when there
// is one) becomes the escaped project title.
void ApplyWebHelpTitle(const TDocProject& project, const std::string& outputFolder);

} // namespace quillmark
