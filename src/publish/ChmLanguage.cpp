#include "publish/ChmLanguage.h"

#include "base/TextUtils.h"

#include <iterator>

namespace quillmark {

namespace {

struct TChmLanguage {
    const char* Tag; // lower case, "-" between the parts; a bare language matches any region
    const char* Line;
};

// Regional variants come before their bare language, which stands for the
// language's main Windows code.
constexpr TChmLanguage kLanguages[] = {
    {"en-gb", "0x809 English (United Kingdom)"},
    {"en-au", "0xC09 English (Australia)"},
    {"en-ca", "0x1009 English (Canada)"},
    {"en", "0x409 English (United States)"},
    {"de-at", "0xC07 German (Austria)"},
    {"de-ch", "0x807 German (Switzerland)"},
    {"de", "0x407 German (Germany)"},
    {"fr-be", "0x80C French (Belgium)"},
    {"fr-ca", "0xC0C French (Canada)"},
    {"fr-ch", "0x100C French (Switzerland)"},
    {"fr", "0x40C French (France)"},
    {"es-mx", "0x80A Spanish (Mexico)"},
    {"es", "0xC0A Spanish (Spain)"},
    {"it", "0x410 Italian (Italy)"},
    {"pt-br", "0x416 Portuguese (Brazil)"},
    {"pt", "0x816 Portuguese (Portugal)"},
    {"nl-be", "0x813 Dutch (Belgium)"},
    {"nl", "0x413 Dutch (Netherlands)"},
    {"da", "0x406 Danish"},
    {"sv", "0x41D Swedish"},
    {"nb", "0x414 Norwegian (Bokmal)"},
    {"no", "0x414 Norwegian (Bokmal)"},
    {"nn", "0x814 Norwegian (Nynorsk)"},
    {"fi", "0x40B Finnish"},
    {"is", "0x40F Icelandic"},
    {"pl", "0x415 Polish"},
    {"cs", "0x405 Czech"},
    {"sk", "0x41B Slovak"},
    {"sl", "0x424 Slovenian"},
    {"hr", "0x41A Croatian"},
    {"hu", "0x40E Hungarian"},
    {"ro", "0x418 Romanian"},
    {"bg", "0x402 Bulgarian"},
    {"ru", "0x419 Russian"},
    {"uk", "0x422 Ukrainian"},
    {"be", "0x423 Belarusian"},
    {"sr", "0xC1A Serbian (Cyrillic)"},
    {"el", "0x408 Greek"},
    {"tr", "0x41F Turkish"},
    {"et", "0x425 Estonian"},
    {"lv", "0x426 Latvian"},
    {"lt", "0x427 Lithuanian"},
    {"he", "0x40D Hebrew"},
    {"ar", "0x401 Arabic (Saudi Arabia)"},
    {"th", "0x41E Thai"},
    {"vi", "0x42A Vietnamese"},
    {"id", "0x421 Indonesian"},
    {"ja", "0x411 Japanese"},
    {"ko", "0x412 Korean"},
    {"zh-tw", "0x404 Chinese (Taiwan)"},
    {"zh-hant", "0x404 Chinese (Taiwan)"},
    {"zh-hk", "0xC04 Chinese (Hong Kong S.A.R.)"},
    {"zh", "0x804 Chinese (PRC)"},
};

bool Matches(std::string_view tag, std::string_view entry) {
    return tag == entry || (tag.size() > entry.size() && tag.substr(0, entry.size()) == entry &&
                            tag[entry.size()] == '-');
}

} // namespace

std::string ChmLanguageLine(std::string_view contentLanguage) {
    const std::string tag = ReplaceAll(AsciiLower(Trim(contentLanguage)), "_", "-");
    for (const TChmLanguage& language : kLanguages)
        if (Matches(tag, language.Tag))
            return language.Line;
    return "0x409 English (United States)";
}

} // namespace quillmark
