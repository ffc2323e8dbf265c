#include "base/FileHelpers.h"
#include "base/Regex.h"
#include "base/TextUtils.h"
#include "model/DocProject.h"
#include "publish/ChmExport.h"
#include "publish/JpegOrientation.h"
#include "publish/PublishSteps.h"

#include <set>

namespace quillmark {
namespace {

// The output file an image address of a topic names: "assets/..." or
// "/assets/..." with a JPEG extension, inside the output folder; empty for
// any other address.
std::string JpegInOutput(const std::string& outputFolder, std::string_view address) {
    std::string value = Trim(address);
    if (AsciiStartsWithIgnoreCase(value, "/assets/"))
        value.erase(0, 1);
    else if (!AsciiStartsWithIgnoreCase(value, "assets/"))
        return {};
    if (!AsciiEndsWithIgnoreCase(value, ".jpg") && !AsciiEndsWithIgnoreCase(value, ".jpeg"))
        return {};
    return ResolveInsideFolder(outputFolder, value);
}

} // namespace

void NormalizeChmJpegs(const TDocProject& project, const std::string& outputFolder) {
    static const Regex source(R"(src\s*=\s*["']([^"']+)["'])", Regex::Caseless);
    std::set<std::string> handled;
    for (const TTopic* topic : ExportedTopics(project, &TTopic::FExcludeChm)) {
        const std::string html = ReadTopicSource(project, topic->FID);
        for (const RegexMatch& match : source.Matches(html)) {
            const std::string file = JpegInOutput(outputFolder, match.Group(1));
            if (file.empty() || !FileExists(file) || !handled.insert(file).second)
                continue;
            const int orientation = ReadJpegOrientation(file);
            if (orientation == 3 || orientation == 6 || orientation == 8)
                ApplyJpegOrientation(file);
        }
    }
}

} // namespace quillmark
