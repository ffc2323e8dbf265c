#include "base/TextFold.h"

#include "base/Utf.h"

#include <algorithm>
#include <iterator>

namespace quillmark {

namespace {

struct TFoldRow {
    char32_t CodePoint;
    const char* Folded;
};

constexpr TFoldRow kFoldTable[] = {
#include "base/TextFoldTable.inc"
};

const char* FoldedForm(char32_t codePoint) {
    const auto row = std::lower_bound(
        std::begin(kFoldTable), std::end(kFoldTable), codePoint,
        [](const TFoldRow& r, char32_t cp) { return r.CodePoint < cp; });
    return row != std::end(kFoldTable) && row->CodePoint == codePoint ? row->Folded : nullptr;
}

} // namespace

std::string FoldText(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (size_t pos = 0; pos < text.size();) {
        const unsigned char byte = static_cast<unsigned char>(text[pos]);
        if (byte < 0x80) {
            out += static_cast<char>(byte >= 'A' && byte <= 'Z' ? byte + ('a' - 'A') : byte);
            ++pos;
            continue;
        }
        const char32_t codePoint = DecodeUtf8(text, pos);
        if (const char* folded = FoldedForm(codePoint))
            out += folded;
        else
            AppendUtf8(out, codePoint);
    }
    return out;
}

} // namespace quillmark
