#include "platform/Guid.h"

#include <array>
#include <random>

namespace quillmark {

std::string NewGuidString() {
    static thread_local std::mt19937_64 generator = [] {
        std::random_device device;
        std::seed_seq seed{device(), device(), device(), device(), device(), device()};
        return std::mt19937_64(seed);
    }();
    std::array<unsigned char, 16> bytes{};
    for (size_t i = 0; i < bytes.size(); i += 8) {
        const uint64_t value = generator();
        for (size_t j = 0; j < 8; ++j)
            bytes[i + j] = static_cast<unsigned char>(value >> (8 * j));
    }
    bytes[6] = static_cast<unsigned char>((bytes[6] & 0x0F) | 0x40); // version 4
    bytes[8] = static_cast<unsigned char>((bytes[8] & 0x3F) | 0x80); // RFC 4122 variant
    static const char hex[] = "0123456789ABCDEF";
    std::string text = "{";
    for (size_t i = 0; i < bytes.size(); ++i) {
        if (i == 4 || i == 6 || i == 8 || i == 10)
            text += '-';
        text += hex[bytes[i] >> 4];
        text += hex[bytes[i] & 0xF];
    }
    return text + "}";
}

} // namespace quillmark
