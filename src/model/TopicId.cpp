#include "model/TopicId.h"

namespace quillmark {

bool IsSafeTopicId(std::string_view id) {
    if (id.empty() || id == "." || id == "..")
        return false;
    for (const char c : id) {
        const auto code = static_cast<unsigned char>(c);
        if (c == '/' || c == '\\' || code < 0x20 || code == 0x7F)
            return false;
    }
    return true;
}

} // namespace quillmark
