#include "editor/MkDocsConfig.h"

#include "base/QuillError.h"
#include "base/TextUtils.h"
#include "base/Translation.h"

#include <yaml-cpp/yaml.h>

namespace quillmark {

namespace {

// Deeper sections are left out rather than walked: nobody navigates them, and
// the walk is recursive.
constexpr int kMaxNavDepth = 32;

bool IsWebAddress(std::string_view page) { return page.find("://") != std::string_view::npos; }

class TNavReader {
public:
    explicit TNavReader(std::vector<std::string>& skipped) : skipped_(skipped) {}

    std::vector<TNavEntry> ReadList(const YAML::Node& list, int depth) {
        std::vector<TNavEntry> entries;
        if (depth > kMaxNavDepth) {
            skipped_.push_back("sections nested too deeply");
            return entries;
        }
        for (const YAML::Node& item : list) {
            if (item.IsScalar()) {
                AddPage(entries, "", item.Scalar());
            } else if (item.IsMap()) {
                for (const auto& member : item) {
                    const std::string label =
                        member.first.IsScalar() ? Trim(member.first.Scalar()) : "";
                    AddLabelled(entries, label, member.second, depth);
                }
            } else {
                skipped_.push_back("a nav entry of an unknown form");
            }
        }
        return entries;
    }

private:
    void AddLabelled(std::vector<TNavEntry>& entries, const std::string& label,
                     const YAML::Node& value, int depth) {
        if (value.IsScalar()) {
            AddPage(entries, label, value.Scalar());
        } else if (value.IsSequence()) {
            TNavEntry section;
            section.Label = label;
            section.IsSection = true;
            section.Children = ReadList(value, depth + 1);
            entries.push_back(std::move(section));
        } else {
            skipped_.push_back(label.empty() ? std::string("a nav entry of an unknown form") : label);
        }
    }

    void AddPage(std::vector<TNavEntry>& entries, const std::string& label,
                 const std::string& page) {
        const std::string path = Trim(page);
        if (path.empty() || IsWebAddress(path)) {
            skipped_.push_back(path.empty() ? label : path);
            return;
        }
        entries.push_back({label, path, {}, false});
    }

    std::vector<std::string>& skipped_;
};

} // namespace

TMkDocsConfig ReadMkDocsConfig(std::string_view text, const std::string& fileName) {
    TMkDocsConfig config;
    YAML::Node root;
    try {
        root = YAML::Load(std::string(text));
    } catch (const YAML::Exception& error) {
        throw QuillError(FormatText(Translate("Cannot read \"%s\": %s"), {fileName, error.what()}));
    }
    if (!root.IsMap())
        return config; // empty, or not a configuration: the folder tree is used
    if (const YAML::Node docsDir = root["docs_dir"]; docsDir && docsDir.IsScalar() &&
                                                     !Trim(docsDir.Scalar()).empty())
        config.DocsDir = Trim(docsDir.Scalar());
    if (const YAML::Node nav = root["nav"]; nav && nav.IsSequence()) {
        config.HasNav = true;
        config.Nav = TNavReader(config.Skipped).ReadList(nav, 0);
    }
    return config;
}

} // namespace quillmark
