// The text passes of an HTML import, which run on any page an author picks:
// no input crashes them, an escaped attribute value reads back as it was,
// and URL handling refuses malformed addresses only with a QuillError.
#include "FuzzInput.h"
#include "base/QuillError.h"
#include "editor/HtmlImportText.h"
#include "editor/ImportPathResolution.h"
#include "base/PercentDecoding.h"

using namespace quillmark;
using namespace quillmark::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text = AsText(data, size);
    ExtractImportBody(text);
    BodyWrapperOpenTag(text);
    RewriteHtml5Tags(text);
    FlattenFlexGrid(text);
    for (const char* name : {"src", "href", "rel", "class", "srcset"})
        GetTagAttribute(text, name);
    RelHasStylesheet(text);
    CssStringEscape(text);
    QM_FUZZ_CHECK(DecodeAttributeValue(HtmlAttrEscape(text)) == text);

    const std::string url = StripUrlQueryAndFragment(text);
    IsNonLocalUrl(text);
    PercentDecode(url);
    try {
        ResolveImportPath(text, "/nonexistent-quillmark-base");
        ResolveCssPath(text, "/nonexistent-quillmark-base");
    } catch (const QuillError&) {
    }
    return 0;
}
