#include "editor/AssetFiles.h"

#include "base/FileHelpers.h"
#include "base/TextUtils.h"

#include <filesystem>

namespace fs = std::filesystem;

namespace quillmark {

namespace {

std::string ReservationKey(const std::string& targetPath) {
    return fs::path(targetPath).lexically_normal().string();
}

// The last component of the source path. Both delimiters count, so that no
// part of a source path (nor a name with a backslash, which a browser would
// read as a folder) reaches the target name.
std::string_view FinalNameComponent(std::string_view path) {
    const size_t delimiter = path.find_last_of("/\\");
    return delimiter == std::string_view::npos ? path : path.substr(delimiter + 1);
}

// Anything at the path (a file, a folder, even a dangling link) makes the
// name unusable for a copy; a path that cannot be examined counts as free.
bool IsTaken(const std::string& targetPath, const TAssetNameReservations* reservations) {
    std::error_code error;
    if (fs::exists(fs::symlink_status(targetPath, error)))
        return true;
    return reservations != nullptr && reservations->IsReserved(targetPath);
}

std::string_view AssetFolderForExtension(const std::string& lowerExt) {
    static const std::unordered_set<std::string> kImages = {
        ".png", ".jpg", ".jpeg", ".gif", ".bmp", ".webp", ".svg", ".ico", ".avif"};
    static const std::unordered_set<std::string> kFonts = {".woff", ".woff2", ".ttf", ".otf",
                                                           ".eot"};
    static const std::unordered_set<std::string> kMedia = {".mp4", ".webm", ".ogv", ".mp3",
                                                           ".wav", ".ogg",  ".m4a"};
    if (kImages.contains(lowerExt))
        return kAssetImages;
    if (kFonts.contains(lowerExt))
        return kAssetFonts;
    if (kMedia.contains(lowerExt))
        return kAssetMedia;
    if (lowerExt == ".css")
        return kAssetCss;
    return kAssetFiles;
}

} // namespace

bool TAssetNameReservations::IsReserved(const std::string& targetPath) const {
    return FPaths.contains(ReservationKey(targetPath));
}

void TAssetNameReservations::Reserve(const std::string& targetPath) {
    FPaths.insert(ReservationKey(targetPath));
}

bool PrepareAssetTarget(const std::string& projectFolder, const std::string& sourceFile,
                        const std::string& folderPath, const std::string& folderUrlPrefix,
                        std::string& relativeUrl, std::string& targetPath,
                        TAssetNameReservations* reservations) {
    relativeUrl.clear();
    targetPath.clear();
    if (projectFolder.empty() || sourceFile.empty() || folderPath.empty() ||
        folderUrlPrefix.empty())
        return false;
    const std::string sourceName(FinalNameComponent(sourceFile));
    if (sourceName.empty() || sourceName == "." || sourceName == "..")
        return false;

    const std::string folder = EnsureDir(JoinPath(projectFolder, folderPath));
    const std::string ext = ExtractFileExt(sourceName);
    const std::string base = sourceName.substr(0, sourceName.size() - ext.size());

    std::string name = sourceName;
    std::string target = JoinPath(folder, name);
    for (int n = 2; IsTaken(target, reservations); ++n) {
        name = base + "_" + std::to_string(n) + ext;
        target = JoinPath(folder, name);
    }

    if (reservations != nullptr)
        reservations->Reserve(target);
    relativeUrl = folderUrlPrefix + "/" + name;
    targetPath = std::move(target);
    return true;
}

bool PrepareImageAsset(const std::string& projectFolder, const std::string& sourceFile,
                       std::string& relativeUrl, std::string& targetPath,
                       TAssetNameReservations* reservations) {
    return PrepareAssetTarget(projectFolder, sourceFile, std::string(kAssetImages),
                              std::string(kAssetImages), relativeUrl, targetPath, reservations);
}

bool PrepareCssAsset(const std::string& projectFolder, const std::string& sourceFile,
                     std::string& relativeUrl, std::string& targetPath,
                     TAssetNameReservations* reservations) {
    return PrepareAssetTarget(projectFolder, sourceFile, std::string(kAssetCss),
                              std::string(kAssetCss), relativeUrl, targetPath, reservations);
}

bool PrepareAssetByExtension(const std::string& projectFolder, const std::string& sourceFile,
                             std::string& relativeUrl, std::string& targetPath,
                             TAssetNameReservations* reservations) {
    const std::string folder(
        AssetFolderForExtension(AsciiLower(ExtractFileExt(FinalNameComponent(sourceFile)))));
    return PrepareAssetTarget(projectFolder, sourceFile, folder, folder, relativeUrl, targetPath,
                              reservations);
}

} // namespace quillmark
