#pragma once

#include "model/HelpIds.h"

#include <string>
#include <vector>

namespace quillmark {

// One topic of the contents: a title, a place in the tree (by identifier)
// and one page file. Children are referred to by identifier only.
struct TTopic {
    std::string FID;
    std::string FTitle;
    std::string FHtmlPath;
    std::string FParentID;
    std::vector<std::string> FChildren;
    std::vector<std::string> FKeywords;
    std::vector<std::string> FIndexEntries;
    std::vector<THelpId> FHelpIds; // for context-sensitive help
    bool FExcludeWeb = false;
    bool FExcludeChm = false;
    bool FExcludePdf = false;
};

} // namespace quillmark
