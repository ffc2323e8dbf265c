#pragma once

#include <string>
#include <string_view>
#include <unordered_set>

namespace quillmark {

// Asset folders inside the project folder. Each text is both the folder path
// on disk and the URL prefix written into HTML and CSS.
inline constexpr std::string_view kAssetImages = "assets/images";
inline constexpr std::string_view kAssetFonts = "assets/fonts";
inline constexpr std::string_view kAssetMedia = "assets/media";
inline constexpr std::string_view kAssetCss = "assets/css";
inline constexpr std::string_view kAssetFiles = "assets/files";

// Target paths handed out during one operation whose files are written only
// later (an HTML import chooses a style sheet's name before writing it).
// A reserved path counts as taken, so it is never handed out twice.
class TAssetNameReservations {
public:
    bool IsReserved(const std::string& targetPath) const;
    void Reserve(const std::string& targetPath);
    void Clear() { FPaths.clear(); }

private:
    std::unordered_set<std::string> FPaths;
};

// Chooses a free target for a copy of `sourceFile` in `folderPath` (relative
// to `projectFolder`, created when missing): the source's file name, or
// "<base>_<n><ext>" from n = 2 on while that name is taken on disk (or
// reserved). Returns false with both outputs empty when an input is empty or
// the source names no file. With `reservations`, the chosen target is
// reserved in it. Nothing is copied.
bool PrepareAssetTarget(const std::string& projectFolder, const std::string& sourceFile,
                        const std::string& folderPath, const std::string& folderUrlPrefix,
                        std::string& relativeUrl, std::string& targetPath,
                        TAssetNameReservations* reservations = nullptr);

bool PrepareImageAsset(const std::string& projectFolder, const std::string& sourceFile,
                       std::string& relativeUrl, std::string& targetPath,
                       TAssetNameReservations* reservations = nullptr);

bool PrepareCssAsset(const std::string& projectFolder, const std::string& sourceFile,
                     std::string& relativeUrl, std::string& targetPath,
                     TAssetNameReservations* reservations = nullptr);

// The folder follows the source's extension, compared in lower case: pictures,
// fonts, audio and video, style sheets, and everything else in "assets/files".
bool PrepareAssetByExtension(const std::string& projectFolder, const std::string& sourceFile,
                             std::string& relativeUrl, std::string& targetPath,
                             TAssetNameReservations* reservations = nullptr);

} // namespace quillmark
