#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace quillmark {

inline constexpr char kChmSection[] = "CHM";
inline constexpr char kHhcPathKey[] = "HhcPath";
inline constexpr char kLanguageSection[] = "Language";
inline constexpr char kCurrentLanguageKey[] = "CurrentLanguage";

// One small INI file: "[section]" lines, "key=value" lines, UTF-8 with LF.
// Section and key names compare without regard to ASCII letter case; values
// are trimmed. Each call reads the file afresh, so the GUI and the command-line
// tool can share it, and each write rewrites it whole at once. Lines the store
// does not understand (comments, text without "=") are kept as they are.
class TIniStore {
public:
    explicit TIniStore(std::string fileName);

    const std::string& FileName() const { return FFileName; }

    // The value of the first such key in the first such section; nullopt when
    // the file, the section or the key is missing or the file is unreadable.
    std::optional<std::string> ReadValue(std::string_view section, std::string_view key) const;
    std::string ReadString(std::string_view section, std::string_view key,
                           std::string_view defaultValue) const;

    // Sets the value, adding the key (and section) when missing, and writes
    // the file atomically; every other line keeps its text and place. A
    // section or key that cannot be written as one INI line, or a failed
    // write, raises a QuillError.
    void WriteString(std::string_view section, std::string_view key, std::string_view value);

private:
    std::string FFileName;
};

// "settings.ini" in the application folder (created when missing).
std::string PerUserSettingsPath();

} // namespace quillmark
