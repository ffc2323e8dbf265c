#pragma once

#include <string>
#include <string_view>

namespace quillmark {

// The "Language=" value of a help project for a content language ("en",
// "de-CH", "pt_BR"): the Windows language code and its name, as the help
// compiler expects them ("0x409 English (United States)"). A language the
// table does not know gives 0x409.
std::string ChmLanguageLine(std::string_view contentLanguage);

} // namespace quillmark
