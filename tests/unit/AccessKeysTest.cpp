#include "app/AccessKeys.h"

#include <gtest/gtest.h>

namespace quillmark {
namespace {

TEST(AccessKeysTest, EachCaptionGetsAKeyNoOtherUses) {
    EXPECT_EQ(WithAccessKeys({"File", "Topic", "Edit", "Publish", "Tools", "Help"}),
              (std::vector<std::string>{"&File", "&Topic", "&Edit", "&Publish", "T&ools", "&Help"}));
    // Word starts first, then any letter; a caption with none left keeps none.
    EXPECT_EQ(WithAccessKeys({"Save Project", "Save As", "Sat", "as"}),
              (std::vector<std::string>{"&Save Project", "Save &As", "Sa&t", "as"}));
    // Case does not make another key; "&" stays visible; non-ASCII is never a key.
    EXPECT_EQ(WithAccessKeys({"Über", "über", "Q&A", "&&"}),
              (std::vector<std::string>{"Ü&ber", "üb&er", "&Q&&A", "&&&&"}));
}

} // namespace
} // namespace quillmark
