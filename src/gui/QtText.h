#pragma once

#include <QString>
#include <string>

namespace quillmark::gui {

// The core holds UTF-8 in std::string; Qt holds UTF-16 in QString. These two
// are the only conversions between them.
inline QString ToQString(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

inline std::string ToStdString(const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    return std::string(utf8.constData(), static_cast<size_t>(utf8.size()));
}

} // namespace quillmark::gui
