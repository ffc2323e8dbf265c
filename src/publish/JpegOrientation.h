#pragma once

#include <string>
#include <string_view>

namespace quillmark {

// The EXIF orientation (1 to 8) of a JPEG file: 1 when the file is no JPEG,
// has no EXIF block or the block names no orientation.
int ReadJpegOrientation(const std::string& fileName);
int ReadJpegOrientationFromBytes(std::string_view bytes);

// Turns a ".jpg"/".jpeg" file upright when its orientation is 3, 6 or 8:
// decodes it, rotates the pixels and writes it back as a new JPEG (quality
// 92, no EXIF block). Other files and orientations are left alone. A file
// that cannot be decoded raises a QuillError and stays as it was.
void ApplyJpegOrientation(const std::string& fileName);

} // namespace quillmark
