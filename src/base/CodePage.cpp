#include "base/CodePage.h"

#include "base/QuillError.h"
#include "base/TextUtils.h"
#include "base/Utf.h"

#include <cerrno>
#include <iconv.h>
#include <locale.h>

namespace quillmark {
namespace {

// glibc transliterates only under a UTF-8 character type; the C.UTF-8 locale
// is made current for this thread alone while a conversion runs.
class TUtf8LocaleScope {
public:
    TUtf8LocaleScope() {
        FLocale = newlocale(LC_CTYPE_MASK, "C.UTF-8", static_cast<locale_t>(nullptr));
        if (FLocale)
            FPrevious = uselocale(FLocale);
    }
    ~TUtf8LocaleScope() {
        if (FLocale) {
            uselocale(FPrevious);
            freelocale(FLocale);
        }
    }
    TUtf8LocaleScope(const TUtf8LocaleScope&) = delete;
    TUtf8LocaleScope& operator=(const TUtf8LocaleScope&) = delete;

private:
    locale_t FLocale = nullptr;
    locale_t FPrevious = nullptr;
};

class TConverter {
public:
    TConverter(const std::string& to, const std::string& from, std::string_view codePage) {
        FHandle = iconv_open(to.c_str(), from.c_str());
        if (FHandle == reinterpret_cast<iconv_t>(-1))
            throw QuillError("Unknown code page: " + std::string(codePage));
    }
    ~TConverter() { iconv_close(FHandle); }
    TConverter(const TConverter&) = delete;
    TConverter& operator=(const TConverter&) = delete;

    // Converts `input` from `pos` on into `out` and stops at the end or at
    // the first sequence it cannot convert; `pos` moves past what was used.
    // True when the whole input was used.
    bool Convert(std::string_view input, size_t& pos, std::string& out) {
        char buffer[4096];
        for (;;) {
            char* in = const_cast<char*>(input.data() + pos);
            size_t inLeft = input.size() - pos;
            char* outPtr = buffer;
            size_t outLeft = sizeof buffer;
            const size_t result = iconv(FHandle, &in, &inLeft, &outPtr, &outLeft);
            out.append(buffer, static_cast<size_t>(outPtr - buffer));
            pos = input.size() - inLeft;
            if (result != static_cast<size_t>(-1))
                return Flush(out);
            if (errno == E2BIG)
                continue;
            iconv(FHandle, nullptr, nullptr, nullptr, nullptr);
            return false;
        }
    }

private:
    bool Flush(std::string& out) {
        char buffer[64];
        char* outPtr = buffer;
        size_t outLeft = sizeof buffer;
        iconv(FHandle, nullptr, nullptr, &outPtr, &outLeft);
        out.append(buffer, static_cast<size_t>(outPtr - buffer));
        return true;
    }

    iconv_t FHandle;
};

bool IsAscii(std::string_view text) {
    for (const char c : text)
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    return true;
}

} // namespace

std::string Utf8ToCodePage(std::string_view text, std::string_view codePage) {
    const std::string target = std::string(codePage) + "//TRANSLIT";
    // Plain ASCII reads the same in the Windows code pages; most pages are
    // plain ASCII, so for them only the code page's name is checked.
    if (AsciiStartsWithIgnoreCase(codePage, "WINDOWS-") && IsAscii(text)) {
        TConverter check(target, "UTF-8", codePage);
        return std::string(text);
    }
    TUtf8LocaleScope locale;
    TConverter converter(target, "UTF-8", codePage);
    std::string out;
    out.reserve(text.size());
    size_t pos = 0;
    while (!converter.Convert(text, pos, out) && pos < text.size()) {
        // A character without a substitute (or a malformed byte) becomes "?".
        DecodeUtf8(text, pos);
        out += '?';
    }
    return out;
}

std::string Utf8ToCodePageWithCharRefs(std::string_view text, std::string_view codePage) {
    TConverter converter(std::string(codePage), "UTF-8", codePage);
    if (IsAscii(text))
        return std::string(text);
    std::string out;
    out.reserve(text.size());
    size_t pos = 0;
    while (!converter.Convert(text, pos, out) && pos < text.size()) {
        out += "&#";
        out += std::to_string(static_cast<uint32_t>(DecodeUtf8(text, pos)));
        out += ';';
    }
    return out;
}

std::string CodePageToUtf8(std::string_view bytes, std::string_view codePage) {
    TConverter converter("UTF-8", std::string(codePage), codePage);
    std::string out;
    out.reserve(bytes.size() * 2);
    size_t pos = 0;
    while (!converter.Convert(bytes, pos, out) && pos < bytes.size()) {
        // A byte the code page leaves undefined.
        ++pos;
        AppendUtf8(out, 0xFFFD);
    }
    return out;
}

} // namespace quillmark
