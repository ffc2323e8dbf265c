#include "app/AccessKeys.h"

#include <cctype>
#include <set>

namespace quillmark {

namespace {

bool IsKeyChar(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) != 0 &&
           static_cast<unsigned char>(c) < 0x80;
}

char KeyOf(char c) {
    return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
}

// Where the access key goes: the first unused word start, else the first
// unused letter; npos when every letter is taken.
size_t KeyPosition(const std::string& caption, const std::set<char>& used) {
    for (size_t i = 0; i < caption.size(); ++i) {
        const bool wordStart = i == 0 || caption[i - 1] == ' ';
        if (wordStart && IsKeyChar(caption[i]) && !used.contains(KeyOf(caption[i])))
            return i;
    }
    for (size_t i = 0; i < caption.size(); ++i)
        if (IsKeyChar(caption[i]) && !used.contains(KeyOf(caption[i])))
            return i;
    return std::string::npos;
}

std::string EscapeAmpersands(const std::string& caption) {
    std::string escaped;
    for (const char c : caption) {
        escaped += c;
        if (c == '&')
            escaped += '&';
    }
    return escaped;
}

} // namespace

std::vector<std::string> WithAccessKeys(const std::vector<std::string>& captions) {
    std::set<char> used;
    std::vector<std::string> result;
    result.reserve(captions.size());
    for (const std::string& caption : captions) {
        const size_t at = KeyPosition(caption, used);
        if (at == std::string::npos) {
            result.push_back(EscapeAmpersands(caption));
            continue;
        }
        used.insert(KeyOf(caption[at]));
        result.push_back(EscapeAmpersands(caption.substr(0, at)) + "&" +
                         EscapeAmpersands(caption.substr(at)));
    }
    return result;
}

} // namespace quillmark
