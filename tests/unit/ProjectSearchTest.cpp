#include "TempFolder.h"
#include "base/FileHelpers.h"
#include "base/QuillError.h"
#include "model/HeaderFiles.h"
#include "model/ProjectSearch.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>

using namespace quillmark;
using quillmark::testing::TempFolder;

namespace {

class MapTopicTexts final : public ITopicTexts {
public:
    std::map<std::string, std::string> Pages;
    std::map<std::string, std::string> Headers;
    std::string PageHtml(const TTopic& topic) override { return Pages[topic.FID]; }
    std::string HeaderHtml(const TTopic& topic) override { return Headers[topic.FID]; }
};

// Two roots, the first with a child; shown in the order Intro, Setup, Care.
struct SearchFixture {
    TDocProject Project;
    MapTopicTexts Texts;
    std::string Intro, Setup, Care;

    SearchFixture() {
        Project.FRootPath = "/p/";
        Intro = Project.AddTopic("Lamp intro", "").FID;
        Care = Project.AddTopic("Care", "").FID;
        Setup = Project.AddTopic("Setup", Intro).FID;
        Texts.Headers[Intro] = "<div><b>Lamp intro</b></div>";
        Texts.Pages[Intro] = "<p>The lamp glows.</p><p>A <i>lamp</i> and a lamp.</p>";
        Texts.Pages[Setup] = "<p>Plug in the <a href=\"lamp.html\">cable</a>.</p>";
        Texts.Pages[Care] = "<p>Wipe the LAMP.</p>";
    }

    std::vector<TTopicHits> Search(TTextQuery query, bool titles = false) {
        return SearchProject(Project, Texts, TTextMatcher(query), TProjectSearchOptions{titles});
    }
};

} // namespace

TEST(ProjectSearch, FindsHitsGroupedInContentsOrder) {
    SearchFixture f;
    const std::vector<TTopicHits> found = f.Search({"lamp"}, true);
    ASSERT_EQ(found.size(), 2u); // Setup's "lamp" is only in an attribute
    EXPECT_EQ(found[0].TopicId, f.Intro);
    EXPECT_EQ(found[1].TopicId, f.Care);
    const std::vector<TSearchHit>& hits = found[0].Hits;
    ASSERT_EQ(hits.size(), 5u);
    EXPECT_EQ(hits[0].Field, TSearchField::Title);
    EXPECT_EQ(hits[1].Field, TSearchField::Header);
    EXPECT_EQ(hits[1].Context, "Lamp intro");
    EXPECT_EQ(hits[2].Field, TSearchField::Page);
    EXPECT_EQ(hits[2].Context, "The lamp glows.");
    // Occurrences count the exact text through header and page, as shown.
    EXPECT_EQ(hits[1].Occurrence, 0); // "Lamp"
    EXPECT_EQ(hits[2].Occurrence, 0); // first "lamp"
    EXPECT_EQ(hits[3].Occurrence, 1);
    EXPECT_EQ(hits[4].Occurrence, 2);
    EXPECT_EQ(hits[4].Segment, 1u);
    EXPECT_TRUE(f.Search({"nothing"}).empty());
    EXPECT_EQ(f.Search({"lamp"}).at(0).Hits.size(), 4u); // without titles
}

TEST(ProjectSearch, ReplacesAllInATopicOrOneHit) {
    SearchFixture f;
    const TTextMatcher matcher(TTextQuery{"lamp"});
    std::vector<TTopicTextChange> changes =
        ReplaceInTopic(f.Project, f.Texts, matcher, {true}, f.Intro, "light");
    ASSERT_EQ(changes.size(), 3u);
    EXPECT_EQ(changes[0].Field, TSearchField::Title);
    EXPECT_EQ(changes[0].After, "light intro");
    EXPECT_EQ(changes[1].After, "<div><b>light intro</b></div>");
    EXPECT_EQ(changes[2].After, "<p>The light glows.</p><p>A <i>light</i> and a light.</p>");
    EXPECT_EQ(changes[2].Replaced, 3);
    EXPECT_EQ(changes[2].Before, f.Texts.Pages[f.Intro]);

    const TSearchHit third = f.Search({"lamp"}).at(0).Hits.at(2); // "<i>lamp</i>"
    changes = ReplaceInTopic(f.Project, f.Texts, matcher, {}, f.Intro, "light", &third);
    ASSERT_EQ(changes.size(), 1u);
    EXPECT_EQ(changes[0].After, "<p>The lamp glows.</p><p>A <i>light</i> and a lamp.</p>");

    // A hit the text no longer holds is refused, nothing replaced.
    f.Texts.Pages[f.Intro] = "<p>Edited since.</p>";
    EXPECT_THROW(ReplaceInTopic(f.Project, f.Texts, matcher, {}, f.Intro, "x", &third), QuillError);
}

TEST(ProjectSearch, StoredTextsReadPagesAndHeadersInsideTheProject) {
    TempFolder temp;
    TDocProject project;
    project.SetRootPath(IncludeTrailingPathDelimiter(temp.Path("Guide")));
    const std::string id = project.AddTopic("Welcome", "").FID;
    const std::string missing = project.AddTopic("Missing", "").FID;
    WriteTextFileUtf8(project.TopicPagePath(id), "<p>Find the lamp.</p>");
    WriteHeaderFiles(project.FRootPath, id, "<b>Lamp</b>", "#FFFFFF");
    // A header that is a link leading outside the project is not read.
    WriteTextFileUtf8(temp.Path("outside.html"), "<p>lamp outside</p>");
    std::filesystem::create_symlink(temp.Path("outside.html"),
                                    HeaderHtmlPath(project.FRootPath, missing));
    TStoredTopicTexts texts(project.FRootPath);
    const auto found = SearchProject(project, texts, TTextMatcher(TTextQuery{"lamp"}), {});
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0].TopicId, id);
    EXPECT_EQ(found[0].Hits.size(), 2u);
}
