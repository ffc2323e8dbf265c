#pragma once

#include <string>
#include <string_view>

namespace quillmark {

// Text as searches and indexes compare it: lower case, accents and other
// combining marks dropped, and the Latin letters that have no accent to
// drop written plainly ("Größe" -> "grosse", "Łódź" -> "lodz", "Ærø" ->
// "aero"; a final sigma becomes σ). Everything else is copied; malformed
// UTF-8 becomes U+FFFD. The WebHelp site folds what a reader types the same
// way (scripts/make_fold_table.py describes the rule).
std::string FoldText(std::string_view text);

} // namespace quillmark
